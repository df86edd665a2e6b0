#pragma once

#include <QtGlobal>
#include <functional>
#include <vector>

class TEntryTable;

// The rows of an entry table that a filter shows: the entries it accepts,
// each with its top-level row (component or Constants); a top-level row
// without such an entry is left out. Built in one pass over the table; rows
// under a parent and positions map to each other in constant time.
//
// "Row" below is a row among the shown ones: a top-level row's number among
// the shown top-level rows, or an entry's number among the shown children of
// its parent.
class TFilteredEntryRows {
public:
  // Matches is asked once for each entry's position, in tree order.
  void Build(const TEntryTable &Table, const std::function<bool(int)> &Matches);
  // Drops all rows and gives their memory back.
  void Clear();

  // Rows shown, top-level rows included.
  int Count() const { return int(FShown.size()); }
  int EntryCount() const { return FEntryCount; }
  bool Contains(int Position) const { return RowOf(Position) >= 0; }
  // The position's row under its parent (or among the top-level rows), -1
  // when it is not shown.
  int RowOf(int Position) const {
    return Position >= 0 && size_t(Position) < FRowOf.size() ? FRowOf[size_t(Position)] : -1;
  }

  int TopLevelCount() const { return FStarts.empty() ? 0 : int(FStarts.size()) - 1; }
  // REQUIRES: 0 <= Row < TopLevelCount().
  int TopLevelPosition(int Row) const { return FShown[size_t(FStarts[size_t(Row)])]; }
  int ChildCount(int Row) const { return FStarts[size_t(Row) + 1] - FStarts[size_t(Row)] - 1; }
  // REQUIRES: 0 <= Child < ChildCount(Row).
  int ChildPosition(int Row, int Child) const {
    return FShown[size_t(FStarts[size_t(Row)] + 1 + Child)];
  }

  // The first shown position after After (After may be -1), or the last one
  // before Before (Before may be the table's count); -1 when there is none.
  int NextPosition(int After) const;
  int PreviousPosition(int Before) const;

private:
  // Shown positions in tree order (ascending).
  std::vector<qint32> FShown;
  // Index in FShown of each shown top-level row, plus FShown's size.
  std::vector<qint32> FStarts;
  // Per table position: its row, or -1.
  std::vector<qint32> FRowOf;
  int FEntryCount = 0;
};
