#include "DialogControls.h"

#include "BaseDialog.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int PictureSize = 32;
constexpr int WrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

// TDialogGroupBox

TDialogGroupBox::TDialogGroupBox(const QString &Title, const QIcon &Picture, QWidget *Parent)
    : QGroupBox(Title, Parent) {
  setFlat(true);
  auto *Outer = new QVBoxLayout(this);
  Outer->setContentsMargins(0, 2, 0, 0);
  Outer->setSpacing(6);
  auto *Line = new QFrame(this);
  Line->setFrameShape(QFrame::HLine);
  Line->setFrameShadow(QFrame::Sunken);
  Outer->addWidget(Line);

  auto *Row = new QHBoxLayout;
  Row->setSpacing(8);
  if (!Picture.isNull()) {
    auto *PictureLabel = new QLabel(this);
    PictureLabel->setPixmap(Picture.pixmap(PictureSize, PictureSize));
    PictureLabel->setFixedSize(PictureSize, PictureSize);
    Row->addWidget(PictureLabel, 0, Qt::AlignTop);
  } else {
    Row->addSpacing(4);
  }
  FContent = new QGridLayout;
  FContent->setHorizontalSpacing(6);
  FContent->setVerticalSpacing(4);
  Row->addLayout(FContent, 1);
  Outer->addLayout(Row, 1);
}

void TDialogGroupBox::paintEvent(QPaintEvent *) {
  // The caption only; the line below it takes the place of the frame.
  QStylePainter P(this);
  QStyleOptionGroupBox Option;
  initStyleOption(&Option);
  Option.subControls = QStyle::SC_GroupBoxLabel;
  P.drawComplexControl(QStyle::CC_GroupBox, Option);
}

// TWrapCheckBox

TWrapCheckBox::TWrapCheckBox(const QString &Text, QWidget *Parent) : QCheckBox(Text, Parent) {
  // Narrower than its caption when need be, and then as high as the lines.
  QSizePolicy Policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
  Policy.setHeightForWidth(true);
  setSizePolicy(Policy);
}

int TWrapCheckBox::IndicatorSpace() const {
  return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
         style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

QRect TWrapCheckBox::TextBounds(int TextWidth) const {
  return fontMetrics().boundingRect(QRect(0, 0, std::max(TextWidth, 1), 1 << 16), WrapFlags,
                                    text());
}

int TWrapCheckBox::heightForWidth(int Width) const {
  const int Indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
  // Room for the focus frame around the text.
  return std::max(TextBounds(Width - IndicatorSpace()).height() + 2, Indicator);
}

QSize TWrapCheckBox::sizeHint() const {
  const int Width = IndicatorSpace() + fontMetrics().horizontalAdvance(text()) + 4;
  return {Width, heightForWidth(Width)};
}

QSize TWrapCheckBox::minimumSizeHint() const {
  const int Width = IndicatorSpace() + fontMetrics().averageCharWidth() * 24;
  return {Width, heightForWidth(Width)};
}

bool TWrapCheckBox::hitButton(const QPoint &Pos) const {
  return rect().contains(Pos);
}

void TWrapCheckBox::paintEvent(QPaintEvent *) {
  QStylePainter P(this);
  QStyleOptionButton Option;
  initStyleOption(&Option);
  const int IndicatorW = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
  const int IndicatorH = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
  const int LineH = fontMetrics().height();
  // The box sits beside the first line of the caption.
  QRect Box(0, 1 + std::max(0, (LineH - IndicatorH) / 2), IndicatorW, IndicatorH);
  QRect Text(IndicatorSpace(), 1, width() - IndicatorSpace(), height() - 2);
  if (layoutDirection() == Qt::RightToLeft) {
    Box = QStyle::visualRect(Qt::RightToLeft, rect(), Box);
    Text = QStyle::visualRect(Qt::RightToLeft, rect(), Text);
  }
  QStyleOptionButton BoxOption = Option;
  BoxOption.rect = Box;
  P.drawPrimitive(QStyle::PE_IndicatorCheckBox, BoxOption);
  int Flags = WrapFlags;
  if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &Option, this))
    Flags |= Qt::TextHideMnemonic;
  P.drawItemText(Text, Flags, palette(), isEnabled(), text(), QPalette::WindowText);
  if (hasFocus()) {
    QStyleOptionFocusRect Focus;
    Focus.initFrom(this);
    Focus.rect =
        fontMetrics().boundingRect(Text, Flags, text()).adjusted(-1, -1, 1, 1).intersected(rect());
    P.drawPrimitive(QStyle::PE_FrameFocusRect, Focus);
  }
}

