#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>

class QGridLayout;
class TUIBaseDialog;

// A group of a dialog's controls in the light style of the program's
// dialogs: the caption without a frame, a thin line under it, an optional
// picture at the left and the controls to its right in Content().
class TDialogGroupBox : public QGroupBox {
  Q_OBJECT

public:
  TDialogGroupBox(const QString &Title, const QIcon &Picture, QWidget *Parent);

  QGridLayout *Content() const { return FContent; }

protected:
  void paintEvent(QPaintEvent *Event) override;

private:
  QGridLayout *FContent;
};

// A check box whose caption wraps onto further lines when the width does not
// hold it; its whole area toggles it.
class TWrapCheckBox : public QCheckBox {
  Q_OBJECT

public:
  TWrapCheckBox(const QString &Text, QWidget *Parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int Width) const override;

protected:
  void paintEvent(QPaintEvent *Event) override;
  bool hitButton(const QPoint &Pos) const override;

private:
  int IndicatorSpace() const;
  QRect TextBounds(int TextWidth) const;
};

// Grows a dialog until its content panel holds everything its layout needs
// at the dialog's width (wrapped captions included), so that longer texts of
// another language are never clipped; the grown size is the new minimum.
void FitDialogToContents(TUIBaseDialog &Dialog);

// Keyboard focus passes from Last, the last control of the content panel,
// to the button bar's buttons, which the base dialog created first.
void PutButtonsLastInTabOrder(TUIBaseDialog &Dialog, QWidget *Last);

// A decorative picture of the program's dialogs: the theme's icon when the
// desktop has one, else the style's standard icon.
QIcon DialogPicture(const char *ThemeName, int StandardPixmap);
// The picture of language settings: the theme's locale icon, else a globe.
QIcon LanguagesPicture();
