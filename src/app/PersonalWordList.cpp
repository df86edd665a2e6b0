#include "PersonalWordList.h"

#include "Exceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QStringList ReadWordList(QIODevice &Device) {
  QString Text = QString::fromUtf8(Device.readAll());
  if (Text.startsWith(QChar(0xFEFF)))
    Text.remove(0, 1);
  QStringList Words;
  for (QStringView Line : QStringView(Text).split(u'\n')) {
    Line = Line.trimmed();
    if (!Line.isEmpty())
      Words.append(Line.toString());
  }
  return Words;
}

void WriteWordList(QIODevice &Device, const QStringList &Words) {
  QByteArray Bytes;
  for (const QString &Word : Words)
    Bytes.append(Word.toUtf8()).append('\n');
  if (Device.write(Bytes) != Bytes.size())
    throw EWriteError();
}

TPersonalWordList::TPersonalWordList(const QString &FileName)
    : FFileName(FileName), FWords(ReadFile(FileName)), FIndex(FWords.begin(), FWords.end()) {}

QStringList TPersonalWordList::ReadFile(const QString &FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly))
    return {};
  QStringList Words = ReadWordList(File);
  Words.removeDuplicates();
  return Words;
}

void TPersonalWordList::Add(const QString &Word) {
  if (Contains(Word))
    return;
  QStringList Words = ReadFile(FFileName);
  if (!Words.contains(Word))
    Words.append(Word);
  Write(std::move(Words));
}

void TPersonalWordList::Remove(const QStringList &Removed) {
  QStringList Words = ReadFile(FFileName);
  const qsizetype Before = Words.size();
  Words.removeIf([&Removed](const QString &Word) { return Removed.contains(Word); });
  if (Words.size() != Before)
    Write(std::move(Words));
}

void TPersonalWordList::Write(QStringList Words) {
  QDir().mkpath(QFileInfo(FFileName).absolutePath());
  QSaveFile File(FFileName);
  if (!File.open(QIODevice::WriteOnly))
    throw EFCreateError(FFileName, File.errorString());
  try {
    WriteWordList(File, Words);
  } catch (const EWriteError &) {
    throw EFCreateError(FFileName, File.errorString());
  }
  if (!File.commit())
    throw EFCreateError(FFileName, File.errorString());
  FWords = std::move(Words);
  FIndex = QSet<QString>(FWords.begin(), FWords.end());
}
