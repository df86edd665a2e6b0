#include "EditsWithoutUndo.h"

#include "EntryEdit.h"

void TEditsWithoutUndo::Push(std::unique_ptr<TEntryEdit> Edit) {
  Edit->Redo();
  SetCleanAndTell(false);
}

void TEditsWithoutUndo::Clear() {
  SetCleanAndTell(true);
}

void TEditsWithoutUndo::SetCleanAndTell(bool Clean) {
  if (Clean == FClean)
    return;
  FClean = Clean;
  CleanChanged();
}
