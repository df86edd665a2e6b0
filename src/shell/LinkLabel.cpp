#include "LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

TLinkLabel::TLinkLabel(const QString &Text, QWidget *Parent) : QLabel(Text, Parent) {
  setTextFormat(Qt::PlainText);
  setForegroundRole(QPalette::Link);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  setMargin(FocusMargin);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  QFont Underlined = font();
  Underlined.setUnderline(true);
  setFont(Underlined);
}

void TLinkLabel::paintEvent(QPaintEvent *Event) {
  QLabel::paintEvent(Event);
  if (!hasFocus())
    return;
  QPainter Painter(this);
  QStyleOptionFocusRect Option;
  Option.initFrom(this);
  Option.rect = rect();
  Option.backgroundColor = palette().color(backgroundRole());
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &Option, &Painter, this);
}

void TLinkLabel::mousePressEvent(QMouseEvent *Event) {
  if (Event->button() != Qt::LeftButton)
    return QLabel::mousePressEvent(Event);
  FPressed = true;
  Event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent *Event) {
  if (Event->button() != Qt::LeftButton)
    return QLabel::mouseReleaseEvent(Event);
  // Like a button: releasing outside the link cancels the click.
  const bool bClicked = FPressed && rect().contains(Event->position().toPoint());
  FPressed = false;
  Event->accept();
  if (bClicked)
    Q_EMIT Activated();
}

void TLinkLabel::keyPressEvent(QKeyEvent *Event) {
  switch (Event->key()) {
  case Qt::Key_Space:
  case Qt::Key_Enter:
  case Qt::Key_Return:
    if (Event->modifiers() == Qt::NoModifier || Event->modifiers() == Qt::KeypadModifier) {
      Event->accept();
      Q_EMIT Activated();
      return;
    }
    break;
  default:
    break;
  }
  QLabel::keyPressEvent(Event);
}
