#include "TransPropsDialog.h"

#include "Action.h"
#include "DialogControls.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "Languages.h"
#include "Params.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString SectionName = QStringLiteral("Dialog.Properties");

// Besides the form's own exclusions: the title comes from a constant and the
// fields hold the translation's values.
const QStringList IgnoreMasks = {
    QStringLiteral("*.Category"),      QStringLiteral("Action*.*"),
    QStringLiteral("DialogButtons.*"), QStringLiteral(".windowTitle"),
    QStringLiteral("*.currentText"),
};

// Designed client size at 96 DPI.
constexpr int DesignedWidth = 418;
constexpr int DesignedHeight = 285;

const QString TargetParam = QStringLiteral("TargetApplication");
const QString AuthorParam = QStringLiteral("Author");

QComboBox *NewLanguageCombo(QWidget *Parent, const char *Name) {
  auto *Combo = new QComboBox(Parent);
  Combo->setObjectName(QLatin1StringView(Name));
  Combo->setMaxVisibleItems(16);
  Combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Combo->setMinimumContentsLength(28);
  Combo->clear();
  const int Count = int(LanguageTable().size());
  for (int I = 0; I < Count; ++I)
    Combo->addItem(LanguageDisplayName(I));
  Combo->setCurrentIndex(-1);
  return Combo;
}

} // namespace

TUITransPropsDialog::TUITransPropsDialog(QWidget *AOwner) : TUIBaseDialog(AOwner) {
  setObjectName(QStringLiteral("UITransPropsDialog"));
  SetSavePosition(false);
  resize(DesignedWidth, DesignedHeight);

  auto *Panel = new QVBoxLayout(DialogPanel);
  Panel->setContentsMargins(0, 0, 0, 0);
  Panel->setSpacing(10);

  auto *LanguageBox =
      new TDialogGroupBox(QStringLiteral("Translation Language"), LanguagesPicture(), DialogPanel);
  LanguageGroup = LanguageBox;
  LanguageGroup->setObjectName(QStringLiteral("LanguageGroup"));
  SourceLanguageLabel = new QLabel(QStringLiteral("&Source Language:"), LanguageGroup);
  SourceLanguageLabel->setObjectName(QStringLiteral("SourceLanguageLabel"));
  SourceLanguageCombo = NewLanguageCombo(LanguageGroup, "SourceLanguageCombo");
  SourceLanguageLabel->setBuddy(SourceLanguageCombo);
  TranslationLanguageLabel = new QLabel(QStringLiteral("&Translation Language:"), LanguageGroup);
  TranslationLanguageLabel->setObjectName(QStringLiteral("TranslationLanguageLabel"));
  TranslationLanguageCombo = NewLanguageCombo(LanguageGroup, "TranslationLanguageCombo");
  TranslationLanguageLabel->setBuddy(TranslationLanguageCombo);
  QGridLayout *Grid = LanguageBox->Content();
  Grid->addWidget(SourceLanguageLabel, 0, 0);
  Grid->addWidget(SourceLanguageCombo, 1, 0);
  Grid->addWidget(TranslationLanguageLabel, 2, 0);
  Grid->addWidget(TranslationLanguageCombo, 3, 0);
  Panel->addWidget(LanguageGroup);

  auto *TranslationBox = new TDialogGroupBox(
      QStringLiteral("Translation Information"),
      DialogPicture("document-properties", QStyle::SP_FileDialogInfoView), DialogPanel);
  TranslationGroup = TranslationBox;
  TranslationGroup->setObjectName(QStringLiteral("TranslationGroup"));
  TargetLabel = new QLabel(QStringLiteral("Tar&get Application && Version:"), TranslationGroup);
  TargetLabel->setObjectName(QStringLiteral("TargetLabel"));
  TargetCombo = new QComboBox(TranslationGroup);
  TargetCombo->setObjectName(QStringLiteral("TargetCombo"));
  TargetCombo->setEditable(true);
  TargetCombo->setInsertPolicy(QComboBox::NoInsert);
  TargetCombo->clear();
  TargetLabel->setBuddy(TargetCombo);
  AuthorLabel = new QLabel(QStringLiteral("Translation &Author:"), TranslationGroup);
  AuthorLabel->setObjectName(QStringLiteral("AuthorLabel"));
  AuthorEdit = new QLineEdit(TranslationGroup);
  AuthorEdit->setObjectName(QStringLiteral("AuthorEdit"));
  AuthorLabel->setBuddy(AuthorEdit);
  Grid = TranslationBox->Content();
  Grid->addWidget(TargetLabel, 0, 0);
  Grid->addWidget(TargetCombo, 1, 0);
  Grid->addWidget(AuthorLabel, 2, 0);
  Grid->addWidget(AuthorEdit, 3, 0);
  Grid->setRowStretch(4, 1);
  Panel->addWidget(TranslationGroup, 1);

  ActionOK->setEnabled(false);
  SetHelpTopic(QStringLiteral("getting-started.html#translation-properties"));
  DialogButtons->SetShowApplyButton(false);
  PutButtonsLastInTabOrder(*this, AuthorEdit);
  SourceLanguageCombo->setFocus();

  // Only the user's choice counts, not the selection the caller makes.
  connect(TranslationLanguageCombo, &QComboBox::activated, this,
          [this] { TranslationLanguageComboChange(TranslationLanguageCombo); });

  CreateLangController();
}

