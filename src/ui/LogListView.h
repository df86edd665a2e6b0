#pragma once

#include <QListView>
#include <QStringList>

class TLogLinesModel;

// A read-only text shown as a list of its lines (see TLogLinesModel): it
// opens at once and scrolls smoothly however long the text is. Lines are
// selected as list rows; Ctrl+A selects all of them and Ctrl+C copies the
// selected ones, in their order, a line each.
class TLogListView : public QListView {
  Q_OBJECT

public:
  explicit TLogListView(QWidget *Parent = nullptr);

  void SetText(QString Text);
  const QString &Text() const;
  TLogLinesModel &Lines() const { return *FLines; }
  // The selected lines in the text's order.
  QStringList SelectedLines() const;
  // Puts the selected lines on the clipboard, separated by line breaks.
  void CopySelection() const;

protected:
  void keyPressEvent(QKeyEvent *Event) override;

private:
  TLogLinesModel *FLines;
};
