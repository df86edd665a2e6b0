#pragma once

#include "TranslationDocument.h"
#include "UndoStackHistory.h"

#include <QUndoStack>
#include <memory>

// A document whose edits are steps of an undo stack, given to it as the
// window gives its own (TUIMainForm), and that stack.
class TUndoDocument : public TTranslationDocument {
public:
  TUndoDocument() : TUndoDocument(std::make_unique<TUndoStackHistory>()) {}

  QUndoStack &UndoStack() { return FUndoStack; }

private:
  // The stack is taken before the document takes the history.
  explicit TUndoDocument(std::unique_ptr<TUndoStackHistory> History)
      : TUndoDocument(History->Stack(), History) {}
  TUndoDocument(QUndoStack &Stack, std::unique_ptr<TUndoStackHistory> &History)
      : TTranslationDocument(std::move(History)), FUndoStack(Stack) {}

  QUndoStack &FUndoStack;
};
