#include "EntryNavigation.h"
#include "DocumentProblems.h"

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

QModelIndex ProblemItem(const TEntryTreeModel &Model, const TDocumentProblems &Problems,
                        const QModelIndex &Focused, bool Forward) {
  const int Count = Model.TreeOrderCount();
  if (Count == 0)
    return QModelIndex();
  const int Start = Model.TreeOrderPosition(Focused);
  // Without a focused row the search starts just before the first (or after
  // the last) row.
  int P = Start >= 0 ? Start : (Forward ? Count - 1 : 0);
  for (int Step = 0; Step < Count; ++Step) {
    P = Forward ? (P + 1) % Count : (P + Count - 1) % Count;
    if (Problems.HasProblem(P) && Model.IsPositionVisible(P))
      return Model.IndexAtTreeOrder(P);
  }
  return QModelIndex();
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
