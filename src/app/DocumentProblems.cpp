#include "DocumentProblems.h"

#include "BackgroundDisposal.h"
#include "TranslationDocument.h"

#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <deque>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
// Large enough that the worker's hand-over costs little, small enough that
// copying a chunk's texts here takes well under a millisecond.
constexpr int ChunkEntries = 8192;
// Chunks given to the workers at a time: each worker has one to check while
// the results of another are taken.
constexpr int ChunksInFlight = 3;
} // namespace

// Texts of the entries of positions [Positions.front(), End) that need
// checking, as they were when the chunk was made, and what the worker found.
struct TDocumentProblems::TChunk {
  int End = 0;
  std::vector<int> Positions;
  std::vector<std::pair<QString, QString>> Texts; // source, translation
  std::vector<std::vector<TCheckProblem>> Results;
};

// What the worker of one attachment shares with this object.
struct TDocumentProblems::TWorkerState {
  TTranslationCheckSet Checks;
  quint16 LangID = 0;
  TSpellChecker *Speller = nullptr;
  std::atomic<bool> bCancel = false;
  QMutex Mutex; // guards Done
  std::deque<std::shared_ptr<TChunk>> Done; // in the order they were finished
};

TDocumentProblems::TDocumentProblems(QObject *Parent)
    : QObject(Parent), FPool(std::make_unique<QThreadPool>()),
      FWorker(std::make_shared<TWorkerState>()) {
  // Up to two workers, sharing the speller's lock only for a word's look-up,
  // and a core left for the interface thread.
  FPool->setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 2));
}

TDocumentProblems::~TDocumentProblems() {
  StopWorker();
}

void TDocumentProblems::StopWorker() {
  FWorker->bCancel = true;
  FPool->waitForDone();
  // Results still on their way to the event loop name the old state.
  FWorker = std::make_shared<TWorkerState>();
  FInFlight = 0;
  FNewer.clear();
}

void TDocumentProblems::Attach(TTranslationDocument *Doc, TTranslationCheckSet Checks,
                               TSpellChecker *Speller) {
  StopWorker();
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
  // A large document's problems are many small blocks.
  BackgroundDisposal::Dispose(std::exchange(FProblems, {}));
  std::fill(std::begin(FCounts), std::end(FCounts), 0);
  FLevels.clear();
  FLevels.shrink_to_fit();
  FNext = 0;
  bRecheckSpelling = false;
  if (FDoc != nullptr) {
    FLevels.assign(size_t(FDoc->Entries().Count()), plNone);
    FCounts[plNone] = int(FLevels.size());
    FWorker->Checks = Checks;
    FWorker->LangID = FDoc->Languages().LangIDTranslation;
    FWorker->Speller = Speller;
    FConnection = connect(FDoc, &TTranslationDocument::EntriesChanged, this,
                          &TDocumentProblems::Recheck);
    FIgnoredConnection = connect(FDoc, &TTranslationDocument::IgnoredProblemsChanged, this,
                                 &TDocumentProblems::Recheck);
  }
  if (!Dropped.empty())
    Q_EMIT ProblemsChanged(Dropped);
}

void TDocumentProblems::Start() {
  Dispatch();
}

