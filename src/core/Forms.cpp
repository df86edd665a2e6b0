#include "Forms.h"

#include "ConfigIniFile.h"
#include "HighDPI.h"
#include "SizeGrip.h"
#include "Taskbar.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

Q_LOGGING_CATEGORY(lcForms, "lingrove.forms")

QString WindowClassName(QStringView ExeName, QStringView ClassName) {
  QStringView Short = ClassName;
  if (ClassName.startsWith(u'T'))
    Short = ClassName.mid(1).startsWith(u"UI") ? ClassName.mid(3) : ClassName.mid(1);
  return QStringLiteral("Brisel.%1.UI.%2").arg(ExeName, Short);
}

QString DialogStateSection(QStringView ClassName) {
  QString Name = ClassName.toString();
  for (QStringView Part : {QStringView(u"Dialog"), QStringView(u"TUI")})
    if (const qsizetype At = Name.indexOf(Part, 0, Qt::CaseInsensitive); At >= 0)
      Name.remove(At, Part.size());
  return QStringLiteral("State\\") + Name;
}

quint32 UIStateRequestForKey(int Key) noexcept {
  switch (Key) {
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
  case Qt::Key_Left:
  case Qt::Key_Up:
  case Qt::Key_Right:
  case Qt::Key_Down:
    return 0x10002; // clear the hide-focus flag
  case Qt::Key_Alt:
    return 0x30002; // clear the hide-focus and hide-accelerator flags
  default:
    return 0;
  }
}

bool VistaBackgroundAvailable(bool bWanted, int OSMajorVersion, bool bThemesEnabled) noexcept {
  return bWanted && OSMajorVersion >= 6 && bThemesEnabled;
}

// TForm

TForm::TForm(QWidget &AWidget) : FWidget(AWidget) {}

TForm::~TForm() = default;

void TForm::FinishCreate() {
  if (!FLoading)
    return;
  FLoading = false;
  Construct();
  AfterConstruction();
}

bool TForm::CanActuallyFocus(const QWidget *WinControl) {
  if (!WinControl || WinControl->hasFocus())
    return false;
  const QWidget *Form = WinControl->window();
  return Form && Form->isEnabled() && Form->isVisible() &&
         WinControl->focusPolicy() != Qt::NoFocus && WinControl->isEnabled() &&
         WinControl->isVisible();
}

int TForm::GetButtonEditWidth() const {
  return 17;
}

void TForm::UpdateMargins() {}

void TForm::InitializeForm() {}

void TForm::FormShown() {}

void TForm::UpdateCaptions() {}

void TForm::AdjustComponent(QObject *) {}

QString TForm::GetWindowClassName() const {
  return ::WindowClassName(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                           QString::fromLatin1(FWidget.metaObject()->className()));
}

void TForm::Construct() {
  InitializeForm();
  UpdateCaptions();
}

void TForm::AfterConstruction() {
  // Depth first, each object before the objects it owns.
  const QList<QObject *> Owned = FWidget.findChildren<QObject *>();
  for (QObject *Component : Owned)
    AdjustComponent(Component);
}

// TDPIAwareForm

int TDPIAwareForm::ScaleValue(int N) {
  return MulDiv(N, THighDPIToolkit::PixelsPerInch(), 96);
}

int TDPIAwareForm::GetButtonEditWidth() const {
  return ScaleValue(TForm::GetButtonEditWidth());
}

void TDPIAwareForm::UpdateSize() {}

void TDPIAwareForm::Construct() {
  TForm::Construct();
  // Qt's own scaling works in device-independent pixels at about 96 DPI, so
  // the font ratio is the only scaling these forms get on top of it.
  FScaleRatio = THighDPIToolkit::StandardizeFormFont(&Widget());
}

void TDPIAwareForm::FormShowing() {
  UpdateMargins();
  UpdateSize();
}

// TMainForm

TMainForm::TMainForm(QWidget *AOwner)
    : QMainWindow(AOwner), TThemeAwareForm(static_cast<QWidget &>(*this)) {}

TMainForm::~TMainForm() = default;

void TMainForm::SetProgressState(TTaskbarProgressState State) {
  if (FProgressIndicator)
    FProgressIndicator->SetState(State);
}

void TMainForm::SetProgress(int Position, int Maximum) {
  if (!FProgressIndicator)
    return;
  FProgressIndicator->SetMaximum(Maximum);
  FProgressIndicator->SetPosition(Position);
}

void TMainForm::PopulateJumpList(ITaskbarJumpList &) {}

void TMainForm::StyleToolbar(QToolBar *Toolbar) {
  Toolbar->setBackgroundRole(QPalette::Button);
  Toolbar->setAutoFillBackground(true);
}

std::unique_ptr<ITaskbarProgressIndicator> TMainForm::CreateProgressIndicator() {
  return CreateTaskbarProgressIndicator(*this);
}

std::unique_ptr<ITaskbarJumpList> TMainForm::CreateJumpList() {
  return CreateTaskbarJumpList(*this);
}

void TMainForm::Construct() {
  TThemeAwareForm::Construct();
  FProgressIndicator = CreateProgressIndicator();
  FJumpList = CreateJumpList();
  if (FJumpList) {
    PopulateJumpList(*FJumpList);
    FJumpList->Commit();
  }
  const QList<QToolBar *> Toolbars = findChildren<QToolBar *>();
  for (QToolBar *Toolbar : Toolbars)
    StyleToolbar(Toolbar);
}

void TMainForm::showEvent(QShowEvent *Event) {
  QMainWindow::showEvent(Event);
  if (!Event->spontaneous())
    FormShowing();
}

// TDialogForm

