#include "OptionsDialog.h"

#include "Action.h"
#include "AppAttribs.h"
#include "DialogControls.h"
#include "DocumentRecovery.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "PersonalWordList.h"
#include "SpellingSession.h"
#include "TranslationChecks.h"
#include "UIGuard.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString SectionName = QStringLiteral("Dialog.Options");

// Texts set from constants, and the values the dialog shows.
const QStringList IgnoreMasks = {
    QStringLiteral("*.Category"),        QStringLiteral("Action*.*"),
    QStringLiteral("DialogButtons.*"),   QStringLiteral(".windowTitle"),
    QStringLiteral("*.currentText"),     QStringLiteral("*.Check_*.text"),
    QStringLiteral("*.CheckLine_*.text"), QStringLiteral("*.WordsLabel.text"),
    QStringLiteral("*.RecoveryFolderEdit.*"), QStringLiteral("*.MemoryPathEdit.*"),
    QStringLiteral("*.MemoryStatsLabel.text"), QStringLiteral("*.suffix"),
};

// Designed client size at 96 DPI.
constexpr int DesignedWidth = 560;
constexpr int DesignedHeight = 380;

// The pages in the order of the list, each with the constant naming it.
const char16_t *const PageCaptions[] = {u"SOptionsPageGeneral", u"SOptionsPageChecks",
                                        u"SOptionsPageSpelling", u"SOptionsPageRecovery",
                                        u"SOptionsPageMemory"};

// The constants naming a check and saying what it catches, by identifier.
QString CheckConstant(const TTranslationCheckInfo &Info, const char16_t *Kind) {
  QString Id = QString::fromUtf16(Info.Id);
  Id[0] = Id[0].toUpper();
  return QString::fromUtf16(Kind) + Id;
}

QLabel *NewLabel(const QString &Text, const char *Name, QWidget *Parent) {
  auto *Label = new QLabel(Text, Parent);
  Label->setObjectName(QLatin1StringView(Name));
  Label->setWordWrap(true);
  return Label;
}

} // namespace

