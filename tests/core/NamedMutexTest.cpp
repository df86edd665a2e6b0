#include "NamedMutex.h"
#include "SettingsTestSupport.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

using namespace SettingsTest;

namespace {

const QString ConfigMutex = u"Lingrove-Config-Mutex"_s;

TEST(NamedMutexFiles, LockFilesByName) {
  const QString Runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  EXPECT_EQ(NamedMutex::LockFileName(ConfigMutex), Runtime + u"/Lingrove-Config-Mutex.lock"_s);
  EXPECT_EQ(NamedMutex::LockFileName(u"Global\\BriselLingroveAppMutex"_s),
            QDir::tempPath() + u"/BriselLingroveAppMutex.lock"_s);
  // Names from titles may hold a path.
  EXPECT_EQ(NamedMutex::LockFileName(u"a/b%c"_s), Runtime + u"/a%2Fb%25c.lock"_s);
}

TEST(NamedMutexThreads, OwnerMayTakeItAgainOthersWait) {
  NamedMutex First(ConfigMutex), Second(u"Local\\"_s + ConfigMutex);
  ASSERT_TRUE(First.IsOpen() && Second.IsOpen());
  ASSERT_TRUE(First.Wait());
  ASSERT_TRUE(Second.Wait()); // same thread: no deadlock
  EXPECT_TRUE(NamedMutex::IsInUse(ConfigMutex));
  bool Acquired = false;
  TBackground Other([&] {
    NamedMutex Mutex(ConfigMutex);
    Acquired = Mutex.Wait();
    Mutex.Release();
  });
  EXPECT_FALSE(Other.WaitFinished(300));
  EXPECT_TRUE(Second.Release());
  EXPECT_FALSE(Other.WaitFinished(300)); // still held once
  EXPECT_TRUE(First.Release());
  ASSERT_TRUE(Other.WaitFinished(10000));
  EXPECT_TRUE(Acquired);
  EXPECT_FALSE(First.Release()); // not owned any more
  EXPECT_FALSE(NamedMutex::IsInUse(ConfigMutex));
}

TEST(NamedMutexThreads, CloseGivesUpWhatIsHeld) {
  {
    NamedMutex Mutex(ConfigMutex);
    ASSERT_TRUE(Mutex.Wait());
    ASSERT_TRUE(Mutex.Wait());
  }
  EXPECT_FALSE(NamedMutex::IsInUse(ConfigMutex));
}

TEST(NamedMutexProcesses, WaitsUntilTheOtherProcessReleases) {
  auto Child = StartChild({u"hold-mutex"_s, ConfigMutex});
  ASSERT_TRUE(WaitForLine(*Child, "held"));
  EXPECT_TRUE(NamedMutex::IsInUse(ConfigMutex));
  NamedMutex Mutex(ConfigMutex);
  TBackground Waiter([&] { Mutex.Wait(); });
  EXPECT_FALSE(Waiter.WaitFinished(500));
  Child->closeWriteChannel();
  ASSERT_TRUE(Waiter.WaitFinished(20000));
  ASSERT_TRUE(Child->waitForFinished(20000));
  EXPECT_EQ(Child->exitCode(), 0);
}

TEST(NamedMutexProcesses, KilledHolderDoesNotBlock) {
  auto Child = StartChild({u"hold-mutex"_s, ConfigMutex});
  ASSERT_TRUE(WaitForLine(*Child, "held"));
  Child->kill(); // SIGKILL: no clean-up in the child
  ASSERT_TRUE(Child->waitForFinished(20000));
  NamedMutex Mutex(ConfigMutex);
  TBackground Waiter([&] { Mutex.Wait(); });
  EXPECT_TRUE(Waiter.WaitFinished(10000));
}

TEST(NamedMutexProcesses, SharedMarkersAreHeldTogether) {
  const QString Marker = u"Global\\BriselLingroveAppMutex"_s;
  auto First = StartChild({u"hold-mutex"_s, Marker, u"shared"_s});
  auto Second = StartChild({u"hold-mutex"_s, Marker, u"shared"_s});
  ASSERT_TRUE(WaitForLine(*First, "held"));
  ASSERT_TRUE(WaitForLine(*Second, "held"));
  EXPECT_TRUE(NamedMutex::IsInUse(Marker));
  NamedMutex Exclusive(Marker);
  TBackground Waiter([&] {
    Exclusive.Wait();
    Exclusive.Release(); // by the owning thread
  });
  First->kill();
  EXPECT_FALSE(Waiter.WaitFinished(300)); // the second still runs
  Second->closeWriteChannel();
  EXPECT_TRUE(Waiter.WaitFinished(20000));
  Second->waitForFinished(20000);
  First->waitForFinished(20000);
  EXPECT_FALSE(NamedMutex::IsInUse(Marker));
}

} // namespace