TDialogForm::TDialogForm(QWidget *AOwner)
    : QDialog(AOwner), TThemeAwareForm(static_cast<QWidget &>(*this)) {}

TDialogForm::~TDialogForm() {
  if (qApp)
    qApp->removeEventFilter(this);
  // A dialog that was never shown has no place of its own to remember.
  if (FSavePosition && FWasShown && !FStateSection.isEmpty())
    StoreDialogState();
}

void TDialogForm::SetShowSizeGrip(bool Value) {
  if (Value == FShowSizeGrip)
    return;
  FShowSizeGrip = Value;
  if (FSizeGrip)
    FSizeGrip->SetEnabled(Value);
}

void TDialogForm::SetUseVistaBackground(bool Value) {
  if (Value == FUseVistaBackground)
    return;
  FUseVistaBackground = Value;
  UpdateBackground();
}

void TDialogForm::SetIsDirty(bool Value) {
  FIsDirty = Value;
}

void TDialogForm::reject() {
  done(mrCancel);
}

void TDialogForm::DialogKeyDown(QObject *, int &Key, Qt::KeyboardModifiers) {
  if (Key == Qt::Key_Escape) {
    Key = 0;
    done(mrCancel);
  }
}

void TDialogForm::DialogShow(QObject *) {
  FormShown();
}

QString TDialogForm::GetStateSection() const {
  return DialogStateSection(QString::fromLatin1(metaObject()->className()));
}

void TDialogForm::UpdateBackground() {
  // The window colour of text fields, or the face colour of dialogs.
  setBackgroundRole(FUseVistaBackground ? QPalette::Base : QPalette::Window);
  setAutoFillBackground(true);
}

void TDialogForm::Construct() {
  TThemeAwareForm::Construct();
  FShowSizeGrip =
      minimumSize() != maximumSize() && !windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
  // Dialogs never ask for the window-colour background.
  FUseVistaBackground = VistaBackgroundAvailable(false, 0, false);
  FSizeGrip = new TSizeGrip(this);
  FSizeGrip->SetEnabled(FShowSizeGrip);
  qApp->installEventFilter(this);
  UpdateBackground();
  setMinimumSize(size());
}

void TDialogForm::AfterConstruction() {
  TThemeAwareForm::AfterConstruction();
  if (FSavePosition)
    RestoreDialogState();
}

namespace {

QRect NormalBounds(const QWidget &Form) {
  return Form.isMaximized() || Form.isFullScreen() ? Form.normalGeometry() : Form.geometry();
}

bool OnAnyScreen(const QRect &Rect) {
  const QList<QScreen *> Screens = QGuiApplication::screens();
  return std::any_of(Screens.begin(), Screens.end(),
                     [&](const QScreen *S) { return S->availableGeometry().intersects(Rect); });
}

} // namespace

void TDialogForm::RestoreDialogState() {
  FStateSection = GetStateSection();
  try {
    const TReaderIniFile Ini;
    const bool bKnown = Ini.KeyExists(FStateSection);
    SetPosition(bKnown ? poDefault : poOwnerFormCenter);
    const QRect Current = NormalBounds(*this);
    const int Left = Ini.ReadInteger(FStateSection, QStringLiteral("WindowLeft"), Current.x());
    const int Top = Ini.ReadInteger(FStateSection, QStringLiteral("WindowTop"), Current.y());
    const int Right =
        Ini.ReadInteger(FStateSection, QStringLiteral("WindowRight"), Current.width() + Left);
    const int Bottom =
        Ini.ReadInteger(FStateSection, QStringLiteral("WindowBottom"), Current.height() + Top);
    const QRect Placement(Left, Top, Right - Left, Bottom - Top);
    // Without a stored place the dialog is centred on its owner when shown,
    // and so is one whose place lies on no screen any more.
    if (bKnown && OnAnyScreen(Placement)) {
      setGeometry(Placement);
    } else {
      const bool bWasMoved = testAttribute(Qt::WA_Moved);
      resize(Placement.size());
      setAttribute(Qt::WA_Moved, bWasMoved && bKnown);
    }
  } catch (const std::exception &E) {
    qCWarning(lcForms) << "Cannot restore" << FStateSection << E.what();
  }
}

void TDialogForm::StoreDialogState() {
  try {
    TWriterIniFile Ini;
    const QRect R = NormalBounds(*this);
    Ini.WriteInteger(FStateSection, QStringLiteral("WindowLeft"), R.x());
    Ini.WriteInteger(FStateSection, QStringLiteral("WindowTop"), R.y());
    Ini.WriteInteger(FStateSection, QStringLiteral("WindowRight"), R.x() + R.width());
    Ini.WriteInteger(FStateSection, QStringLiteral("WindowBottom"), R.y() + R.height());
  } catch (const std::exception &E) {
    qCWarning(lcForms) << "Cannot store" << FStateSection << E.what();
  }
}

bool TDialogForm::eventFilter(QObject *Watched, QEvent *Event) {
  // Keys pressed anywhere in the dialog reach DialogKeyDown before the
  // focused control sees them.
  if (Event->type() == QEvent::KeyPress && Watched->isWidgetType() &&
      static_cast<QWidget *>(Watched)->window() == this) {
    auto *KeyEvent = static_cast<QKeyEvent *>(Event);
    int Key = KeyEvent->key();
    DialogKeyDown(Watched, Key, KeyEvent->modifiers());
    if (Key == 0)
      return true;
  }
  return QDialog::eventFilter(Watched, Event);
}

void TDialogForm::showEvent(QShowEvent *Event) {
  QDialog::showEvent(Event);
  FWasShown = true;
  if (!Event->spontaneous()) {
    DialogShow(this);
    FormShowing();
  }
}
