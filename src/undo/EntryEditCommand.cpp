#include "EntryEditCommand.h"

namespace {
// Every merging step shares one id; the merge key tells them apart.
constexpr int MergingCommandId = 1;
} // namespace

TEntryEditCommand::TEntryEditCommand(std::unique_ptr<TEntryEdit> Edit)
    : QUndoCommand(Edit->Action()), FEdit(std::move(Edit)) {}

void TEntryEditCommand::undo() {
  FEdit->Undo();
}

void TEntryEditCommand::redo() {
  FEdit->Redo();
}

int TEntryEditCommand::id() const {
  return FEdit->MergeKey() != 0 ? MergingCommandId : -1;
}

bool TEntryEditCommand::mergeWith(const QUndoCommand *Other) {
  const auto *Next = static_cast<const TEntryEditCommand *>(Other);
  switch (FEdit->Merge(*Next->FEdit)) {
  case TEntryEdit::TMerge::Kept:
    return false;
  case TEntryEdit::TMerge::Merged:
    return true;
  case TEntryEdit::TMerge::TypedBack:
    // The stack drops the step.
    setObsolete(true);
    return true;
  }
  return false;
}
