#include "UpdateControlFile.h"

#include <QFile>
#include <QStringList>

void TUpdateControlFile::Parse(const QByteArray &Data) {
  FSections.clear();
  QString Text = QString::fromUtf8(Data);
  if (Text.startsWith(QChar(0xFEFF)))
    Text.remove(0, 1);
  QString Section;
  bool InSection = false;
  for (QStringView Line : QStringView(Text).split(u'\n')) {
    Line = Line.trimmed();
    if (Line.isEmpty() || Line.startsWith(u';') || Line.startsWith(u'#'))
      continue;
    if (Line.startsWith(u'[')) {
      const qsizetype Close = Line.indexOf(u']');
      InSection = Close > 0;
      if (InSection) {
        Section = Line.mid(1, Close - 1).trimmed().toString().toLower();
        FSections[Section];
      }
      continue;
    }
    const qsizetype Equals = Line.indexOf(u'=');
    if (!InSection || Equals <= 0)
      continue;
    const QString Key = Line.left(Equals).trimmed().toString().toLower();
    QStringView Value = Line.mid(Equals + 1).trimmed();
    if (Value.size() >= 2 && Value.startsWith(u'"') && Value.endsWith(u'"'))
      Value = Value.mid(1, Value.size() - 2);
    QHash<QString, QString> &Keys = FSections[Section];
    if (!Keys.contains(Key))
      Keys.insert(Key, Value.toString());
  }
}

bool TUpdateControlFile::LoadFromFile(const QString &FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly)) {
    FSections.clear();
    return false;
  }
  Parse(File.readAll());
  return true;
}

bool TUpdateControlFile::Has(const QString &Section, const QString &Key) const {
  const auto It = FSections.constFind(Section.toLower());
  return It != FSections.cend() && It->contains(Key.toLower());
}

QString TUpdateControlFile::Value(const QString &Section, const QString &Key,
                                  const QString &Default) const {
  const auto It = FSections.constFind(Section.toLower());
  if (It == FSections.cend())
    return Default;
  return It->value(Key.toLower(), Default);
}

qint64 TUpdateControlFile::IntValue(const QString &Section, const QString &Key,
                                    qint64 Default) const {
  bool Ok = false;
  const qint64 Result = Value(Section, Key).trimmed().toLongLong(&Ok);
  return Ok ? Result : Default;
}

bool TUpdateControlFile::HasSection(const QString &Section) const {
  return FSections.contains(Section.toLower());
}
