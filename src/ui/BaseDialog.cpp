#include "BaseDialog.h"

#include "Action.h"
#include "AlignLayout.h"
#include "Localization.h"
#include "ManualHelp.h"
#include "SizeGrip.h"
#include "UIGuard.h"

#include <QActionGroup>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcBaseDialog, "lingrove.ui.dialog")

namespace {

// Designed at 96 DPI in Tahoma, height -11.
constexpr int DesignedClientWidth = 624;
constexpr int DesignedClientHeight = 441;
constexpr int DesignedFontHeight = 11;
constexpr int PanelMargin = 8;

} // namespace

TUIBaseDialog::TUIBaseDialog(QWidget *AOwner) : TDialogForm(AOwner) {
  setObjectName(QStringLiteral("UIBaseDialog"));
  QFont Font(QStringLiteral("Tahoma"));
  Font.setPixelSize(DesignedFontHeight);
  setFont(Font);
  SetPosition(poOwnerFormCenter);

  FLayout = new TAlignLayout(this);
  DialogButtons = new TDialogButtons(this);
  DialogButtons->setObjectName(QStringLiteral("DialogButtons"));
  FLayout->AddWidget(DialogButtons, alBottom);
  Separator = new TSeparator(DialogButtons);
  Separator->setObjectName(QStringLiteral("Separator"));
  Separator->SetGradient(true);
  DialogPanel = new QWidget(this);
  DialogPanel->setObjectName(QStringLiteral("DialogPanel"));
  FLayout->AddWidget(DialogPanel, alClient,
                     QMargins(PanelMargin, PanelMargin, PanelMargin, PanelMargin));

  ActionList = new QActionGroup(this);
  ActionList->setObjectName(QStringLiteral("ActionList"));
  ActionList->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
  ActionApply = NewAction(QStringLiteral("ActionApply"), QStringLiteral("&Apply"));
  ActionApply->setEnabled(false);
  ActionCancel = NewAction(QStringLiteral("ActionCancel"), QStringLiteral("Cancel"));
  ActionOK = NewAction(QStringLiteral("ActionOK"), QStringLiteral("&OK"));
  ActionHelp = NewAction(QStringLiteral("ActionHelp"), QStringLiteral("&Help"));
  connect(ActionOK, &QAction::triggered, this, &TUIBaseDialog::ActionOKExecute);
  connect(ActionCancel, &QAction::triggered, this, &TUIBaseDialog::ActionCancelExecute);
  connect(ActionHelp, &QAction::triggered, this, [this] {
    if (!FHelpTopic.isEmpty())
      TUIGuard::Run(this, [this] { ShowManualTopic(FHelpTopic); });
  });

  DialogButtons->SetActionOk(ActionOK);
  DialogButtons->SetActionCancel(ActionCancel);
  DialogButtons->SetActionApply(ActionApply);
  DialogButtons->SetActionHelp(ActionHelp);
  DialogButtons->SetCaptionOk(QStringLiteral("&OK"));
  DialogButtons->SetCaptionCancel(QStringLiteral("Cancel"));
  DialogButtons->SetCaptionApply(QStringLiteral("&Apply"));
  DialogButtons->SetCaptionHelp(QStringLiteral("&Help"));
  DialogButtons->SetEnableApply(false);
  DialogButtons->SetModalResultOk(mrOk);
  DialogButtons->SetModalResultCancel(mrCancel);
  DialogButtons->SetModalResultApply(mrNone);
  DialogButtons->SetModalResultHelp(mrNone);
  DialogButtons->SetShowHelpButton(true);
  ActionHelp->setEnabled(false);

  resize(DesignedClientWidth, DesignedClientHeight);
}

TUIBaseDialog::~TUIBaseDialog() = default;

TAction *TUIBaseDialog::NewAction(const QString &Name, const QString &Caption) {
  auto *Action = new TAction(Caption, this);
  Action->setObjectName(Name);
  Action->SetCategory(QStringLiteral("Buttons"));
  ActionList->addAction(Action);
  addAction(Action);
  return Action;
}

void TUIBaseDialog::SetDialogType(TDialogType Value) {
  if (Value == FDialogType)
    return;
  FDialogType = Value;
  UpdateCaptions();
}

void TUIBaseDialog::SetIsDirty(bool Value) {
  if (Loading() || Value == IsDirty())
    return;
  TDialogForm::SetIsDirty(Value);
  ActionApply->setEnabled(Value);
}

void TUIBaseDialog::SetHelpTopic(const QString &Topic) {
  FHelpTopic = Topic;
  ActionHelp->setEnabled(!Topic.isEmpty());
}

QMargins TUIBaseDialog::DialogPanelMargins() const {
  return FLayout->Margins(DialogPanel);
}

void TUIBaseDialog::SetDialogPanelMargins(const QMargins &Value) {
  FLayout->SetMargins(DialogPanel, Value);
}

void TUIBaseDialog::ActionOKExecute() {}

void TUIBaseDialog::ActionCancelExecute() {}

void TUIBaseDialog::UpdateMargins() {
  TDialogForm::UpdateMargins();
  const int Margin = ScaleValue(PanelMargin);
  auto Scaled = [Margin](int Value) { return Value != 0 ? Margin : 0; };
  const QMargins M = DialogPanelMargins();
  SetDialogPanelMargins(
      QMargins(Scaled(M.left()), Scaled(M.top()), Scaled(M.right()), Scaled(M.bottom())));
}

void TUIBaseDialog::UpdateCaptions() {
  TDialogForm::UpdateCaptions();
  ActionOK->setText(Localizer::Translate(u"SDialogButtonOK", QStringLiteral("&OK")));
  ActionCancel->setText(Localizer::Translate(u"SDialogButtonCancel", QStringLiteral("&Cancel")));
  ActionApply->setText(Localizer::Translate(u"SDialogButtonApply", QStringLiteral("Apply")));
  ActionHelp->setText(Localizer::Translate(u"SDialogButtonHelp", QStringLiteral("&Help")));
}

void TUIBaseDialog::UpdateSize() {
  TDialogForm::UpdateSize();
  // Place the panel with its current margins first. Qt sizes a window by
  // its client area, so the frame adds nothing here.
  FLayout->activate();
  const int H =
      DialogPanel->height() + DialogPanel->y() + ScaleValue(PanelMargin) + DialogButtons->height();
  qCDebug(lcBaseDialog, "x: %d, y: %d, Self.Height: %d, Result: %d", DialogPanel->x(),
          DialogPanel->y(), height(), H);
  setMinimumHeight(H);
  resize(width(), H);
}

void TUIBaseDialog::Construct() {
  TDialogForm::Construct();
  SizeGrip()->SetTargetControl(DialogButtons);
}
