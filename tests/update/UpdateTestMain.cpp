// The update component's tests run with a GUI application on the offscreen
// platform, so the progress window is exercised too; settings and the
// control-file address of the environment are kept out.
#include "WebUpdate.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv(TWebUpdate::ControlFileUrlVariable);
  QStandardPaths::setTestModeEnabled(true);
  QApplication App(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
