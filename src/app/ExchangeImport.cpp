#include "ExchangeImport.h"

#include "TranslationDocument.h"

#include <QHash>
#include <QUndoStack>

TExchangeImportReport ImportExchangeUnits(TTranslationDocument &Doc, TExchangeFormat Format,
                                          const TExchangeCatalog &Read, const QString &Action) {
  const TExchangeCatalog Own = ExchangeCatalogOf(Doc);
  QHash<QString, int> Positions;
  Positions.reserve(qsizetype(Own.Units.size()));
  for (const TExchangeUnit &Unit : Own.Units)
    Positions.insert(ExchangeKey(Format, Unit), Unit.Position);

  TExchangeImportReport Report;
  // The last unit of a key decides that entry's value and state.
  QHash<int, const TExchangeUnit *> Chosen;
  Chosen.reserve(qsizetype(Read.Units.size()));
  for (const TExchangeUnit &Unit : Read.Units) {
    const QString &Key = ExchangeKey(Format, Unit);
    const auto Found = Key.isEmpty() ? Positions.cend() : Positions.constFind(Key);
    if (Found == Positions.cend()) {
      Report.Unmatched.append(Key.isEmpty() ? u'"' + Unit.Source + u'"' : Key);
      continue;
    }
    if (Unit.State == TExchangeState::Untranslated || !Unit.bHasTarget) {
      ++Report.Untranslated;
      Chosen.remove(*Found);
      continue;
    }
    ++Report.Taken;
    Chosen.insert(*Found, &Unit);
  }

  const TEntryTable &Table = Doc.Entries();
  std::vector<std::pair<int, QString>> Values;
  std::vector<int> Review;
  bool bChanges = false;
  Values.reserve(size_t(Chosen.size()));
  for (auto It = Chosen.cbegin(); It != Chosen.cend(); ++It) {
    const int P = It.key();
    QString Value = FromExchangeText(It.value()->Target);
    const bool bReview = It.value()->State == TExchangeState::NeedsReview;
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
  QUndoStack &Undo = Doc.UndoStack();
  Undo.beginMacro(Action);
  Doc.SetValues(std::move(Values), Action);
  Doc.ChangeStates(std::move(Review), {zrtsAutotranslated}, {}, Action);
  Undo.endMacro();
  return Report;
}
