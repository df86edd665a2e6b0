#include "DialogButtons.h"

#include "AlignLayout.h"

#include <QAction>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <algorithm>
#include <qdrawutil.h>

namespace {

// A caption as the button shows it: "&&" is an ampersand, any other "&"
// only marks the mnemonic.
QString DisplayText(const QString &Caption) {
  QString Text;
  for (qsizetype I = 0; I < Caption.size(); ++I) {
    if (Caption[I] == u'&' && I + 1 < Caption.size())
      ++I;
    Text.append(Caption[I]);
  }
  return Text;
}

} // namespace

// TButton

TButton::TButton(QWidget *Parent) : QPushButton(Parent) {}

void TButton::SetAction(QAction *Value) {
  if (FAction == Value)
    return;
  if (FAction)
    disconnect(FAction, nullptr, this, nullptr);
  FAction = Value;
  if (Value) {
    connect(Value, &QAction::changed, this, &TButton::ActionChanged);
    ActionChanged();
  }
}

void TButton::SetElevationRequired(bool Value) {
  FElevationRequired = Value;
  setIcon(Value ? style()->standardIcon(QStyle::SP_VistaShield) : QIcon());
}

void TButton::ActionChanged() {
  setEnabled(FAction->isEnabled());
  if (FAction->text() != text()) {
    setText(FAction->text());
    Q_EMIT ActionTextChanged(FAction->text());
  }
}

// TCustomDialogButtons

TCustomDialogButtons::TCustomDialogButtons(QWidget *AOwner)
    : QWidget(AOwner), FButtonHeight(MulDiv(25, THighDPIToolkit::PixelsPerInch(), 96)),
      FButtonWidth(MulDiv(75, THighDPIToolkit::PixelsPerInch(), 96)) {
  TCustomDialogButtons::CreateButtons();
  FCancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  FCancelShortcut->setContext(Qt::WindowShortcut);
  connect(FCancelShortcut, &QShortcut::activated, this, [this] {
    if (FButtons[1])
      FButtons[1]->click();
  });
  UpdateCancelShortcut();
  AdjustBarSize();
}

int TCustomDialogButtons::ButtonWidthForText(int TextWidth) noexcept {
  return TextWidth > 50 ? TextWidth + 24 : 75;
}

int TCustomDialogButtons::CalcButtonWidth(const QString &Caption) const {
  return ButtonWidthForText(QFontMetrics(font()).horizontalAdvance(DisplayText(Caption)));
}

TButton *TCustomDialogButtons::Button(int I) const {
  return ValidIndex(I) ? FButtons[size_t(I - 1)] : nullptr;
}

void TCustomDialogButtons::ChangeScale(int, int) {
  AdjustBarSize();
  ArrangeButtons();
}

QSize TCustomDialogButtons::sizeHint() const {
  int Along = 8, Across = 0, Count = 0;
  for (int I = 1; I <= ButtonCount; ++I)
    if (GetButtonVisible(I)) {
      Along += FWidths[size_t(I - 1)] + 8;
      Across = std::max(Across, FWidths[size_t(I - 1)]);
      ++Count;
    }
  if (FAlign == alLeft || FAlign == alRight || FAlign == alCustom)
    return {Across + 12, 8 + Count * (FButtonHeight + 8)};
  return {Along, FButtonHeight + 16};
}

void TCustomDialogButtons::CreateButtons() {
  FWidths.fill(FButtonWidth);
}

void TCustomDialogButtons::AdjustBarSize() {
  switch (FAlign) {
  case alLeft:
  case alRight: {
    int Widest = 0;
    for (int I = 1; I <= ButtonCount; ++I)
      if (GetButtonVisible(I))
        Widest = std::max(Widest, FWidths[size_t(I - 1)]);
    setMinimumHeight(0);
    setMaximumHeight(QWIDGETSIZE_MAX);
    setFixedWidth(Widest + 12);
    break;
  }
  case alTop:
  case alBottom:
    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    setFixedHeight(FButtonHeight + 16);
    break;
  default:
    break;
  }
  updateGeometry();
}

void TCustomDialogButtons::ArrangeButtons() {
  const bool bRow = FAlign == alNone || FAlign == alTop || FAlign == alBottom || FAlign == alClient;
  // In a row each button ends 8 pixels before the buttons after it.
  int After = 0, Top = 8;
  for (int I = bRow ? ButtonCount : 1; bRow ? I >= 1 : I <= ButtonCount; I += bRow ? -1 : 1) {
    TButton *B = FButtons[size_t(I - 1)];
    if (!B)
      continue;
    if (!GetButtonVisible(I)) {
      B->setGeometry(0, 0, 0, 0);
      continue;
    }
    const int W = FWidths[size_t(I - 1)];
    if (bRow) {
      After += W + 8;
      B->setGeometry(isRightToLeft() ? After - W : width() - After, 8, W, FButtonHeight);
    } else {
      B->setGeometry(6, Top, W, FButtonHeight);
      Top += FButtonHeight + 8;
    }
  }
}

