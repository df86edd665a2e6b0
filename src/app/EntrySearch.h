#pragma once

#include "EntryTable.h"
#include "TextMatcher.h"

#include <QFlags>
#include <functional>
#include <utility>
#include <vector>

// The texts of an entry that a search looks at.
enum TEntryField {
  efName = 1,
  efSource = 2,
  efDisplay = 4,
  efTranslated = 8,
};
Q_DECLARE_FLAGS(TEntryFields, TEntryField)
Q_DECLARE_OPERATORS_FOR_FLAGS(TEntryFields)

// Where a search stopped: the entry, the first of its fields that matched
// and the match in that field's raw value.
struct TEntryHit {
  int Position = -1;
  TEntryField Field = efName;
  TTextMatch Match;
  bool Wrapped = false; // the search went past the end (or the start)
  bool Found() const { return Position >= 0; }
};

// Searches of the entries of a table in tree order. Values are matched raw
// (real line breaks). Shown decides which positions take part (the rows a
// filter leaves); all do when it is empty.
class TEntrySearch {
public:
  // Tables of ParallelFrom rows or more are searched on two threads; Shown
  // must then be safe to call from another thread.
  TEntrySearch(const TEntryTable &Table, const TTextMatcher &Matcher, TEntryFields Fields,
               std::function<bool(int)> Shown = {}, int ParallelFrom = 1 << 16);

  // The next entry after From (or the previous one before it), wrapping
  // around once; From itself comes last. From may be -1.
  TEntryHit Find(int From, bool Backward) const;
  // Whether Position matches, and where.
  TEntryHit Match(int Position) const;
  // The translated values of every shown, editable entry with every match
  // replaced; only entries whose value changes are listed.
  std::vector<std::pair<int, QString>> ReplaceAll(const QString &Replacement) const;

private:
  const QString &Value(int Position, TEntryField Field) const;

  const TEntryTable &FTable;
  const TTextMatcher &FMatcher;
  TEntryFields FFields;
  std::function<bool(int)> FShown;
  int FParallelFrom;
};
