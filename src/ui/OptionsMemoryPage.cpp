// The Translation Memory page of Tools > Options, and the folder choices of
// the pages.
#include "OptionsDialog.h"

#include "DialogControls.h"
#include "DocumentMemory.h"
#include "LanguageManager.h"
#include "MemoryFiles.h"
#include "OpenFilesDialog.h"
#include "TranslationMemory.h"
#include "UIGuard.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

void Inform(QWidget *Owner, const QString &Text) {
  QMessageBox Box(QMessageBox::Information, QString(), Text, QMessageBox::Ok, Owner);
  Box.exec();
}

bool IsTmxFile(const QString &File) {
  return QFileInfo(File).suffix().compare(QStringLiteral("tmx"), Qt::CaseInsensitive) == 0;
}

} // namespace

void TUIOptionsDialog::CreateMemoryPage() {
  auto *Page = new QWidget(Pages);
  Page->setObjectName(QStringLiteral("MemoryPage"));
  Pages->addWidget(Page);
  auto *Grid = new QGridLayout(Page);
  MemoryPathLabel = new QLabel(QStringLiteral("Translation memory &database:"), Page);
  MemoryPathLabel->setObjectName(QStringLiteral("MemoryPathLabel"));
  MemoryPathLabel->setWordWrap(true);
  MemoryPathEdit = new QLineEdit(Page);
  MemoryPathEdit->setObjectName(QStringLiteral("MemoryPathEdit"));
  MemoryPathEdit->setPlaceholderText(QDir::toNativeSeparators(DefaultMemoryPath()));
  MemoryPathLabel->setBuddy(MemoryPathEdit);
  MemoryPathButton = new QPushButton(QStringLiteral("&Browse..."), Page);
  MemoryPathButton->setObjectName(QStringLiteral("MemoryPathButton"));
  MinSimilarityLabel = new QLabel(
      QStringLiteral("Least &similarity of fuzzy matches when pre-translating:"), Page);
  MinSimilarityLabel->setObjectName(QStringLiteral("MinSimilarityLabel"));
  MinSimilarityLabel->setWordWrap(true);
  MinSimilaritySpin = new QSpinBox(Page);
  MinSimilaritySpin->setObjectName(QStringLiteral("MinSimilaritySpin"));
  MinSimilaritySpin->setRange(30, 99);
  MinSimilaritySpin->setSuffix(QStringLiteral(" %"));
  MinSimilarityLabel->setBuddy(MinSimilaritySpin);
  AutoTranslateOnOpenCheck = new TWrapCheckBox(
      QStringLiteral("&Pre-translate an opened translation with exact matches when its "
                     "differences are shown"),
      Page);
  AutoTranslateOnOpenCheck->setObjectName(QStringLiteral("AutoTranslateOnOpenCheck"));
  MemoryStatsLabel = new QLabel(Page);
  MemoryStatsLabel->setObjectName(QStringLiteral("MemoryStatsLabel"));
  MemoryStatsLabel->setWordWrap(true);
  MemoryStatsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  MemoryImportButton = new QPushButton(QStringLiteral("&Import..."), Page);
  MemoryImportButton->setObjectName(QStringLiteral("MemoryImportButton"));
  MemoryExportButton = new QPushButton(QStringLiteral("E&xport..."), Page);
  MemoryExportButton->setObjectName(QStringLiteral("MemoryExportButton"));
  auto *Buttons = new QHBoxLayout;
  Buttons->addWidget(MemoryImportButton);
  Buttons->addWidget(MemoryExportButton);
  Buttons->addStretch(1);

  Grid->addWidget(MemoryPathLabel, 0, 0, 1, 2);
  Grid->addWidget(MemoryPathEdit, 1, 0);
  Grid->addWidget(MemoryPathButton, 1, 1);
  Grid->addWidget(MinSimilarityLabel, 2, 0, 1, 2);
  Grid->addWidget(MinSimilaritySpin, 3, 0, Qt::AlignLeft);
  Grid->addWidget(AutoTranslateOnOpenCheck, 4, 0, 1, 2);
  Grid->setRowMinimumHeight(5, 8);
  Grid->addWidget(MemoryStatsLabel, 6, 0, 1, 2);
  Grid->addLayout(Buttons, 7, 0, 1, 2);
  Grid->setRowStretch(8, 1);

  connect(MemoryPathButton, &QPushButton::clicked, this, &TUIOptionsDialog::BrowseMemoryPath);
  connect(MemoryPathEdit, &QLineEdit::editingFinished, this,
          &TUIOptionsDialog::UpdateMemoryStats);
  connect(MemoryImportButton, &QPushButton::clicked, this, &TUIOptionsDialog::ImportIntoMemory);
  connect(MemoryExportButton, &QPushButton::clicked, this, &TUIOptionsDialog::ExportMemory);
}

QString TUIOptionsDialog::ShownMemoryPath() const {
  return MemoryPathOf(QDir::fromNativeSeparators(MemoryPathEdit->text()));
}

