#include "ExchangeImport.h"

#include "TranslationDocument.h"

#include <vector>

TExchangeIndex::TExchangeIndex(TTranslationDocument &Doc, TExchangeFormat Format)
    : FFormat(Format) {
  const TExchangeCatalog Own = ExchangeCatalogOf(Doc);
  FPositions.reserve(qsizetype(Own.Units.size()));
  for (const TExchangeUnit &Unit : Own.Units)
    FPositions.insert(ExchangeKey(Format, Unit), Unit.Position);
}

TExchangeImportReport ImportExchangeUnits(TTranslationDocument &Doc, TExchangeFormat Format,
                                          const TExchangeCatalog &Read, const QString &Action) {
  return ImportExchangeUnits(Doc, TExchangeIndex(Doc, Format), Read, Action);
}

TExchangeImportReport ImportExchangeUnits(TTranslationDocument &Doc, const TExchangeIndex &Index,
                                          const TExchangeCatalog &Read, const QString &Action) {
  const TEntryTable &Table = Doc.Entries();
  TExchangeImportReport Report;
  // The unit whose target each position takes, the last of its key.
  std::vector<const TExchangeUnit *> Chosen(size_t(Table.Count()), nullptr);
  for (const TExchangeUnit &Unit : Read.Units) {
    const QString &Key = ExchangeKey(Index.Format(), Unit);
    const int Found = Index.Find(Key);
    if (Found < 0) {
      Report.Unmatched.append(Key.isEmpty() ? u'"' + Unit.Source + u'"' : Key);
      continue;
    }
    const bool bTaken = Unit.State != TExchangeState::Untranslated && Unit.bHasTarget;
    ++(bTaken ? Report.Taken : Report.Untranslated);
    Chosen[size_t(Found)] = bTaken ? &Unit : nullptr;
  }

  std::vector<std::pair<int, QString>> Values;
  std::vector<int> Review;
  bool bChanges = false;
  Values.reserve(size_t(Report.Taken));
  for (int P = 0; P < Table.Count(); ++P) {
    const TExchangeUnit *Unit = Chosen[size_t(P)];
    if (!Unit)
      continue;
    QString Value = FromExchangeText(Unit->Target);
    const bool bReview = Unit->State == TExchangeState::NeedsReview;
    const TZrLang_TranslationStates Wanted =
        bReview ? TZrLang_TranslationStates{zrtsAutotranslated} : TZrLang_TranslationStates{};
    bChanges = bChanges || Table.States(P) != Wanted || Table.TranslatedValue(P) != Value ||
               (Table.Kind(P) == nkConstant && Table.TranslatedConstValue(P) != Value);
    if (bReview)
      Review.push_back(P);
    Values.emplace_back(P, std::move(Value));
  }
  if (!bChanges)
    return Report;
  Doc.SetValuesForReview(std::move(Values), std::move(Review), Action);
  return Report;
}
