#pragma once

#include <QString>
#include <QStringList>

// What the program hands over to the updater when it ends itself.
struct TUpdaterHandOver {
  QString Program; // the updater, "wusetup.exe" in the update's own folder
  qint64 ProcessId = 0;
  bool Log = false;       // "L": the updater logs; "X": it does not
  QString AppPath;        // the application to start again
  QString AppParam;       // its parameters; a single blank stands for none
  QString TempDir;        // where the new components wait
  QStringList Components; // the components to replace: plain file names
};

// The updater's arguments, each its own list item so that no quote or blank
// inside a value can move another: the process ID, "L" or "X", the
// application path, the parameters (a single blank when empty), the
// temporary folder, and one item per component.
QStringList BuildUpdaterArguments(const TUpdaterHandOver &HandOver);

// The arguments as one line for the log, items holding a blank in double
// quotes. Never parsed again.
QString UpdaterArgumentsForLog(const QString &Program, const QStringList &Arguments);