TUIOptionsDialog::TUIOptionsDialog(QWidget *AOwner) : TUIBaseDialog(AOwner) {
  setObjectName(QStringLiteral("UIOptionsDialog"));
  resize(DesignedWidth, DesignedHeight);

  auto *Panel = new QHBoxLayout(DialogPanel);
  Panel->setContentsMargins(0, 0, 0, 0);
  Panel->setSpacing(10);
  PageList = new QListWidget(DialogPanel);
  PageList->setObjectName(QStringLiteral("PageList"));
  for (int I = 0; I < int(std::size(PageCaptions)); ++I)
    PageList->addItem(QString());
  PageList->setMaximumWidth(150);
  Pages = new QStackedWidget(DialogPanel);
  Pages->setObjectName(QStringLiteral("Pages"));
  Panel->addWidget(PageList);
  Panel->addWidget(Pages, 1);

  QWidget *Page = NewPage("GeneralPage");
  auto *Grid = new QGridLayout(Page);
  LanguageLabel = NewLabel(QStringLiteral("&Interface language:"), "LanguageLabel", Page);
  LanguageCombo = new QComboBox(Page);
  LanguageCombo->setObjectName(QStringLiteral("LanguageCombo"));
  LanguageLabel->setBuddy(LanguageCombo);
  EncodingLabel =
      NewLabel(QStringLiteral("&Encoding of new translations:"), "EncodingLabel", Page);
  EncodingCombo = new QComboBox(Page);
  EncodingCombo->setObjectName(QStringLiteral("EncodingCombo"));
  for (int I = 0; I < 3; ++I)
    EncodingCombo->addItem(QString());
  EncodingLabel->setBuddy(EncodingCombo);
  AskEncodingCheck = new TWrapCheckBox(
      QStringLiteral("Ask before saving in an encoding that &differs from the source's"), Page);
  AskEncodingCheck->setObjectName(QStringLiteral("AskEncodingCheck"));
  AskSaveWithErrorsCheck =
      new TWrapCheckBox(QStringLiteral("Ask before saving a translation with e&rrors"), Page);
  AskSaveWithErrorsCheck->setObjectName(QStringLiteral("AskSaveWithErrorsCheck"));
  Grid->addWidget(LanguageLabel, 0, 0);
  Grid->addWidget(LanguageCombo, 1, 0);
  Grid->addWidget(EncodingLabel, 2, 0);
  Grid->addWidget(EncodingCombo, 3, 0);
  Grid->addWidget(AskEncodingCheck, 4, 0);
  Grid->addWidget(AskSaveWithErrorsCheck, 5, 0);
  Grid->setRowStretch(6, 1);

  Page = NewPage("ChecksPage");
  Grid = new QGridLayout(Page);
  ChecksLabel = NewLabel(QStringLiteral("Checks run on every translated entry:"), "ChecksLabel",
                         Page);
  Grid->addWidget(ChecksLabel, 0, 0);
  int Row = 1;
  for (const TTranslationCheckInfo &Info : TranslationCheckInfos()) {
    if (Info.Check == tcSpelling)
      continue;
    const QString Id = QString::fromUtf16(Info.Id);
    auto *Box = new QCheckBox(Page);
    Box->setObjectName(QStringLiteral("Check_") + Id);
    QLabel *Line = NewLabel(QString(), "", Page);
    Line->setObjectName(QStringLiteral("CheckLine_") + Id);
    Line->setIndent(20);
    Line->setForegroundRole(QPalette::PlaceholderText);
    CheckBoxes.append(Box);
    Grid->addWidget(Box, Row++, 0);
    Grid->addWidget(Line, Row++, 0);
  }
  Grid->setRowStretch(Row, 1);

  Page = NewPage("SpellingPage");
  Grid = new QGridLayout(Page);
  SpellingCheck = new TWrapCheckBox(
      QStringLiteral("Check &spelling as you type and with the other checks"), Page);
  SpellingCheck->setObjectName(QStringLiteral("SpellingCheck"));
  WordsLabel = NewLabel(QString(), "WordsLabel", Page);
  WordsList = new QListWidget(Page);
  WordsList->setObjectName(QStringLiteral("WordsList"));
  WordsList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  WordsLabel->setBuddy(WordsList);
  RemoveWordsButton = new QPushButton(QStringLiteral("Re&move"), Page);
  RemoveWordsButton->setObjectName(QStringLiteral("RemoveWordsButton"));
  Grid->addWidget(SpellingCheck, 0, 0, 1, 2);
  Grid->addWidget(WordsLabel, 1, 0, 1, 2);
  Grid->addWidget(WordsList, 2, 0);
  Grid->addWidget(RemoveWordsButton, 2, 1, Qt::AlignTop);
  Grid->setRowStretch(2, 1);

  Page = NewPage("RecoveryPage");
  Grid = new QGridLayout(Page);
  RecoveryDelayLabel = NewLabel(
      QStringLiteral("Seco&nds after the last change until unsaved work is kept for recovery:"),
      "RecoveryDelayLabel", Page);
  RecoveryDelaySpin = new QSpinBox(Page);
  RecoveryDelaySpin->setObjectName(QStringLiteral("RecoveryDelaySpin"));
  RecoveryDelaySpin->setRange(1, 600);
  RecoveryDelayLabel->setBuddy(RecoveryDelaySpin);
  RecoveryFolderLabel =
      NewLabel(QStringLiteral("Recovery files are kept in this &folder:"), "RecoveryFolderLabel",
               Page);
  RecoveryFolderEdit = new QLineEdit(Page);
  RecoveryFolderEdit->setObjectName(QStringLiteral("RecoveryFolderEdit"));
  RecoveryFolderEdit->setPlaceholderText(QDir::toNativeSeparators(DefaultRecoveryFolder()));
  RecoveryFolderLabel->setBuddy(RecoveryFolderEdit);
  RecoveryFolderButton = new QPushButton(QStringLiteral("&Browse..."), Page);
  RecoveryFolderButton->setObjectName(QStringLiteral("RecoveryFolderButton"));
  Grid->addWidget(RecoveryDelayLabel, 0, 0, 1, 2);
  Grid->addWidget(RecoveryDelaySpin, 1, 0, Qt::AlignLeft);
  Grid->addWidget(RecoveryFolderLabel, 2, 0, 1, 2);
  Grid->addWidget(RecoveryFolderEdit, 3, 0);
  Grid->addWidget(RecoveryFolderButton, 3, 1);
  Grid->setRowStretch(4, 1);

  CreateMemoryPage();

  connect(PageList, &QListWidget::currentRowChanged, Pages, &QStackedWidget::setCurrentIndex);
  PageList->setCurrentRow(0);
  SetHelpTopic(QStringLiteral("program.html#settings"));
  PutButtonsLastInTabOrder(*this, MemoryExportButton);
  PageList->setFocus();

  connect(ActionApply, &QAction::triggered, this, [this] { ApplyChanges(); });
  connect(RemoveWordsButton, &QPushButton::clicked, this, [this] {
    for (QListWidgetItem *Item : WordsList->selectedItems()) {
      FRemovedWords.append(Item->text());
      delete Item;
    }
    Changed();
  });
  for (QComboBox *Combo : {LanguageCombo, EncodingCombo})
    connect(Combo, &QComboBox::currentIndexChanged, this, &TUIOptionsDialog::Changed);
  for (QCheckBox *Box : findChildren<QCheckBox *>())
    connect(Box, &QCheckBox::toggled, this, &TUIOptionsDialog::Changed);
  for (QSpinBox *Spin : {RecoveryDelaySpin, MinSimilaritySpin})
    connect(Spin, &QSpinBox::valueChanged, this, &TUIOptionsDialog::Changed);
  for (QLineEdit *Edit : {RecoveryFolderEdit, MemoryPathEdit})
    connect(Edit, &QLineEdit::textChanged, this, &TUIOptionsDialog::Changed);
  connect(RecoveryFolderButton, &QPushButton::clicked, this,
          &TUIOptionsDialog::BrowseRecoveryFolder);
  connect(SpellingCheck, &QCheckBox::toggled, WordsList, &QWidget::setEnabled);

  ZrLangController = TZrLanguageController::CreateLoaded(this, QStringLiteral("ZrLangController"),
                                                         SectionName, IgnoreMasks);
  connect(ZrLangController, &TZrLanguageController::OnLanguageChanged, this,
          [this] { UpdateCaptions(); });
}

