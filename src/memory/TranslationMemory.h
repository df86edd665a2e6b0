#pragma once

#include "MemoryUnit.h"
#include "RtlException.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A memory that cannot be opened or used: corrupt, locked for longer than
// the wait, made by a newer program, or an SQLite without what it needs. The
// message names the file.
class ETranslationMemoryError : public Exception {
public:
  using Exception::Exception;
};

// The translation memory: an SQLite database of units (see TMemoryUnit).
//
// The file is created with its schema on first use and written in WAL mode,
// so several programs may read and write it at once (on a network drive,
// where WAL cannot work, with a rollback journal instead); a writer waits for
// another one's transaction (a few seconds) before giving up with an error.
// Fuzzy look-ups take their candidates from an FTS5 index of the source
// texts with the trigram tokenizer, never from a scan of all units.
//
// One object is for one thread; every method raises ETranslationMemoryError
// when the database fails.
class TTranslationMemory {
public:
  // Opens or creates the database at Path (its folder is created).
  explicit TTranslationMemory(const QString &Path);
  ~TTranslationMemory();
  TTranslationMemory(const TTranslationMemory &) = delete;
  TTranslationMemory &operator=(const TTranslationMemory &) = delete;

  const QString &Path() const { return FPath; }

  // Stores Units in one transaction; a unit already held only takes the
  // later time and, with it, the newer origin and entry. Units with an empty
  // source or translation or without both languages are skipped. Returns
  // the number of units that were new.
  int Add(const std::vector<TMemoryUnit> &Units);

  // Up to MaxCount units whose source text is Source or like it, with a
  // similarity of at least MinSimilarity, best first: exact matches (the
  // most recent first), then fuzzy ones. Each translation is given once.
  std::vector<TMemoryMatch> Lookup(const QString &SourceLang, const QString &TargetLang,
                                   const QString &Source, int MaxCount, double MinSimilarity);
  // The most recent translation of exactly Source; none when there is none.
  std::optional<QString> FindExact(const QString &SourceLang, const QString &TargetLang,
                                   const QString &Source);
  // The most recent unit stored for Entry of the file Origin; none when
  // there is none. An entry the source no longer has is known this way.
  std::optional<TMemoryUnit> FindEntry(const QString &SourceLang, const QString &TargetLang,
                                       const QString &Origin, const QString &Entry);
  // Whether any unit of the pair is held.
  bool HasPair(const QString &SourceLang, const QString &TargetLang);

  struct TPairCount {
    QString SourceLang;
    QString TargetLang;
    qint64 Units = 0;
  };
  struct TStats {
    qint64 Units = 0;
    qint64 TextBytes = 0; // the UTF-8 bytes of all sources and translations
    qint64 FileBytes = 0; // the database, its WAL not counted
    std::vector<TPairCount> Pairs;
  };
  TStats Stats();

  // Calls Visit with every unit, in the order they were first stored.
  void ForEach(const std::function<void(const TMemoryUnit &)> &Visit);

  // Brings the database file up to date with its WAL (done on close too).
  void Checkpoint();

private:
  class TImpl;
  std::unique_ptr<TImpl> FImpl;
  QString FPath;
};
