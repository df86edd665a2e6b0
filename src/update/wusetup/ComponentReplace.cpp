#include "ComponentReplace.h"

#include "UpdaterCommand.h"
#include "UpdaterError.h"
#include "UpdaterLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <cstdio>
#include <vector>

namespace {

struct TPendingReplace {
  QString Name;
  QString Target;  // the component in the application folder
  QString NewFile; // the new content, written beside Target
  QString Backup;  // where the original waits; empty while it is in place
  bool Replaced = false;
};

void CopyInto(const QString &SourceName, QFile &Target) {
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
  if (!Target.flush())
    throw EUpdaterError(
        QStringLiteral("Cannot write \"%1\": %2").arg(Target.fileName(), Target.errorString()));
}

// Checks every name and target before anything is written.
void CheckComponents(const QDir &Source, const QDir &App, const QStringList &Components) {
  for (const QString &Name : Components) {
    if (!IsPlainFileName(Name))
      throw EUpdaterError(
          QStringLiteral("The component name \"%1\" is not a plain file name").arg(Name));
    if (!QFileInfo(Source.filePath(Name)).isFile())
      throw EUpdaterError(
          QStringLiteral("Component %1 was not downloaded; nothing replaced").arg(Name));
    const QFileInfo To(App.filePath(Name));
    // A link could lead out of the application folder; a folder is no
    // component.
    if (To.isSymLink() || (To.exists() && !To.isFile()))
      throw EUpdaterError(
          QStringLiteral("\"%1\" is not a plain file; not replaced").arg(To.filePath()));
  }
}

QString WriteBeside(const QString &SourceName, const QString &TargetName) {
  const QFileInfo To(TargetName);
  QTemporaryFile New(To.dir().filePath(u'.' + To.fileName() + QStringLiteral(".new-XXXXXX")));
  New.setAutoRemove(false);
  if (!New.open())
    throw EUpdaterError(
        QStringLiteral("Cannot write beside \"%1\": %2").arg(TargetName, New.errorString()));
  const QString NewName = New.fileName();
  auto RemoveNew = qScopeGuard([&] {
    New.close();
    QFile::remove(NewName);
  });
  CopyInto(SourceName, New);
  const QFileDevice::Permissions Permissions =
      To.exists() ? QFile::permissions(TargetName) : QFile::permissions(SourceName);
  if (!New.setPermissions(Permissions))
    throw EUpdaterError(
        QStringLiteral("Cannot set the permissions of the new \"%1\"").arg(TargetName));
  New.close();
  RemoveNew.dismiss();
  return NewName;
}

// Puts the originals back, newest first; what cannot be restored is logged.
void RollBack(std::vector<TPendingReplace> &Pending, const TUpdaterLog &Log,
              const TRenameFunction &Rename) {
  for (auto It = Pending.rbegin(); It != Pending.rend(); ++It) {
    bool Restored = true;
    if (!It->Backup.isEmpty())
      Restored = Rename(It->Backup, It->Target);
    else if (It->Replaced)
      Restored = QFile::remove(It->Target);
    if (It->Replaced || !It->Backup.isEmpty())
      Log.Write(Restored ? QStringLiteral("Restored %1").arg(It->Target)
                         : QStringLiteral("Cannot restore %1; the original is %2")
                               .arg(It->Target,
                                    It->Backup.isEmpty() ? QStringLiteral("gone") : It->Backup));
    QFile::remove(It->NewFile);
  }
}

} // namespace

bool RenameReplacing(const QString &From, const QString &To) {
  return std::rename(QFile::encodeName(From).constData(), QFile::encodeName(To).constData()) == 0;
}

QStringList ReplaceComponents(const QString &SourceDir, const QString &AppDir,
                              const QStringList &Components, const TUpdaterLog &Log,
                              const TRenameFunction &Rename) {
  const QDir Source(SourceDir);
  const QDir App(AppDir);
  CheckComponents(Source, App, Components);

  std::vector<TPendingReplace> Pending;
  auto RemoveNewFiles = qScopeGuard([&] {
    for (const TPendingReplace &Item : Pending)
      QFile::remove(Item.NewFile);
  });
  for (const QString &Name : Components) {
    const QString Target = App.filePath(Name);
    Pending.push_back({Name, Target, WriteBeside(Source.filePath(Name), Target), {}, false});
    Log.Write(QStringLiteral("Written new %1 (%2 bytes)")
                  .arg(Name)
                  .arg(QFileInfo(Source.filePath(Name)).size()));
  }
  RemoveNewFiles.dismiss();

  for (TPendingReplace &Item : Pending) {
    if (QFileInfo::exists(Item.Target)) {
      const QString Backup = Item.NewFile + QStringLiteral(".old");
      if (!Rename(Item.Target, Backup)) {
        RollBack(Pending, Log, Rename);
        throw EUpdaterError(
            QStringLiteral("Cannot move \"%1\" aside; nothing replaced").arg(Item.Target));
      }
      Item.Backup = Backup;
    }
    if (!Rename(Item.NewFile, Item.Target)) {
      RollBack(Pending, Log, Rename);
      throw EUpdaterError(
          QStringLiteral("Cannot replace \"%1\"; nothing replaced").arg(Item.Target));
    }
    Item.Replaced = true;
  }

  QStringList Replaced;
  for (const TPendingReplace &Item : Pending) {
    if (!Item.Backup.isEmpty())
      QFile::remove(Item.Backup);
    Log.Write(QStringLiteral("Replaced %1").arg(Item.Target));
    Replaced.append(Item.Name);
  }
  return Replaced;
}
