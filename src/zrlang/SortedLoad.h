#pragma once

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

// Builds a sorted list from records in reading order in n log n time, whatever
// their order: records are appended with the number of the line they came
// from, sorted once, and the first line that repeats an earlier key is found
// afterwards. Inserting each record at its place instead costs a move of the
// list's tail per record, which is quadratic for descending input.
template <typename T> class TZrLang_SortedLoad {
public:
  void Append(int Line, std::unique_ptr<T> Item) {
    FRecords.push_back({Line, std::move(Item)});
  }
  bool IsEmpty() const { return FRecords.empty(); }

  // Sorts by Compare (three-way: <0 when A sorts first), keeping records of
  // one key in reading order. Returns the record that first (by line) repeats
  // an earlier record's key with its line in Line, or null with INT_MAX.
  template <typename C> const T *Sort(C &&Compare, int &Line) {
    const auto Less = [&](const TRecord &A, const TRecord &B) {
      return Compare(*A.Item, *B.Item) < 0;
    };
    // Files are mostly written in order already; checking costs one pass.
    if (!std::is_sorted(FRecords.begin(), FRecords.end(), Less))
      std::stable_sort(FRecords.begin(), FRecords.end(), Less);
    const T *First = nullptr;
    Line = INT_MAX;
    for (size_t I = 1; I < FRecords.size(); ++I)
      if (FRecords[I].Line < Line && Compare(*FRecords[I - 1].Item, *FRecords[I].Item) == 0) {
        First = FRecords[I].Item.get();
        Line = FRecords[I].Line;
      }
    return First;
  }

  // The records read before line Limit, in their present order; the load is
  // empty afterwards.
  std::vector<std::unique_ptr<T>> TakeBefore(int Limit) {
    std::vector<std::unique_ptr<T>> Items;
    Items.reserve(FRecords.size());
    for (TRecord &R : FRecords)
      if (R.Line < Limit)
        Items.push_back(std::move(R.Item));
    FRecords.clear();
    return Items;
  }

private:
  struct TRecord {
    int Line;
    std::unique_ptr<T> Item;
  };
  std::vector<TRecord> FRecords;
};
