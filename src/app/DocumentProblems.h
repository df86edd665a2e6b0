#pragma once

#include "TranslationChecks.h"

#include <QObject>
#include <QTimer>
#include <unordered_map>
#include <vector>

class TTranslationDocument;

// The problems of an open document's translated entries, by position. The
// whole document is checked in slices (CheckSlice, driven by a zero-interval
// timer after Start) so that a large one never blocks the interface for long;
// an entry that EntriesChanged names is checked again at once. Only entries
// with problems hold any heap memory; the rest cost one byte each.
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

  // Follows Doc (nullptr: none) with every position waiting to be checked;
  // Doc must outlive this or be detached first. Start() checks in slices on
  // the event loop, Finish() checks what is left at once. The entries that
  // had problems before are announced by ProblemsChanged. Attach again after
  // the translation's language changed. Spelling is checked with Speller
  // (none: not at all), which must outlive the attachment.
  void Attach(TTranslationDocument *Doc, TTranslationCheckSet Checks = TTranslationCheckSet::All(),
              TSpellChecker *Speller = nullptr);
  void Start();
  void Finish();
  // Checks up to MaxEntries waiting positions; true when none is left.
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
  void Recheck(const std::vector<int> &Positions);
  void CheckEntry(int Position);
  void SetLevel(int Position, TLevel Level);
  void TimerSlice();

  TTranslationDocument *FDoc = nullptr;
  TTranslationCheckSet FChecks;
  TSpellChecker *FSpeller = nullptr;
  QMetaObject::Connection FConnection;
  QMetaObject::Connection FIgnoredConnection;
  QTimer FTimer;
  std::vector<quint8> FLevels;
  std::unordered_map<int, std::vector<TCheckProblem>> FProblems;
  int FCounts[plError + 1] = {};
  int FNext = 0; // positions below were checked
  std::vector<TCheckProblem> FScratch;
};
