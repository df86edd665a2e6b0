#pragma once

#include <QString>
#include <exception>
#include <functional>

class QWidget;

// Every user action runs inside this guard: an exception never crosses the
// event loop, its message is shown in an error box and the program carries on.
class TUIGuard {
public:
  template <typename F> static bool Run(QWidget *Parent, F &&Action) {
    try {
      Action();
      return true;
    } catch (const std::exception &E) {
      ShowError(Parent, E);
    }
    return false;
  }

  static void ShowError(QWidget *Parent, const std::exception &E);
  // Replaces the error box, for tests; an empty function restores it.
  using TErrorSink = std::function<void(const QString &Message)>;
  static void SetErrorSink(TErrorSink Sink);
};
