#pragma once

#include "TranslationChecks.h"

#include <QObject>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class QThreadPool;
class TTranslationDocument;

// The problems of an open document's translated entries, by position. The
// whole document is checked on worker threads after Start, in chunks whose
// texts are shared copies taken on this object's thread, so a large document
// never blocks the interface; results arrive on the event loop. An entry
// that EntriesChanged names is checked again at once, here, and a result the
// worker found for its older text is dropped. Only entries with problems hold
// any heap memory; the rest cost one byte each.
//
// Problems the document ignores are left out.
//
// Counts cover the entries with an error or a warning; info problems are
// kept but not counted.
class TDocumentProblems : public QObject {
  Q_OBJECT

public:
  enum TLevel : quint8 { plNone, plInfo, plWarning, plError };

  explicit TDocumentProblems(QObject *Parent = nullptr);
  // Waits for the worker to stop.
  ~TDocumentProblems() override;

  // Follows Doc (nullptr: none) with every position waiting to be checked;
  // Doc must outlive this or be detached first. Start() checks on the worker,
  // Finish() waits for it and checks what is left at once. The entries that
  // had problems before are announced by ProblemsChanged. Attach again after
  // the translation's language changed. Spelling is checked with Speller
  // (none: not at all), which must outlive the attachment and be safe to call
  // from the worker while it is used here (TSpellingSession is).
  void Attach(TTranslationDocument *Doc, TTranslationCheckSet Checks = TTranslationCheckSet::All(),
              TSpellChecker *Speller = nullptr);
  void Start();
  void Finish();
  // Checks up to MaxEntries waiting positions here; true when none is left.
  // REQUIRES: the worker is not running (no Start since the last Finish or
  // Attach).
  bool CheckSlice(int MaxEntries);
  bool IsComplete() const;
  // Checks again the entries with a spelling problem, after the speller
  // came to accept more words.
  void RecheckSpelling();

  // The worst severity of the entry's problems; plNone for an unchecked one.
  TLevel Level(int Position) const {
    return Position >= 0 && size_t(Position) < FLevels.size() ? TLevel(FLevels[size_t(Position)])
                                                               : plNone;
  }
  bool HasProblem(int Position) const { return Level(Position) >= plWarning; }
  // Empty when there are none.
  const std::vector<TCheckProblem> &Problems(int Position) const;
  // One line per problem: "id: message".
  QString Describe(int Position) const;
  // Entries with an error or a warning; entries with an error.
  int ProblemCount() const { return FCounts[plWarning] + FCounts[plError]; }
  int ErrorCount() const { return FCounts[plError]; }
  // The first position with an error, -1 when there is none.
  int FirstError() const;

Q_SIGNALS:
  // Levels of these positions (ascending) may have changed.
  void ProblemsChanged(const std::vector<int> &Positions);

private:
  struct TChunk;
  struct TWorkerState;

  void Recheck(const std::vector<int> &Positions);
  void CheckEntry(int Position);
  // Takes the entry's problems over.
  void Store(int Position, std::vector<TCheckProblem> &&Problems);
  void SetLevel(int Position, TLevel Level);
  void Dispatch();
  // Takes the chunks the worker of State finished, unless State is old;
  // gives it more when bContinue.
  void TakeResults(const TWorkerState *State, bool bContinue);
  void StopWorker();

  TTranslationDocument *FDoc = nullptr;
  TTranslationCheckSet FChecks;
  TSpellChecker *FSpeller = nullptr;
  QMetaObject::Connection FConnection;
  QMetaObject::Connection FIgnoredConnection;
  std::unique_ptr<QThreadPool> FPool;
  std::shared_ptr<TWorkerState> FWorker;
  int FInFlight = 0; // chunks given to the worker, not yet taken back
  // Positions in flight that were checked here since: the worker's result
  // for them is older.
  std::unordered_set<int> FNewer;
  bool bRecheckSpelling = false;
  std::vector<quint8> FLevels;
  std::unordered_map<int, std::vector<TCheckProblem>> FProblems;
  int FCounts[plError + 1] = {};
  int FNext = 0; // positions below were checked or given to the worker
  std::vector<TCheckProblem> FScratch;
};
