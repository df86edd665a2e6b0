#pragma once

#include <iterator>
#include <memory>
#include <vector>

// One-pass operations on the sorted lists of owned records, so that removing
// or adding many records costs one move of the list, not one per record.

// Deletes the records for which Pred(record) is true, keeping the others in
// order. Pred sees every record once, in list order. Returns how many were
// deleted.
template <typename T, typename F>
int ZrLang_DeleteRecordsIf(std::vector<std::unique_ptr<T>> &Items, F &Pred) {
  size_t Kept = 0;
  for (size_t I = 0; I < Items.size(); ++I) {
    if (Pred(*Items[I]))
      continue;
    if (Kept != I)
      Items[Kept] = std::move(Items[I]);
    ++Kept;
  }
  const int Deleted = int(Items.size() - Kept);
  Items.resize(Kept);
  return Deleted;
}

// Merges Added into Items; both are sorted by Compare (three-way: <0 when A
// sorts first). Returns the first record of Added whose key is present or
// repeated, with nothing changed, or null once the records are merged.
template <typename T, typename C>
const T *ZrLang_MergeRecords(std::vector<std::unique_ptr<T>> &Items,
                             std::vector<std::unique_ptr<T>> &Added, C &&Compare) {
  if (Added.empty())
    return nullptr;
  // First check, then move, so that a refused merge leaves both lists whole.
  for (size_t I = 0, J = 0; J < Added.size(); ++J) {
    if (J > 0 && Compare(*Added[J - 1], *Added[J]) >= 0)
      return Added[J].get();
    while (I < Items.size() && Compare(*Items[I], *Added[J]) < 0)
      ++I;
    if (I < Items.size() && Compare(*Items[I], *Added[J]) == 0)
      return Added[J].get();
  }
  // Loading fills empty lists, and additions often all sort last.
  if (Items.empty()) {
    Items = std::move(Added);
    Added.clear();
    return nullptr;
  }
  if (Compare(*Items.back(), *Added.front()) < 0) {
    Items.insert(Items.end(), std::make_move_iterator(Added.begin()),
                 std::make_move_iterator(Added.end()));
    Added.clear();
    return nullptr;
  }
  std::vector<std::unique_ptr<T>> Merged;
  Merged.reserve(Items.size() + Added.size());
  size_t I = 0, J = 0;
  while (I < Items.size() || J < Added.size())
    if (I == Items.size() || (J < Added.size() && Compare(*Added[J], *Items[I]) < 0))
      Merged.push_back(std::move(Added[J++]));
    else
      Merged.push_back(std::move(Items[I++]));
  Items = std::move(Merged);
  Added.clear();
  return nullptr;
}
