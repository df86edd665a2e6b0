#include "MemoryFiles.h"

#include "Exceptions.h"
#include "SaveFile.h"
#include "TmxFile.h"
#include "TranslationMemory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

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

QString LangSourceBeside(const QString &TranslationFile) {
  const QDir Folder = QFileInfo(TranslationFile).absoluteDir();
  const QStringList Sources =
      Folder.entryList({QStringLiteral("*.zrlang")}, QDir::Files, QDir::Name);
  return Sources.size() == 1 ? Folder.filePath(Sources.first()) : QString();
}

TMemoryExport ExportMemoryToTmx(TTranslationMemory &Memory, const QString &File) {
  const TTranslationMemory::TStats Stats = Memory.Stats();
  QSet<QString> SourceLangs;
  for (const auto &Pair : Stats.Pairs)
    if (Pair.Units > 0)
      SourceLangs.insert(Pair.SourceLang);
  const QString SourceLang =
      SourceLangs.size() == 1 ? *SourceLangs.begin() : QStringLiteral("*all*");
  TMemoryExport Result;
  ZrLang_SaveFile(File, [&](QIODevice &Stream) {
    TTmxWriter Writer(Stream, SourceLang);
    Memory.ForEach([&](const TMemoryUnit &Unit) { Writer.Write(Unit); });
    Writer.Finish();
    Result.Written = Writer.Written();
    Result.LeftOut = Writer.LeftOut();
  });
  return Result;
}
