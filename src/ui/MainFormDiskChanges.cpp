// Files of the open document changed by other programs.
#include "MainForm.h"

#include "BackgroundComparer.h"
#include "DiskChangeBar.h"
#include "DiskCompareDialog.h"
#include "DocumentFileWatch.h"
#include "Exceptions.h"
#include "FilterBar.h"
#include "LanguageManager.h"
#include "TranslationDocument.h"
#include "UIGuard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSplitter>

void TUIMainForm::CreateDiskChangeBar() {
  FFileWatch = new TDocumentFileWatch(this);
  auto *Splitter = static_cast<QSplitter *>(centralWidget());
  FDiskChangeBar = new TDiskChangeBar(Splitter);
  FDiskChangeBar->setObjectName(QStringLiteral("DiskChangeBar"));
  const int Index = Splitter->indexOf(FilterBar);
  Splitter->insertWidget(Index, FDiskChangeBar);
  Splitter->setStretchFactor(Index, 0);
  connect(FFileWatch, &TDocumentFileWatch::FileChanged, this,
          [this](TDocumentFileWatch::TFile File) { FileChangedOnDisk(File); });
  connect(FDiskChangeBar, &TDiskChangeBar::ReloadChosen, this,
          [this] { TUIGuard::Run(this, [this] { ReloadDocument(); }); });
  connect(FDiskChangeBar, &TDiskChangeBar::KeepChosen, FFileWatch,
          &TDocumentFileWatch::Acknowledge);
  connect(FDiskChangeBar, &TDiskChangeBar::CompareChosen, this,
          [this] { TUIGuard::Run(this, [this] { CompareWithDisk(); }); });
  // Some file systems send no notifications: look again whenever the user
  // comes back to the program.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState S) {
    if (S == Qt::ApplicationActive)
      FFileWatch->CheckNow();
  });
}

void TUIMainForm::FileChangedOnDisk(int File) {
  static constexpr const char16_t *Messages[] = {u"SMessageSourceChangedOnDisk",
                                                 u"SMessageDisplayChangedOnDisk",
                                                 u"SMessageTranslationChangedOnDisk"};
  FDiskChangeBar->ShowChange(LangConstant(Messages[File]), Modified());
}

void TUIMainForm::ReloadDocument() {
  if (!HasDocument())
    return;
  const QString Source = FDocument->SourceFilename();
  const QString Display = FDocument->DisplayFilename();
  const QString Translation = FDocument->TranslationFilename();
  // A translation that is gone is opened as a new one under its name.
  if (!Translation.isEmpty() && !QFileInfo::exists(Translation)) {
    LoadTranslation(Source, Display, QString());
    FProposedTranslationPath = Translation;
  } else {
    LoadTranslation(Source, Display, Translation);
  }
}

void TUIMainForm::CompareWithDisk() {
  if (!HasDocument() || FDocument->IsNewTranslation())
    return;
  CommitPendingEdit();
  const QString Path = FDocument->TranslationFilename();
  std::vector<TDiskDifference> Differences;
  if (IsLargeDocument(FDocument->SourceFilename(), FDocument->DisplayFilename(), Path)) {
    if (!CompareInBackground(Path, Differences))
      return;
  } else {
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
      throw EFOpenError(Path, File.errorString());
    Differences = ::CompareWithDisk(*FDocument, File, Path);
  }
  switch (TUIDiskCompareDialog::Execute(this, std::move(Differences))) {
  case TUIDiskCompareDialog::dcReload:
    FDiskChangeBar->hide();
    ReloadDocument();
    break;
  case TUIDiskCompareDialog::dcKeepMine:
    FDiskChangeBar->hide();
    FFileWatch->Acknowledge();
    break;
  case TUIDiskCompareDialog::dcClose:
    break;
  }
}

bool TUIMainForm::ConfirmOverwriteChanged(const QString &Path) {
  if (QDir::cleanPath(Path) != QDir::cleanPath(FDocument->TranslationFilename()) ||
      !FFileWatch->TranslationChangedOnDisk())
    return true;
  QMessageBox Box(QMessageBox::Warning, QString(),
                  LangConstantFmt(u"SMessageOverwriteChanged", {ZrLang_QuotedName(Path)}),
                  QMessageBox::Yes | QMessageBox::No, this);
  return Box.exec() == QMessageBox::Yes;
}