TUIOptionsDialog::~TUIOptionsDialog() = default;

QWidget *TUIOptionsDialog::NewPage(const char *Name) {
  auto *Page = new QWidget(Pages);
  Page->setObjectName(QLatin1StringView(Name));
  Pages->addWidget(Page);
  return Page;
}

void TUIOptionsDialog::Execute(QWidget *AOwner, const QString &SpellingTag,
                               const std::function<void()> &Applied) {
  auto Dialog = CreateForm<TUIOptionsDialog>(AOwner);
  Dialog->Applied = Applied;
  Dialog->Load(SpellingTag);
  Dialog->exec();
}

void TUIOptionsDialog::Load(const QString &SpellingTag) {
  bFilling = true;
  TZrLanguageManager &Manager = LangManager();
  LanguageCombo->clear();
  for (int I = 0; I < Manager.LanguageCount(); ++I) {
    LanguageCombo->addItem(Manager.LanguageNames(I), int(Manager.LanguageIDs(I)));
    if (Manager.LanguageIDs(I) == Attribs->Language())
      LanguageCombo->setCurrentIndex(I);
  }
  LanguageCombo->setEnabled(Manager.LanguageCount() > 1);
  EncodingCombo->setCurrentIndex(int(Attribs->NewTranslationEncoding()));
  AskEncodingCheck->setChecked(!Attribs->IgnoreEncodingConficts());
  AskSaveWithErrorsCheck->setChecked(Attribs->AskSaveWithErrors());
  const TTranslationCheckSet Checks = ChecksWithout(Attribs->DisabledChecks());
  int Box = 0;
  for (const TTranslationCheckInfo &Info : TranslationCheckInfos())
    if (Info.Check != tcSpelling)
      CheckBoxes[Box++]->setChecked(Checks.Contains(Info.Check));
  SpellingCheck->setChecked(Attribs->CheckSpelling());
  FSpellingTag = SpellingTag;
  FRemovedWords.clear();
  WordsList->clear();
  if (!SpellingTag.isEmpty())
    WordsList->addItems(
        TPersonalWordList(TSpellingSession::PersonalWordListFile(SpellingTag)).Words());
  WordsList->setEnabled(SpellingCheck->isChecked());
  RemoveWordsButton->setEnabled(!SpellingTag.isEmpty());
  RecoveryDelaySpin->setValue(Attribs->RecoveryDelay());
  RecoveryFolderEdit->setText(QDir::toNativeSeparators(Attribs->RecoveryFolder()));
  MemoryPathEdit->setText(QDir::toNativeSeparators(Attribs->MemoryPath()));
  MinSimilaritySpin->setValue(Attribs->MemoryMinSimilarity());
  AutoTranslateOnOpenCheck->setChecked(Attribs->AutoTranslateOnOpen());
  bFilling = false;
  UpdateCaptions();
  UpdateMemoryStats();
  SetIsDirty(false);
}

