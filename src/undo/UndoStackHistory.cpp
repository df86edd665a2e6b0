#include "UndoStackHistory.h"

#include "EntryEditCommand.h"

#include <QSignalBlocker>

TUndoStackHistory::TUndoStackHistory() {
  QObject::connect(&FStack, &QUndoStack::cleanChanged, &FStack, [this] { CleanChanged(); });
}

TUndoStackHistory::~TUndoStackHistory() {
  FStack.blockSignals(true);
  FStack.clear();
}

void TUndoStackHistory::Push(std::unique_ptr<TEntryEdit> Edit) {
  FStack.push(new TEntryEditCommand(std::move(Edit)));
}

void TUndoStackHistory::SetClean() {
  const QSignalBlocker Blocker(FStack);
  FStack.setClean();
}
