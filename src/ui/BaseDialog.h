#pragma once

#include "DialogButtons.h"
#include "Forms.h"

#include <QMargins>

class QActionGroup;
class TAction;
class TAlignLayout;

// The base of the program's dialogs: a content panel with margins of 8
// above a bar with the OK, Cancel, Apply and Help buttons, each linked to an
// action. Dialogs build their content inside DialogPanel; Apply becomes
// available once the dialog is dirty. The Help button is available only in
// dialogs that name their section of the manual (SetHelpTopic).
class TUIBaseDialog : public TDialogForm {
  Q_OBJECT

public:
  explicit TUIBaseDialog(QWidget *AOwner = nullptr);
  ~TUIBaseDialog() override;

  TDialogType DialogType() const { return FDialogType; }
  // Captions depend on the type, so a new type updates them.
  void SetDialogType(TDialogType Value);
  void SetIsDirty(bool Value) override;
  // The dialog's section of the manual ("page.html#anchor", see ManualHelp),
  // which the Help button opens; without one the button is disabled.
  const QString &HelpTopic() const { return FHelpTopic; }
  void SetHelpTopic(const QString &Topic);

  QMargins DialogPanelMargins() const;
  void SetDialogPanelMargins(const QMargins &Value);

  TDialogButtons *DialogButtons;
  TSeparator *Separator;
  QWidget *DialogPanel;
  QActionGroup *ActionList;
  TAction *ActionApply;
  TAction *ActionCancel;
  TAction *ActionOK;
  TAction *ActionHelp;

protected:
  // The buttons' modal results close the dialog; these have nothing to add.
  virtual void ActionOKExecute();
  virtual void ActionCancelExecute();

  void UpdateMargins() override;
  void UpdateCaptions() override;
  void UpdateSize() override;
  void Construct() override;

private:
  TAction *NewAction(const QString &Name, const QString &Caption);

  TDialogType FDialogType = dtDefault;
  QString FHelpTopic;
  TAlignLayout *FLayout;
};
