#include "ComponentReplace.h"

#include "UpdaterCommand.h"
#include "UpdaterError.h"
#include "UpdaterLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <vector>

namespace {

struct TPendingReplace {
  QString Name;
  std::unique_ptr<QSaveFile> Target;
};

void CopyInto(const QString &SourceName, QSaveFile &Target) {
  QFile Source(SourceName);
  if (!Source.open(QIODevice::ReadOnly))
    throw EUpdaterError(
        QStringLiteral("Cannot read \"%1\": %2").arg(SourceName, Source.errorString()));
  char Block[65536];
  for (;;) {
    const qint64 Got = Source.read(Block, sizeof Block);
    if (Got < 0)
      throw EUpdaterError(
          QStringLiteral("Cannot read \"%1\": %2").arg(SourceName, Source.errorString()));
    if (Got == 0)
      break;
    if (Target.write(Block, Got) != Got)
      throw EUpdaterError(
          QStringLiteral("Cannot write \"%1\": %2").arg(Target.fileName(), Target.errorString()));
  }
}

} // namespace

QStringList ReplaceComponents(const QString &SourceDir, const QString &AppDir,
                              const QStringList &Components, const TUpdaterLog &Log) {
  const QDir Source(SourceDir);
  const QDir App(AppDir);
  std::vector<TPendingReplace> Pending;
  for (const QString &Name : Components) {
    if (!IsPlainFileName(Name))
      throw EUpdaterError(
          QStringLiteral("The component name \"%1\" is not a plain file name").arg(Name));
    const QFileInfo From(Source.filePath(Name));
    if (!From.isFile()) {
      Log.Write(QStringLiteral("Component %1 was not downloaded; kept").arg(Name));
      continue;
    }
    const QFileInfo To(App.filePath(Name));
    // A link could lead out of the application folder; a folder is no
    // component.
    if (To.isSymLink() || (To.exists() && !To.isFile()))
      throw EUpdaterError(
          QStringLiteral("\"%1\" is not a plain file; not replaced").arg(To.filePath()));
    auto Target = std::make_unique<QSaveFile>(To.filePath());
    if (!Target->open(QIODevice::WriteOnly))
      throw EUpdaterError(QStringLiteral("Cannot write beside \"%1\": %2")
                              .arg(To.filePath(), Target->errorString()));
    CopyInto(From.filePath(), *Target);
    const QFileDevice::Permissions Permissions =
        To.exists() ? QFile::permissions(To.filePath()) : QFile::permissions(From.filePath());
    if (!Target->setPermissions(Permissions))
      throw EUpdaterError(
          QStringLiteral("Cannot set the permissions of the new \"%1\"").arg(To.filePath()));
    Log.Write(QStringLiteral("Written new %1 (%2 bytes)").arg(Name).arg(From.size()));
    Pending.push_back({Name, std::move(Target)});
  }

  QStringList Replaced;
  for (TPendingReplace &Item : Pending) {
    if (!Item.Target->commit())
      throw EUpdaterError(QStringLiteral("Cannot replace \"%1\": %2")
                              .arg(Item.Target->fileName(), Item.Target->errorString()));
    Log.Write(QStringLiteral("Replaced %1").arg(App.filePath(Item.Name)));
    Replaced.append(Item.Name);
  }
  return Replaced;
}
