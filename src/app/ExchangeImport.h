#pragma once

#include "ExchangeFile.h"

#include <QStringList>

class TTranslationDocument;

// What an import took from a file.
struct TExchangeImportReport {
  int Taken = 0;        // units whose translation went into entries
  int Untranslated = 0; // matched units without a translation, left alone
  // Units that match no entry, named by their keys (a unit without a key by
  // its quoted source text), in file order.
  QStringList Unmatched;
};

// Stores the translations of Read's units in the entries of Doc whose keys
// (ExchangeKey in Format, as ExchangeCatalogOf makes them) they carry: a
// translated unit's target as a translated value, one that needs review as
// an automatically translated value. Untranslated units change nothing, nor
// does anything else in the translation. The change is one undo step named
// Action (none when nothing changes); a key given twice takes its last unit.
// REQUIRES: an open document.
TExchangeImportReport ImportExchangeUnits(TTranslationDocument &Doc, TExchangeFormat Format,
                                          const TExchangeCatalog &Read, const QString &Action);
