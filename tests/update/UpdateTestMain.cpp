// The update component's tests run with a GUI application on the offscreen
// platform, so the progress window is exercised too; settings and the
// control-file address of the environment are kept out.
//
// Child mode "--update-child <control file address> <program file> <temp
// folder>": runs the whole update with the real updater start, the way the
// program does, and exits, so that the updater sees the process end.
#include "WebUpdate.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstring>

namespace {

int UpdateChild(const QStringList &Args) {
  TWebUpdate Update;
  Update.SetControlFileUrl(Args.value(0));
  Update.SetProgramFile(Args.value(1));
  Update.SetProgramDir(QFileInfo(Args.value(1)).absolutePath());
  Update.SetUseSystemTempFolder(false);
  Update.SetTempDirectory(Args.value(2));
  Update.SetShowDownloadProgress(false);
  bool Terminated = false;
  Update.OnTerminate = [&Terminated] { Terminated = true; };
  return Update.DoUpdate() && Terminated ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv(TWebUpdate::ControlFileUrlVariable);
  QStandardPaths::setTestModeEnabled(true);
  QApplication App(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "--update-child") == 0)
    return UpdateChild(QCoreApplication::arguments().mid(2));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
