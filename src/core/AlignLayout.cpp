#include "AlignLayout.h"

#include <QWidget>
#include <algorithm>
#include <iterator>

namespace {

// The order in which aligned widgets take their strips.
constexpr TAlign DockOrder[] = {alTop, alBottom, alLeft, alRight, alClient};

QMargins ScaledMargins(const QMargins &M, int Num, int Den) {
  return {MulDiv(M.left(), Num, Den), MulDiv(M.top(), Num, Den), MulDiv(M.right(), Num, Den),
          MulDiv(M.bottom(), Num, Den)};
}

} // namespace

TAlignLayout::TAlignLayout(QWidget *Parent) : QLayout(Parent) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
}

TAlignLayout::~TAlignLayout() {
  for (const TItem &I : std::as_const(FItems))
    delete I.Item;
}

void TAlignLayout::AddWidget(QWidget *Widget, TAlign Align, const QMargins &Margins) {
  addChildWidget(Widget);
  FItems.append({new QWidgetItem(Widget), Align, Margins});
  invalidate();
}

const TAlignLayout::TItem *TAlignLayout::Find(const QWidget *Widget) const {
  for (const TItem &I : FItems)
    if (I.Item->widget() == Widget)
      return &I;
  return nullptr;
}

TAlignLayout::TItem *TAlignLayout::Find(const QWidget *Widget) {
  return const_cast<TItem *>(std::as_const(*this).Find(Widget));
}

TAlign TAlignLayout::Align(const QWidget *Widget) const {
  const TItem *I = Find(Widget);
  return I ? I->Align : alNone;
}

void TAlignLayout::SetAlign(QWidget *Widget, TAlign Value) {
  if (TItem *I = Find(Widget); I && I->Align != Value) {
    I->Align = Value;
    invalidate();
  }
}

QMargins TAlignLayout::Margins(const QWidget *Widget) const {
  const TItem *I = Find(Widget);
  return I ? I->Margins : QMargins();
}

void TAlignLayout::SetMargins(QWidget *Widget, const QMargins &Value) {
  if (TItem *I = Find(Widget); I && I->Margins != Value) {
    I->Margins = Value;
    invalidate();
  }
}

void TAlignLayout::addItem(QLayoutItem *Item) {
  FItems.append({Item, alClient, {}});
}

QLayoutItem *TAlignLayout::itemAt(int Index) const {
  return Index >= 0 && Index < FItems.size() ? FItems[Index].Item : nullptr;
}

QLayoutItem *TAlignLayout::takeAt(int Index) {
  if (Index < 0 || Index >= FItems.size())
    return nullptr;
  return FItems.takeAt(Index).Item;
}

void TAlignLayout::setGeometry(const QRect &Rect) {
  QLayout::setGeometry(Rect);
  QRect Rest = Rect.marginsRemoved(contentsMargins());
  for (TAlign Align : DockOrder)
    for (const TItem &I : std::as_const(FItems)) {
      if (I.Align != Align || I.Item->isEmpty())
        continue;
      const QMargins &M = I.Margins;
      const QSize Hint = I.Item->sizeHint();
      QRect R = Rest.marginsRemoved(M);
      switch (Align) {
      case alTop:
        R.setHeight(Hint.height());
        Rest.setTop(R.bottom() + 1 + M.bottom());
        break;
      case alBottom:
        R.setTop(R.bottom() + 1 - Hint.height());
        Rest.setBottom(R.top() - 1 - M.top());
        break;
      case alLeft:
        R.setWidth(Hint.width());
        Rest.setLeft(R.right() + 1 + M.right());
        break;
      case alRight:
        R.setLeft(R.right() + 1 - Hint.width());
        Rest.setRight(R.left() - 1 - M.left());
        break;
      default:
        break;
      }
      // A widget that cannot fill its place keeps to its top-left corner.
      R.setSize(R.size().boundedTo(I.Item->maximumSize()));
      I.Item->setGeometry(R);
    }
}

QSize TAlignLayout::Extent(bool bMinimum) const {
  auto SizeOf = [bMinimum](const TItem &I) {
    return (bMinimum ? I.Item->minimumSize() : I.Item->sizeHint()).grownBy(I.Margins);
  };
  QSize S(0, 0);
  for (const TItem &I : FItems)
    if (I.Align == alClient && !I.Item->isEmpty())
      S = S.expandedTo(SizeOf(I));
  // Each strip lies around everything docked after it.
  for (auto Align = std::rbegin(DockOrder) + 1; Align != std::rend(DockOrder); ++Align)
    for (auto I = FItems.crbegin(); I != FItems.crend(); ++I) {
      if (I->Align != *Align || I->Item->isEmpty())
        continue;
      // The strip's own extent is its hint even for the minimum size.
      const QSize Own = I->Item->sizeHint().grownBy(I->Margins);
      const QSize Across = SizeOf(*I);
      if (*Align == alTop || *Align == alBottom)
        S = QSize(std::max(S.width(), Across.width()), S.height() + Own.height());
      else
        S = QSize(S.width() + Own.width(), std::max(S.height(), Across.height()));
    }
  return S.grownBy(contentsMargins());
}

QSize TAlignLayout::sizeHint() const {
  return Extent(false);
}

QSize TAlignLayout::minimumSize() const {
  return Extent(true);
}

Qt::Orientations TAlignLayout::expandingDirections() const {
  return Qt::Horizontal | Qt::Vertical;
}

void TAlignLayout::ChangeScale(int M, int D) {
  for (TItem &I : FItems)
    I.Margins = ScaledMargins(I.Margins, M, D);
  invalidate();
}
