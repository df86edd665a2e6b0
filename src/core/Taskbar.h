#pragma once

#include <QtGlobal>
#include <memory>

class QWidget;

enum TTaskbarProgressState : quint8 {
  tpsNoProgress,
  tpsIndeterminate,
  tpsNormal,
  tpsError,
  tpsPaused,
};

// The progress shown on a window's taskbar button.
class ITaskbarProgressIndicator {
public:
  virtual ~ITaskbarProgressIndicator() = default;
  virtual void SetState(TTaskbarProgressState State) = 0;
  virtual void SetMaximum(int Maximum) = 0;
  virtual void SetPosition(int Position) = 0;
};

// The list of tasks and recent items on a program's taskbar button.
class ITaskbarJumpList {
public:
  virtual ~ITaskbarJumpList() = default;
  virtual void Commit() = 0;
};

// The platform's taskbar objects for a window; nullptr where the desktop has
// no taskbar buttons of this kind (everywhere but Windows).
std::unique_ptr<ITaskbarProgressIndicator> CreateTaskbarProgressIndicator(QWidget &Window);
std::unique_ptr<ITaskbarJumpList> CreateTaskbarJumpList(QWidget &Window);
