#include "DocumentChecks.h"

#include "TranslationDocument.h"

std::vector<TEntryProblem> CheckDocumentEntries(TTranslationDocument &Doc,
                                                TTranslationCheckSet Checks,
                                                TSpellChecker *Speller) {
  const TEntryTable &Entries = Doc.Entries();
  const quint16 LangID = Doc.Languages().LangIDTranslation;
  std::vector<TEntryProblem> Result;
  std::vector<TCheckProblem> Problems;
  for (int P = 0; P < Entries.Count(); ++P) {
    if (!Entries.IsEditable(P) || Entries.States(P).Contains(zrtsUntranslated))
      continue;
    RunTranslationChecks(Checks, Entries.SourceValue(P), Entries.TranslatedValue(P), LangID,
                         Problems, Speller);
    Doc.DropIgnoredProblems(P, Problems);
    for (TCheckProblem &Problem : Problems)
      Result.push_back({P, std::move(Problem)});
    Problems.clear();
  }
  return Result;
}
