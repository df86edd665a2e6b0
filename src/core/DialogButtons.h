#pragma once

#include "FormTypes.h"
#include "HighDPI.h"

#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <array>

class QAction;
class QShortcut;

// A push button that sets a modal result, may be linked to an action (the
// click triggers it; its text and enabled state follow the action) and may
// show the elevation shield.
class TButton : public QPushButton {
  Q_OBJECT

public:
  explicit TButton(QWidget *Parent = nullptr);

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  QAction *Action() const { return FAction; }
  void SetAction(QAction *Value);
  bool ElevationRequired() const { return FElevationRequired; }
  void SetElevationRequired(bool Value);

Q_SIGNALS:
  // The linked action's text changed.
  void ActionTextChanged(const QString &Text);

private:
  void ActionChanged();

  TModalResult FModalResult = mrNone;
  QPointer<QAction> FAction;
  bool FElevationRequired = false;
};

// A bar of up to four standard dialog buttons, addressed by index: 1 = OK,
// 2 = Cancel, 3 = Apply, 4 = Help. Docked to the bottom (or top) the visible
// buttons form a row at the right edge; docked to a side they are stacked.
// Index operations ignore an index outside 1..4.
class TCustomDialogButtons : public QWidget, public IScalable {
  Q_OBJECT

public:
  explicit TCustomDialogButtons(QWidget *AOwner = nullptr);

  static constexpr int ButtonCount = 4;

  // The width a caption of this text width needs.
  static int ButtonWidthForText(int TextWidth) noexcept;
  int CalcButtonWidth(const QString &Caption) const;

  int ButtonHeight() const { return FButtonHeight; }
  bool ShowDivider() const { return FShowDivider; }
  TButton *Button(int I) const;

  void ChangeScale(int M, int D) override;
  QSize sizeHint() const override;

  virtual void CreateButtons();
  virtual void AdjustBarSize();
  virtual void ArrangeButtons();
  virtual TAlign GetAlign() const;
  virtual QAction *GetButtonAction(int I) const;
  virtual QString GetButtonCaption(int I) const;
  virtual bool GetButtonEnabled(int I) const;
  virtual bool GetButtonElevationRequired(int I) const;
  virtual TModalResult GetButtonModalResult(int I) const;
  virtual int GetButtonWidth(int I) const;
  virtual bool GetCancelCancel() const;
  virtual bool GetButtonVisible(int I) const;
  virtual void SetAlign(TAlign Value);
  virtual void SetButtonAction(int I, QAction *Value);
  // Sets the text, then a width the text fits in.
  virtual void SetButtonCaption(int I, const QString &Value);
  // Widens the button by 20 for the shield, or narrows it again.
  virtual void SetButtonElevationRequired(int I, bool Value);
  virtual void SetButtonEnabled(int I, bool Value);
  virtual void SetButtonModalResult(int I, TModalResult Value);
  // Widths of 74 or less are ignored.
  virtual void SetButtonWidth(int I, int Value);
  virtual void SetButtonVisible(int I, bool Value);
  virtual void SetCancelCancel(bool Value);
  virtual void SetShowDivider(bool Value);
  virtual bool GetOKDefault() const;
  virtual void SetOKDefault(bool Value);

protected:
  void paintEvent(QPaintEvent *Event) override;
  void resizeEvent(QResizeEvent *Event) override;
  void changeEvent(QEvent *Event) override;
  bool eventFilter(QObject *Watched, QEvent *Event) override;

  // Clicks of button I: the action, then the event, then the modal result.
  void ButtonClicked(int I);
  virtual void DoClick(int I);
  void SetButtons(const std::array<TButton *, ButtonCount> &Buttons);

  bool FShowDivider = false;
  bool FShowGlyphs = false;
  int FButtonHeight = 25;
  int FButtonWidth = 75;
  std::array<TButton *, ButtonCount> FButtons{};
  std::array<int, ButtonCount> FWidths{};

private:
  static bool ValidIndex(int I) { return I >= 1 && I <= ButtonCount; }
  void UpdateCancelShortcut();

