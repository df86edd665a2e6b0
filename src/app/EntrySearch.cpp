#include "EntrySearch.h"

#include <algorithm>

TEntrySearch::TEntrySearch(const TEntryTable &Table, const TTextMatcher &Matcher,
                           TEntryFields Fields, std::function<bool(int)> Shown)
    : FTable(Table), FMatcher(Matcher), FFields(Fields), FShown(std::move(Shown)) {}

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
  for (int Step = 1; Step <= N; ++Step) {
    int P = Backward ? Start - Step : Start + Step;
    const bool Wrapped = P < 0 || P >= N;
    P = ((P % N) + N) % N;
    if (TEntryHit Hit = Match(P); Hit.Found()) {
      Hit.Wrapped = Wrapped;
      return Hit;
    }
  }
  return {};
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
