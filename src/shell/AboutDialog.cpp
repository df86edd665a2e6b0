#include "AboutDialog.h"

#include "AboutBanner.h"
#include "DialogButtons.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "LinkLabel.h"
#include "UrlOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QUrl>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcAboutDialog, "lingrove.shell.about")

namespace {

const QString SectionName = QStringLiteral("UI.Dialog.About");

// Only the captions are the translator's: the buttons take their texts from
// constants, and the version number and the maker's name are no words.
const QStringList IgnoreMasks = {
    QStringLiteral("DialogButtons.*"),
    QStringLiteral("*.VersionNumberLabel.*"),
    QStringLiteral("*.MakerLabel.*"),
};

const QString LicenseFileBaseName = QStringLiteral("License.txt");
const QString MakerName = QStringLiteral("Brisel Solutions");

// Designed at 96 DPI in Tahoma, height -11, as every form of the program;
// the framework replaces it by the system font.
constexpr int DesignedFontHeight = 11;
constexpr int ContentMarginX = 20;
constexpr int ContentMarginTop = 16;
constexpr int ContentMarginBottom = 18;
constexpr int LineSpacing = 4;
constexpr int LinkGap = 10;

QLabel *NewLabel(const QString &Text, const QString &Name, QWidget *Parent) {
  auto *Label = new QLabel(Text, Parent);
  Label->setObjectName(Name);
  Label->setTextFormat(Qt::PlainText);
  return Label;
}

} // namespace

TUIAboutDialog::TUIAboutDialog(QWidget *AOwner, const QString &ProgramFolder)
    : TDialogForm(AOwner),
      FLicenseFile(LicenseFileName(ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                           : ProgramFolder)) {
  setObjectName(SectionName);
  setWindowTitle(QStringLiteral("About Lingrove"));
  setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) |
                 Qt::MSWindowsFixedSizeDialogHint);
  QFont Font(QStringLiteral("Tahoma"));
  Font.setPixelSize(DesignedFontHeight);
  setFont(Font);
  SetPosition(poOwnerFormCenter);
  SetSavePosition(false);

  // The layout fixes the dialog at the size its content asks for, again
  // whenever a caption changes.
  auto *Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->setSizeConstraint(QLayout::SetFixedSize);

  TitlePicture = new TAboutBanner(this);
  TitlePicture->setObjectName(QStringLiteral("TitlePicture"));
  Layout->addWidget(TitlePicture);

  auto *Content = new QWidget(this);
  Content->setObjectName(QStringLiteral("ContentPanel"));
  auto *Lines = new QVBoxLayout(Content);
  Lines->setContentsMargins(ContentMarginX, ContentMarginTop, ContentMarginX, ContentMarginBottom);
  Lines->setSpacing(LineSpacing);
  FVersionRow = new QHBoxLayout;
  FVersionRow->setContentsMargins(0, 0, 0, 0);
  VersionLabel = NewLabel(QStringLiteral("Version:"), QStringLiteral("VersionLabel"), Content);
  VersionLabel->setIndent(TLinkLabel::FocusMargin);
  VersionNumberLabel = NewLabel(QCoreApplication::applicationVersion(),
                                QStringLiteral("VersionNumberLabel"), Content);
  VersionNumberLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  FVersionRow->addWidget(VersionLabel);
  FVersionRow->addWidget(VersionNumberLabel);
  FVersionRow->addStretch(1);
  Lines->addLayout(FVersionRow);
  MakerLabel = NewLabel(MakerName, QStringLiteral("MakerLabel"), Content);
  MakerLabel->setIndent(TLinkLabel::FocusMargin);
  Lines->addWidget(MakerLabel);
  Lines->addSpacing(LinkGap);
  LicenseLink = new TLinkLabel(QStringLiteral("View the End User License Agreement"), Content);
  LicenseLink->setObjectName(QStringLiteral("LicenseLink"));
  LicenseLink->setVisible(QFileInfo(FLicenseFile).isFile());
  Lines->addWidget(LicenseLink, 0, Qt::AlignLeft);
  connect(LicenseLink, &TLinkLabel::Activated, this, &TUIAboutDialog::LicenseLinkClick);
  Layout->addWidget(Content);

  DialogButtons = new TDialogButtons(this);
  DialogButtons->setObjectName(QStringLiteral("DialogButtons"));
  auto *Separator = new TSeparator(DialogButtons);
  Separator->setObjectName(QStringLiteral("Separator"));
  Separator->SetGradient(true);
  DialogButtons->SetShowCancelButton(false);
  DialogButtons->SetShowApplyButton(false);
  DialogButtons->SetShowHelpButton(false);
  DialogButtons->SetModalResultOk(mrOk);
  DialogButtons->SetOKDefault(true);
  Layout->addWidget(DialogButtons);
  QWidget::setTabOrder(LicenseLink, DialogButtons->BtnOK());
  DialogButtons->BtnOK()->setFocus();

  CreateLangController();
}

TUIAboutDialog::~TUIAboutDialog() = default;

void TUIAboutDialog::CreateLangController() {
  ZrLanguageController = TZrLanguageController::CreateLoaded(
      this, QStringLiteral("ZrLanguageController"), SectionName, IgnoreMasks);
  connect(ZrLanguageController, &TZrLanguageController::OnLanguageChanged, this,
          [this] { UpdateCaptions(); });
}

void TUIAboutDialog::Execute(QWidget *AOwner) {
  auto Dialog = CreateForm<TUIAboutDialog>(AOwner);
  Dialog->exec();
}

QString TUIAboutDialog::LicenseFileName(const QString &ProgramFolder) {
  return QDir(ProgramFolder).filePath(LicenseFileBaseName);
}

void TUIAboutDialog::UpdateCaptions() {
  TDialogForm::UpdateCaptions();
  DialogButtons->SetCaptionOk(LangConstant(u"SDialogButtonOK"));
}

void TUIAboutDialog::UpdateSize() {
  TDialogForm::UpdateSize();
  // The number follows its caption as if after one blank, in the font the
  // framework chose.
  FVersionRow->setSpacing(fontMetrics().horizontalAdvance(u' '));
  layout()->activate();
}

void TUIAboutDialog::LicenseLinkClick() {
  const QUrl Url = QUrl::fromLocalFile(QFileInfo(FLicenseFile).absoluteFilePath());
  if (!OpenUrl(Url))
    qCWarning(lcAboutDialog) << "The desktop cannot open" << Url;
}
