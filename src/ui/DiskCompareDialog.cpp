#include "DiskCompareDialog.h"

#include "Action.h"
#include "DiskDifferencesModel.h"
#include "LanguageController.h"
#include "LanguageManager.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString SectionName = QStringLiteral("Dialog.DiskCompare");

// Besides the form's own exclusions: the title, the buttons and the count
// come from constants.
const QStringList IgnoreMasks = {
    QStringLiteral("*.Category"),      QStringLiteral("Action*.*"),
    QStringLiteral("DialogButtons.*"), QStringLiteral(".windowTitle"),
    QStringLiteral("DialogPanel.Compare*"),
};

// Designed client size at 96 DPI.
constexpr int DesignedWidth = 720;
constexpr int DesignedHeight = 420;

} // namespace

TUIDiskCompareDialog::TUIDiskCompareDialog(QWidget *AOwner) : TUIBaseDialog(AOwner) {
  setObjectName(QStringLiteral("UIDiskCompareDialog"));
  SetSavePosition(false);
  resize(DesignedWidth, DesignedHeight);

  auto *Panel = new QVBoxLayout(DialogPanel);
  Panel->setContentsMargins(0, 0, 0, 0);
  Panel->setSpacing(6);
  DifferencesLabel = new QLabel(
      QStringLiteral("&Entries whose translation on disk differs from the open one:"), DialogPanel);
  DifferencesLabel->setObjectName(QStringLiteral("DifferencesLabel"));
  Panel->addWidget(DifferencesLabel);

  FModel = new TDiskDifferencesModel(this);
  DifferencesView = new QTreeView(DialogPanel);
  DifferencesView->setObjectName(QStringLiteral("DifferencesView"));
  DifferencesView->setRootIsDecorated(false);
  DifferencesView->setUniformRowHeights(true);
  DifferencesView->setAlternatingRowColors(true);
  DifferencesView->setModel(FModel);
  DifferencesView->header()->setStretchLastSection(true);
  for (int Column = 0; Column < TDiskDifferencesModel::dcOpen; ++Column)
    DifferencesView->header()->resizeSection(Column, DesignedWidth / 4);
  DifferencesLabel->setBuddy(DifferencesView);
  Panel->addWidget(DifferencesView, 1);

  auto *Row = new QHBoxLayout;
  auto *Count = new QLabel(DialogPanel);
  Count->setObjectName(QStringLiteral("CompareCount"));
  ReloadButton = new QPushButton(DialogPanel);
  ReloadButton->setObjectName(QStringLiteral("CompareReload"));
  KeepButton = new QPushButton(DialogPanel);
  KeepButton->setObjectName(QStringLiteral("CompareKeepMine"));
  Row->addWidget(Count, 1);
  Row->addWidget(ReloadButton);
  Row->addWidget(KeepButton);
  Panel->addLayout(Row);
  connect(ReloadButton, &QPushButton::clicked, this, [this] { Choose(dcReload); });
  connect(KeepButton, &QPushButton::clicked, this, [this] { Choose(dcKeepMine); });
  connect(FModel, &QAbstractItemModel::modelReset, this, [this] { UpdateCaptions(); });

  DialogButtons->SetShowCancelButton(false);
  DialogButtons->SetShowApplyButton(false);
  DifferencesView->setFocus();

  ZrLanguageController = TZrLanguageController::CreateLoaded(
      this, QStringLiteral("ZrLanguageController"), SectionName, IgnoreMasks);
  connect(ZrLanguageController, &TZrLanguageController::OnLanguageChanged, this,
          [this] { UpdateCaptions(); });
}

TUIDiskCompareDialog::~TUIDiskCompareDialog() = default;

TUIDiskCompareDialog::TChoice TUIDiskCompareDialog::Execute(QWidget *AOwner,
                                                            std::vector<TDiskDifference> Differences) {
  auto Dialog = CreateForm<TUIDiskCompareDialog>(AOwner);
  Dialog->SetDifferences(std::move(Differences));
  Dialog->exec();
  return Dialog->Choice();
}

void TUIDiskCompareDialog::SetDifferences(std::vector<TDiskDifference> Differences) {
  FModel->SetDifferences(std::move(Differences));
  if (FModel->rowCount() > 0)
    DifferencesView->setCurrentIndex(FModel->index(0, 0));
}

void TUIDiskCompareDialog::Choose(TChoice Choice) {
  FChoice = Choice;
  accept();
}

void TUIDiskCompareDialog::UpdateCaptions() {
  TUIBaseDialog::UpdateCaptions();
  setWindowTitle(LangConstant(u"SFormCaptionDiskCompare"));
  ActionOK->setText(LangConstant(u"SDialogButtonClose"));
  ReloadButton->setText(LangConstant(u"SDialogButtonReload"));
  KeepButton->setText(LangConstant(u"SDialogButtonKeepMine"));
  findChild<QLabel *>(QStringLiteral("CompareCount"))
      ->setText(LangConstantFmt(u"SMessageDiskCompareCount", {FModel->rowCount()}));
  FModel->SetColumnCaptions({LangConstant(u"SCaptionDiskCompareComponent"),
                             LangConstant(u"SCaptionDiskCompareName"),
                             LangConstant(u"SCaptionDiskCompareOnDisk"),
                             LangConstant(u"SCaptionDiskCompareOpen")});
}
