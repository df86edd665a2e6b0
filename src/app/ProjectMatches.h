#pragma once

#include "MemoryUnit.h"

#include <QString>
#include <future>
#include <vector>

class TEntryTable;
class TTranslationDocument;

// The translations an open document already holds for the source text of one
// of its entries: those of its other entries with the same source text,
// translated by hand (not untranslated, not translated automatically). The
// entries are indexed by source text, on a worker thread from Prepare or on
// the first Find; source texts do not change while a document is open.
class TProjectMatches {
public:
  ~TProjectMatches() { Reset(); }
  // Forgets the index, waiting for a worker still building it. REQUIRES:
  // called whenever the document is opened, reloaded or closed, before its
  // records go.
  void Reset();
  // Starts indexing Table's entries on a worker thread, which reads only
  // their source records. REQUIRES: Table and its records outlive the next
  // Reset.
  void Prepare(const TEntryTable &Table);
  // Up to MaxCount different translations, in entry order, as exact matches
  // whose units name the document's translation file and the entry.
  // REQUIRES: an open document, Position an entry.
  std::vector<TMemoryMatch> Find(TTranslationDocument &Doc, int Position, int MaxCount);

private:
  // The entries chained by a hash of their source text: Heads names the
  // last entry of each bucket's chain, Next the one before each entry, -1
  // ends a chain. Two arrays of integers, built in one pass: a million
  // entries take tens of milliseconds and a few megabytes.
  struct TIndex {
    std::vector<int> Heads;
    std::vector<int> Next;
  };
  static TIndex Build(const TEntryTable &Table);

  std::future<TIndex> FPending;
  TIndex FIndex;
  bool FIndexed = false;
};
