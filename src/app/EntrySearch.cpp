#include "EntrySearch.h"

#include <algorithm>
#include <atomic>
#include <thread>

TEntrySearch::TEntrySearch(const TEntryTable &Table, const TTextMatcher &Matcher,
                           TEntryFields Fields, std::function<bool(int)> Shown, int ParallelFrom)
    : FTable(Table), FMatcher(Matcher), FFields(Fields), FShown(std::move(Shown)),
      FParallelFrom(ParallelFrom) {}

const QString &TEntrySearch::Value(int Position, TEntryField Field) const {
  switch (Field) {
  case efName:
    return FTable.Name(Position);
  case efSource:
    return FTable.SourceValue(Position);
  case efDisplay:
    return FTable.DisplayValue(Position);
  case efTranslated:
    break;
  }
  return FTable.TranslatedValue(Position);
}

TEntryHit TEntrySearch::Match(int Position) const {
  TEntryHit Hit;
  if (!FTable.IsEntry(Position) || (FShown && !FShown(Position)))
    return Hit;
  for (const TEntryField Field : {efName, efSource, efDisplay, efTranslated}) {
    if (!FFields.testFlag(Field))
      continue;
    if (const TTextMatch M = FMatcher.Find(Value(Position, Field)); M.Found()) {
      Hit.Position = Position;
      Hit.Field = Field;
      Hit.Match = M;
      return Hit;
    }
  }
  return Hit;
}

TEntryHit TEntrySearch::Find(int From, bool Backward) const {
  const int N = FTable.Count();
  if (N == 0 || !FMatcher.IsValid() || FMatcher.Pattern().isEmpty())
    return {};
  const int Start = std::clamp(From, -1, N);
  // Step S (1..N) of the search visits this position.
  const auto PositionAt = [&](int S) {
    const int P = Backward ? Start - S : Start + S;
    return ((P % N) + N) % N;
  };
  // The earliest step with a hit; the steps are shared out in contiguous
  // runs, each run stopping at its first hit or once an earlier step has
  // one. Large documents search on two threads: the values lie scattered in
  // memory and one thread waits on it most of the time.
  std::atomic<int> Earliest{N + 1};
  const auto SearchSteps = [&](int First, int Last) {
    for (int S = First; S <= Last && S < Earliest.load(std::memory_order_relaxed); ++S)
      if (Match(PositionAt(S)).Found()) {
        int Seen = Earliest.load();
        while (S < Seen && !Earliest.compare_exchange_weak(Seen, S)) {
        }
        return;
      }
  };
  if (N < FParallelFrom || N < 2) {
    SearchSteps(1, N);
  } else {
    const int Half = N / 2;
    std::thread Second(SearchSteps, Half + 1, N);
    SearchSteps(1, Half);
    Second.join();
  }
  const int S = Earliest.load();
  if (S > N)
    return {};
  TEntryHit Hit = Match(PositionAt(S));
  const int P = Backward ? Start - S : Start + S;
  Hit.Wrapped = P < 0 || P >= N;
  return Hit;
}

std::vector<std::pair<int, QString>> TEntrySearch::ReplaceAll(const QString &Replacement) const {
  std::vector<std::pair<int, QString>> Values;
  if (!FMatcher.IsValid() || FMatcher.Pattern().isEmpty())
    return Values;
  for (int P = 0; P < FTable.Count(); ++P) {
    if (!FTable.IsEditable(P) || (FShown && !FShown(P)))
      continue;
    QString Value = FTable.TranslatedValue(P);
    if (FMatcher.ReplaceAll(Value, Replacement) > 0 && Value != FTable.TranslatedValue(P))
      Values.emplace_back(P, std::move(Value));
  }
  return Values;
}