TAlign TCustomDialogButtons::GetAlign() const {
  return FAlign;
}

QAction *TCustomDialogButtons::GetButtonAction(int I) const {
  const TButton *B = Button(I);
  return B ? B->Action() : nullptr;
}

QString TCustomDialogButtons::GetButtonCaption(int I) const {
  const TButton *B = Button(I);
  return B ? B->text() : QString();
}

bool TCustomDialogButtons::GetButtonEnabled(int I) const {
  const TButton *B = Button(I);
  return B && !B->testAttribute(Qt::WA_Disabled);
}

bool TCustomDialogButtons::GetButtonElevationRequired(int I) const {
  const TButton *B = Button(I);
  return B && B->ElevationRequired();
}

TModalResult TCustomDialogButtons::GetButtonModalResult(int I) const {
  const TButton *B = Button(I);
  return B ? B->ModalResult() : mrNone;
}

int TCustomDialogButtons::GetButtonWidth(int I) const {
  return ValidIndex(I) ? FWidths[size_t(I - 1)] : 0;
}

bool TCustomDialogButtons::GetCancelCancel() const {
  return FCancelCancel;
}

bool TCustomDialogButtons::GetButtonVisible(int I) const {
  const TButton *B = Button(I);
  return B && !B->isHidden();
}

void TCustomDialogButtons::SetAlign(TAlign Value) {
  if (Value == FAlign)
    return;
  FAlign = Value;
  if (auto *Layout =
          parentWidget() ? qobject_cast<TAlignLayout *>(parentWidget()->layout()) : nullptr)
    Layout->SetAlign(this, Value);
  AdjustBarSize();
  ArrangeButtons();
  update();
}

void TCustomDialogButtons::SetButtonAction(int I, QAction *Value) {
  if (TButton *B = Button(I))
    B->SetAction(Value);
}

void TCustomDialogButtons::SetButtonCaption(int I, const QString &Value) {
  TButton *B = Button(I);
  if (!B)
    return;
  B->setText(Value);
  SetButtonWidth(I, CalcButtonWidth(Value));
}

void TCustomDialogButtons::SetButtonElevationRequired(int I, bool Value) {
  TButton *B = Button(I);
  if (!B || B->ElevationRequired() == Value)
    return;
  B->SetElevationRequired(Value);
  SetButtonWidth(I, FWidths[size_t(I - 1)] + (Value ? 20 : -20));
}

void TCustomDialogButtons::SetButtonEnabled(int I, bool Value) {
  if (TButton *B = Button(I))
    B->setEnabled(Value);
}

void TCustomDialogButtons::SetButtonModalResult(int I, TModalResult Value) {
  if (TButton *B = Button(I))
    B->SetModalResult(Value);
}

void TCustomDialogButtons::SetButtonWidth(int I, int Value) {
  if (!ValidIndex(I))
    return;
  if (Value > 74)
    FWidths[size_t(I - 1)] = Value;
  AdjustBarSize();
  ArrangeButtons();
  update();
}

void TCustomDialogButtons::SetButtonVisible(int I, bool Value) {
  TButton *B = Button(I);
  if (!B)
    return;
  B->setVisible(Value);
  AdjustBarSize();
  ArrangeButtons();
  UpdateCancelShortcut();
}

void TCustomDialogButtons::SetCancelCancel(bool Value) {
  FCancelCancel = Value;
  UpdateCancelShortcut();
}

void TCustomDialogButtons::SetShowDivider(bool Value) {
  if (Value == FShowDivider)
    return;
  FShowDivider = Value;
  update();
}

bool TCustomDialogButtons::GetOKDefault() const {
  return FButtons[0] && FButtons[0]->isDefault();
}

void TCustomDialogButtons::SetOKDefault(bool Value) {
  if (FButtons[0])
    FButtons[0]->setDefault(Value);
}

void TCustomDialogButtons::paintEvent(QPaintEvent *Event) {
  QWidget::paintEvent(Event);
  if (!FShowDivider || FAlign == alCustom)
    return;
  // A grooved line on the side that faces the content.
  QPainter Painter(this);
  const QRect R = rect();
  switch (FAlign) {
  case alTop:
    qDrawShadeLine(&Painter, R.left(), R.bottom() - 1, R.right(), R.bottom() - 1, palette());
    break;
  case alLeft:
    qDrawShadeLine(&Painter, R.right() - 1, R.top(), R.right() - 1, R.bottom(), palette());
    break;
  case alRight:
    qDrawShadeLine(&Painter, R.left(), R.top(), R.left(), R.bottom(), palette());
    break;
  default:
    qDrawShadeLine(&Painter, R.left(), R.top(), R.right(), R.top(), palette());
    break;
  }
}

void TCustomDialogButtons::resizeEvent(QResizeEvent *Event) {
  QWidget::resizeEvent(Event);
  ArrangeButtons();
}

