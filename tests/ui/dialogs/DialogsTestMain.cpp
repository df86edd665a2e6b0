#include "InterfaceTexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Settings, histories and the settings mutex's lock files live in a home
// folder of the run's own, never in the user's.
int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  QTemporaryDir Home;
  const QString Runtime = Home.filePath(QStringLiteral("runtime"));
  QDir().mkpath(Runtime);
  QFile::setPermissions(Runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("HOME", Home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", Home.filePath(QStringLiteral("config")).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", Runtime.toLocal8Bit());
  QStandardPaths::setTestModeEnabled(true);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  InstallInterfaceTexts();
  return RUN_ALL_TESTS();
}
