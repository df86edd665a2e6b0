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

// A modal progress window for one download, closed when the object goes.
// REQUIRES: UpdateHasGui().
class TUpdateProgressWindow {
public:
  explicit TUpdateProgressWindow(const QString &FileName);
  ~TUpdateProgressWindow();
  TUpdateProgressWindow(const TUpdateProgressWindow &) = delete;
  TUpdateProgressWindow &operator=(const TUpdateProgressWindow &) = delete;

  // Shows the bytes received so far (Total -1: unknown); false once the
  // user pressed Cancel.
  bool Update(qint64 Received, qint64 Total);

private:
  std::unique_ptr<QProgressDialog> FDialog;
};
