#pragma once

#include <QStyledItemDelegate>

class QTreeView;
class TSpellingSession;

// Paints and edits the cells of the entry grid (a QTreeView over a
// TEntryTreeModel): row colours and bold text come from the model's roles;
// the delegate adds the grid lines, the child count after the name of
// top-level rows, tooltips for cut-off texts, and the in-place editor, a
// QLineEdit holding the one-line form of the translated value (with the
// spelling of a session once SetSpelling gave one).
//
// An editor opens only on the translated value of a property or constant row
// (the model makes that column every entry cell's buddy) and only while at
// most one row is selected. Enter without modifiers on the grid opens it on
// the current row; a text is stored only when it was changed in the editor.
class TEntryTreeDelegate : public QStyledItemDelegate {
  Q_OBJECT

public:
  explicit TEntryTreeDelegate(QObject *Parent = nullptr);

  // Sets up View as the entry grid: this delegate (owned by View) for all
  // cells, Enter to edit, uniform row heights, full-row extended selection,
  // editing by F2 and by a click on the selected row, focus shown on the
  // whole row. Returns the delegate.
  static TEntryTreeDelegate *Install(QTreeView &View);

  // The minimum row height in device-independent pixels at 96 pixels per
  // inch; 20 by default. It is scaled by the view's logical resolution.
  void SetRowHeight(int Pixels) { FRowHeight = Pixels; }
  int RowHeight() const { return FRowHeight; }
  // Editors opened from now on check spelling with Spelling (none: they do
  // not), which must outlive them.
  void SetSpelling(TSpellingSession *Spelling) { FSpelling = Spelling; }

  void paint(QPainter *Painter, const QStyleOptionViewItem &Option,
             const QModelIndex &Index) const override;
  QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override;
  QWidget *createEditor(QWidget *Parent, const QStyleOptionViewItem &Option,
                        const QModelIndex &Index) const override;
  void setEditorData(QWidget *Editor, const QModelIndex &Index) const override;
  void setModelData(QWidget *Editor, QAbstractItemModel *Model,
                    const QModelIndex &Index) const override;
  bool helpEvent(QHelpEvent *Event, QAbstractItemView *View, const QStyleOptionViewItem &Option,
                 const QModelIndex &Index) override;

protected:
  bool eventFilter(QObject *Object, QEvent *Event) override;

private:
  int FRowHeight = 20;
  TSpellingSession *FSpelling = nullptr;
};
