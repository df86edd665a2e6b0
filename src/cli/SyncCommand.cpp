// `sync SOURCE [TRANSLATION] --output OUT ...`: opens a translation as the
// editor does, reports the differences and saves the result as the editor
// saves it.
#include "CliCommand.h"
#include "CliDocument.h"
#include "CliMemory.h"
#include "Console.h"
#include "Exceptions.h"
#include "LangSource.h"
#include "SaveFile.h"
#include "StreamIO.h"
#include "LanguageManager.h"
#include "TranslationMemory.h"

#include <memory>
#include <optional>
#include <vector>

namespace {

std::optional<quint16> LangIDOption(const TCliArguments &Args) {
  if (!Args.Has(QStringLiteral("--langid")))
    return std::nullopt;
  const QString Text = Args.Value(QStringLiteral("--langid"));
  bool bOk = false;
  const uint Value = Text.toUInt(&bOk, 10);
  if (!bOk || Value == 0 || Value > 0xFFFF || !Text.front().isDigit())
    throw ECliUsageError(QStringLiteral("invalid value '%1' for --langid (expected 1 to 65535)")
                             .arg(ZrLang_QuotedName(Text)));
  return quint16(Value);
}

} // namespace

int RunSyncCommand(const TCliArguments &Args) {
  const QString SourceFile = Args.Positional[0];
  const QString TranslationFile = Args.Positional.value(1);
  const QString LogFile = Args.Value(QStringLiteral("--log"));
  const bool bKeepHeader = Args.Has(QStringLiteral("--keep-header"));
  const std::optional<quint16> LangID = LangIDOption(Args);
  if (bKeepHeader && LangID)
    throw ECliUsageError(QStringLiteral("--langid and --keep-header exclude each other"));
  // The translation is read in full before OUT replaces it, so OUT may be
  // the translation itself; the source and the log are kept apart.
  const QString OutFile = OutputOption(Args, {SourceFile});
  RefuseSameFile(LogFile, SourceFile, QStringLiteral("--log"));
  RefuseSameFile(LogFile, TranslationFile, QStringLiteral("--log"));
  RefuseSameFile(LogFile, OutFile, QStringLiteral("--log"));

  // The translations the reconciliation removes are kept in the memory.
  std::unique_ptr<TTranslationMemory> Memory = OpenCliMemory(Args, false);
  std::unique_ptr<TTranslationDocument> Doc =
      LoadCliDocument(SourceFile, TranslationFile, Memory.get());
  WarnNonPositiveIDs(Doc->Source());
  QString MemoryError = Doc->Reconciliation().MemoryError;
  QObject::connect(Doc.get(), &TTranslationDocument::MemoryFailed,
                   [&](const QString &Message) { MemoryError = Message; });

  const bool bUnicode = OutputEncoding(*Doc, Args);

  if (LangID)
    Doc->SetLanguages({Doc->Languages().LangIDSource, *LangID});
  const auto SaveTranslation = [&] {
    Doc->Save(OutFile, bUnicode, bKeepHeader ? TSaveHeader::Keep : TSaveHeader::Stamp);
  };
  if (LogFile.isEmpty()) {
    SaveTranslation();
  } else {
    // The log is written first, so that a log that cannot be written leaves
    // OUT alone, and replaces its file only once the translation is written.
    ZrLang_SaveFile(LogFile, [&](QIODevice &Log) {
      ZrLang_WriteBuffer(Log, Doc->Reconciliation().Log.toUtf8());
      SaveTranslation();
    });
  }
  if (!MemoryError.isEmpty())
    PrintErr(QStringLiteral("lingrove-cli: warning: %1\n").arg(MemoryError));
  // Printed once everything is written: a failed command prints only its error.
  QString Kept;
  if (Doc->Reconciliation().KeptInMemory > 0)
    Kept = LangConstantFmt(u"SMessageRemovedTranslationsKept",
                           {Doc->Reconciliation().KeptInMemory}) +
           u'\n';
  PrintOut(Doc->Reconciliation().Log + DifferencesTotalsText(Doc->Reconciliation().Counts) + Kept);
  Doc->SetMemory(nullptr);
  KeepUntilExit(std::move(Doc));
  return cesSuccess;
}
