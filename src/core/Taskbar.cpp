#include "Taskbar.h"

// Taskbar progress and jump lists exist on Windows only; this build has
// neither, and callers skip them.

std::unique_ptr<ITaskbarProgressIndicator> CreateTaskbarProgressIndicator(QWidget &) {
  return nullptr;
}

std::unique_ptr<ITaskbarJumpList> CreateTaskbarJumpList(QWidget &) {
  return nullptr;
}