  TAlign FAlign = alBottom;
  bool FCancelCancel = true;
  QShortcut *FCancelShortcut = nullptr;
};

class TBaseDialogButtons : public TCustomDialogButtons {
  Q_OBJECT

public:
  using TCustomDialogButtons::TCustomDialogButtons;
};

// The button bar dialogs use: OK (the default button), Cancel (answers
// Escape), Apply and a hidden Help button.
class TDialogButtons : public TBaseDialogButtons {
  Q_OBJECT
  Q_PROPERTY(QAction *ActionOk READ ActionOk WRITE SetActionOk)
  Q_PROPERTY(QAction *ActionCancel READ ActionCancel WRITE SetActionCancel)
  Q_PROPERTY(QAction *ActionApply READ ActionApply WRITE SetActionApply)
  Q_PROPERTY(QAction *ActionHelp READ ActionHelp WRITE SetActionHelp)
  Q_PROPERTY(QString CaptionOk READ CaptionOk WRITE SetCaptionOk)
  Q_PROPERTY(QString CaptionCancel READ CaptionCancel WRITE SetCaptionCancel)
  Q_PROPERTY(QString CaptionApply READ CaptionApply WRITE SetCaptionApply)
  Q_PROPERTY(QString CaptionHelp READ CaptionHelp WRITE SetCaptionHelp)
  Q_PROPERTY(bool EnableOk READ EnableOk WRITE SetEnableOk)
  Q_PROPERTY(bool EnableCancel READ EnableCancel WRITE SetEnableCancel)
  Q_PROPERTY(bool EnableApply READ EnableApply WRITE SetEnableApply)
  Q_PROPERTY(bool EnableHelp READ EnableHelp WRITE SetEnableHelp)
  Q_PROPERTY(bool ElevationRequiredOk READ ElevationRequiredOk WRITE SetElevationRequiredOk)
  Q_PROPERTY(
      bool ElevationRequiredApply READ ElevationRequiredApply WRITE SetElevationRequiredApply)
  Q_PROPERTY(int ModalResultOk READ ModalResultOk WRITE SetModalResultOk)
  Q_PROPERTY(int ModalResultCancel READ ModalResultCancel WRITE SetModalResultCancel)
  Q_PROPERTY(int ModalResultApply READ ModalResultApply WRITE SetModalResultApply)
  Q_PROPERTY(int ModalResultHelp READ ModalResultHelp WRITE SetModalResultHelp)
  Q_PROPERTY(bool ShowOKButton READ ShowOKButton WRITE SetShowOKButton)
  Q_PROPERTY(bool ShowCancelButton READ ShowCancelButton WRITE SetShowCancelButton)
  Q_PROPERTY(bool ShowApplyButton READ ShowApplyButton WRITE SetShowApplyButton)
  Q_PROPERTY(bool ShowHelpButton READ ShowHelpButton WRITE SetShowHelpButton)
  Q_PROPERTY(int WidthOk READ WidthOk WRITE SetWidthOk)
  Q_PROPERTY(int WidthCancel READ WidthCancel WRITE SetWidthCancel)
  Q_PROPERTY(int WidthApply READ WidthApply WRITE SetWidthApply)
  Q_PROPERTY(int WidthHelp READ WidthHelp WRITE SetWidthHelp)
  Q_PROPERTY(bool CancelCancel READ GetCancelCancel WRITE SetCancelCancel)
  Q_PROPERTY(bool OKDefault READ GetOKDefault WRITE SetOKDefault)
  Q_PROPERTY(bool ShowDivider READ ShowDivider WRITE SetShowDivider)

public:
  explicit TDialogButtons(QWidget *AOwner = nullptr);

