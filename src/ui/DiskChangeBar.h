#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// The bar above the grid that says a file of the open document was changed
// on disk and offers what can be done: Reload and Ignore, or, with unsaved
// changes, Reload (losing them), Keep Mine and Compare. It never takes the
// focus by itself; Escape in it is Ignore / Keep Mine.
class TDiskChangeBar : public QFrame {
  Q_OBJECT

public:
  explicit TDiskChangeBar(QWidget *Parent = nullptr);
  void ShowChange(const QString &Message, bool Unsaved);

Q_SIGNALS:
  void ReloadChosen();
  // Ignore, or Keep Mine.
  void KeepChosen();
  // The bar stays: the comparison may end without a choice.
  void CompareChosen();

protected:
  void keyPressEvent(QKeyEvent *Event) override;

private:
  QLabel *FMessage;
  QPushButton *FReload;
  QPushButton *FKeep;
  QPushButton *FCompare;
};
