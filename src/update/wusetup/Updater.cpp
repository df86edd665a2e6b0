#include "Updater.h"

#include "ComponentReplace.h"
#include "ProcessWait.h"
#include "UpdaterCommand.h"
#include "UpdaterError.h"
#include "UpdaterLog.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace {

void Report(const TUpdaterLog &Log, const QString &Line) {
  Log.Write(Line);
  std::fprintf(stderr, "wusetup: %s\n", Line.toLocal8Bit().constData());
}

} // namespace

TUpdaterExit RunUpdater(const QStringList &Args, const TUpdaterOptions &Options) {
  TUpdaterCommand Command;
  try {
    Command = ParseUpdaterCommand(Args);
  } catch (const Exception &E) {
    std::fprintf(stderr, "wusetup: %s\n%s", E.Message().toLocal8Bit().constData(),
                 UpdaterUsage().toLocal8Bit().constData());
    return uxBadCommand;
  }

  const TUpdaterLog Log =
      Command.Log ? TUpdaterLog(UpdaterLogFileName(Command.TempDir)) : TUpdaterLog();
  Log.Write(QStringLiteral("Updater started for %1, process %2, components: %3")
                .arg(Command.AppPath)
                .arg(Command.ProcessId)
                .arg(Command.Components.join(u", ")));

  const QString AppDir = QFileInfo(Command.AppPath).absolutePath();
  if (!QFileInfo(Command.TempDir).isDir() || !QFileInfo(AppDir).isDir()) {
    Report(Log, QStringLiteral("The temporary folder %1 or the application folder %2 is missing")
                    .arg(Command.TempDir, AppDir));
    return uxBadCommand;
  }

#ifdef Q_OS_UNIX
  // Files others may plant are never installed: the program downloads into
  // a folder of its own.
  if (QFileInfo(Command.TempDir).permissions() &
      (QFileDevice::WriteGroup | QFileDevice::WriteOther)) {
    Report(Log, QStringLiteral("The temporary folder %1 is writable by others; nothing replaced")
                    .arg(Command.TempDir));
    return uxBadCommand;
  }
#endif

  Log.Write(QStringLiteral("Waiting for process %1 to end").arg(Command.ProcessId));
  if (!WaitForProcessEnd(Command.ProcessId, Options.WaitTimeout, Options.PollInterval)) {
    Report(Log, QStringLiteral("Process %1 still runs after %2 ms; nothing replaced")
                    .arg(Command.ProcessId)
                    .arg(Options.WaitTimeout.count()));
    return uxStillRunning;
  }
  Log.Write(QStringLiteral("Process %1 has ended").arg(Command.ProcessId));

  TUpdaterExit Result = uxDone;
  try {
    const QStringList Replaced =
        ReplaceComponents(Command.TempDir, AppDir, Command.Components, Log);
    Log.Write(QStringLiteral("%1 component(s) replaced").arg(Replaced.size()));
  } catch (const Exception &E) {
    Report(Log, QStringLiteral("Update failed: %1").arg(E.Message()));
    Result = uxReplaceFailed;
  }

  // Started again even after a failed replacement: the old components are
  // still whole, and the user expects the program back.
  const QStringList AppArgs = QProcess::splitCommand(Command.AppParams);
  if (!QProcess::startDetached(Command.AppPath, AppArgs, AppDir)) {
    Report(Log, QStringLiteral("Cannot start %1").arg(Command.AppPath));
    return Result == uxDone ? uxStartFailed : Result;
  }
  Log.Write(QStringLiteral("Started %1 %2").arg(Command.AppPath, Command.AppParams));
  return Result;
}
