#include "UpdaterProgram.h"
#include "Exceptions.h"
#include "UpdateTestInstallation.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(WriteUpdaterProgram, WritesTheBuiltUpdaterAsAnExecutable) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  const QString Program = WriteUpdaterProgram(Temp.path());
  EXPECT_EQ(Program, Temp.filePath(u"wusetup.exe"_s));
  EXPECT_TRUE(QFileInfo(Program).isExecutable());
  EXPECT_EQ(ReadTestFile(Program), ReadTestFile(QStringLiteral(WUSETUP_PATH)));
  const QByteArray Compressed = ReadTestFile(Temp.filePath(u"wusetup.ex_"_s));
  EXPECT_TRUE(Compressed.startsWith("SZDD\x88\xF0\x27\x33"
                                    "Ae"));
  EXPECT_LT(Compressed.size(), QFileInfo(Program).size());
}

TEST(WriteUpdaterProgram, FailsForAMissingFolder) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  EXPECT_THROW(WriteUpdaterProgram(Temp.filePath(u"missing"_s)), EFCreateError);
}

TEST(WrittenUpdater, WithoutArgumentsPrintsUsage) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  QProcess Updater;
  Updater.start(WriteUpdaterProgram(Temp.path()), {});
  ASSERT_TRUE(Updater.waitForFinished(10000));
  EXPECT_EQ(Updater.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(Updater.exitCode(), 2);
  EXPECT_TRUE(Updater.readAllStandardError().contains("Usage: wusetup"));
}

// The whole hand-over: the program to wait for is a short sleep.
TEST(WrittenUpdater, WaitsForTheProgramThenUpdatesAndRestartsIt) {
  TTestInstallation Install;
  const QString Program = WriteUpdaterProgram(Install.Download());
  qint64 SleepId = 0;
  QElapsedTimer Clock;
  Clock.start();
  ASSERT_TRUE(QProcess::startDetached(u"sleep"_s, {u"1"_s}, {}, &SleepId));
  QProcess Updater;
  Updater.start(Program, {QString::number(SleepId), u"L"_s, Install.AppPath(), u" "_s,
                          Install.Download(), u"lingrove;lingrove.dat"_s});
  ASSERT_TRUE(Updater.waitForFinished(20000));
  EXPECT_GE(Clock.elapsed(), 900);
  EXPECT_EQ(Updater.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(Updater.exitCode(), 0) << Updater.readAllStandardError().toStdString();
  EXPECT_EQ(Install.WaitForMarker(), "v2\n");
  EXPECT_EQ(ReadTestFile(Install.App(u"lingrove.dat"_s)), "new data");
  EXPECT_TRUE(ReadTestFile(Install.Download(u"WUPDATE.LOG"_s)).contains("has ended"));
}

TEST(WrittenUpdater, RefusesAnUnsafeComponent) {
  TTestInstallation Install;
  QProcess Updater;
  Updater.start(WriteUpdaterProgram(Install.Download()),
                {u"1"_s, u"X"_s, Install.AppPath(), Install.Download(), u"../lingrove"_s});
  ASSERT_TRUE(Updater.waitForFinished(10000));
  EXPECT_EQ(Updater.exitCode(), 2);
  EXPECT_TRUE(Updater.readAllStandardError().contains("not a plain file name"));
}

} // namespace
