#include "EntryTreeDelegate.h"

#include "EntryTreeModel.h"
#include "SpellingLineEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>
#include <QTreeView>
#include <algorithm>

namespace {

QStyle *StyleOf(const QStyleOptionViewItem &Option) {
  return Option.widget ? Option.widget->style() : QApplication::style();
}

// The rectangle the style gives the text of a cell, less the margins it keeps
// on either side of it.
QRect TextArea(const QStyleOptionViewItem &Option) {
  QStyle *Style = StyleOf(Option);
  const int Margin = Style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Option.widget) + 1;
  return Style->subElementRect(QStyle::SE_ItemViewItemText, &Option, Option.widget)
      .adjusted(Margin, 0, -Margin, 0);
}

QPalette::ColorGroup ColourGroup(const QStyleOptionViewItem &Option) {
  if (!(Option.state & QStyle::State_Enabled))
    return QPalette::Disabled;
  return (Option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

// True when more than one row of the view is selected; stops counting at two.
bool SeveralRowsSelected(const QAbstractItemView &View) {
  const QItemSelectionModel *Selection = View.selectionModel();
  if (!Selection)
    return false;
  QModelIndex First;
  for (const QItemSelectionRange &Range : Selection->selection()) {
    if (!Range.isValid())
      continue;
    if (Range.height() > 1)
      return true;
    const QModelIndex Row = QModelIndex(Range.topLeft()).siblingAtColumn(0);
    if (!First.isValid())
      First = Row;
    else if (Row != First)
      return true;
  }
  return false;
}

} // namespace

TEntryTreeDelegate::TEntryTreeDelegate(QObject *Parent) : QStyledItemDelegate(Parent) {}

TEntryTreeDelegate *TEntryTreeDelegate::Install(QTreeView &View) {
  auto *Delegate = new TEntryTreeDelegate(&View);
  View.setItemDelegate(Delegate);
  View.installEventFilter(Delegate);
  View.setUniformRowHeights(true);
  View.setSelectionBehavior(QAbstractItemView::SelectRows);
  View.setSelectionMode(QAbstractItemView::ExtendedSelection);
  View.setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  View.setAllColumnsShowFocus(true);
  View.setRootIsDecorated(true);
  return Delegate;
}

void TEntryTreeDelegate::paint(QPainter *Painter, const QStyleOptionViewItem &Option,
                               const QModelIndex &Index) const {
  QStyleOptionViewItem Opt(Option);
  initStyleOption(&Opt, Index);
  QStyle *Style = StyleOf(Opt);
  const QString StaticText = Index.data(TEntryTreeModel::StaticTextRole).toString();
  if (StaticText.isEmpty()) {
    Style->drawControl(QStyle::CE_ItemViewItem, &Opt, Painter, Opt.widget);
  } else {
    // The style draws the background, the icon and the focus; the name and
    // then the count in the normal weight are drawn here.
    const QRect Area = TextArea(Opt);
    const QString Text = Opt.text;
    Opt.text.clear();
    Style->drawControl(QStyle::CE_ItemViewItem, &Opt, Painter, Opt.widget);
    const QPalette::ColorGroup Group = ColourGroup(Opt);
    const bool Selected = Opt.state & QStyle::State_Selected;
    constexpr int Flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    Painter->save();
    Painter->setClipRect(Area);
    Painter->setFont(Opt.font);
    Painter->setPen(
        Opt.palette.color(Group, Selected ? QPalette::HighlightedText : QPalette::Text));
    const QFontMetrics NameMetrics(Opt.font);
    const QString Name = NameMetrics.elidedText(Text, Opt.textElideMode, Area.width());
    Painter->drawText(Area, Flags, Name);
    const QFontMetrics StaticMetrics(Option.font);
    const QRect Rest = Area.adjusted(
        NameMetrics.horizontalAdvance(Name) + StaticMetrics.horizontalAdvance(u' '), 0, 0, 0);
    if (Rest.width() > 0) {
      Painter->setFont(Option.font);
      Painter->setPen(
          Opt.palette.color(Group, Selected ? QPalette::HighlightedText : QPalette::WindowText));
      Painter->drawText(Rest, Flags,
                        StaticMetrics.elidedText(StaticText, Opt.textElideMode, Rest.width()));
    }
    Painter->restore();
  }

  // Grid lines below and to the right of every cell.
  Painter->save();
  Painter->setPen(
      QColor::fromRgba(QRgb(Style->styleHint(QStyle::SH_Table_GridLineColor, &Opt, Opt.widget))));
  const QRect R = Option.rect;
  Painter->drawLine(R.left(), R.bottom(), R.right(), R.bottom());
  Painter->drawLine(R.right(), R.top(), R.right(), R.bottom());
  Painter->restore();
}

QSize TEntryTreeDelegate::sizeHint(const QStyleOptionViewItem &Option,
                                   const QModelIndex &Index) const {
  QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
  const QString StaticText = Index.data(TEntryTreeModel::StaticTextRole).toString();
  if (!StaticText.isEmpty())
    Size.rwidth() += QFontMetrics(Option.font).horizontalAdvance(u' ' + StaticText);
  const int Dpi = Option.widget ? Option.widget->logicalDpiY() : 96;
  Size.setHeight(std::max(Size.height(), (FRowHeight * Dpi + 48) / 96));
  return Size;
}

QWidget *TEntryTreeDelegate::createEditor(QWidget *Parent, const QStyleOptionViewItem &Option,
                                          const QModelIndex &Index) const {
  const auto *Model = qobject_cast<const TEntryTreeModel *>(Index.model());
  if (!Model || Index.column() != TEntryTreeModel::ecTranslatedValue || !Model->IsEntry(Index))
    return nullptr;
  if (const auto *View = qobject_cast<const QAbstractItemView *>(Option.widget))
    if (SeveralRowsSelected(*View))
      return nullptr;
  auto *Editor = new TSpellingLineEdit(FSpelling, Parent);
  Editor->setFrame(false);
  return Editor;
}

void TEntryTreeDelegate::setEditorData(QWidget *Editor, const QModelIndex &Index) const {
  if (auto *Edit = qobject_cast<QLineEdit *>(Editor)) {
    // The view calls this again whenever the row's data changes (a problem
    // found, a word added to the dictionary); what the user typed stays.
    if (Edit->isModified())
      return;
    Edit->setText(Index.data(Qt::EditRole).toString());
    Edit->selectAll();
  } else {
    QStyledItemDelegate::setEditorData(Editor, Index);
  }
}

void TEntryTreeDelegate::setModelData(QWidget *Editor, QAbstractItemModel *Model,
                                      const QModelIndex &Index) const {
  auto *Edit = qobject_cast<QLineEdit *>(Editor);
  if (!Edit) {
    QStyledItemDelegate::setModelData(Editor, Model, Index);
    return;
  }
  // Closing an editor whose text was left alone is no edit: the entry keeps
  // its states and the document stays unmodified.
  if (Edit->isModified())
    Model->setData(Index, Edit->text(), Qt::EditRole);
}

bool TEntryTreeDelegate::helpEvent(QHelpEvent *Event, QAbstractItemView *View,
                                   const QStyleOptionViewItem &Option, const QModelIndex &Index) {
  if (Event->type() != QEvent::ToolTip || !View || !Index.isValid())
    return QStyledItemDelegate::helpEvent(Event, View, Option, Index);
  QStyleOptionViewItem Opt(Option);
  initStyleOption(&Opt, Index);
  const QString StaticText = Index.data(TEntryTreeModel::StaticTextRole).toString();
  int Width = QFontMetrics(Opt.font).horizontalAdvance(Opt.text);
  QString Tip = Opt.text;
  if (!StaticText.isEmpty()) {
    Tip += u' ' + StaticText;
    Width += QFontMetrics(Option.font).horizontalAdvance(u' ' + StaticText);
  }
  // Only a text that the cell cuts off gets a tooltip, unless the model
  // gives the row one of its own.
  if (Opt.text.isEmpty() || Width <= TextArea(Opt).width())
    Tip.clear();
  if (const QString RowTip = Index.data(Qt::ToolTipRole).toString(); !RowTip.isEmpty())
    Tip = RowTip;
  const QRect Cell(View->viewport()->mapToGlobal(Option.rect.topLeft()), Option.rect.size());
  QToolTip::showText(Event->globalPos(), Tip, View, Cell);
  Event->setAccepted(!Tip.isEmpty());
  return Event->isAccepted();
}

bool TEntryTreeDelegate::eventFilter(QObject *Object, QEvent *Event) {
  // Installed on the grid by Install(); the editors get the base class's
  // handling.
  if (auto *View = qobject_cast<QAbstractItemView *>(Object)) {
    if (Event->type() == QEvent::KeyPress) {
      const auto *Key = static_cast<QKeyEvent *>(Event);
      // Enter that an open editor passed on to its parents is not a request.
      const QWidget *Focused = QApplication::focusWidget();
      if ((Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter) &&
          (Key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
          !(Focused && View->viewport()->isAncestorOf(Focused))) {
        const QModelIndex Target =
            View->currentIndex().siblingAtColumn(TEntryTreeModel::ecTranslatedValue);
        if ((Target.flags() & Qt::ItemIsEditable) && !SeveralRowsSelected(*View))
          View->edit(Target);
        return true;
      }
    }
    return false;
  }
  return QStyledItemDelegate::eventFilter(Object, Event);
}
