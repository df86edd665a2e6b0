// `memory import|export|stats`: manages the translation memory.
#include "CliCommand.h"
#include "CliMemory.h"
#include "Console.h"
#include "DocumentMemory.h"
#include "Exceptions.h"
#include "MemoryFiles.h"
#include "TranslationMemory.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool HasSuffix(const QString &File, const char *Suffix) {
  return QFileInfo(File).suffix().compare(QLatin1StringView(Suffix), Qt::CaseInsensitive) == 0;
}

// The language source of a translation file: --source, else the one .zrlang
// file in the translation's folder.
QString SourceOf(const QString &Translation, const QString &Given) {
  if (!Given.isEmpty())
    return Given;
  const QString Beside = LangSourceBeside(Translation);
  if (!Beside.isEmpty())
    return Beside;
  const bool bNone = QFileInfo(Translation)
                         .absoluteDir()
                         .entryList({QStringLiteral("*.zrlang")}, QDir::Files)
                         .isEmpty();
  throw EZrLangError(
      QStringLiteral("%1: %2 language sources (.zrlang) beside it; name one with --source")
          .arg(ZrLang_QuotedName(Translation),
               bNone ? QStringLiteral("no") : QStringLiteral("several")));
}

// The files to import: each argument, a folder standing for its .lng and
// .tmx files.
QStringList ImportFiles(const QStringList &Args) {
  QStringList Files;
  for (const QString &Arg : Args) {
    if (!QFileInfo(Arg).isDir()) {
      Files.append(Arg);
      continue;
    }
    const QDir Dir(Arg);
    for (const QString &Name : Dir.entryList({QStringLiteral("*.lng"), QStringLiteral("*.tmx")},
                                             QDir::Files, QDir::Name))
      Files.append(Dir.filePath(Name));
  }
  return Files;
}

int Import(TTranslationMemory &Memory, const TCliArguments &Args) {
  const QStringList Files = ImportFiles(Args.Positional.mid(1));
  if (Files.isEmpty())
    throw ECliUsageError(QStringLiteral("import needs files or folders to import"));
  const QString Source = Args.Value(QStringLiteral("--source"));
  qint64 Total = 0, Added = 0;
  for (const QString &File : Files) {
    // Each file is read whole before anything of it is stored.
    const std::vector<TMemoryUnit> Units = HasSuffix(File, "tmx")
                                               ? ReadTmxFile(File)
                                               : MemoryUnitsOfFiles(SourceOf(File, Source), File);
    const int New = Memory.Add(Units);
    PrintOut(QStringLiteral("%1: %2 units, %3 new\n").arg(File).arg(Units.size()).arg(New));
    Total += qint64(Units.size());
    Added += New;
  }
  if (Files.size() > 1)
    PrintOut(QStringLiteral("%1 units, %2 new\n").arg(Total).arg(Added));
  return cesSuccess;
}

int Export(TTranslationMemory &Memory, const TCliArguments &Args) {
  if (Args.Positional.size() != 2)
    throw ECliUsageError(QStringLiteral("export needs one file name, OUT.tmx"));
  const QString OutFile = Args.Positional[1];
  const TMemoryExport Done = ExportMemoryToTmx(Memory, OutFile);
  if (Done.LeftOut > 0)
    PrintErr(QStringLiteral("lingrove-cli: warning: %1 units are left out, since their texts "
                            "hold control characters that XML cannot carry\n")
                 .arg(Done.LeftOut));
  PrintOut(QStringLiteral("%1 units written to %2\n").arg(Done.Written).arg(OutFile));
  return cesSuccess;
}

int Stats(TTranslationMemory &Memory, const TCliArguments &Args) {
  if (Args.Positional.size() != 1)
    throw ECliUsageError(QStringLiteral("stats takes no files"));
  const TTranslationMemory::TStats Stats = Memory.Stats();
  if (Args.Has(QStringLiteral("--json"))) {
    QJsonArray Pairs;
    for (const auto &Pair : Stats.Pairs)
      Pairs.append(QJsonObject{{QStringLiteral("source"), Pair.SourceLang},
                               {QStringLiteral("target"), Pair.TargetLang},
                               {QStringLiteral("units"), Pair.Units}});
    PrintOut(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("units"), Stats.Units},
                                                        {QStringLiteral("textBytes"),
                                                         Stats.TextBytes},
                                                        {QStringLiteral("fileBytes"),
                                                         Stats.FileBytes},
                                                        {QStringLiteral("pairs"), Pairs}})
                                   .toJson(QJsonDocument::Compact)) +
             u'\n');
    return cesSuccess;
  }
  QString Text = QStringLiteral("%1: %2 units, %3 bytes of text, %4 bytes on disk\n")
                     .arg(QDir::toNativeSeparators(Memory.Path()))
                     .arg(Stats.Units)
                     .arg(Stats.TextBytes)
                     .arg(Stats.FileBytes);
  for (const auto &Pair : Stats.Pairs)
    Text += QStringLiteral("  %1 -> %2: %3 units\n")
                .arg(Pair.SourceLang, Pair.TargetLang)
                .arg(Pair.Units);
  PrintOut(Text);
  return cesSuccess;
}

} // namespace

int RunMemoryCommand(const TCliArguments &Args) {
  const QString Action = Args.Positional[0];
  if (Action != u"import" && Action != u"export" && Action != u"stats")
    throw ECliUsageError(QStringLiteral("unknown memory action '%1' (expected import, export "
                                        "or stats)")
                             .arg(ZrLang_QuotedName(Action)));
  std::unique_ptr<TTranslationMemory> Memory = OpenCliMemory(Args, true);
  if (Action == u"import")
    return Import(*Memory, Args);
  if (Action == u"export")
    return Export(*Memory, Args);
  return Stats(*Memory, Args);
}
