#include "DocumentProblems.h"

#include "TranslationDocument.h"

#include <QElapsedTimer>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// Long enough to make the timer's overhead small, short enough for typing.
constexpr int SliceMilliseconds = 15;
constexpr int SliceChunk = 2048;
} // namespace

TDocumentProblems::TDocumentProblems(QObject *Parent) : QObject(Parent) {
  FTimer.setInterval(0);
  connect(&FTimer, &QTimer::timeout, this, &TDocumentProblems::TimerSlice);
}

void TDocumentProblems::Attach(TTranslationDocument *Doc, TTranslationCheckSet Checks,
                               TSpellChecker *Speller) {
  FTimer.stop();
  disconnect(FConnection);
  disconnect(FIgnoredConnection);
  // The entries that showed problems are announced, to be shown without.
  std::vector<int> Dropped;
  Dropped.reserve(FProblems.size());
  for (const auto &Entry : FProblems)
    Dropped.push_back(Entry.first);
  std::sort(Dropped.begin(), Dropped.end());
  FDoc = Doc != nullptr && Doc->IsOpen() ? Doc : nullptr;
  FChecks = Checks;
  FSpeller = Speller;
  FProblems.clear();
  std::fill(std::begin(FCounts), std::end(FCounts), 0);
  FLevels.clear();
  FLevels.shrink_to_fit();
  FNext = 0;
  if (FDoc != nullptr) {
    FLevels.assign(size_t(FDoc->Entries().Count()), plNone);
    FCounts[plNone] = int(FLevels.size());
    FConnection = connect(FDoc, &TTranslationDocument::EntriesChanged, this,
                          &TDocumentProblems::Recheck);
    FIgnoredConnection = connect(FDoc, &TTranslationDocument::IgnoredProblemsChanged, this,
                                 &TDocumentProblems::Recheck);
  }
  if (!Dropped.empty())
    Q_EMIT ProblemsChanged(Dropped);
}

void TDocumentProblems::Start() {
  if (!IsComplete())
    FTimer.start();
}

void TDocumentProblems::Finish() {
  FTimer.stop();
  CheckSlice(int(FLevels.size()));
}

bool TDocumentProblems::IsComplete() const {
  return size_t(FNext) >= FLevels.size();
}

bool TDocumentProblems::CheckSlice(int MaxEntries) {
  const int First = FNext;
  const int End = int(std::min(FLevels.size(), size_t(First) + size_t(std::max(MaxEntries, 0))));
  std::vector<int> Changed;
  for (int P = First; P < End; ++P) {
    CheckEntry(P);
    if (FLevels[size_t(P)] != plNone)
      Changed.push_back(P);
  }
  FNext = End;
  if (!Changed.empty())
    Q_EMIT ProblemsChanged(Changed);
  return IsComplete();
}

void TDocumentProblems::TimerSlice() {
  QElapsedTimer Clock;
  Clock.start();
  while (!CheckSlice(SliceChunk) && Clock.elapsed() < SliceMilliseconds) {
  }
  if (IsComplete())
    FTimer.stop();
}

void TDocumentProblems::Recheck(const std::vector<int> &Positions) {
  for (int P : Positions)
    if (P >= 0 && size_t(P) < FLevels.size())
      CheckEntry(P);
  Q_EMIT ProblemsChanged(Positions);
}

void TDocumentProblems::RecheckSpelling() {
  std::vector<int> Positions;
  for (const auto &[Position, Problems] : FProblems)
    if (std::any_of(Problems.begin(), Problems.end(),
                    [](const TCheckProblem &P) { return P.Check == tcSpelling; }))
      Positions.push_back(Position);
  if (Positions.empty())
    return;
  std::sort(Positions.begin(), Positions.end());
  Recheck(Positions);
}

void TDocumentProblems::CheckEntry(int Position) {
  const TEntryTable &Entries = FDoc->Entries();
  FScratch.clear();
  if (Entries.IsEditable(Position) && !Entries.States(Position).Contains(zrtsUntranslated))
    RunTranslationChecks(FChecks, Entries.SourceValue(Position), Entries.TranslatedValue(Position),
                         FDoc->Languages().LangIDTranslation, FScratch, FSpeller);
  FDoc->DropIgnoredProblems(Position, FScratch);
  TLevel Level = plNone;
  for (const TCheckProblem &Problem : FScratch)
    Level = std::max(Level, TLevel(int(Problem.Severity) + plInfo));
  SetLevel(Position, Level);
  if (FScratch.empty())
    FProblems.erase(Position);
  else
    FProblems[Position] = FScratch;
}

void TDocumentProblems::SetLevel(int Position, TLevel Level) {
  quint8 &Stored = FLevels[size_t(Position)];
  --FCounts[Stored];
  ++FCounts[Level];
  Stored = Level;
}

const std::vector<TCheckProblem> &TDocumentProblems::Problems(int Position) const {
  static const std::vector<TCheckProblem> None;
  const auto It = FProblems.find(Position);
  return It == FProblems.end() ? None : It->second;
}

QString TDocumentProblems::Describe(int Position) const {
  QStringList Lines;
  for (const TCheckProblem &Problem : Problems(Position))
    Lines << QString::fromUtf16(TranslationCheckInfo(Problem.Check).Id) + u": "_s + Problem.Message;
  return Lines.join(u'\n');
}

int TDocumentProblems::FirstError() const {
  const auto It = std::find(FLevels.begin(), FLevels.end(), quint8(plError));
  return It == FLevels.end() ? -1 : int(It - FLevels.begin());
}
