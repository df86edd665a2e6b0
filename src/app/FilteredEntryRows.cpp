#include "FilteredEntryRows.h"

#include "EntryTable.h"

#include <algorithm>

void TFilteredEntryRows::Clear() {
  std::vector<qint32>().swap(FShown);
  std::vector<qint32>().swap(FStarts);
  std::vector<qint32>().swap(FRowOf);
  FEntryCount = 0;
}

void TFilteredEntryRows::Build(const TEntryTable &Table, const std::function<bool(int)> &Matches) {
  Clear();
  FRowOf.assign(size_t(Table.Count()), -1);
  for (int Top = 0; Top < Table.TopLevelCount(); ++Top) {
    const qint32 Parent = Table.TopLevelPosition(Top);
    const qint32 End = Parent + 1 + Table.ChildCount(Parent);
    const size_t Start = FShown.size();
    FShown.push_back(Parent);
    qint32 Row = 0;
    for (qint32 P = Parent + 1; P < End; ++P)
      if (Matches(P)) {
        FRowOf[size_t(P)] = Row++;
        FShown.push_back(P);
      }
    if (Row == 0) {
      FShown.pop_back();
      continue;
    }
    FRowOf[size_t(Parent)] = qint32(FStarts.size());
    FStarts.push_back(qint32(Start));
    FEntryCount += Row;
  }
  FStarts.push_back(qint32(FShown.size()));
  FShown.shrink_to_fit();
}

int TFilteredEntryRows::NextPosition(int After) const {
  const auto It = std::upper_bound(FShown.begin(), FShown.end(), After);
  return It == FShown.end() ? -1 : *It;
}

int TFilteredEntryRows::PreviousPosition(int Before) const {
  const auto It = std::lower_bound(FShown.begin(), FShown.end(), Before);
  return It == FShown.begin() ? -1 : *(It - 1);
}