TUITransPropsDialog::~TUITransPropsDialog() = default;

void TUITransPropsDialog::CreateLangController() {
  ZrLangController = TZrLanguageController::CreateLoaded(this, QStringLiteral("ZrLangController"),
                                                         SectionName, IgnoreMasks);
  connect(ZrLangController, &TZrLanguageController::OnLanguageChanged, this,
          [this] { UpdateCaptions(); });
}

bool TUITransPropsDialog::Execute(QWidget *AOwner, quint16 &SourceLangID,
                                  quint16 &TranslationLangID, TZrLang_Params &Params) {
  auto Dialog = CreateForm<TUITransPropsDialog>(AOwner);
  Dialog->SetLCID(SourceLangID);
  Dialog->SetTranslationLCID(TranslationLangID);
  Dialog->SetTargetApplication(Params.Values(TargetParam));
  Dialog->SetAuthor(Params.Values(AuthorParam));
  if (Dialog->exec() != mrOk)
    return false;
  SourceLangID = Dialog->SourceLCID(SourceLangID);
  TranslationLangID = Dialog->TranslationLCID(TranslationLangID);
  Params.Clear();
  Params.SetValue(TargetParam, Dialog->TargetApplication());
  Params.SetValue(AuthorParam, Dialog->Author());
  return true;
}

int TUITransPropsDialog::IndexOfLCID(quint16 LCID) {
  return ::IndexOfLCID(LCID);
}

void TUITransPropsDialog::SetLCID(quint16 LCID) {
  SourceLanguageCombo->setCurrentIndex(IndexOfLCID(LCID));
}

void TUITransPropsDialog::SetTranslationLCID(quint16 LCID) {
  TranslationLanguageCombo->setCurrentIndex(IndexOfLCID(LCID));
}

quint16 TUITransPropsDialog::SourceLCID(quint16 Fallback) const {
  const int Index = SourceLanguageCombo->currentIndex();
  return Index < 0 ? Fallback : LanguageTable()[size_t(Index)].LCID;
}

quint16 TUITransPropsDialog::TranslationLCID(quint16 Fallback) const {
  const int Index = TranslationLanguageCombo->currentIndex();
  return Index < 0 ? Fallback : LanguageTable()[size_t(Index)].LCID;
}

QString TUITransPropsDialog::TargetApplication() const {
  return TargetCombo->currentText();
}

void TUITransPropsDialog::SetTargetApplication(const QString &Value) {
  TargetCombo->setEditText(Value);
}

QString TUITransPropsDialog::Author() const {
  return AuthorEdit->text();
}

void TUITransPropsDialog::SetAuthor(const QString &Value) {
  AuthorEdit->setText(Value);
}

void TUITransPropsDialog::UpdateCaptions() {
  TUIBaseDialog::UpdateCaptions();
  setWindowTitle(LangConstant(u"SFormCaptionProperties"));
}

void TUITransPropsDialog::UpdateSize() {
  FitDialogToContents(*this);
  TUIBaseDialog::UpdateSize();
}

void TUITransPropsDialog::TranslationLanguageComboChange(QObject *) {
  ActionOK->setEnabled(!TranslationLanguageCombo->currentText().isEmpty());
}
