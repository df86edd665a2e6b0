// `sync SOURCE [TRANSLATION] --output OUT ...`: opens a translation as the
// editor does, reports the differences and saves the result as the editor
// saves it.
#include "CliCommand.h"
#include "Console.h"
#include "Exceptions.h"
#include "Reconciliation.h"
#include "SaveFile.h"
#include "StreamIO.h"

#include <QFileInfo>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Both names refer to one file: the same file when both exist, otherwise the
// same absolute path.
bool IsSameFile(const QString &A, const QString &B) {
  const QFileInfo InfoA(A), InfoB(B);
  if (InfoA.exists() && InfoB.exists())
    return InfoA.canonicalFilePath() == InfoB.canonicalFilePath();
  return InfoA.absoluteFilePath() == InfoB.absoluteFilePath();
}

void RefuseSameFile(const QString &Output, const QString &Input, const QString &What) {
  if (!Output.isEmpty() && !Input.isEmpty() && IsSameFile(Output, Input))
    throw ECliUsageError(
        QStringLiteral("%1 may not be the same file as %2").arg(What, ZrLang_QuotedName(Input)));
}

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

// The program ends right after a command. Freeing a large document string by
// string takes a noticeable share of a sync, so the document is kept until the
// process ends, when the system reclaims its memory at once. The holder lives
// in static storage, so leak checkers still see the document as reachable.
void KeepUntilExit(TReconciledDocument &&Doc) {
  static auto *Kept = new std::vector<std::unique_ptr<TReconciledDocument>>;
  Kept->push_back(std::make_unique<TReconciledDocument>(std::move(Doc)));
}

} // namespace

int RunSyncCommand(const TCliArguments &Args) {
  const QString SourceFile = Args.Positional[0];
  const QString TranslationFile = Args.Positional.value(1);
  const QString OutFile = Args.Value(QStringLiteral("--output"));
  const QString LogFile = Args.Value(QStringLiteral("--log"));
  const bool bKeepHeader = Args.Has(QStringLiteral("--keep-header"));
  const std::optional<quint16> LangID = LangIDOption(Args);
  if (bKeepHeader && LangID)
    throw ECliUsageError(QStringLiteral("--langid and --keep-header exclude each other"));
  if (OutFile.isEmpty())
    throw ECliUsageError(QStringLiteral("--output needs a file name"));
  // The translation is read in full before OUT replaces it, so OUT may be
  // the translation itself; the source and the log are kept apart.
  RefuseSameFile(OutFile, SourceFile, QStringLiteral("--output"));
  RefuseSameFile(LogFile, SourceFile, QStringLiteral("--log"));
  RefuseSameFile(LogFile, TranslationFile, QStringLiteral("--log"));
  RefuseSameFile(LogFile, OutFile, QStringLiteral("--log"));

  TReconciledDocument Doc = ReconcileTranslation(SourceFile, TranslationFile);
  WarnNonPositiveIDs(*Doc.Source);

  const bool bSourceUnicode = Doc.Source->IsFileUnicode();
  bool bUnicode = Doc.bNewTranslation ? bSourceUnicode : Doc.Translation->IsStreamUnicode();
  if (Args.Has(QStringLiteral("--encoding")))
    bUnicode = Args.Value(QStringLiteral("--encoding")) == u"unicode";
  if (bUnicode != bSourceUnicode)
    PrintErr(bUnicode ? QStringLiteral("lingrove-cli: warning: writing the translation as "
                                       "Unicode while the language source is ANSI\n")
                      : QStringLiteral("lingrove-cli: warning: writing the translation as "
                                       "ANSI while the language source is Unicode\n"));

  if (!bKeepHeader) {
    if (LangID)
      Doc.Languages.LangIDTranslation = *LangID;
    TZrLang_Params &Params = Doc.Translation->Params();
    StampTranslationHeader(Params, Doc.Languages, QDateTime::currentDateTime());
    // An unknown language is left out rather than written as 0.
    if (Doc.Languages.LangIDTranslation == 0)
      Params.SetValue(u"LANGID", QString());
  }

  const auto SaveTranslation = [&] { Doc.Translation->Text_SaveToFile(OutFile, bUnicode, true); };
  if (LogFile.isEmpty()) {
    SaveTranslation();
  } else {
    // The log is written first, so that a log that cannot be written leaves
    // OUT alone, and replaces its file only once the translation is written.
    ZrLang_SaveFile(LogFile, [&](QIODevice &Log) {
      ZrLang_WriteBuffer(Log, Doc.Log.toUtf8());
      SaveTranslation();
    });
  }
  // Printed once everything is written: a failed command prints only its error.
  PrintOut(Doc.Log + DifferencesTotalsText(Doc.Counts));
  KeepUntilExit(std::move(Doc));
  return cesSuccess;
}
