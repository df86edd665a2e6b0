#include "HighDPI.h"

#include "Forms.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLayout>
#include <QLoggingCategory>
#include <QMetaProperty>
#include <QScreen>
#include <QStatusBar>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

Q_LOGGING_CATEGORY(lcHighDPI, "lingrove.highdpi")

namespace {

// The program never asks for ClearType output.
constexpr bool ClearType = false;

// Faces a form designer picks by default; fonts in them follow the system font.
const QString StandardFaces[] = {QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"),
                                 QStringLiteral("MS Shell Dlg 2"), QStringLiteral("MS Shell Dlg")};

int FPixelsPerInch = 0;

const QFont &SystemFont() {
  static const QFont Font = [] {
    const QFont System = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    qCDebug(lcHighDPI) << "system font" << System;
    return System;
  }();
  return Font;
}

bool LayoutHolds(const QLayout *Layout, const QWidget *Widget) {
  for (int I = 0; I < Layout->count(); ++I) {
    QLayoutItem *Item = Layout->itemAt(I);
    if (Item->widget() == Widget || (Item->layout() && LayoutHolds(Item->layout(), Widget)))
      return true;
  }
  return false;
}

// A layout places the widget; scaling its geometry would be undone.
bool IsLaidOut(const QWidget *Widget) {
  const QWidget *Parent = Widget->parentWidget();
  return Parent && Parent->layout() && LayoutHolds(Parent->layout(), Widget);
}

int ScaleLimit(int Value, int M, int D) {
  return Value <= 0 || Value >= QWIDGETSIZE_MAX ? Value : MulDiv(Value, M, D);
}

void ScaleSizeLimits(QWidget *Widget, int M, int D) {
  const QSize Min = Widget->minimumSize(), Max = Widget->maximumSize();
  Widget->setMinimumSize(ScaleLimit(Min.width(), M, D), ScaleLimit(Min.height(), M, D));
  Widget->setMaximumSize(ScaleLimit(Max.width(), M, D), ScaleLimit(Max.height(), M, D));
}

void ScaleFont(QWidget *Widget, int M, int D) {
  QFont Font = Widget->font();
  THighDPIToolkit::SetFontHeight(Font, MulDiv(THighDPIToolkit::FontHeight(Font), M, D));
  Widget->setFont(Font);
}

void ScaleLayout(QLayout *Layout, int M, int D) {
  const QMargins Margins = Layout->contentsMargins();
  Layout->setContentsMargins(MulDiv(Margins.left(), M, D), MulDiv(Margins.top(), M, D),
                             MulDiv(Margins.right(), M, D), MulDiv(Margins.bottom(), M, D));
  if (Layout->spacing() > 0)
    Layout->setSpacing(MulDiv(Layout->spacing(), M, D));
}

// Positions and sizes of controls no layout places, size limits, fonts set
// on the control itself, margins and spacings of layouts; then each object's
// own adjustment. Child windows are forms of their own.
void ScaleChildren(QObject *Parent, int M, int D) {
  for (QObject *Child : Parent->children()) {
    if (auto *Widget = qobject_cast<QWidget *>(Child)) {
      if (Widget->isWindow())
        continue;
      ScaleSizeLimits(Widget, M, D);
      if (!IsLaidOut(Widget)) {
        const QRect R = Widget->geometry();
        Widget->setGeometry(MulDiv(R.x(), M, D), MulDiv(R.y(), M, D), MulDiv(R.width(), M, D),
                            MulDiv(R.height(), M, D));
      }
      if (Widget->testAttribute(Qt::WA_SetFont))
        ScaleFont(Widget, M, D);
    } else if (auto *Layout = qobject_cast<QLayout *>(Child)) {
      ScaleLayout(Layout, M, D);
    }
    ScaleChildren(Child, M, D);
    if (auto *Scalable = dynamic_cast<IScalable *>(Child))
      Scalable->ChangeScale(M, D);
  }
}

bool KeepsCentre(const QWidget *AForm) {
  const auto *Form = dynamic_cast<const TForm *>(AForm);
  if (!Form)
    return true;
  switch (Form->Position()) {
  case poDesigned:
  case poScreenCenter:
  case poDesktopCenter:
  case poMainFormCenter:
  case poOwnerFormCenter:
    return true;
  default:
    return false;
  }
}

// The work area of the screen showing most of Rect.
std::optional<QRect> WorkAreaOf(const QRect &Rect) {
  const QScreen *Best = nullptr;
  qint64 BestArea = 0;
  for (const QScreen *Screen : QGuiApplication::screens()) {
    const QRect Common = Screen->geometry().intersected(Rect);
    const qint64 Area = qint64(Common.width()) * Common.height();
    if (Area > BestArea) {
      Best = Screen;
      BestArea = Area;
    }
  }
  if (!Best)
    return std::nullopt;
  return Best->availableGeometry();
}

} // namespace