// Dialog helpers

void FitDialogToContents(TUIBaseDialog &Dialog) {
  QLayout *Panel = Dialog.DialogPanel->layout();
  if (!Panel)
    return;
  Dialog.ensurePolished();
  Panel->activate();
  const QMargins M = Dialog.DialogPanelMargins();
  const int NeededWidth = std::max(Panel->totalMinimumSize().width() + M.left() + M.right(),
                                   Dialog.DialogButtons->sizeHint().width());
  const int Width = std::max(Dialog.width(), NeededWidth);
  const int PanelWidth = Width - M.left() - M.right();
  const int PanelHeight = Panel->hasHeightForWidth() ? Panel->totalHeightForWidth(PanelWidth)
                                                     : Panel->totalMinimumSize().height();
  const int Height = std::max(Dialog.height(),
                              PanelHeight + M.top() + M.bottom() + Dialog.DialogButtons->height());
  Dialog.setMinimumSize(std::max(Dialog.minimumWidth(), NeededWidth),
                        std::max(Dialog.minimumHeight(), Height));
  if (Width != Dialog.width() || Height != Dialog.height())
    Dialog.resize(Width, Height);
}

void PutButtonsLastInTabOrder(TUIBaseDialog &Dialog, QWidget *Last) {
  TDialogButtons *Bar = Dialog.DialogButtons;
  QWidget *Previous = Last;
  for (QWidget *Button :
       {static_cast<QWidget *>(Bar->BtnOK()), static_cast<QWidget *>(Bar->BtnCancel()),
        static_cast<QWidget *>(Bar->BtnApply()), static_cast<QWidget *>(Bar->BtnHelp())}) {
    QWidget::setTabOrder(Previous, Button);
    Previous = Button;
  }
}

QIcon DialogPicture(const char *ThemeName, int StandardPixmap) {
  const QIcon Themed = QIcon::fromTheme(QString::fromLatin1(ThemeName));
  if (!Themed.isNull())
    return Themed;
  return QApplication::style()->standardIcon(QStyle::StandardPixmap(StandardPixmap));
}

QIcon LanguagesPicture() {
  const QIcon Themed = QIcon::fromTheme(QStringLiteral("preferences-desktop-locale"));
  if (!Themed.isNull())
    return Themed;
  QPixmap Globe(PictureSize, PictureSize);
  Globe.fill(Qt::transparent);
  QPainter P(&Globe);
  P.setRenderHint(QPainter::Antialiasing);
  const QRectF Ball(2.5, 2.5, PictureSize - 5, PictureSize - 5);
  QRadialGradient Sea(Ball.center() - QPointF(5, 5), Ball.width() * 0.7);
  Sea.setColorAt(0, QColor(0x8F, 0xC3, 0xF0));
  Sea.setColorAt(1, QColor(0x2B, 0x6C, 0xB8));
  P.setPen(QPen(QColor(0x1D, 0x4E, 0x8A), 1.2));
  P.setBrush(Sea);
  P.drawEllipse(Ball);
  // Meridians and parallels.
  P.setBrush(Qt::NoBrush);
  P.setPen(QPen(QColor(255, 255, 255, 190), 1.0));
  const QPointF C = Ball.center();
  const qreal R = Ball.width() / 2;
  for (qreal W : {R * 0.45, R * 0.9})
    P.drawEllipse(C, W, R);
  P.drawLine(QPointF(C.x(), Ball.top()), QPointF(C.x(), Ball.bottom()));
  for (qreal Y : {-0.5, 0.0, 0.5}) {
    const qreal Half = R * std::sqrt(1 - Y * Y);
    P.drawLine(QPointF(C.x() - Half, C.y() + Y * R), QPointF(C.x() + Half, C.y() + Y * R));
  }
  P.end();
  return QIcon(Globe);
}
