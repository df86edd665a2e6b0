#include "Pretranslation.h"

#include "DocumentMemory.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"

#include <QHash>
#include <vector>

TPretranslationCounts Pretranslate(TTranslationDocument &Doc, TTranslationMemory *Memory,
                                   double MinSimilarity, const QString &Action,
                                   const TPretranslationProgress &Progress) {
  const TEntryTable &Table = Doc.Entries();
  const QString SourceLang = MemorySourceLang(Doc.Languages());
  const QString TargetLang = MemoryTargetLang(Doc.Languages());
  const bool bMemory = Memory && !TargetLang.isEmpty();

  // Known translations by source text; an empty value marks a text found
  // in neither place, so that it is looked up once.
  QHash<QString, QString> Known;
  std::vector<int> Untranslated;
  for (int P = 0; P < Table.Count(); ++P) {
    if (!Table.IsEditable(P))
      continue;
    const TZrLang_TranslationStates States = Table.States(P);
    if (States.Contains(zrtsUntranslated))
      Untranslated.push_back(P);
    else if (!States.Contains(zrtsAutotranslated) && !Table.SourceValue(P).isEmpty() &&
             !Table.TranslatedValue(P).isEmpty())
      Known.insert(Table.SourceValue(P), Table.TranslatedValue(P));
  }

  TPretranslationCounts Counts;
  std::vector<std::pair<int, QString>> Values;
  // Often enough for a progress bar, seldom enough to cost nothing.
  constexpr size_t ProgressStep = 32;
  const int Total = int(Untranslated.size());
  for (size_t I = 0; I < Untranslated.size(); ++I) {
    if (Progress && I % ProgressStep == 0 && !Progress(int(I), Total)) {
      TPretranslationCounts Cancelled;
      Cancelled.bCancelled = true;
      return Cancelled;
    }
    const int P = Untranslated[I];
    const QString &Source = Table.SourceValue(P);
    if (Source.isEmpty())
      continue;
    auto It = Known.find(Source);
    if (It == Known.end()) {
      QString Found;
      if (bMemory)
        Found = Memory->FindExact(SourceLang, TargetLang, Source).value_or(QString());
      It = Known.insert(Source, Found);
    }
    if (!It->isEmpty()) {
      Values.emplace_back(P, *It);
      ++Counts.Exact;
      continue;
    }
    if (!bMemory || MinSimilarity >= 1.0)
      continue;
    const std::vector<TMemoryMatch> Matches =
        Memory->Lookup(SourceLang, TargetLang, Source, 1, MinSimilarity);
    if (!Matches.empty()) {
      Values.emplace_back(P, Matches.front().Unit.Target);
      ++Counts.Fuzzy;
    }
  }
  if (Values.empty())
    return Counts;
  std::vector<int> Positions;
  Positions.reserve(Values.size());
  for (const auto &V : Values)
    Positions.push_back(V.first);
  Doc.SetValuesForReview(std::move(Values), std::move(Positions), Action);
  return Counts;
}
