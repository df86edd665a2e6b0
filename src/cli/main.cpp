// lingrove-cli: the command-line tool over the ZrLang library and the
// editor's document model. No GUI.
#include "CliCommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("lingrove-cli"));
  return RunCli(QCoreApplication::arguments().mid(1));
}
