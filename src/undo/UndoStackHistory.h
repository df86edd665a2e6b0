#pragma once

#include "EditHistory.h"

#include <QUndoStack>

// The window's history of a document's edits: every edit is a step of a
// QUndoStack, which the window's Undo and Redo drive.
class TUndoStackHistory : public TEditHistory {
public:
  TUndoStackHistory();
  // The steps go first, telling nobody: they refer to the document's entry
  // table, and whoever listens to the stack may be on its way out.
  ~TUndoStackHistory() override;

  void Push(std::unique_ptr<TEntryEdit> Edit) override;
  void Clear() override { FStack.clear(); }
  bool IsClean() const override { return FStack.isClean(); }
  void SetClean() override;

  // Lives as long as the history, that is as the document that owns it.
  QUndoStack &Stack() { return FStack; }

private:
  QUndoStack FStack;
};
