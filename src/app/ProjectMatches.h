#pragma once

#include "MemoryUnit.h"

#include <QString>
#include <vector>

class TTranslationDocument;

// The translations an open document already holds for the source text of one
// of its entries: those of its other entries with the same source text,
// translated by hand (not untranslated, not translated automatically). The
// entries are indexed by source text on the first Find; source texts do not
// change while a document is open.
class TProjectMatches {
public:
  // Forgets the index. REQUIRES: called whenever the document is opened,
  // reloaded or closed.
  void Reset();
  // Up to MaxCount different translations, in entry order, as exact matches
  // whose units name the document's translation file and the entry.
  // REQUIRES: an open document, Position an entry.
  std::vector<TMemoryMatch> Find(TTranslationDocument &Doc, int Position, int MaxCount);

private:
  // The entries chained by a hash of their source text: FHeads names the
  // last entry of each bucket's chain, FNext the one before each entry, -1
  // ends a chain. Two arrays of integers, built in one pass: a million
  // entries take tens of milliseconds and a few megabytes. No heads: not
  // indexed yet.
  std::vector<int> FHeads;
  std::vector<int> FNext;
};
