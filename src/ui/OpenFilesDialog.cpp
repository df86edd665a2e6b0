#include "OpenFilesDialog.h"

#include "Action.h"
#include "CommonTypes.h"
#include "DialogControls.h"
#include "LanguageController.h"
#include "LanguageManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString SectionName = QStringLiteral("Dialog.OpenFiles");

// The captions the form owns, and the values its code sets: the title comes
// from a constant and the combos hold file names.
const QStringList IgnoreMasks = {
    QStringLiteral("*.Category"),      QStringLiteral("Action*.*"),
    QStringLiteral("DialogButtons.*"), QStringLiteral(".windowTitle"),
    QStringLiteral("*.currentText"),   QStringLiteral("*.toolTip"),
};

// Designed client size at 96 DPI.
constexpr int DesignedWidth = 584;
constexpr int DesignedHeight = 294;
// How far the rows that belong to a check box or radio button are indented.
constexpr int RowIndent = 20;

QString DefaultOpenFile(QWidget *Owner, const QString &Title, const QString &InitialDir,
                        const QString &Filter) {
  const QString QtFilter = FileDialogFilter(Filter);
  QString Selected = QtFilter.section(QStringLiteral(";;"), 0, 0);
  const QString FileName =
      QFileDialog::getOpenFileName(Owner, Title, InitialDir, QtFilter, &Selected);
  return QDir::toNativeSeparators(FileName);
}

TUIOpenFilesDialog::TOpenFileFunc &OpenFileFunc() {
  static TUIOpenFilesDialog::TOpenFileFunc Func = DefaultOpenFile;
  return Func;
}

QHBoxLayout *IndentedRow(QWidget *Widget) {
  auto *Row = new QHBoxLayout;
  Row->setSpacing(0);
  Row->addSpacing(RowIndent);
  Row->addWidget(Widget, 1);
  return Row;
}

} // namespace

QString TUIOpenFilesDialog::SourceFilter() {
  return LangConstant(u"SFilterSourceFiles");
}

QString TUIOpenFilesDialog::TranslationFilter() {
  return LangConstant(u"SFilterTranslationFiles");
}

QString FileDialogFilter(QStringView Filter) {
  const QList<QStringView> Parts = Filter.split(u'|');
  QStringList Result;
  for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
    QStringView Description = Parts[I].trimmed();
    const QStringView Pattern = Parts[I + 1].trimmed();
    QStringList Patterns;
    for (QStringView P : Pattern.split(u';', Qt::SkipEmptyParts))
      Patterns.append(P.trimmed() == u"*.*" ? QStringLiteral("*") : P.trimmed().toString());
    // A description that shows its pattern shows the one Qt matches with.
    const QString Shown = u'(' + Pattern.toString() + u')';
    if (Description.endsWith(Shown))
      Description = Description.chopped(Shown.size()).trimmed();
    Result.append(Description.toString() + QStringLiteral(" (") + Patterns.join(u' ') + u')');
  }
  return Result.join(QStringLiteral(";;"));
}

