#pragma once

#include <QString>
#include <functional>

class TTranslationDocument;
class TTranslationMemory;

struct TPretranslationCounts {
  int Exact = 0; // filled with a translation of the same source text
  int Fuzzy = 0; // filled with that of a similar one
  bool bCancelled = false; // stopped by the progress: nothing changed
};

// Told the untranslated entries looked at so far and all there are; false
// stops the pre-translation.
using TPretranslationProgress = std::function<bool(int Done, int Total)>;

// Fills the document's untranslated entries from translations of the same
// source text: first those of the document's own translated entries, then
// the memory's (the most recent); with MinSimilarity below 1 an entry
// neither has a translation for takes the best fuzzy match of at least that
// similarity. Filled entries get zrtsAutotranslated, to be reviewed. One
// undo step named Action; nothing when nothing is filled. Memory may be null
// (the document's own translations only). Raises ETranslationMemoryError
// when the memory fails, before anything changed. Progress, when given, is
// told how far the look-ups are now and then; when it stops them nothing
// changes and the counts say so.
// REQUIRES: an open document.
TPretranslationCounts Pretranslate(TTranslationDocument &Doc, TTranslationMemory *Memory,
                                   double MinSimilarity, const QString &Action,
                                   const TPretranslationProgress &Progress = {});