void TUIOptionsDialog::BrowseRecoveryFolder() {
  const QString Shown = RecoveryFolderEdit->text().trimmed().isEmpty()
                            ? RecoveryFolderEdit->placeholderText()
                            : RecoveryFolderEdit->text().trimmed();
  const QString Folder = QFileDialog::getExistingDirectory(
      this, LangConstant(u"SCaptionChooseRecoveryFolder"), Shown);
  if (!Folder.isEmpty())
    RecoveryFolderEdit->setText(QDir::toNativeSeparators(Folder));
}

void TUIOptionsDialog::BrowseMemoryPath() {
  // An existing memory or the name of a new one.
  QFileDialog Dialog(this, LangConstant(u"SCaptionChooseMemory"),
                     QFileInfo(ShownMemoryPath()).absolutePath(),
                     LangConstant(u"SCaptionFilterMemory"));
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setOption(QFileDialog::DontConfirmOverwrite);
  Dialog.setDefaultSuffix(QStringLiteral("sqlite"));
  Dialog.selectFile(QFileInfo(ShownMemoryPath()).fileName());
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
    return;
  MemoryPathEdit->setText(QDir::toNativeSeparators(Dialog.selectedFiles().first()));
  UpdateMemoryStats();
}

void TUIOptionsDialog::UpdateMemoryStats() {
  const QString Path = ShownMemoryPath();
  if (!QFileInfo::exists(Path)) {
    MemoryStatsLabel->setText(LangConstant(u"SOptionsMemoryMissing"));
    return;
  }
  try {
    TTranslationMemory Memory(Path);
    const TTranslationMemory::TStats Stats = Memory.Stats();
    qint64 Pairs = 0;
    for (const auto &Pair : Stats.Pairs)
      Pairs += Pair.Units > 0 ? 1 : 0;
    MemoryStatsLabel->setText(LangConstantFmt(
        u"SOptionsMemoryStats", {Stats.Units, Pairs, QLocale().formattedDataSize(Stats.FileBytes)}));
  } catch (const ETranslationMemoryError &E) {
    MemoryStatsLabel->setText(E.Message());
  }
}

void TUIOptionsDialog::ImportIntoMemory() {
  const QStringList Files = QFileDialog::getOpenFileNames(
      this, LangConstant(u"SCaptionMemoryImport"), QString(),
      LangConstant(u"SCaptionFilterMemoryImport") + QStringLiteral(";;") +
          LangConstant(u"SCaptionFilterTmx") + QStringLiteral(";;") +
          LangConstant(u"SCaptionFilterAll"));
  if (Files.isEmpty())
    return;
  // Every translation's language source is known before anything is read.
  QStringList Sources;
  for (const QString &File : Files) {
    QString Source;
    if (!IsTmxFile(File)) {
      Source = LangSourceBeside(File);
      if (Source.isEmpty())
        Source = QFileDialog::getOpenFileName(
            this,
            LangConstantFmt(u"SCaptionChooseLangSourceFor", {QFileInfo(File).fileName()}),
            QFileInfo(File).absolutePath(), FileDialogFilter(TUIOpenFilesDialog::SourceFilter()));
      if (Source.isEmpty())
        return;
    }
    Sources.append(Source);
  }
  TUIGuard::Run(this, [&] {
    qint64 Read = 0, New = 0;
    {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      const auto RestoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
      TTranslationMemory Memory(ShownMemoryPath());
      for (qsizetype I = 0; I < Files.size(); ++I) {
        // Each file is read whole before anything of it is stored.
        const std::vector<TMemoryUnit> Units = IsTmxFile(Files[I])
                                                   ? ReadTmxFile(Files[I])
                                                   : MemoryUnitsOfFiles(Sources[I], Files[I]);
        New += Memory.Add(Units);
        Read += qint64(Units.size());
      }
    }
    Inform(this, LangConstantFmt(u"SMessageMemoryImported", {Read, Files.size(), New}));
  });
  UpdateMemoryStats();
}

void TUIOptionsDialog::ExportMemory() {
  QString Path = QFileDialog::getSaveFileName(
      this, LangConstant(u"SCaptionMemoryExport"),
      QFileInfo(ShownMemoryPath()).dir().filePath(QStringLiteral("memory.tmx")),
      LangConstant(u"SCaptionFilterTmx"));
  if (Path.isEmpty())
    return;
  if (QFileInfo(Path).suffix().isEmpty())
    Path += QStringLiteral(".tmx");
  TUIGuard::Run(this, [&] {
    TMemoryExport Done;
    {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      const auto RestoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
      TTranslationMemory Memory(ShownMemoryPath());
      Done = ExportMemoryToTmx(Memory, Path);
    }
    QString Text =
        LangConstantFmt(u"SMessageMemoryExported", {Done.Written, QDir::toNativeSeparators(Path)});
    if (Done.LeftOut > 0)
      Text += QStringLiteral("\n\n") + LangConstantFmt(u"SMessageMemoryLeftOut", {Done.LeftOut});
    Inform(this, Text);
  });
}
