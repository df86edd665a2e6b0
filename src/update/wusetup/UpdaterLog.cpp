#include "UpdaterLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

// Reads one key of a small INI file; section and key names compare without
// regard to case, as the Windows profile functions do.
QString ReadIniValue(const QString &FileName, QStringView Section, QStringView Key) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly | QIODevice::Text))
    return {};
  bool InSection = false;
  while (!File.atEnd()) {
    const QString Line = QString::fromUtf8(File.readLine()).trimmed();
    if (Line.startsWith(u'[') && Line.endsWith(u']')) {
      InSection = QStringView(Line)
                      .mid(1, Line.size() - 2)
                      .trimmed()
                      .compare(Section, Qt::CaseInsensitive) == 0;
      continue;
    }
    const qsizetype Eq = Line.indexOf(u'=');
    if (InSection && Eq > 0 &&
        QStringView(Line).left(Eq).trimmed().compare(Key, Qt::CaseInsensitive) == 0)
      return Line.mid(Eq + 1).trimmed();
  }
  return {};
}

} // namespace

void TUpdaterLog::Write(const QString &Line) const {
  if (!Enabled())
    return;
  QFile File(FFileName);
  if (!File.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
    return;
  const QString Stamp =
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
  File.write((Stamp + u' ' + Line + u'\n').toUtf8());
}

QString UpdaterLogFileName(const QString &TempDir) {
  const QDir Dir(TempDir);
  QString Name =
      ReadIniValue(Dir.filePath(QStringLiteral("WUPDATE.INI")), u"CONFIG", u"LOGFILENAME");
  if (Name.isEmpty())
    Name = QStringLiteral("WUPDATE.LOG");
  return Dir.filePath(Name);
}
