#pragma once

#include "ExchangeFile.h"

#include <QHash>
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

// The entries of an open document by their keys in one format, as
// ExchangeCatalogOf makes them. Making it takes a noticeable time on a large
// document, so a caller may make it while the file is still being read.
// REQUIRES: the document stays open with the same entries while it is used.
class TExchangeIndex {
public:
  TExchangeIndex(TTranslationDocument &Doc, TExchangeFormat Format);
  TExchangeFormat Format() const { return FFormat; }
  // The position of the entry Key names; -1 for none.
  int Find(const QString &Key) const { return Key.isEmpty() ? -1 : FPositions.value(Key, -1); }

private:
  TExchangeFormat FFormat;
  QHash<QString, int> FPositions;
};

// Stores the translations of Read's units in the entries of Doc whose keys
// they carry: a translated unit's target as a translated value, one that
// needs review as an automatically translated value. Untranslated units
// change nothing, nor does anything else in the translation. The change is
// one undo step named Action (none when nothing changes); the last unit of a
// key decides. REQUIRES: Index made from Doc.
TExchangeImportReport ImportExchangeUnits(TTranslationDocument &Doc, const TExchangeIndex &Index,
                                          const TExchangeCatalog &Read, const QString &Action);
// The same with an index made for the call. REQUIRES: an open document.
TExchangeImportReport ImportExchangeUnits(TTranslationDocument &Doc, TExchangeFormat Format,
                                          const TExchangeCatalog &Read, const QString &Action);
