#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

// What the window shows while a long read or write of the document runs: the
// step under way, a bar of the steps done and, when the work can be stopped,
// a Cancel button. Hidden while idle.
class TProgressPanel : public QFrame {
  Q_OBJECT

public:
  explicit TProgressPanel(QWidget *Parent = nullptr);
  // Shows the panel with Steps steps to go; Cancel only when bCancellable.
  void Begin(int Steps, bool bCancellable);
  // Step Step (from 0) is under way: Text says which.
  void SetStep(int Step, const QString &Text);
  void End();

Q_SIGNALS:
  void CancelClicked();

private:
  QLabel *FText;
  QProgressBar *FBar;
  QPushButton *FCancel;
};
