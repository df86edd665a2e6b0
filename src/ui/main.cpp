// Lingrove: the editor for ZrLang translation files.
#include "AppAttribs.h"
#include "Languages.h"
#include "MainForm.h"
#include "NamedMutex.h"
#include "UIGuard.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication App(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Brisel Solutions"));
  QApplication::setApplicationName(QStringLiteral("Lingrove"));
  QApplication::setApplicationVersion(QStringLiteral(LINGROVE_VERSION));

  TUIGuard::InstallMessageBoxes();
  InstallLanguageTableNames();
  // The settings live from before the window exists to after it is gone.
  InitializeAttribs();
  int Result;
  {
    // Held for the process's life so that an installer can tell that
    // Lingrove runs; they do not limit it to one instance.
    const NamedMutex Marker(QStringLiteral("BriselLingroveAppMutex"), NamedMutex::nmShared);
    const NamedMutex GlobalMarker(QStringLiteral("Global\\BriselLingroveAppMutex"),
                                  NamedMutex::nmShared);
    const auto MainForm = CreateForm<TUIMainForm>();
    MainForm->show();
    Result = App.exec();
  }
  FinalizeAttribs();
  return Result;
}
