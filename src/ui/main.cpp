// Lingrove: the editor for ZrLang translation files.
#include "AppAttribs.h"
#include "InterfaceTexts.h"
#include "Languages.h"
#include "MainForm.h"
#include "NamedMutex.h"
#include "ProgramIcon.h"
#include "ProgramIdentity.h"
#include "RecentProjects.h"
#include "StartArguments.h"
#include "UIGuard.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv) {
  QApplication::setOrganizationName(QStringLiteral("Brisel Solutions"));
  QApplication::setApplicationName(QStringLiteral("Lingrove"));
  QApplication::setApplicationVersion(ProgramVersion());
  QGuiApplication::setDesktopFileName(ApplicationId());
  TStartFiles StartFiles;
  QTextStream Out(stdout), Err(stderr);
  // Help and version need no window system; answered before there is one.
  if (AsksForHelpOrVersion(argc, argv)) {
    QStringList Args;
    for (int I = 0; I < argc; ++I)
      Args.append(QString::fromLocal8Bit(argv[I]));
    if (const int Status = ParseStartArguments(Args, StartFiles, Out, Err); Status >= 0)
      return Status;
  }
  ProtectDisplayOption(argc, argv);
  QApplication App(argc, argv);
  // Qt has taken its own options out of the arguments by now.
  if (const int Status = ParseStartArguments(QApplication::arguments(), StartFiles, Out, Err);
      Status >= 0)
    return Status;

  QApplication::setWindowIcon(ProgramIcon());
  TUIGuard::InstallMessageBoxes();
  InstallLanguageTableNames();
  InstallInterfaceTexts();
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
    MainForm->SetStartFiles(StartFiles);
    MainForm->show();
    Result = App.exec();
    MainForm->ReleaseForExit();
  }
  WaitForRecentProjects();
  FinalizeAttribs();
  return Result;
}
