// File > Export and File > Import: the open translation's entries for CAT
// tools (XLIFF) and gettext (PO), and their translations back.
#include "MainForm.h"

#include "ExchangeImport.h"
#include "LanguageManager.h"
#include "TranslationDocument.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

namespace {

// A few names say where to look; a file can hold thousands of them.
QString NameList(const QStringList &Names) {
  constexpr qsizetype Listed = 20;
  QString List = Names.first(std::min(Listed, Names.size())).join(QStringLiteral("\r\n"));
  if (Names.size() > Listed)
    List += QStringLiteral("\r\n...");
  return List;
}

void Inform(QWidget *Owner, const QString &Text) {
  QMessageBox Box(QMessageBox::Information, QString(), Text, QMessageBox::Ok, Owner);
  Box.exec();
}

} // namespace

bool TUIMainForm::ChooseExchangeFile(bool bSave, QString &Path) {
  const QString Xliff = LangConstant(u"SCaptionFilterXliff");
  const QString Po = LangConstant(u"SCaptionFilterPo");
  QFileDialog Dialog(this, LangConstant(bSave ? u"SCaptionExportFile" : u"SCaptionImportFile"),
                     QFileInfo(Path).absolutePath());
  if (bSave) {
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setNameFilters({Xliff, Po});
    const bool bPo = ExchangeFormatOfName(Path) == TExchangeFormat::Po;
    Dialog.selectNameFilter(bPo ? Po : Xliff);
    Dialog.setDefaultSuffix(bPo ? QStringLiteral("po") : QStringLiteral("xlf"));
    connect(&Dialog, &QFileDialog::filterSelected, &Dialog, [&](const QString &Filter) {
      Dialog.setDefaultSuffix(Filter == Po ? QStringLiteral("po") : QStringLiteral("xlf"));
    });
    Dialog.selectFile(QFileInfo(Path).fileName());
  } else {
    Dialog.setFileMode(QFileDialog::ExistingFile);
    Dialog.setNameFilters(
        {LangConstant(u"SCaptionFilterExchange"), Xliff, Po, LangConstant(u"SCaptionFilterAll")});
  }
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
    return false;
  Path = Dialog.selectedFiles().first();
  // The format follows the name's extension; a name with another one gets
  // that of the chosen filter.
  if (bSave && !ExchangeFormatOfName(Path))
    Path += Dialog.selectedNameFilter() == Po ? QStringLiteral(".po") : QStringLiteral(".xlf");
  return true;
}

void TUIMainForm::ExportTranslation() {
  if (!HasDocument())
    return;
  CommitPendingEdit();
  const QString Named = FDocument->IsNewTranslation() ? FDocument->SourceFilename()
                                                      : FDocument->TranslationFilename();
  const QFileInfo Info(Named);
  QString Path = Info.dir().filePath(Info.completeBaseName() + QStringLiteral(".xlf"));
  if (!ChooseExchangeFile(true, Path))
    return;
  const TExchangeFormat Format = ExchangeFormatOfName(Path).value_or(TExchangeFormat::Xliff);
  const TExchangeCatalog Catalog = ExchangeCatalogOf(*FDocument);
  const QStringList LeftOut = WriteExchangeFile(Path, Format, Catalog);
  const QString Done =
      LangConstantFmt(u"SMessageExportDone", {qsizetype(Catalog.Units.size()) - LeftOut.size(),
                                              QDir::toNativeSeparators(Path)});
  statusBar()->showMessage(Done);
  if (!LeftOut.isEmpty())
    Inform(this,
           Done + QStringLiteral("\r\n\r\n") +
               LangConstantFmt(Format == TExchangeFormat::Po ? u"SMessageExportLeftOutEmpty"
                                                             : u"SMessageExportLeftOutControl",
                               {LeftOut.size(), NameList(LeftOut)}));
}

void TUIMainForm::ImportTranslation() {
  if (!HasDocument())
    return;
  CommitPendingEdit();
  const QString Named = FDocument->IsNewTranslation() ? FDocument->SourceFilename()
                                                      : FDocument->TranslationFilename();
  QString Path = QFileInfo(Named).absolutePath() + u'/';
  if (!ChooseExchangeFile(false, Path))
    return;
  const TExchangeFormat Format = ExchangeFileFormat(Path);
  const TExchangeCatalog Read = ReadExchangeFile(Path, Format);
  const TExchangeImportReport Report =
      ImportExchangeUnits(*FDocument, Format, Read, LangConstant(u"SUndoImport"));
  QString Text = LangConstantFmt(
      u"SMessageImportDone", {Report.Taken, QDir::toNativeSeparators(Path), Report.Untranslated});
  if (!Report.Unmatched.isEmpty())
    Text += QStringLiteral("\r\n\r\n") +
            LangConstantFmt(u"SMessageImportUnmatched",
                            {Report.Unmatched.size(), NameList(Report.Unmatched)});
  Inform(this, Text);
}
