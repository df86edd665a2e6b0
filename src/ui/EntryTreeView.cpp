#include "EntryTreeView.h"

#include "EntryNavigation.h"
#include "EntryTreeModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

TEntryTreeColumn::TEntryTreeColumn(TEntryTreeView &View, int Column)
    : QObject(nullptr), FView(View), FColumn(Column) {}

QString TEntryTreeColumn::Text() const {
  const TEntryTreeModel *Model = FView.EntryModel();
  return Model ? Model->ColumnCaption(FColumn) : QString();
}

void TEntryTreeColumn::SetText(const QString &Value) {
  if (TEntryTreeModel *Model = FView.EntryModel())
    Model->SetColumnCaption(FColumn, Value);
}

TEntryTreeHeader::TEntryTreeHeader(TEntryTreeView &View) : QObject(&View) {
  for (int Column = 0; Column < TEntryTreeModel::ecColumnCount; ++Column) {
    auto *Item = new TEntryTreeColumn(View, Column);
    Item->setParent(this);
    FColumns.append(Item);
  }
}

TEntryTreeView::TEntryTreeView(QWidget *Parent)
    : QTreeView(Parent), FHeader(new TEntryTreeHeader(*this)) {}

TEntryTreeModel *TEntryTreeView::EntryModel() const {
  return qobject_cast<TEntryTreeModel *>(model());
}

void TEntryTreeView::drawBranches(QPainter *Painter, const QRect &Rect,
                                  const QModelIndex &Index) const {
  const QVariant Background = Index.data(Qt::BackgroundRole);
  if (Background.canConvert<QBrush>() && !selectionModel()->isSelected(Index))
    Painter->fillRect(Rect, Background.value<QBrush>());
  QTreeView::drawBranches(Painter, Rect, Index);
}

void TEntryTreeView::keyboardSearch(const QString &Search) {
  TEntryTreeModel *Model = EntryModel();
  if (!Model || Search.isEmpty() || Model->TreeOrderCount() == 0)
    return;
  const bool Extending =
      FSearchTyped.isValid() && FSearchTyped.elapsed() < QApplication::keyboardInputInterval();
  FSearchText = Extending ? FSearchText + Search : Search;
  FSearchTyped.start();
  const int Count = Model->TreeOrderCount();
  const int Current = std::max(0, Model->TreeOrderPosition(currentIndex()));
  const int First = Extending ? Current : Current + 1;
  for (int I = 0; I < Count; ++I) {
    const QModelIndex Row = Model->IndexAtTreeOrder((First + I) % Count);
    if (Row.data().toString().startsWith(FSearchText, Qt::CaseInsensitive)) {
      SelectEntryNode(*this, Row, false, true);
      return;
    }
  }
}

void TEntryTreeView::CommitOpenEditor() {
  if (state() != EditingState)
    return;
  // The editor belongs to the current cell's buddy, the translated value.
  QWidget *Editor = indexWidget(model()->buddy(currentIndex()));
  if (!Editor)
    return;
  commitData(Editor);
  closeEditor(Editor, QAbstractItemDelegate::NoHint);
}

void TEntryTreeView::keyPressEvent(QKeyEvent *Event) {
  if (Event->matches(QKeySequence::Copy)) {
    Event->accept();
    return;
  }
  QTreeView::keyPressEvent(Event);
}
