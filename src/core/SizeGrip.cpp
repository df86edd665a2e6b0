#include "SizeGrip.h"

#include <QEvent>

TSizeGrip::TSizeGrip(QWidget *AOwner) : QSizeGrip(AOwner) {
  SetTargetControl(AOwner);
}

void TSizeGrip::SetEnabled(bool Value) {
  FEnabled = Value;
  setVisible(Value);
}

void TSizeGrip::SetTargetControl(QWidget *Value) {
  if (FTargetControl)
    FTargetControl->removeEventFilter(this);
  FTargetControl = Value;
  if (!Value)
    return;
  if (parentWidget() != Value)
    setParent(Value);
  Value->installEventFilter(this);
  // Controls of the target draw over the grip where they meet it.
  lower();
  Reposition();
  setVisible(FEnabled);
}

bool TSizeGrip::eventFilter(QObject *Watched, QEvent *Event) {
  if (Watched == FTargetControl &&
      (Event->type() == QEvent::Resize || Event->type() == QEvent::LayoutDirectionChange))
    Reposition();
  return QSizeGrip::eventFilter(Watched, Event);
}

void TSizeGrip::Reposition() {
  if (!FTargetControl)
    return;
  const QSize Size = sizeHint();
  const QRect Target = FTargetControl->rect();
  const int X = FTargetControl->isRightToLeft() ? 0 : Target.width() - Size.width();
  setGeometry(X, Target.height() - Size.height(), Size.width(), Size.height());
}
