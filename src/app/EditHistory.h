#pragma once

#include <functional>
#include <memory>

class TEntryEdit;

// Where a document's edits go, and whether the document is as it was last
// saved or opened ("clean"). A history that keeps the edits can take them
// back: the window's is an undo stack, of the undo library (TUndoStackHistory);
// one that keeps none is TEditsWithoutUndo. A history belongs to the one
// document that owns it, whose edits it holds.
class TEditHistory {
public:
  virtual ~TEditHistory() = default;

  // Does Edit (Redo) and keeps it as the newest step, when the history keeps
  // steps.
  virtual void Push(std::unique_ptr<TEntryEdit> Edit) = 0;
  // Forgets every step; the present state is then clean.
  virtual void Clear() = 0;
  virtual bool IsClean() const = 0;
  // The present state is the saved one. Tells nobody (see SetCleanChanged).
  virtual void SetClean() = 0;
  // Called whenever IsClean() changes, except through SetClean. None by
  // default.
  void SetCleanChanged(std::function<void()> CleanChanged) {
    FCleanChanged = std::move(CleanChanged);
  }

protected:
  void CleanChanged() {
    if (FCleanChanged)
      FCleanChanged();
  }

private:
  std::function<void()> FCleanChanged;
};
