#include "UpdaterProgram.h"

#include "Exceptions.h"
#include "Szdd.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// Written beside and renamed over, so an updater left running from an
// earlier attempt is never overwritten in place.
void WriteWhole(const QString &FileName, const QByteArray &Data,
                QFileDevice::Permissions Permissions) {
  QSaveFile File(FileName);
  if (!File.open(QIODevice::WriteOnly))
    throw EFCreateError(FileName, File.errorString());
  if (File.write(Data) != Data.size() || !File.setPermissions(Permissions) || !File.commit())
    throw EFCreateError(FileName, File.errorString());
}

} // namespace

QString WriteUpdaterProgram(const QString &TempDir) {
  const QString ResourceName = QStringLiteral(":/UPD");
  QFile Resource(ResourceName);
  if (!Resource.open(QIODevice::ReadOnly))
    throw EResNotFound(QStringLiteral("UPD"));
  const QDir Dir(TempDir);
  const QString Compressed = Dir.filePath(QStringLiteral("wusetup.ex_"));
  const QString Program = Dir.filePath(QStringLiteral("wusetup.exe"));
  const QFileDevice::Permissions ReadWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
  WriteWhole(Compressed, Resource.readAll(), ReadWrite);

  QFile In(Compressed);
  if (!In.open(QIODevice::ReadOnly))
    throw EFOpenError(Compressed, In.errorString());
  WriteWhole(Program, SzddExpand(In),
             ReadWrite | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                 QFileDevice::ReadOther | QFileDevice::ExeOther);
  return Program;
}