int MulDiv(int N, int Numerator, int Denominator) noexcept {
  if (Denominator == 0)
    return -1;
  const qint64 Product = qint64(N) * Numerator;
  const qint64 Magnitude =
      (std::llabs(Product) + std::llabs(Denominator) / 2) / std::llabs(Denominator);
  return int((Product < 0) != (Denominator < 0) ? -Magnitude : Magnitude);
}

double THighDPIToolkit::StandardizeFormFont(QWidget *AForm) {
  return StandardizeFormFont(AForm, SystemFontName(), SystemFontHeight());
}

double THighDPIToolkit::StandardizeFormFont(QWidget *AForm, const QString &AFontName,
                                            int AFontHeight) {
  Q_ASSERT(AForm);
  if (!AForm)
    return 1.0;
  const int OldHeight = FontHeight(AForm->font());
  ScaleForm(AForm, AFontHeight, OldHeight);
  const QFont Scaled = AForm->font();
  StandardizeFont(AForm, ClearType, AFontName, AFontHeight, Scaled.family(), FontPointSize(Scaled));
  qCDebug(lcHighDPI) << AForm->objectName() << "standardized from height" << OldHeight << "to"
                     << AFontName << AFontHeight;
  return double(AFontHeight) / OldHeight;
}

void THighDPIToolkit::StandardizeFont(QWidget *AControl, bool AForceClearType,
                                      const QString &AFontName, int AFontSize,
                                      const QString &AForceFontIfName, int AForceFontIfSize) {
  if (!AControl)
    return;
  if (auto *Bar = qobject_cast<QStatusBar *>(AControl)) {
    // Back to the inherited font, which is the standard one.
    Bar->setFont(QFont());
  } else if (AControl->testAttribute(Qt::WA_SetFont)) {
    // Controls without a font of their own inherit the standardized one.
    if (std::optional<QFont> Font = GetControlFont(AControl);
        Font && StandardizeFont(*Font, AForceClearType, AFontName, AFontSize, AForceFontIfName,
                                AForceFontIfSize))
      AControl->setFont(*Font);
  }
  for (QObject *Child : AControl->children())
    if (auto *Widget = qobject_cast<QWidget *>(Child); Widget && !Widget->isWindow())
      StandardizeFont(Widget, AForceClearType, AFontName, AFontSize, AForceFontIfName,
                      AForceFontIfSize);
}

bool THighDPIToolkit::StandardizeFont(QFont &AControlFont, bool AForceClearType,
                                      const QString &AFontName, int AFontSize,
                                      const QString &AForceFontIfName, int AForceFontIfSize) {
  const QString Face = AControlFont.family();
  const bool ChangeName =
      !AFontName.isEmpty() && Face != AFontName &&
      (AForceFontIfName.isEmpty() ? std::find(std::begin(StandardFaces), std::end(StandardFaces),
                                              Face) != std::end(StandardFaces)
                                  : Face == AForceFontIfName);
  const int Size = FontPointSize(AControlFont);
  const bool SizeDiffers =
      AFontSize != 0 && (Size == 8 || (AForceFontIfSize != 0 && AForceFontIfSize == Size)) &&
      (AFontSize < 0 ? FontHeight(AControlFont) != AFontSize : Size != AFontSize);
  // Only fonts that have, or are about to get, the standard face are resized.
  const bool ChangeSize = SizeDiffers && (Face == AFontName || ChangeName);
  if (!ChangeName && !ChangeSize && !AForceClearType)
    return false;
  if (ChangeName)
    AControlFont.setFamily(AFontName.left(32));
  if (ChangeSize) {
    if (AFontSize < 0)
      SetFontHeight(AControlFont, AFontSize);
    else
      SetFontPointSize(AControlFont, AFontSize);
  }
  if (ClearType)
    AControlFont.setStyleStrategy(QFont::PreferAntialias);
  return true;
}