void TUIOptionsDialog::Store() {
  Attribs->SetLanguage(quint16(LanguageCombo->currentData().toInt()));
  Attribs->SetNewTranslationEncoding(TAttribs::TNewEncoding(EncodingCombo->currentIndex()));
  Attribs->SetIgnoreEncodingConficts(!AskEncodingCheck->isChecked());
  Attribs->SetAskSaveWithErrors(AskSaveWithErrorsCheck->isChecked());
  TTranslationCheckSet Checks = TTranslationCheckSet::All();
  int Box = 0;
  for (const TTranslationCheckInfo &Info : TranslationCheckInfos())
    if (Info.Check != tcSpelling && !CheckBoxes[Box++]->isChecked())
      Checks.Exclude(Info.Check);
  Attribs->SetDisabledChecks(DisabledCheckIds(Checks));
  Attribs->SetCheckSpelling(SpellingCheck->isChecked());
  Attribs->SetRecoveryDelay(RecoveryDelaySpin->value());
  Attribs->SetRecoveryFolder(QDir::fromNativeSeparators(RecoveryFolderEdit->text().trimmed()));
  Attribs->SetMemoryPath(QDir::fromNativeSeparators(MemoryPathEdit->text().trimmed()));
  Attribs->SetMemoryMinSimilarity(MinSimilaritySpin->value());
  Attribs->SetAutoTranslateOnOpen(AutoTranslateOnOpenCheck->isChecked());
  Attribs->SaveAttribs();
  if (!FRemovedWords.isEmpty()) {
    TPersonalWordList(TSpellingSession::PersonalWordListFile(FSpellingTag)).Remove(FRemovedWords);
    FRemovedWords.clear();
  }
}

bool TUIOptionsDialog::ApplyChanges() {
  if (!IsDirty())
    return true;
  if (!TUIGuard::Run(this, [this] { Store(); }))
    return false;
  SetIsDirty(false);
  if (Applied)
    Applied();
  return true;
}

void TUIOptionsDialog::ActionOKExecute() {
  ApplyChanges();
}

void TUIOptionsDialog::Changed() {
  if (!bFilling)
    SetIsDirty(true);
}

void TUIOptionsDialog::UpdateCaptions() {
  TUIBaseDialog::UpdateCaptions();
  setWindowTitle(LangConstant(u"SFormCaptionOptions"));
  for (int I = 0; I < int(std::size(PageCaptions)); ++I)
    PageList->item(I)->setText(LangConstant(PageCaptions[I]));
  const char16_t *const Encodings[] = {u"SOptionsEncodingLikeSource", u"SOptionsEncodingAnsi",
                                       u"SOptionsEncodingUnicode"};
  for (int I = 0; I < 3; ++I)
    EncodingCombo->setItemText(I, LangConstant(Encodings[I]));
  int Box = 0;
  for (const TTranslationCheckInfo &Info : TranslationCheckInfos()) {
    if (Info.Check == tcSpelling)
      continue;
    QCheckBox *Check = CheckBoxes[Box++];
    Check->setText(LangConstant(CheckConstant(Info, u"SCheckName")));
    findChild<QLabel *>(QStringLiteral("CheckLine_") + QString::fromUtf16(Info.Id))
        ->setText(LangConstant(CheckConstant(Info, u"SCheckLine")));
  }
  WordsLabel->setText(FSpellingTag.isEmpty()
                          ? LangConstant(u"SOptionsNoDictionary")
                          : LangConstantFmt(u"SOptionsPersonalWords", {FSpellingTag}));
}

void TUIOptionsDialog::UpdateSize() {
  FitDialogToContents(*this);
  TUIBaseDialog::UpdateSize();
}
