#include "ProcessWait.h"
#include "UpdateTestInstallation.h"
#include "Updater.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The ID of a process that has ended and been collected.
qint64 EndedProcessId() {
  QProcess Process;
  Process.start(u"true"_s, {});
  EXPECT_TRUE(Process.waitForStarted(5000));
  const qint64 Id = Process.processId();
  EXPECT_TRUE(Process.waitForFinished(5000));
  return Id;
}

TUpdaterOptions ShortWait() {
  TUpdaterOptions Options;
  Options.WaitTimeout = std::chrono::milliseconds(300);
  Options.PollInterval = std::chrono::milliseconds(20);
  return Options;
}

TEST(ProcessWait, SeesAProcessEnd) {
  qint64 Id = 0;
  ASSERT_TRUE(QProcess::startDetached(u"sleep"_s, {u"1"_s}, {}, &Id));
  EXPECT_TRUE(ProcessIsRunning(Id));
  EXPECT_FALSE(WaitForProcessEnd(Id, std::chrono::milliseconds(50)));
  EXPECT_TRUE(WaitForProcessEnd(Id, std::chrono::seconds(10)));
  EXPECT_FALSE(ProcessIsRunning(Id));
  EXPECT_FALSE(ProcessIsRunning(0));
}

TEST(RunUpdater, ReplacesTheComponentsAndStartsTheNewProgram) {
  TTestInstallation Install;
  const QStringList Args = {QString::number(EndedProcessId()),
                            u"L"_s,
                            Install.AppPath(),
                            u"-open file.lng"_s,
                            Install.Download(),
                            u"lingrove,lingrove.dat"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxDone);
  EXPECT_EQ(Install.WaitForMarker(), "v2\n-open\nfile.lng\n");
  EXPECT_EQ(ReadTestFile(Install.App(u"lingrove.dat"_s)), "new data");

  const QString Log = QString::fromUtf8(ReadTestFile(Install.Download(u"WUPDATE.LOG"_s)));
  qsizetype At = 0;
  for (const QString &Step :
       {u"Updater started for "_s, u"Waiting for process"_s, u"has ended"_s,
        u"Replaced "_s + Install.AppPath(), u"2 component(s) replaced"_s, u"Started "_s}) {
    const qsizetype Found = Log.indexOf(Step, At);
    EXPECT_GE(Found, 0) << Step.toStdString() << " missing in order from\n" << Log.toStdString();
    At = std::max(At, Found);
  }
}

TEST(RunUpdater, WithoutLoggingWritesNoLog) {
  TTestInstallation Install;
  const QStringList Args = {QString::number(EndedProcessId()), u"X"_s, Install.AppPath(),
                            Install.Download(), u"lingrove"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxDone);
  EXPECT_EQ(Install.WaitForMarker(), "v2\n");
  EXPECT_FALSE(QFile::exists(Install.Download(u"WUPDATE.LOG"_s)));
}

TEST(RunUpdater, LeavesARunningProgramAlone) {
  TTestInstallation Install;
  const QStringList Args = {QString::number(QCoreApplication::applicationPid()), u"L"_s,
                            Install.AppPath(), Install.Download(), u"lingrove.dat"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxStillRunning);
  EXPECT_EQ(ReadTestFile(Install.App(u"lingrove.dat"_s)), "old data");
  EXPECT_TRUE(ReadTestFile(Install.Download(u"WUPDATE.LOG"_s)).contains("still runs"));
  EXPECT_EQ(Install.WaitForMarker(300), "");
}

TEST(RunUpdater, StartsTheOldProgramWhenReplacingFails) {
  TTestInstallation Install;
  ASSERT_TRUE(QFile::remove(Install.App(u"lingrove.dat"_s)));
  ASSERT_TRUE(QDir(Install.App()).mkdir(u"lingrove.dat"_s));
  const QStringList Args = {QString::number(EndedProcessId()), u"L"_s, Install.AppPath(),
                            Install.Download(), u"lingrove lingrove.dat"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxReplaceFailed);
  EXPECT_EQ(Install.WaitForMarker(), "v1\n");
  EXPECT_TRUE(ReadTestFile(Install.Download(u"WUPDATE.LOG"_s)).contains("Update failed: "));
}

// A component handed over that is not in the folder fails the update: the
// others stay old and the old program is started again.
TEST(RunUpdater, AMissingComponentFailsAndKeepsTheOldProgram) {
  TTestInstallation Install;
  const QStringList Args = {QString::number(EndedProcessId()),
                            u"L"_s,
                            Install.AppPath(),
                            Install.Download(),
                            u"lingrove"_s,
                            u"LINGROVE.DAT"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxReplaceFailed);
  EXPECT_EQ(Install.WaitForMarker(), "v1\n");
  EXPECT_EQ(ReadTestFile(Install.App(u"lingrove.dat"_s)), "old data");
  EXPECT_TRUE(ReadTestFile(Install.Download(u"WUPDATE.LOG"_s)).contains("LINGROVE.DAT"));
}

// Files in a folder others may write to could have been planted there.
TEST(RunUpdater, RefusesASharedTemporaryFolder) {
  TTestInstallation Install;
  ASSERT_TRUE(QFile::setPermissions(
      Install.Download(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::WriteOther | QFileDevice::ExeOther));
  const QStringList Args = {QString::number(EndedProcessId()), u"L"_s, Install.AppPath(),
                            Install.Download(), u"lingrove"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxBadCommand);
  EXPECT_TRUE(ReadTestFile(Install.AppPath()).contains("v1"));
  EXPECT_EQ(Install.WaitForMarker(300), "");
}

TEST(RunUpdater, ReportsAProgramThatCannotStart) {
  TTestInstallation Install;
  const QStringList Args = {QString::number(EndedProcessId()), u"L"_s, Install.App(u"missing"_s),
                            Install.Download(), u"lingrove.dat"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxStartFailed);
  EXPECT_EQ(ReadTestFile(Install.App(u"lingrove.dat"_s)), "new data");
  EXPECT_TRUE(ReadTestFile(Install.Download(u"WUPDATE.LOG"_s)).contains("Cannot start "));
}

TEST(RunUpdater, RejectsUnsafeComponentsAndTouchesNothing) {
  TTestInstallation Install;
  WriteTestFile(Install.Root() + u"/victim"_s, "victim");
  WriteTestFile(Install.Download(u"victim"_s), "overwritten");
  const QStringList Args = {QString::number(EndedProcessId()), u"L"_s, Install.AppPath(),
                            Install.Download(), u"lingrove,../victim"_s};
  EXPECT_EQ(RunUpdater(Args, ShortWait()), uxBadCommand);
  EXPECT_EQ(ReadTestFile(Install.Root() + u"/victim"_s), "victim");
  EXPECT_TRUE(ReadTestFile(Install.AppPath()).contains("v1"));
  EXPECT_EQ(Install.WaitForMarker(300), "");
}

} // namespace