  TButton *BtnOK() const { return FBtnOk; }
  TButton *BtnCancel() const { return FBtnCancel; }
  TButton *BtnApply() const { return FBtnApply; }
  TButton *BtnHelp() const { return FBtnHelp; }

#define LINGROVE_BUTTON_PROPERTIES(Name, Index)                                                    \
  QAction *Action##Name() const {                                                                  \
    return GetButtonAction(Index);                                                                 \
  }                                                                                                \
  void SetAction##Name(QAction *V) {                                                               \
    SetButtonAction(Index, V);                                                                     \
  }                                                                                                \
  QString Caption##Name() const {                                                                  \
    return GetButtonCaption(Index);                                                                \
  }                                                                                                \
  void SetCaption##Name(const QString &V) {                                                        \
    SetButtonCaption(Index, V);                                                                    \
  }                                                                                                \
  bool Enable##Name() const {                                                                      \
    return GetButtonEnabled(Index);                                                                \
  }                                                                                                \
  void SetEnable##Name(bool V) {                                                                   \
    SetButtonEnabled(Index, V);                                                                    \
  }                                                                                                \
  int ModalResult##Name() const {                                                                  \
    return GetButtonModalResult(Index);                                                            \
  }                                                                                                \
  void SetModalResult##Name(int V) {                                                               \
    SetButtonModalResult(Index, V);                                                                \
  }                                                                                                \
  int Width##Name() const {                                                                        \
    return GetButtonWidth(Index);                                                                  \
  }                                                                                                \
  void SetWidth##Name(int V) {                                                                     \
    SetButtonWidth(Index, V);                                                                      \
  }
  LINGROVE_BUTTON_PROPERTIES(Ok, 1)
  LINGROVE_BUTTON_PROPERTIES(Cancel, 2)
  LINGROVE_BUTTON_PROPERTIES(Apply, 3)
  LINGROVE_BUTTON_PROPERTIES(Help, 4)
#undef LINGROVE_BUTTON_PROPERTIES

  bool ShowOKButton() const {
    return GetButtonVisible(1);
  }
  void SetShowOKButton(bool V) {
    SetButtonVisible(1, V);
  }
  bool ShowCancelButton() const {
    return GetButtonVisible(2);
  }
  void SetShowCancelButton(bool V) {
    SetButtonVisible(2, V);
  }
  bool ShowApplyButton() const {
    return GetButtonVisible(3);
  }
  void SetShowApplyButton(bool V) {
    SetButtonVisible(3, V);
  }
  bool ShowHelpButton() const {
    return GetButtonVisible(4);
  }
  void SetShowHelpButton(bool V) {
    SetButtonVisible(4, V);
  }
  bool ElevationRequiredOk() const {
    return GetButtonElevationRequired(1);
  }
  void SetElevationRequiredOk(bool V) {
    SetButtonElevationRequired(1, V);
  }
  bool ElevationRequiredApply() const {
    return GetButtonElevationRequired(3);
  }
  void SetElevationRequiredApply(bool V) {
    SetButtonElevationRequired(3, V);
  }

Q_SIGNALS:
  // Fired after a click, with the bar as sender.
  void OnClickOk(QObject *Sender);
  void OnClickCancel(QObject *Sender);
  void OnClickApply(QObject *Sender);
  void OnClickHelp(QObject *Sender);

protected:
  void CreateButtons() override;
  void DoClick(int I) override;
  virtual void DoClickOk();
  virtual void DoClickCancel();
  virtual void DoClickApply();
  virtual void DoClickHelp();

private:
  TButton *FBtnOk = nullptr;
  TButton *FBtnCancel = nullptr;
  TButton *FBtnApply = nullptr;
  TButton *FBtnHelp = nullptr;
};

// A one-pixel line along the top of its parent; with Gradient on it fades
// out towards both ends.
class TSeparator : public QWidget {
  Q_OBJECT

public:
  explicit TSeparator(QWidget *Parent);

  bool Gradient() const { return FGradient; }
  void SetGradient(bool Value);

protected:
  void paintEvent(QPaintEvent *Event) override;
  bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
  void Dock();
  bool FGradient = false;
};
