#pragma once

#include <QPointer>
#include <QSizeGrip>

// A size grip drawn in the bottom-right corner of a target control (the
// bottom-left one in a right-to-left layout); dragging it resizes the form.
// A disabled grip is not shown.
class TSizeGrip : public QSizeGrip {
  Q_OBJECT

public:
  // The grip starts in the owner's corner.
  explicit TSizeGrip(QWidget *AOwner);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  QWidget *TargetControl() const { return FTargetControl; }
  void SetTargetControl(QWidget *Value);

protected:
  bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
  void Reposition();

  QPointer<QWidget> FTargetControl;
  bool FEnabled = true;
};