std::optional<QFont> THighDPIToolkit::GetControlFont(const QObject *AControl) {
  if (!AControl)
    return std::nullopt;
  const QMetaObject *Meta = AControl->metaObject();
  const int Index = Meta->indexOfProperty("font");
  if (Index < 0 || Meta->property(Index).metaType() != QMetaType::fromType<QFont>())
    return std::nullopt;
  return AControl->property("font").value<QFont>();
}

void THighDPIToolkit::ScaleForm(QWidget *AForm, int M, int D) {
  if ((M == 0 && D == 0) || !AForm)
    return;
  const QRect OldRect = AForm->geometry();
  const bool bWasMoved = AForm->testAttribute(Qt::WA_Moved);
  if (D != 0 && M != D) {
    ScaleSizeLimits(AForm, M, D);
    if (!AForm->isMaximized() && !AForm->isFullScreen())
      AForm->resize(MulDiv(OldRect.width(), M, D), MulDiv(OldRect.height(), M, D));
    ScaleFont(AForm, M, D);
    ScaleChildren(AForm, M, D);
    if (auto *Scalable = dynamic_cast<IScalable *>(AForm))
      Scalable->ChangeScale(M, D);
  }
  if (!AForm->isWindow())
    return;
  const QRect NewRect = AForm->geometry();
  const QPoint Origin = ScaledFormOrigin(OldRect, NewRect, KeepsCentre(AForm), WorkAreaOf(NewRect));
  AForm->setGeometry(QRect(Origin, NewRect.size()));
  // A form nobody placed yet is still placed by the window system when shown.
  if (!bWasMoved && !AForm->isVisible())
    AForm->setAttribute(Qt::WA_Moved, false);
}

QPoint THighDPIToolkit::ScaledFormOrigin(const QRect &OldRect, const QRect &NewRect,
                                         bool bKeepCentre, const std::optional<QRect> &WorkArea) {
  const int W = NewRect.width(), H = NewRect.height();
  int X = NewRect.x(), Y = NewRect.y();
  if (bKeepCentre) {
    X -= (W - OldRect.width()) / 2;
    Y -= (H - OldRect.height()) / 2;
  }
  if (WorkArea) {
    const int Right = WorkArea->x() + WorkArea->width();
    const int Bottom = WorkArea->y() + WorkArea->height();
    if (Right < NewRect.x() + W)
      X = Right - W;
    if (Bottom < NewRect.y() + H)
      Y = Bottom - H;
    X = std::max(X, WorkArea->x());
    Y = std::max(Y, WorkArea->y());
  } else {
    X = std::max(X, 0);
    Y = std::max(Y, 0);
  }
  return {X, Y};
}

QString THighDPIToolkit::SystemFontName() {
  return SystemFont().family();
}

int THighDPIToolkit::SystemFontHeight() {
  return FontHeight(SystemFont());
}

int THighDPIToolkit::PixelsPerInch() {
  if (FPixelsPerInch > 0)
    return FPixelsPerInch;
  const QScreen *Screen = QGuiApplication::primaryScreen();
  return Screen ? qRound(Screen->logicalDotsPerInchY()) : 96;
}

void THighDPIToolkit::SetPixelsPerInch(int Value) {
  FPixelsPerInch = std::max(Value, 0);
}

int THighDPIToolkit::FontHeight(const QFont &Font) {
  if (Font.pixelSize() > 0)
    return -Font.pixelSize();
  return -qRound(Font.pointSizeF() * PixelsPerInch() / 72.0);
}

int THighDPIToolkit::FontPointSize(const QFont &Font) {
  if (Font.pixelSize() > 0)
    return MulDiv(Font.pixelSize(), 72, PixelsPerInch());
  return qRound(Font.pointSizeF());
}

void THighDPIToolkit::SetFontHeight(QFont &Font, int Height) {
  if (Height != 0)
    Font.setPixelSize(std::abs(Height));
}

void THighDPIToolkit::SetFontPointSize(QFont &Font, int Size) {
  if (Size > 0)
    Font.setPointSize(Size);
}
