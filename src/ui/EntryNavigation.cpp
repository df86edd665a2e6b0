#include "EntryNavigation.h"

#include "EntryTreeModel.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

QModelIndex NextEntryItem(const TEntryTreeModel &Model, const QModelIndex &Focused) {
  const int Position = Model.TreeOrderPosition(Focused);
  const int Next = Model.NextVisiblePosition(Position);
  return Model.IndexAtTreeOrder(Next >= 0 ? Next : Model.NextVisiblePosition(-1));
}

QModelIndex PreviousEntryItem(const TEntryTreeModel &Model, const QModelIndex &Focused) {
  const int Position = Model.TreeOrderPosition(Focused);
  const int End = Model.TreeOrderCount();
  const int Previous = Position < 0 ? -1 : Model.PreviousVisiblePosition(Position);
  return Model.IndexAtTreeOrder(Previous >= 0 ? Previous : Model.PreviousVisiblePosition(End));
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
