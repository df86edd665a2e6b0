// `import SOURCE FILE --output OUT.lng [--encoding ansi|unicode]`: the
// translations of an XLIFF or PO file into a translation.
#include "CliCommand.h"
#include "CliDocument.h"
#include "Console.h"
#include "ExchangeImport.h"

#include <QFileInfo>
#include <exception>
#include <future>
#include <optional>

int RunImportCommand(const TCliArguments &Args) {
  const QString SourceFile = Args.Positional[0];
  const QString ExchangeFile = Args.Positional[1];
  const QString OutFile = OutputOption(Args, {SourceFile, ExchangeFile});

  // The file is read on a thread of its own while the translation opens:
  // each takes about as long. Its errors come first, and nothing is written
  // before both are done.
  const TExchangeFormat Format = ExchangeFileFormat(ExchangeFile);
  std::future<TExchangeCatalog> Reading =
      std::async(std::launch::async, [&] { return ReadExchangeFile(ExchangeFile, Format); });
  const bool bNew = !QFileInfo::exists(OutFile);
  std::unique_ptr<TTranslationDocument> Doc;
  std::optional<TExchangeIndex> Index;
  std::exception_ptr LoadError;
  try {
    Doc = LoadCliDocument(SourceFile, bNew ? QString() : OutFile);
    Index.emplace(*Doc, Format);
  } catch (...) {
    LoadError = std::current_exception();
  }
  const TExchangeCatalog Read = Reading.get();
  if (LoadError)
    std::rethrow_exception(LoadError);
  WarnNonPositiveIDs(Doc->Source());
  // A new translation takes its languages from the file.
  if (bNew)
    Doc->SetLanguages(
        {Read.SourceLangID != 0 ? Read.SourceLangID : quint16(1033), Read.TargetLangID});
  const TExchangeImportReport Report =
      ImportExchangeUnits(*Doc, *Index, Read, QStringLiteral("Import"));
  Doc->Save(OutFile, OutputEncoding(*Doc, Args));

  QString Unmatched;
  for (const QString &Key : Report.Unmatched)
    Unmatched += QStringLiteral("lingrove-cli: %1: unit '%2' matches no entry of the language "
                                "source\n")
                     .arg(ExchangeFile, ZrLang_QuotedName(Key));
  PrintErr(Unmatched);
  PrintOut(QStringLiteral("%1 units taken, %2 untranslated units left as they were, %3 units "
                          "unmatched; written to %4\n")
               .arg(Report.Taken)
               .arg(Report.Untranslated)
               .arg(Report.Unmatched.size())
               .arg(OutFile));
  KeepUntilExit(std::move(Doc));
  return Report.Unmatched.isEmpty() ? cesSuccess : cesProblemsFound;
}