void TDocumentProblems::Dispatch() {
  if (FDoc == nullptr)
    return;
  const TEntryTable &Entries = FDoc->Entries();
  const int Count = int(FLevels.size());
  while (FInFlight < ChunksInFlight && FNext < Count) {
    auto Chunk = std::make_shared<TChunk>();
    Chunk->End = std::min(Count, FNext + ChunkEntries);
    Chunk->Positions.reserve(size_t(Chunk->End - FNext));
    Chunk->Texts.reserve(size_t(Chunk->End - FNext));
    for (int P = FNext; P < Chunk->End; ++P)
      if (Entries.IsEditable(P) && !Entries.States(P).Contains(zrtsUntranslated)) {
        Chunk->Positions.push_back(P);
        Chunk->Texts.emplace_back(Entries.SourceValue(P), Entries.TranslatedValue(P));
      }
    FNext = Chunk->End;
    if (Chunk->Positions.empty())
      continue;
    ++FInFlight;
    FPool->start([State = FWorker, Chunk, Receiver = this] {
      Chunk->Results.resize(Chunk->Texts.size());
      for (size_t I = 0; I < Chunk->Texts.size() && !State->bCancel; ++I)
        RunTranslationChecks(State->Checks, Chunk->Texts[I].first, Chunk->Texts[I].second,
                             State->LangID, Chunk->Results[I], State->Speller);
      if (State->bCancel)
        return;
      {
        QMutexLocker Lock(&State->Mutex);
        State->Done.push_back(Chunk);
      }
      // The receiver outlives the task: its destructor waits for the pool.
      QMetaObject::invokeMethod(
          Receiver, [Receiver, State] { Receiver->TakeResults(State.get(), true); },
          Qt::QueuedConnection);
    });
  }
}

void TDocumentProblems::TakeResults(const TWorkerState *State, bool bContinue) {
  if (State != FWorker.get())
    return;
  std::deque<std::shared_ptr<TChunk>> Done;
  {
    QMutexLocker Lock(&FWorker->Mutex);
    Done.swap(FWorker->Done);
  }
  std::vector<int> Changed;
  for (const std::shared_ptr<TChunk> &Chunk : Done) {
    --FInFlight;
    for (size_t I = 0; I < Chunk->Positions.size(); ++I) {
      const int P = Chunk->Positions[I];
      if (FNewer.contains(P))
        continue;
      FDoc->DropIgnoredProblems(P, Chunk->Results[I]);
      Store(P, std::move(Chunk->Results[I]));
      if (FLevels[size_t(P)] != plNone)
        Changed.push_back(P);
    }
  }
  // Chunks go out once each, so a position edited while its chunk was out
  // can only meet that chunk's result; results may come in any order.
  if (FInFlight == 0)
    FNewer.clear();
  if (!Changed.empty())
    Q_EMIT ProblemsChanged(Changed);
  if (bContinue)
    Dispatch();
  if (IsComplete() && bRecheckSpelling) {
    bRecheckSpelling = false;
    RecheckSpelling();
  }
}

void TDocumentProblems::Finish() {
  if (FInFlight > 0) {
    FPool->waitForDone();
    TakeResults(FWorker.get(), false);
  }
  CheckSlice(int(FLevels.size()));
  if (bRecheckSpelling) {
    bRecheckSpelling = false;
    RecheckSpelling();
  }
}

bool TDocumentProblems::IsComplete() const {
  return size_t(FNext) >= FLevels.size() && FInFlight == 0;
}

bool TDocumentProblems::CheckSlice(int MaxEntries) {
  Q_ASSERT(FInFlight == 0);
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

void TDocumentProblems::Recheck(const std::vector<int> &Positions) {
  for (int P : Positions)
    if (P >= 0 && size_t(P) < FLevels.size()) {
      CheckEntry(P);
      if (FInFlight > 0 && P < FNext)
        FNewer.insert(P);
    }
  Q_EMIT ProblemsChanged(Positions);
}

void TDocumentProblems::RecheckSpelling() {
  // Chunks in flight may have been judged by the words of before.
  bRecheckSpelling = !IsComplete();
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
  Store(Position, std::move(FScratch));
}

void TDocumentProblems::Store(int Position, std::vector<TCheckProblem> &&Problems) {
  TLevel Level = plNone;
  for (const TCheckProblem &Problem : Problems)
    Level = std::max(Level, TLevel(int(Problem.Severity) + plInfo));
  SetLevel(Position, Level);
  if (Problems.empty())
    FProblems.erase(Position);
  else
    FProblems[Position] = std::move(Problems);
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
