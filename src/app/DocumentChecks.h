#pragma once

#include "TranslationChecks.h"

#include <vector>

class TTranslationDocument;

// A problem of the entry at Position of a document's entry table.
struct TEntryProblem {
  int Position;
  TCheckProblem Problem;
};

// Runs Checks over every translated entry of an open document (an editable
// entry whose states lack zrtsUntranslated), against the translation's
// language (and with Speller for spelling), leaving out the problems the
// document ignores; problems in ascending position order, those of one entry
// in the order of TTranslationCheck.
std::vector<TEntryProblem> CheckDocumentEntries(TTranslationDocument &Doc,
                                                TTranslationCheckSet Checks,
                                                TSpellChecker *Speller = nullptr);
