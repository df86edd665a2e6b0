#pragma once

#include "LargeBuffer.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

// Builds sorted lists from records in reading order in n log n time, whatever
// their order: records are appended with the number of the line they came
// from, sorted once, and the first line that repeats an earlier key is found
// afterwards. Inserting each record at its place instead costs a move of the
// list's tail per record, which is quadratic for descending input.
//
// Records belong to numbered groups, one list each (the sections of a file);
// records of different groups never compare.
template <typename T> class TZrLang_SortedLoad {
public:
  // Room for about Count records, asked for once: growing a large list
  // touches twice its memory.
  void Reserve(size_t Count) {
    FRecords.reserve(Count);
    ZrLang_AdviseLargeBuffer(FRecords.data(), qsizetype(FRecords.capacity() * sizeof(TRecord)));
  }
  void Append(int Line, std::unique_ptr<T> Item, int Group = 0) {
    FRecords.push_back({Line, Group, std::move(Item)});
  }

  // Sorts by group, then by Compare (three-way: <0 when A sorts first),
  // keeping records of one key in reading order. Returns the record that
  // first (by line) repeats an earlier record's key in its group, with its
  // line in Line, or null with INT_MAX.
  template <typename C> const T *Sort(C &&Compare, int &Line) {
    const auto Order = [&](const TRecord &A, const TRecord &B) {
      return A.Group != B.Group ? (A.Group > B.Group) - (A.Group < B.Group)
                                : Compare(*A.Item, *B.Item);
    };
    const auto Less = [&](const TRecord &A, const TRecord &B) { return Order(A, B) < 0; };
    // Files are mostly written in order already; checking costs one pass.
    if (!std::is_sorted(FRecords.begin(), FRecords.end(), Less))
      std::stable_sort(FRecords.begin(), FRecords.end(), Less);
    const T *First = nullptr;
    Line = INT_MAX;
    for (size_t I = 1; I < FRecords.size(); ++I)
      if (FRecords[I].Line < Line && Order(FRecords[I - 1], FRecords[I]) == 0) {
        First = FRecords[I].Item.get();
        Line = FRecords[I].Line;
      }
    return First;
  }

  // Calls Take(Group, Items) with the records of each group read before line
  // Limit, in their present order; the load is empty afterwards.
  template <typename F> void TakeBefore(int Limit, F &&Take) {
    for (size_t Begin = 0, End; Begin < FRecords.size(); Begin = End) {
      // Each group's list is made at its size: grown record by record, the
      // lists of a large file leave behind the memory of all their smaller
      // sizes.
      size_t Count = 0;
      for (End = Begin; End < FRecords.size() && FRecords[End].Group == FRecords[Begin].Group; ++End)
        Count += FRecords[End].Line < Limit;
      if (Count == 0)
        continue;
      std::vector<std::unique_ptr<T>> Items;
      Items.reserve(Count);
      for (size_t I = Begin; I < End; ++I)
        if (FRecords[I].Line < Limit)
          Items.push_back(std::move(FRecords[I].Item));
      Take(FRecords[Begin].Group, std::move(Items));
    }
    FRecords.clear();
  }

private:
  struct TRecord {
    int Line;
    int Group;
    std::unique_ptr<T> Item;
  };
  std::vector<TRecord> FRecords;
};
