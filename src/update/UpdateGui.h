#pragma once

#include <QString>

#include <memory>

class QProgressDialog;

// The component's windows; used only when the program has a GUI, so the
// component itself runs without one.

// True when the application object is a QApplication.
bool UpdateHasGui();

// A Yes/No question box (question icon); true for Yes.
// REQUIRES: UpdateHasGui().
bool AskUpdateQuestion(const QString &Question);

// A modal progress window with a Cancel button for one transfer, shown at
// once and closed when the object goes. The program's other windows take no
// input meanwhile.
// REQUIRES: UpdateHasGui().
class TUpdateProgressWindow {
public:
  explicit TUpdateProgressWindow(const QString &Label);
  ~TUpdateProgressWindow();
  TUpdateProgressWindow(const TUpdateProgressWindow &) = delete;
  TUpdateProgressWindow &operator=(const TUpdateProgressWindow &) = delete;

  // Shows the bytes received so far (Total -1: unknown); false once the
  // user pressed Cancel.
  bool Update(qint64 Received, qint64 Total);

private:
  std::unique_ptr<QProgressDialog> FDialog;
};
