#pragma once

#include "FormTypes.h"
#include "HighDPI.h"

#include <QLayout>
#include <QList>
#include <QMargins>

// Docks widgets to the sides of their parent the way aligned controls do:
// first the top ones in order, then the bottom, left and right ones, each
// taking a strip of what is left; client widgets fill the rest. Each widget
// keeps margins around it. A docked widget keeps its fixed height (top,
// bottom) or width (left, right), or else its size hint. Widgets aligned
// none or custom are left where they are.
class TAlignLayout : public QLayout, public IScalable {
  Q_OBJECT

public:
  explicit TAlignLayout(QWidget *Parent = nullptr);
  ~TAlignLayout() override;

  void AddWidget(QWidget *Widget, TAlign Align, const QMargins &Margins = {});
  TAlign Align(const QWidget *Widget) const;
  void SetAlign(QWidget *Widget, TAlign Value);
  QMargins Margins(const QWidget *Widget) const;
  void SetMargins(QWidget *Widget, const QMargins &Value);

  void addItem(QLayoutItem *Item) override;
  int count() const override { return int(FItems.size()); }
  QLayoutItem *itemAt(int Index) const override;
  QLayoutItem *takeAt(int Index) override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect &Rect) override;
  Qt::Orientations expandingDirections() const override;

  void ChangeScale(int M, int D) override;

private:
  struct TItem {
    QLayoutItem *Item;
    TAlign Align;
    QMargins Margins;
  };
  const TItem *Find(const QWidget *Widget) const;
  TItem *Find(const QWidget *Widget);
  QSize Extent(bool bMinimum) const;

  QList<TItem> FItems;
};
