// Lingrove: the editor for ZrLang translation files.
#include "MainForm.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication App(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Brisel Solutions"));
  QApplication::setApplicationName(QStringLiteral("Lingrove"));
  QApplication::setApplicationVersion(QStringLiteral(LINGROVE_VERSION));
  TUIMainForm MainForm;
  MainForm.show();
  return App.exec();
}
