#include "EntryNavigation.h"

#include "EntryTreeModel.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

QModelIndex NextEntryItem(const TEntryTreeModel &Model, const QModelIndex &Focused) {
  const int Count = Model.TreeOrderCount();
  if (Count == 0)
    return QModelIndex();
  const int Position = Model.TreeOrderPosition(Focused);
  return Model.IndexAtTreeOrder(Position < 0 || Position + 1 == Count ? 0 : Position + 1);
}

QModelIndex PreviousEntryItem(const TEntryTreeModel &Model, const QModelIndex &Focused) {
  const int Count = Model.TreeOrderCount();
  if (Count == 0)
    return QModelIndex();
  const int Position = Model.TreeOrderPosition(Focused);
  return Model.IndexAtTreeOrder(Position <= 0 ? Count - 1 : Position - 1);
}

QModelIndex NextUntranslatedItem(const TEntryTreeModel &Model, const QModelIndex &Focused) {
  return Model.IndexAtTreeOrder(Model.NextUntranslatedPosition(Model.TreeOrderPosition(Focused)));
}

QModelIndex PreviousUntranslatedItem(const TEntryTreeModel &Model, const QModelIndex &Focused) {
  const int Position = Model.TreeOrderPosition(Focused);
  if (Position < 0)
    return QModelIndex();
  return Model.IndexAtTreeOrder(Model.PreviousUntranslatedPosition(Position));
}

void SelectEntryNode(QAbstractItemView &View, const QModelIndex &Node, bool Centre, bool Scroll) {
  if (!Node.isValid() || !View.selectionModel())
    return;
  const QModelIndex Row = Node.siblingAtColumn(0);
  View.selectionModel()->setCurrentIndex(Row, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
  if (Scroll)
    View.scrollTo(Row,
                  Centre ? QAbstractItemView::PositionAtCenter : QAbstractItemView::EnsureVisible);
}
