#pragma once

#include "FormTypes.h"

#include <QDialog>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <utility>

class QToolBar;
class TSizeGrip;
class ITaskbarJumpList;
class ITaskbarProgressIndicator;
enum TTaskbarProgressState : quint8;

// The window-class name of a form class: "Brisel." + program name + ".UI."
// + the class name without its "T" or "TUI" prefix.
QString WindowClassName(QStringView ExeName, QStringView ClassName);
// The configuration section of a dialog class: "State\" + the class name
// without its first "Dialog" and then its first "TUI", ignoring case.
QString DialogStateSection(QStringView ClassName);
// The change-UI-state request a key sends so that keyboard cues appear:
// 0x10002 for Tab and the arrow keys, 0x30002 for Alt, otherwise 0.
quint32 UIStateRequestForKey(int Key) noexcept;
// Whether dialogs paint on the window colour: only when the program asks for
// it on Windows 6.0 or later with visual styles on.
bool VistaBackgroundAvailable(bool bWanted, int OSMajorVersion, bool bThemesEnabled) noexcept;

// The framework side of every window of the program. Qt needs the window
// itself to derive from QMainWindow or QDialog, so the chain TForm ←
// TDPIAwareForm ← TThemeAwareForm is a base of its own that the concrete Qt
// classes (TMainForm, TDialogForm) add beside their Qt base.
//
// Construction runs in two steps: the C++ constructors build the widgets
// (the form's stored layout) and the language controller translates them;
// then FinishCreate runs the construction of the framework (Construct) and
// AfterConstruction, when the virtual hooks reach the most derived class.
// Create forms with CreateForm<T>(...), which does both. Descendants that
// need to act after the fonts were standardized override Construct and call
// the inherited first.
class TForm {
public:
  explicit TForm(QWidget &AWidget);
  virtual ~TForm();
  TForm(const TForm &) = delete;
  TForm &operator=(const TForm &) = delete;

  QWidget &Widget() const { return FWidget; }
  void FinishCreate();
  // True while the widgets are being built, before FinishCreate.
  bool Loading() const { return FLoading; }

  int ButtonEditWidth() const { return GetButtonEditWidth(); }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  QString WindowClassName() const { return GetWindowClassName(); }

  // False for nil or an already focused control; otherwise whether its form
  // is enabled and visible and the control can take the focus.
  static bool CanActuallyFocus(const QWidget *WinControl);

protected:
  virtual int GetButtonEditWidth() const;
  // Each time the form is shown, before UpdateSize.
  virtual void UpdateMargins();
  // During construction, once the widgets exist.
  virtual void InitializeForm();
  // When a dialog is shown.
  virtual void FormShown();
  // During construction after InitializeForm, and whenever the texts change.
  virtual void UpdateCaptions();
  // Once for every object the form owns, in ownership order, after construction.
  virtual void AdjustComponent(QObject *AComponent);
  virtual QString GetWindowClassName() const;

  virtual void Construct();
  virtual void AfterConstruction();

private:
  QWidget &FWidget;
  TPosition FPosition = poDefaultPosOnly;
  bool FLoading = true;
};

// Builds a form and finishes its construction.
template <class T, class... TArgs> std::unique_ptr<T> CreateForm(TArgs &&...Args) {
  auto Form = std::make_unique<T>(std::forward<TArgs>(Args)...);
  Form->FinishCreate();
  return Form;
}

// A form whose designed font is replaced by the system font and that is
// scaled by the ratio of the two; sizes in code go through ScaleValue.
class TDPIAwareForm : public TForm {
public:
  using TForm::TForm;

  double ScaleRatio() const { return FScaleRatio; }
  // N × screen DPI / 96, rounded.
  static int ScaleValue(int N);

protected:
  int GetButtonEditWidth() const override;
  // Each time the form is shown, after UpdateMargins.
  virtual void UpdateSize();
  void Construct() override;
  // The framework's part of showing: UpdateMargins, then UpdateSize.
  void FormShowing();

  double FScaleRatio = 1.0;
};

// Windows themes embedded buttons of edits; Qt styles them itself.
class TThemeAwareForm : public TDPIAwareForm {
public:
  using TDPIAwareForm::TDPIAwareForm;
};

// The program's main window.
class TMainForm : public QMainWindow, public TThemeAwareForm {
  Q_OBJECT

public:
  explicit TMainForm(QWidget *AOwner = nullptr);
  ~TMainForm() override;

  // Forwarded to the taskbar button where the platform has one.
  virtual void SetProgressState(TTaskbarProgressState State);
  virtual void SetProgress(int Position, int Maximum);

protected:
  virtual void PopulateJumpList(ITaskbarJumpList &JumpList);
  virtual void StyleToolbar(QToolBar *Toolbar);
  // The platform's taskbar objects; none where the platform has none.
  virtual std::unique_ptr<ITaskbarProgressIndicator> CreateProgressIndicator();
  virtual std::unique_ptr<ITaskbarJumpList> CreateJumpList();

  void Construct() override;
  void showEvent(QShowEvent *Event) override;

private:
  std::unique_ptr<ITaskbarJumpList> FJumpList;
  std::unique_ptr<ITaskbarProgressIndicator> FProgressIndicator;
};

// A dialog: closes with mrCancel on Escape, remembers where it was placed
// (in the configuration store under GetStateSection), offers a size grip
// and tracks whether its data changed.
class TDialogForm : public QDialog, public TThemeAwareForm {
  Q_OBJECT
  Q_PROPERTY(bool SavePosition READ SavePosition WRITE SetSavePosition)
  Q_PROPERTY(bool ShowSizeGrip READ ShowSizeGrip WRITE SetShowSizeGrip)
  Q_PROPERTY(bool UseVistaBackground READ UseVistaBackground WRITE SetUseVistaBackground)
  Q_PROPERTY(bool IsDirty READ IsDirty WRITE SetIsDirty)

public:
  explicit TDialogForm(QWidget *AOwner = nullptr);
  ~TDialogForm() override;

  bool SavePosition() const { return FSavePosition; }
  void SetSavePosition(bool Value) { FSavePosition = Value; }
  bool ShowSizeGrip() const { return FShowSizeGrip; }
  void SetShowSizeGrip(bool Value);
  TSizeGrip *SizeGrip() const { return FSizeGrip; }
  bool UseVistaBackground() const { return FUseVistaBackground; }
  void SetUseVistaBackground(bool Value);
  bool IsDirty() const { return FIsDirty; }
  virtual void SetIsDirty(bool Value);
  QString StateSection() const { return GetStateSection(); }

  // Closing by the window frame answers mrCancel as Escape does.
  void reject() override;

protected:
  // Sees every key pressed in the dialog first; a Key set to 0 is consumed.
  virtual void DialogKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
  virtual void DialogShow(QObject *Sender);
  virtual QString GetStateSection() const;
  virtual void UpdateBackground();

  void Construct() override;
  void AfterConstruction() override;
  void RestoreDialogState();
  void StoreDialogState();

  bool eventFilter(QObject *Watched, QEvent *Event) override;
  void showEvent(QShowEvent *Event) override;

private:
  bool FIsDirty = false;
  bool FSavePosition = true;
  TSizeGrip *FSizeGrip = nullptr;
  bool FShowSizeGrip = false;
  bool FUseVistaBackground = false;
  bool FWasShown = false;
  // Taken when the state is restored, since the class is gone by the time
  // the base destructor stores it.
  QString FStateSection;
};
