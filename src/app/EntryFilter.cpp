#include "EntryFilter.h"

#include "DocumentProblems.h"
#include "EntryTable.h"
#include "TranslationDocument.h"

TEntryFilterMatcher::TEntryFilterMatcher(const TEntryFilter &Filter, TTranslationDocument &Document,
                                         const TDocumentProblems *Problems)
    : FDocument(Document), FTable(Document.Entries()), FProblems(Problems), FState(Filter.State),
      FHasText(!Filter.Text.isEmpty()), FText(Filter.Text, Qt::CaseInsensitive) {}

bool TEntryFilterMatcher::Matches(int Position) const {
  return StateMatches(Position) && (!FHasText || TextMatches(Position));
}

bool TEntryFilterMatcher::StateMatches(int Position) const {
  switch (FState) {
  case esfAll:
    return true;
  case esfUntranslated:
    return FTable.States(Position).Contains(zrtsUntranslated);
  case esfTranslated:
    return !FTable.States(Position).Contains(zrtsUntranslated);
  case esfChanged:
    return FDocument.ChangedInSession(Position);
  case esfProblems:
    return FProblems && FProblems->HasProblem(Position);
  }
  return false;
}

// The display value falls back to the source value; it is searched once.
bool TEntryFilterMatcher::TextMatches(int Position) const {
  const auto Has = [this](const QString &Value) { return FText.indexIn(Value) >= 0; };
  if (Has(FTable.Name(Position)) || Has(FTable.SourceValue(Position)) ||
      Has(FTable.TranslatedValue(Position)))
    return true;
  return FTable.Node(Position).Data.Display && Has(FTable.DisplayValue(Position));
}
