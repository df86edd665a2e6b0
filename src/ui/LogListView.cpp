#include "LogListView.h"

#include "LogLinesModel.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

// Every row as wide as the longest line, so the list scrolls sideways to
// the end of any line: with uniform item sizes the view asks only once.
class TLongestLineDelegate : public QStyledItemDelegate {
public:
  TLongestLineDelegate(const TLogLinesModel &Lines, QObject *Parent)
      : QStyledItemDelegate(Parent), FLines(Lines) {}

  QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override {
    const int Longest = FLines.LongestLine();
    return QStyledItemDelegate::sizeHint(Option,
                                         Longest >= 0 ? Index.siblingAtRow(Longest) : Index);
  }

private:
  const TLogLinesModel &FLines;
};

} // namespace

TLogListView::TLogListView(QWidget *Parent) : QListView(Parent), FLines(new TLogLinesModel(this)) {
  setModel(FLines);
  setItemDelegate(new TLongestLineDelegate(*FLines, this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTextElideMode(Qt::ElideNone);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void TLogListView::SetText(QString Text) {
  FLines->SetText(std::move(Text));
  if (FLines->LineCount() > 0)
    selectionModel()->setCurrentIndex(FLines->index(0), QItemSelectionModel::NoUpdate);
}

const QString &TLogListView::Text() const {
  return FLines->Text();
}

QStringList TLogListView::SelectedLines() const {
  // Ranges rather than indexes: a selection of all lines is one range.
  std::vector<int> Rows;
  for (const QItemSelectionRange &Range : selectionModel()->selection())
    for (int Row = Range.top(); Row <= Range.bottom(); ++Row)
      Rows.push_back(Row);
  std::sort(Rows.begin(), Rows.end());
  Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
  QStringList Lines;
  Lines.reserve(qsizetype(Rows.size()));
  for (const int Row : Rows)
    Lines.append(FLines->Line(Row).toString());
  return Lines;
}

void TLogListView::CopySelection() const {
  const QStringList Lines = SelectedLines();
  if (!Lines.isEmpty())
    QApplication::clipboard()->setText(Lines.join(u'\n'));
}

void TLogListView::keyPressEvent(QKeyEvent *Event) {
  if (Event == QKeySequence::Copy) {
    CopySelection();
    Event->accept();
    return;
  }
  QListView::keyPressEvent(Event);
}
