// `pretranslate SOURCE TRANSLATION --output OUT`: fills untranslated entries
// from the translation memory and saves the result as sync does.
#include "CliCommand.h"
#include "CliDocument.h"
#include "CliMemory.h"
#include "Console.h"
#include "Pretranslation.h"
#include "TranslationMemory.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

double MinSimilarityOption(const TCliArguments &Args) {
  if (!Args.Has(QStringLiteral("--min-similarity")))
    return 1.0;
  const QString Text = Args.Value(QStringLiteral("--min-similarity"));
  bool bOk = false;
  const int Value = Text.toInt(&bOk);
  if (!bOk || Value < 1 || Value > 100)
    throw ECliUsageError(
        QStringLiteral("invalid value '%1' for --min-similarity (expected 1 to 100)")
            .arg(ZrLang_QuotedName(Text)));
  return double(Value) / 100.0;
}

} // namespace

int RunPretranslateCommand(const TCliArguments &Args) {
  const QString SourceFile = Args.Positional[0];
  const QString TranslationFile = Args.Positional[1];
  const QString OutFile = OutputOption(Args, {SourceFile});
  const double MinSimilarity = MinSimilarityOption(Args);

  std::unique_ptr<TTranslationMemory> Memory = OpenCliMemory(Args, true);
  std::unique_ptr<TTranslationDocument> Doc =
      LoadCliDocument(SourceFile, TranslationFile, Memory.get());
  WarnNonPositiveIDs(Doc->Source());
  const bool bUnicode = OutputEncoding(*Doc, Args);
  const TPretranslationCounts Counts =
      Pretranslate(*Doc, Memory.get(), MinSimilarity, QStringLiteral("Pre-translate"));
  QString MemoryError;
  QObject::connect(Doc.get(), &TTranslationDocument::MemoryFailed,
                   [&](const QString &Message) { MemoryError = Message; });
  Doc->Save(OutFile, bUnicode);
  if (!MemoryError.isEmpty())
    PrintErr(QStringLiteral("lingrove-cli: warning: %1\n").arg(MemoryError));

  const int Untranslated = Doc->Entries().Counts().UntranslatedProperties +
                           Doc->Entries().Counts().UntranslatedConstants;
  if (Args.Has(QStringLiteral("--json")))
    PrintOut(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("exact"), Counts.Exact},
                                                         {QStringLiteral("fuzzy"), Counts.Fuzzy},
                                                         {QStringLiteral("untranslated"),
                                                          Untranslated}})
                                   .toJson(QJsonDocument::Compact)) +
             u'\n');
  else
    PrintOut(QStringLiteral("%1 entries pre-translated: %2 exact, %3 fuzzy; %4 untranslated\n")
                 .arg(Counts.Exact + Counts.Fuzzy)
                 .arg(Counts.Exact)
                 .arg(Counts.Fuzzy)
                 .arg(Untranslated));
  Doc->SetMemory(nullptr);
  KeepUntilExit(std::move(Doc));
  return cesSuccess;
}
