// lingrove-cli: the command-line tool over the ZrLang library and the
// editor's document model. No GUI.
#include "CliCommand.h"

#include <QCoreApplication>
#include <csignal>

int main(int argc, char *argv[]) {
  // A reader that goes away (a FIFO given as the output) makes the write fail
  // with its reason, reported like any other, instead of ending the program
  // without a word.
  std::signal(SIGPIPE, SIG_IGN);
  QCoreApplication App(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("lingrove-cli"));
  return RunCli(QCoreApplication::arguments().mid(1));
}
