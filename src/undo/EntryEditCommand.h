#pragma once

#include "EntryEdit.h"

#include <QUndoCommand>
#include <memory>

// An edit as a step of an undo stack.
class TEntryEditCommand : public QUndoCommand {
public:
  explicit TEntryEditCommand(std::unique_ptr<TEntryEdit> Edit);

  void undo() override;
  void redo() override;
  int id() const override;
  bool mergeWith(const QUndoCommand *Other) override;

private:
  std::unique_ptr<TEntryEdit> FEdit;
};
