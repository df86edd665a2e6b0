#include "UpdaterCommand.h"

#include "UpdaterError.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {

bool IsAbsolutePath(const QString &Path) {
  return !Path.isEmpty() && QDir::isAbsolutePath(Path);
}

// An absolute path without "." or ".." segments: its folder is the one it
// names, so the files joined to it stay there.
bool IsCleanAbsolutePath(const QString &Path) {
  return IsAbsolutePath(Path) &&
         QDir::cleanPath(QDir::fromNativeSeparators(Path)) == QDir::fromNativeSeparators(Path);
}

} // namespace

QStringList SplitComponentList(const QString &List) {
  static const QRegularExpression Separators(QStringLiteral("[,;\\s]+"));
  return List.split(Separators, Qt::SkipEmptyParts);
}

TUpdaterCommand ParseUpdaterCommand(const QStringList &Args) {
  // On Windows the whole hand-over may arrive as one command line.
  const QStringList Parts = Args.size() == 1 ? QProcess::splitCommand(Args.first()) : Args;
  if (Parts.size() < 4)
    throw EUpdaterError(
        QStringLiteral("Too few arguments: %1 given, at least 4 needed").arg(Parts.size()));

  TUpdaterCommand Command;
  bool IsNumber = false;
  Command.ProcessId = Parts[0].toLongLong(&IsNumber);
  if (!IsNumber || Command.ProcessId <= 0)
    throw EUpdaterError(QStringLiteral("Invalid process ID \"%1\"").arg(Parts[0]));

  const QString Mode = Parts[1].toUpper();
  if (Mode != u"L" && Mode != u"X")
    throw EUpdaterError(QStringLiteral("Invalid log mode \"%1\": L or X expected").arg(Parts[1]));
  Command.Log = Mode == u"L";

  Command.AppPath = Parts[2];
  if (!IsCleanAbsolutePath(Command.AppPath))
    throw EUpdaterError(QStringLiteral("The application path \"%1\" is not absolute or not clean")
                            .arg(Command.AppPath));

  QStringList Rest = Parts.mid(3);
  if (Rest.size() >= 2 && IsAbsolutePath(Rest[1]))
    Command.AppParams = Rest.takeFirst().trimmed();
  Command.TempDir = Rest.takeFirst();
  if (!IsCleanAbsolutePath(Command.TempDir))
    throw EUpdaterError(QStringLiteral("The temporary folder \"%1\" is not absolute or not clean")
                            .arg(Command.TempDir));

  for (const QString &Name : SplitComponentList(Rest.join(u' '))) {
    if (!IsPlainFileName(Name))
      throw EUpdaterError(
          QStringLiteral("The component name \"%1\" is not a plain file name").arg(Name));
    if (!Command.Components.contains(Name))
      Command.Components.append(Name);
  }
  return Command;
}

QString UpdaterUsage() {
  return QStringLiteral(
      "Usage: wusetup <pid> L|X <application> <parameters> \"<temporary folder>\" <components>\n"
      "Waits until process <pid> has ended, replaces each listed component (names\n"
      "separated by commas, semicolons or blanks) in the application's folder with\n"
      "the file of the same name in the temporary folder, and starts the application\n"
      "again. L writes a log into the temporary folder, X does not.\n");
}