TUIOpenFilesDialog::TUIOpenFilesDialog(QWidget *AOwner) : TUIBaseDialog(AOwner) {
  setObjectName(QStringLiteral("UIOpenFilesDialog"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  SetSavePosition(false);
  resize(DesignedWidth, DesignedHeight);

  auto *Panel = new QVBoxLayout(DialogPanel);
  Panel->setContentsMargins(0, 0, 0, 0);
  Panel->setSpacing(10);

  auto *LanguageBox = new TDialogGroupBox(
      QStringLiteral("Language source"),
      DialogPicture("accessories-dictionary", QStyle::SP_FileDialogContentsView), DialogPanel);
  LanguageGroup = LanguageBox;
  LanguageGroup->setObjectName(QStringLiteral("LanguageGroup"));
  SourceFileLabel = new QLabel(QStringLiteral("&Language Source File(s):"), LanguageGroup);
  SourceFileLabel->setObjectName(QStringLiteral("SourceFileLabel"));
  SourceFileCombo = NewFileCombo(LanguageGroup, "SourceFileCombo", mruSource);
  SourceFileLabel->setBuddy(SourceFileCombo);
  SourceFileButton = NewBrowseButton(LanguageGroup, "SourceFileButton");
  auto *DisplayCheck = new TWrapCheckBox(
      QStringLiteral("&Use the following translation file to display the values (instead of "
                     "ones of the source file):"),
      LanguageGroup);
  UseDisplayFileCheck = DisplayCheck;
  UseDisplayFileCheck->setObjectName(QStringLiteral("UseDisplayFileCheck"));
  DisplayFileCombo = NewFileCombo(LanguageGroup, "DisplayFileCombo", mruDisplay);
  DisplayFileButton = NewBrowseButton(LanguageGroup, "DisplayFileButton");
  QGridLayout *Grid = LanguageBox->Content();
  Grid->addWidget(SourceFileLabel, 0, 0, 1, 2);
  Grid->addWidget(SourceFileCombo, 1, 0);
  Grid->addWidget(SourceFileButton, 1, 1);
  Grid->addWidget(UseDisplayFileCheck, 2, 0, 1, 2);
  Grid->addLayout(IndentedRow(DisplayFileCombo), 3, 0);
  Grid->addWidget(DisplayFileButton, 3, 1);
  Grid->setColumnStretch(0, 1);
  Panel->addWidget(LanguageGroup);

  auto *TranslationBox =
      new TDialogGroupBox(QStringLiteral("Translation file"),
                          DialogPicture("x-office-document", QStyle::SP_FileIcon), DialogPanel);
  TranslationGroup = TranslationBox;
  TranslationGroup->setObjectName(QStringLiteral("TranslationGroup"));
  TranslationFileLabel = new QLabel(QStringLiteral("Translation File:"), TranslationGroup);
  TranslationFileLabel->setObjectName(QStringLiteral("TranslationFileLabel"));
  NewTranslationRadio =
      new QRadioButton(QStringLiteral("Create &new translation"), TranslationGroup);
  NewTranslationRadio->setObjectName(QStringLiteral("NewTranslationRadio"));
  NewTranslationRadio->setChecked(true);
  OpenTranslationRadio =
      new QRadioButton(QStringLiteral("Open an e&xisting translation file:"), TranslationGroup);
  OpenTranslationRadio->setObjectName(QStringLiteral("OpenTranslationRadio"));
  TranslationFileCombo = NewFileCombo(TranslationGroup, "TranslationFileCombo", mruTranslation);
  TranslationFileButton = NewBrowseButton(TranslationGroup, "TranslationFileButton");
  Grid = TranslationBox->Content();
  Grid->addWidget(TranslationFileLabel, 0, 0, 1, 2);
  Grid->addWidget(NewTranslationRadio, 1, 0, 1, 2);
  Grid->addWidget(OpenTranslationRadio, 2, 0, 1, 2);
  Grid->addLayout(IndentedRow(TranslationFileCombo), 3, 0);
  Grid->addWidget(TranslationFileButton, 3, 1);
  Grid->setColumnStretch(0, 1);
  Grid->setRowStretch(4, 1);
  Panel->addWidget(TranslationGroup, 1);

  DisplayFileCombo->setEnabled(false);
  DisplayFileButton->setEnabled(false);
  TranslationFileCombo->setEnabled(false);
  TranslationFileButton->setEnabled(false);

  ActionOK->setEnabled(false);
  SetHelpTopic(QStringLiteral("getting-started.html#open-dialog"));
  DialogButtons->SetShowApplyButton(false);

  PutButtonsLastInTabOrder(*this, TranslationFileButton);
  SourceFileCombo->setFocus();

  connect(UseDisplayFileCheck, &QCheckBox::toggled, this,
          [this] { UpdateControls(UseDisplayFileCheck); });
  for (QRadioButton *Radio : {NewTranslationRadio, OpenTranslationRadio})
    connect(Radio, &QRadioButton::toggled, this, [this, Radio](bool Checked) {
      if (Checked)
        UpdateControls(Radio);
    });
  for (QComboBox *Combo : {SourceFileCombo, DisplayFileCombo, TranslationFileCombo})
    connect(Combo, &QComboBox::currentTextChanged, this, [this, Combo] { FileComboChange(Combo); });
  connect(SourceFileButton, &QPushButton::clicked, this, [this] { SourceFileButtonClick(); });
  connect(DisplayFileButton, &QPushButton::clicked, this, [this] { DisplayFileButtonClick(); });
  connect(TranslationFileButton, &QPushButton::clicked, this,
          [this] { TranslationFileButtonClick(); });
  connect(DialogButtons, &TDialogButtons::OnClickOk, this, [this] { DialogButtonsClickOk(); });

  CreateLangController();
}

TUIOpenFilesDialog::~TUIOpenFilesDialog() = default;

QComboBox *TUIOpenFilesDialog::NewFileCombo(QWidget *Parent, const char *Name, TMRUKind Kind) {
  auto *Combo = new QComboBox(Parent);
  Combo->setObjectName(QLatin1StringView(Name));
  Combo->setEditable(true);
  Combo->setInsertPolicy(QComboBox::NoInsert);
  Combo->setMaxVisibleItems(MRUMaxCount);
  // Long paths in the history must not widen the dialog.
  Combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Combo->setMinimumContentsLength(24);
  Combo->clear();
  Combo->addItems(LoadMRUList(Kind));
  Combo->setCurrentIndex(-1);
  Combo->clearEditText();
  return Combo;
}

QPushButton *TUIOpenFilesDialog::NewBrowseButton(QWidget *Parent, const char *Name) {
  auto *Button = new QPushButton(QStringLiteral("Browse"), Parent);
  Button->setObjectName(QLatin1StringView(Name));
  Button->setAutoDefault(false);
  Button->setMinimumWidth(75);
  return Button;
}

void TUIOpenFilesDialog::CreateLangController() {
  ZrLanguageController = TZrLanguageController::CreateLoaded(
      this, QStringLiteral("ZrLanguageController"), SectionName, IgnoreMasks);
  connect(ZrLanguageController, &TZrLanguageController::OnLanguageChanged, this,
          [this] { UpdateCaptions(); });
}

bool TUIOpenFilesDialog::Execute(QWidget *AOwner, QString &SourceFile, QString &DisplayFile,
                                 QString &TranslationFile) {
  auto Dialog = CreateForm<TUIOpenFilesDialog>(AOwner);
  if (Dialog->exec() != mrOk)
    return false;
  SourceFile = Dialog->SourceFileName();
  DisplayFile = Dialog->DisplayFileName();
  TranslationFile = Dialog->TranslationFileName();
  return true;
}

QString TUIOpenFilesDialog::SourceFileName() const {
  return SourceFileCombo->currentText();
}

QString TUIOpenFilesDialog::DisplayFileName() const {
  return UseDisplayFileCheck->isChecked() ? DisplayFileCombo->currentText() : QString();
}

QString TUIOpenFilesDialog::TranslationFileName() const {
  return OpenTranslationRadio->isChecked() ? TranslationFileCombo->currentText() : QString();
}

void TUIOpenFilesDialog::SetOpenFileFunc(TOpenFileFunc Func) {
  OpenFileFunc() = Func ? std::move(Func) : TOpenFileFunc(DefaultOpenFile);
}

void TUIOpenFilesDialog::UpdateCaptions() {
  TUIBaseDialog::UpdateCaptions();
  setWindowTitle(LangConstant(u"SFormCaptionOpenFiles"));
}

void TUIOpenFilesDialog::UpdateSize() {
  // Browse buttons line up with the combos beside them.
  for (QPushButton *Button : {SourceFileButton, DisplayFileButton, TranslationFileButton})
    Button->setFixedHeight(SourceFileCombo->sizeHint().height() + 2);
  FitDialogToContents(*this);
  TUIBaseDialog::UpdateSize();
}

bool TUIOpenFilesDialog::CanAccept() const {
  return IsNotEmptyStr(SourceFileCombo->currentText()) &&
         (!UseDisplayFileCheck->isChecked() || IsNotEmptyStr(DisplayFileCombo->currentText())) &&
         (NewTranslationRadio->isChecked() || (OpenTranslationRadio->isChecked() &&
                                               IsNotEmptyStr(TranslationFileCombo->currentText())));
}

void TUIOpenFilesDialog::UpdateOK() {
  ActionOK->setEnabled(CanAccept());
}

void TUIOpenFilesDialog::UpdateControls(QObject *Sender) {
  const bool UseDisplay = UseDisplayFileCheck->isChecked();
  DisplayFileCombo->setEnabled(UseDisplay);
  DisplayFileButton->setEnabled(UseDisplay);
  const bool OpenExisting = OpenTranslationRadio->isChecked();
  TranslationFileCombo->setEnabled(OpenExisting);
  TranslationFileButton->setEnabled(OpenExisting);
  if (Sender == OpenTranslationRadio)
    TranslationFileCombo->setFocus();
  UpdateOK();
}

void TUIOpenFilesDialog::FileComboChange(QObject *Sender) {
  const auto *Combo = qobject_cast<const QComboBox *>(Sender);
  if (Combo && QFileInfo(Combo->currentText()).isFile())
    UpdateOK();
}

void TUIOpenFilesDialog::Browse(QComboBox *Combo, TMRUKind Kind, QStringView TitleConstant,
                                const QString &Filter) {
  const QString FileName =
      OpenFileFunc()(this, LangConstant(TitleConstant), QDir::currentPath(), Filter);
  // A cancelled choice empties the field.
  Combo->setEditText(FileName);
  if (IsNotEmptyStr(Combo->currentText()))
    UpdateMRUList(Combo->currentText(), Kind, true);
  UpdateOK();
}

void TUIOpenFilesDialog::SourceFileButtonClick() {
  Browse(SourceFileCombo, mruSource, u"SCaptionSelectSourceFile", SourceFilter());
}

void TUIOpenFilesDialog::DisplayFileButtonClick() {
  Browse(DisplayFileCombo, mruDisplay, u"SCaptionSelectDisplayFile", TranslationFilter());
}

void TUIOpenFilesDialog::TranslationFileButtonClick() {
  Browse(TranslationFileCombo, mruTranslation, u"SCaptionSelectTranslationFile",
         TranslationFilter());
}

void TUIOpenFilesDialog::DialogButtonsClickOk() {
  if (IsNotEmptyStr(SourceFileCombo->currentText()))
    UpdateMRUList(SourceFileCombo->currentText(), mruSource, true);
  if (UseDisplayFileCheck->isChecked() && IsNotEmptyStr(DisplayFileCombo->currentText()))
    UpdateMRUList(DisplayFileCombo->currentText(), mruDisplay, true);
  if (OpenTranslationRadio->isChecked() && IsNotEmptyStr(TranslationFileCombo->currentText()))
    UpdateMRUList(TranslationFileCombo->currentText(), mruTranslation, true);
}
