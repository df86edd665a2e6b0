#pragma once

#include "PlainFileName.h"

#include <QString>
#include <QStringList>

// The hand-over from the program being updated:
//   <pid> L|X <app path> <app params> "<temp folder>" <components>
// The app path and params are quoted when they hold a blank; params are a
// single blank when there are none, so after splitting they may be missing
// or a lone blank.
struct TUpdaterCommand {
  qint64 ProcessId = 0;
  bool Log = false;
  QString AppPath;
  // One command-line string, split by the usual quoting rules when the
  // application is started again; empty when there are none.
  QString AppParams;
  QString TempDir;
  QStringList Components;
};

// Parses the updater's arguments (without its own program name), either
// already split or as one string that is split here. Throws EUpdaterError
// naming the fault: too few arguments, a bad process ID or log mode, an app
// path or temp folder that is not absolute or holds "." or ".." segments,
// or an unsafe component name.
// The app path and the temp folder are told apart from the params by being
// absolute, which no component name may be.
TUpdaterCommand ParseUpdaterCommand(const QStringList &Args);

// Splits a component list at commas, semicolons and blanks; empty entries
// are dropped and the order is kept.
QStringList SplitComponentList(const QString &List);

// The usage text that the updater prints for a malformed command line.
QString UpdaterUsage();
