#pragma once

#include <QString>

// What the program hands over to the updater when it ends itself.
struct TUpdaterHandOver {
  QString Program; // the updater, "wusetup.exe" in the temporary folder
  qint64 ProcessId = 0;
  bool Log = false; // "L": the updater logs; "X": it does not
  QString AppPath;  // the application to start again
  QString AppParam; // its parameters; a single blank stands for none
  QString TempDir;  // where the new components wait
  QString AppComps; // the components to replace, as the control file lists them
};

// The updater's command line: the program (in double quotes when it holds a
// blank), a blank, the process ID, " L " or " X ", the application path (in
// double quotes when it holds a blank), a blank, the parameters (a single
// blank when empty, in double quotes when they hold a blank), a blank, the
// temporary folder in double quotes, a blank and the component list.
QString BuildUpdaterCommandLine(const TUpdaterHandOver &HandOver);
