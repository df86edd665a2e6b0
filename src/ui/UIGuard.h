#pragma once

#include <QString>

#include <exception>

class QWidget;

// Every user action runs inside this guard: an exception never crosses the
// event loop, its message is shown in an error box (through the framework's
// message handler, which tests may replace) and the program carries on.
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
  // The text an error box shows for E: the library's or the framework's own
  // message, else what() read as UTF-8.
  static QString ErrorText(const std::exception &E);
  // Shows the framework's messages in message boxes over the active window.
  static void InstallMessageBoxes();
};
