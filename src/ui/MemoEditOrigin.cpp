#include "MemoEditOrigin.h"

#include "EntryTreeModel.h"

void TMemoEditOrigin::Take(const TEntryTreeModel &Model, const QModelIndexList &Rows) {
  FEntries.clear();
  FEntries.reserve(size_t(Rows.size()));
  for (const QModelIndex &Row : Rows)
    FEntries.push_back({Row, Model.TranslatedValue(Row), Model.GetEntryStates(Row)});
  FTaken = true;
}

void TMemoEditOrigin::Restore(TEntryTreeModel &Model) const {
  // Storing a value clears the states; the recorded ones are added back.
  for (const TEntry &E : FEntries) {
    Model.SetEntriesValue({E.Row}, E.Value);
    Model.ChangeEntryStates({E.Row}, E.States, {});
  }
}

void TMemoEditOrigin::Reset(const QString &LoadedText) {
  FEntries.clear();
  FMemoText = LoadedText;
  FTaken = false;
}
