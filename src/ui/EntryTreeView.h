#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTreeView>

class TEntryTreeModel;
class TEntryTreeView;

// One column of the grid's header, as a language controller sees it: its
// caption is the "Text" property, read from and written to the model.
class TEntryTreeColumn : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
  TEntryTreeColumn(TEntryTreeView &View, int Column);
  QString Text() const;
  void SetText(const QString &Value);

private:
  TEntryTreeView &FView;
  int FColumn;
};

// The header of the grid with its columns, so that their captions are
// stored and translated as "Header.Columns[n].Text".
class TEntryTreeHeader : public QObject {
  Q_OBJECT
  Q_PROPERTY(QObjectList Columns READ Columns WRITE SetColumns)

public:
  explicit TEntryTreeHeader(TEntryTreeView &View);
  QObjectList Columns() const { return FColumns; }
  // The columns are fixed; assigning a list keeps them.
  void SetColumns(const QObjectList &) {}

private:
  QObjectList FColumns;
};

// The entry grid: a QTreeView over a TEntryTreeModel whose header captions
// are a published property, and whose component and constants rows carry
// their background colour into the indentation left of the first cell.
// Typing searches the names of all rows, collapsed ones included.
// REQUIRES: a TEntryTreeModel is set before the captions are read or written.
class TEntryTreeView : public QTreeView {
  Q_OBJECT
  Q_PROPERTY(QObject *Header READ HeaderObject WRITE SetHeaderObject)

public:
  explicit TEntryTreeView(QWidget *Parent = nullptr);

  TEntryTreeModel *EntryModel() const;
  QObject *HeaderObject() const { return FHeader; }
  // The header object is fixed; assigning one keeps it.
  void SetHeaderObject(QObject *) {}

  // Letters typed within the keyboard input interval extend the text; the
  // search goes on from the current row (a new text from the row after it)
  // in tree order with wrap-around, comparing the start of each name without
  // regard to case, and selects the first match.
  void keyboardSearch(const QString &Search) override;

  // Stores the text of an open in-place editor and closes it, as Enter does.
  void CommitOpenEditor();

protected:
  // The view's own copy of the current cell is left to the window's Copy
  // action, so nothing is copied where that action is disabled.
  void keyPressEvent(QKeyEvent *Event) override;
  void drawBranches(QPainter *Painter, const QRect &Rect, const QModelIndex &Index) const override;

private:
  TEntryTreeHeader *FHeader;
  QString FSearchText;
  QElapsedTimer FSearchTyped;
};
