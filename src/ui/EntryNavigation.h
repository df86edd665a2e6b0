#pragma once

#include <QModelIndex>

class QAbstractItemView;
class TDocumentProblems;
class TEntryTreeModel;

// Moving between the entry grid's rows in tree order (depth-first over all
// rows, expanded or not); rows a filter hides are passed by. All results are
// column-0 indexes of Model, or an invalid index for "nothing".

// The row after Focused; after the last row, the first row. Without a focused
// row, the first row.
QModelIndex NextEntryItem(const TEntryTreeModel &Model, const QModelIndex &Focused);
// The row before Focused; before the first row, the last row. Without a
// focused row, the last row.
QModelIndex PreviousEntryItem(const TEntryTreeModel &Model, const QModelIndex &Focused);

// The first row after Focused (from the first row when nothing is focused)
// whose states contain zrtsUntranslated or zrtsAutotranslated; nothing when
// there is none. No wrap-around.
QModelIndex NextUntranslatedItem(const TEntryTreeModel &Model, const QModelIndex &Focused);
// The nearest such row before Focused; nothing when there is none or nothing
// is focused. No wrap-around.
QModelIndex PreviousUntranslatedItem(const TEntryTreeModel &Model, const QModelIndex &Focused);

// The next (Forward) or previous shown row after or before Focused, wrapping
// around, whose entry has an error or a warning; Focused itself when it is the
// only one; nothing when there is none.
QModelIndex ProblemItem(const TEntryTreeModel &Model, const TDocumentProblems &Problems,
                        const QModelIndex &Focused, bool Forward);

// Makes Node the only selected row and the current one; with Scroll it is
// scrolled into view (its parent expanded when needed), centred with Centre.
// Does nothing for an invalid Node.
void SelectEntryNode(QAbstractItemView &View, const QModelIndex &Node, bool Centre, bool Scroll);
