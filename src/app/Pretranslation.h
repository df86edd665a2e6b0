#pragma once

#include <QString>

class TTranslationDocument;
class TTranslationMemory;

struct TPretranslationCounts {
  int Exact = 0; // filled with a translation of the same source text
  int Fuzzy = 0; // filled with that of a similar one
};

// Fills the document's untranslated entries from translations of the same
// source text: first those of the document's own translated entries, then
// the memory's (the most recent); with MinSimilarity below 1 an entry
// neither has a translation for takes the best fuzzy match of at least that
// similarity. Filled entries get zrtsAutotranslated, to be reviewed. One
// undo step named Action; nothing when nothing is filled. Memory may be null
// (the document's own translations only). Raises ETranslationMemoryError
// when the memory fails, before anything changed.
// REQUIRES: an open document.
TPretranslationCounts Pretranslate(TTranslationDocument &Doc, TTranslationMemory *Memory,
                                   double MinSimilarity, const QString &Action);
