#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Settings go to a home folder of the run's own, never to the user's.
int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  QTemporaryDir Home;
  qputenv("HOME", Home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (Home.path() + QStringLiteral("/config")).toLocal8Bit());
  QStandardPaths::setTestModeEnabled(true);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  return RUN_ALL_TESTS();
}
