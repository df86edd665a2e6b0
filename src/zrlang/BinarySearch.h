#pragma once

// Binary search over positions 0..Count-1 of a sorted list with the probe
// (lo + hi) div 2. CompareAt(I) compares the item at I with the wanted key
// (<0: the item sorts first). On a hit Index is the position found, on a
// miss the position at which the key would be inserted.
template <typename F> bool ZrLang_BinarySearch(int Count, F &&CompareAt, int &Index) {
  int Lo = 0;
  int Hi = Count - 1;
  while (Lo <= Hi) {
    const int Mid = (Lo + Hi) / 2;
    const int C = CompareAt(Mid);
    if (C < 0)
      Lo = Mid + 1;
    else if (C > 0)
      Hi = Mid - 1;
    else {
      Index = Mid;
      return true;
    }
  }
  Index = Lo;
  return false;
}