void TCustomDialogButtons::changeEvent(QEvent *Event) {
  QWidget::changeEvent(Event);
  if (Event->type() == QEvent::LayoutDirectionChange)
    ArrangeButtons();
}

bool TCustomDialogButtons::eventFilter(QObject *Watched, QEvent *Event) {
  if (Event->type() == QEvent::EnabledChange && Watched == FButtons[1])
    UpdateCancelShortcut();
  return QWidget::eventFilter(Watched, Event);
}

void TCustomDialogButtons::ButtonClicked(int I) {
  TButton *B = Button(I);
  if (!B)
    return;
  QPointer<TCustomDialogButtons> Self(this);
  if (QAction *Action = B->Action())
    Action->trigger();
  if (!Self)
    return;
  DoClick(I);
  if (!Self || B->ModalResult() == mrNone)
    return;
  if (auto *Dialog = qobject_cast<QDialog *>(window()); Dialog && Dialog->isModal())
    Dialog->done(B->ModalResult());
}

void TCustomDialogButtons::DoClick(int) {}

void TCustomDialogButtons::SetButtons(const std::array<TButton *, ButtonCount> &Buttons) {
  FButtons = Buttons;
  for (int I = 1; I <= ButtonCount; ++I) {
    TButton *B = FButtons[size_t(I - 1)];
    B->installEventFilter(this);
    connect(B, &QAbstractButton::clicked, this, [this, I] { ButtonClicked(I); });
    connect(B, &TButton::ActionTextChanged, this,
            [this, I](const QString &Text) { SetButtonCaption(I, Text); });
  }
  UpdateCancelShortcut();
}

void TCustomDialogButtons::UpdateCancelShortcut() {
  const TButton *Cancel = FButtons[1];
  FCancelShortcut->setEnabled(FCancelCancel && Cancel && !Cancel->isHidden() &&
                              !Cancel->testAttribute(Qt::WA_Disabled));
}

// TDialogButtons

TDialogButtons::TDialogButtons(QWidget *AOwner) : TBaseDialogButtons(AOwner) {
  CreateButtons();
  AdjustBarSize();
  ArrangeButtons();
}

void TDialogButtons::CreateButtons() {
  TBaseDialogButtons::CreateButtons();
  if (FBtnOk)
    return;
  auto NewButton = [this](const QString &Text, TModalResult Result, int Width) {
    auto *B = new TButton(this);
    B->setText(Text);
    B->SetModalResult(Result);
    B->resize(Width, FButtonHeight);
    return B;
  };
  FBtnOk = NewButton(QStringLiteral("OK"), mrOk, FWidths[0]);
  FBtnOk->setDefault(true);
  FBtnCancel = NewButton(QStringLiteral("Cancel"), mrCancel, FWidths[1]);
  FBtnApply = NewButton(QStringLiteral("Apply"), mrNone, FWidths[2]);
  FBtnHelp = NewButton(QStringLiteral("&Help"), mrNone, FWidths[3]);
  FBtnHelp->hide();
  SetButtons({FBtnOk, FBtnCancel, FBtnApply, FBtnHelp});
}

void TDialogButtons::DoClick(int I) {
  switch (I) {
  case 1:
    DoClickOk();
    break;
  case 2:
    DoClickCancel();
    break;
  case 3:
    DoClickApply();
    break;
  case 4:
    DoClickHelp();
    break;
  default:
    break;
  }
}

void TDialogButtons::DoClickOk() {
  Q_EMIT OnClickOk(this);
}

void TDialogButtons::DoClickCancel() {
  Q_EMIT OnClickCancel(this);
}

void TDialogButtons::DoClickApply() {
  Q_EMIT OnClickApply(this);
}

void TDialogButtons::DoClickHelp() {
  Q_EMIT OnClickHelp(this);
}

// TSeparator

TSeparator::TSeparator(QWidget *Parent) : QWidget(Parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  if (Parent)
    Parent->installEventFilter(this);
  Dock();
}

void TSeparator::SetGradient(bool Value) {
  if (Value == FGradient)
    return;
  FGradient = Value;
  update();
}

void TSeparator::paintEvent(QPaintEvent *) {
  QPainter Painter(this);
  const QColor Line = palette().color(QPalette::Mid);
  if (!FGradient) {
    Painter.fillRect(rect(), Line);
    return;
  }
  QColor Clear = Line;
  Clear.setAlpha(0);
  QLinearGradient Fade(0, 0, width(), 0);
  Fade.setColorAt(0, Clear);
  Fade.setColorAt(0.2, Line);
  Fade.setColorAt(0.8, Line);
  Fade.setColorAt(1, Clear);
  Painter.fillRect(rect(), Fade);
}

bool TSeparator::eventFilter(QObject *Watched, QEvent *Event) {
  if (Watched == parentWidget() && Event->type() == QEvent::Resize)
    Dock();
  return QWidget::eventFilter(Watched, Event);
}

void TSeparator::Dock() {
  if (parentWidget())
    setGeometry(0, 0, parentWidget()->width(), 1);
}
