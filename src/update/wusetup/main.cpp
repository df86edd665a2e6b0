// wusetup: replaces the components of a program that has handed over to it
// and starts the program again.
#include "Updater.h"

#include <QCoreApplication>

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  return RunUpdater(QCoreApplication::arguments().mid(1));
}
