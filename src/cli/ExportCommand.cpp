// `export SOURCE [TRANSLATION] --format xliff|po --output OUT`: the entries
// of a translation for CAT tools and gettext.
#include "CliCommand.h"
#include "CliDocument.h"
#include "Console.h"
#include "ExchangeFile.h"

#include <QStringList>

namespace {

TExchangeFormat FormatOption(const TCliArguments &Args, const QString &OutFile) {
  if (Args.Has(QStringLiteral("--format")))
    return Args.Value(QStringLiteral("--format")) == u"po" ? TExchangeFormat::Po
                                                           : TExchangeFormat::Xliff;
  if (const std::optional<TExchangeFormat> Named = ExchangeFormatOfName(OutFile))
    return *Named;
  throw ECliUsageError(
      QStringLiteral("--format is needed: the name of OUT does not end in .xlf, .xliff or .po"));
}

} // namespace

int RunExportCommand(const TCliArguments &Args) {
  const QString SourceFile = Args.Positional[0];
  const QString TranslationFile = Args.Positional.value(1);
  const QString OutFile = OutputOption(Args, {SourceFile, TranslationFile});
  const TExchangeFormat Format = FormatOption(Args, OutFile);

  std::unique_ptr<TTranslationDocument> Doc = LoadCliDocument(SourceFile, TranslationFile);
  WarnNonPositiveIDs(Doc->Source());
  const TExchangeCatalog Catalog = ExchangeCatalogOf(*Doc);
  const QStringList LeftOut = WriteExchangeFile(OutFile, Format, Catalog);

  if (!LeftOut.isEmpty())
    PrintErr(
        (Format == TExchangeFormat::Po
             ? QStringLiteral("lingrove-cli: warning: %1 entries with an empty source value are "
                              "left out, since gettext keeps the empty msgid for the header: %2\n")
             : QStringLiteral("lingrove-cli: warning: %1 entries are left out, since their texts "
                              "hold control characters that XML cannot carry: %2\n"))
            .arg(LeftOut.size())
            .arg(LeftOut.join(QStringLiteral(", "))));
  PrintOut(QStringLiteral("%1 units written to %2\n")
               .arg(qsizetype(Catalog.Units.size()) - LeftOut.size())
               .arg(OutFile));
  KeepUntilExit(std::move(Doc));
  return cesSuccess;
}
