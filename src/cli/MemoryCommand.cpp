// `memory import|export|stats`: manages the translation memory.
#include "CliCommand.h"
#include "CliMemory.h"
#include "Console.h"
#include "DocumentMemory.h"
#include "Exceptions.h"
#include "SaveFile.h"
#include "TmxFile.h"
#include "TranslationMemory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

bool HasSuffix(const QString &File, const char *Suffix) {
  return QFileInfo(File).suffix().compare(QLatin1StringView(Suffix), Qt::CaseInsensitive) == 0;
}

// The language source of a translation file: --source, else the one .zrlang
// file in the translation's folder.
QString SourceOf(const QString &Translation, const QString &Given) {
  if (!Given.isEmpty())
    return Given;
  const QFileInfo Info(Translation);
  const QStringList Sources =
      Info.absoluteDir().entryList({QStringLiteral("*.zrlang")}, QDir::Files, QDir::Name);
  if (Sources.size() != 1)
    throw EZrLangError(
        QStringLiteral("%1: %2 language sources (.zrlang) beside it; name one with --source")
            .arg(ZrLang_QuotedName(Translation), Sources.isEmpty() ? QStringLiteral("no")
                                                                   : QStringLiteral("several")));
  return Info.absoluteDir().filePath(Sources.first());
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

std::vector<TMemoryUnit> ReadTmxFile(const QString &File) {
  QFile Stream(File);
  if (!Stream.open(QIODevice::ReadOnly))
    throw EFOpenError(File, Stream.errorString());
  try {
    return ReadTmx(Stream);
  } catch (const ETmxFileError &E) {
    throw EZrLangError(ZrLang_QuotedName(File) + QStringLiteral(": ") + E.Message());
  }
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
  const TTranslationMemory::TStats Stats = Memory.Stats();
  QSet<QString> SourceLangs;
  for (const auto &Pair : Stats.Pairs)
    if (Pair.Units > 0)
      SourceLangs.insert(Pair.SourceLang);
  const QString SourceLang =
      SourceLangs.size() == 1 ? *SourceLangs.begin() : QStringLiteral("*all*");
  int Written = 0, LeftOut = 0;
  ZrLang_SaveFile(OutFile, [&](QIODevice &Stream) {
    TTmxWriter Writer(Stream, SourceLang);
    Memory.ForEach([&](const TMemoryUnit &Unit) { Writer.Write(Unit); });
    Writer.Finish();
    Written = Writer.Written();
    LeftOut = Writer.LeftOut();
  });
  if (LeftOut > 0)
    PrintErr(QStringLiteral("lingrove-cli: warning: %1 units are left out, since their texts "
                            "hold control characters that XML cannot carry\n")
                 .arg(LeftOut));
  PrintOut(QStringLiteral("%1 units written to %2\n").arg(Written).arg(OutFile));
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
