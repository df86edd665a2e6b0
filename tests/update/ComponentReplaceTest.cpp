#include "ComponentReplace.h"
#include "UpdateTestFiles.h"
#include "UpdaterError.h"
#include "UpdaterLog.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A throw-away installation: App holds the old components and a file that
// is not updated, Download the new ones, Outside a file beyond both.
class TComponentReplace : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FRoot.isValid());
    for (const QString &Sub : {u"app"_s, u"download"_s, u"outside"_s})
      ASSERT_TRUE(QDir(FRoot.path()).mkdir(Sub));
    WriteTestFile(App(u"lingrove"_s), "old program", ExecutablePermissions);
    WriteTestFile(App(u"lingrove.dat"_s), "old data");
    WriteTestFile(App(u"readme.txt"_s), "kept");
    WriteTestFile(Download(u"lingrove"_s), "new program");
    WriteTestFile(Download(u"lingrove.dat"_s), "new data");
    WriteTestFile(Outside(u"secret"_s), "outside");
  }

  QString App(const QString &Name = {}) const { return Path(u"app"_s, Name); }
  QString Download(const QString &Name = {}) const { return Path(u"download"_s, Name); }
  QString Outside(const QString &Name = {}) const { return Path(u"outside"_s, Name); }

  QStringList Replace(const QStringList &Components,
                      const TRenameFunction &Rename = RenameReplacing) const {
    return ReplaceComponents(Download(), App(), Components, TUpdaterLog(), Rename);
  }

  void ExpectAppUnchanged() const {
    EXPECT_EQ(ReadTestFile(App(u"lingrove"_s)), "old program");
    EXPECT_EQ(ReadTestFile(App(u"lingrove.dat"_s)), "old data");
    EXPECT_EQ(ReadTestFile(Outside(u"secret"_s)), "outside");
  }

  QTemporaryDir FRoot;

private:
  QString Path(const QString &Sub, const QString &Name) const {
    const QString Folder = FRoot.filePath(Sub);
    return Name.isEmpty() ? Folder : Folder + u'/' + Name;
  }
};

TEST_F(TComponentReplace, ReplacesTheComponentsOnly) {
  const QStringList Replaced = Replace({u"lingrove"_s, u"lingrove.dat"_s});
  EXPECT_EQ(Replaced, QStringList({u"lingrove"_s, u"lingrove.dat"_s}));
  EXPECT_EQ(ReadTestFile(App(u"lingrove"_s)), "new program");
  EXPECT_EQ(ReadTestFile(App(u"lingrove.dat"_s)), "new data");
  EXPECT_EQ(ReadTestFile(App(u"readme.txt"_s)), "kept");
  // Nothing written beside the components is left over.
  EXPECT_EQ(FolderEntries(App()), "lingrove lingrove.dat readme.txt");
}

TEST_F(TComponentReplace, KeepsTheExecutablePermission) {
  ASSERT_FALSE(QFile::permissions(Download(u"lingrove"_s)) & QFileDevice::ExeOwner);
  Replace({u"lingrove"_s});
  EXPECT_EQ(QFile::permissions(App(u"lingrove"_s)) &
                ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
            ExecutablePermissions);
}

TEST_F(TComponentReplace, AddsANewComponentWithItsDownloadedPermissions) {
  WriteTestFile(Download(u"plugin.so"_s), "plugin", ExecutablePermissions);
  EXPECT_EQ(Replace({u"plugin.so"_s}), QStringList({u"plugin.so"_s}));
  EXPECT_EQ(ReadTestFile(App(u"plugin.so"_s)), "plugin");
  EXPECT_TRUE(QFile::permissions(App(u"plugin.so"_s)) & QFileDevice::ExeOwner);
}

TEST_F(TComponentReplace, RejectsUnsafeNamesBeforeTouchingAnything) {
  WriteTestFile(FRoot.filePath(u"evil"_s), "evil");
  for (const QString &Name : {u"../outside/secret"_s, u".."_s, u"/etc/passwd"_s, u"a\\b"_s}) {
    EXPECT_THROW(Replace({u"lingrove"_s, Name}), EUpdaterError) << Name.toStdString();
    ExpectAppUnchanged();
  }
}

TEST_F(TComponentReplace, RefusesALinkOutOfTheFolderAndReplacesNothing) {
  ASSERT_TRUE(QFile::link(Outside(u"secret"_s), App(u"linked"_s)));
  WriteTestFile(Download(u"linked"_s), "through the link");
  EXPECT_THROW(Replace({u"lingrove"_s, u"linked"_s}), EUpdaterError);
  ExpectAppUnchanged();
  EXPECT_EQ(FolderEntries(App()), "lingrove lingrove.dat linked readme.txt");
}

TEST_F(TComponentReplace, RefusesAFolderInTheWay) {
  ASSERT_TRUE(QDir(App()).mkdir(u"plugins"_s));
  WriteTestFile(Download(u"plugins"_s), "a file");
  EXPECT_THROW(Replace({u"lingrove"_s, u"plugins"_s}), EUpdaterError);
  ExpectAppUnchanged();
}

// A component handed over but not downloaded is a fault, not a success that
// replaced nothing.
TEST_F(TComponentReplace, AMissingComponentReplacesNothing) {
  try {
    Replace({u"lingrove"_s, u"missing.dll"_s});
    FAIL() << "replaced";
  } catch (const EUpdaterError &E) {
    EXPECT_EQ(E.Message(), u"Component missing.dll was not downloaded; nothing replaced"_s);
  }
  ExpectAppUnchanged();
  EXPECT_EQ(FolderEntries(App()), "lingrove lingrove.dat readme.txt");
}

struct TRollBackCase {
  const char *Name;
  int FailingRename; // 1-based count of the rename that fails
};

class ComponentRollBack : public TComponentReplace,
                          public testing::WithParamInterface<TRollBackCase> {};

// With "plugin.so" new, the renames are: lingrove aside, new lingrove in,
// lingrove.dat aside, new lingrove.dat in, new plugin.so in. Whichever fails,
// the folder is left as it was.
TEST_P(ComponentRollBack, LeavesTheOldComponents) {
  WriteTestFile(Download(u"plugin.so"_s), "plugin");
  int Calls = 0;
  const auto FailingRename = [&Calls](const QString &From, const QString &To) {
    return ++Calls != GetParam().FailingRename && RenameReplacing(From, To);
  };
  EXPECT_THROW(Replace({u"lingrove"_s, u"lingrove.dat"_s, u"plugin.so"_s}, FailingRename),
               EUpdaterError);
  ExpectAppUnchanged();
  EXPECT_EQ(FolderEntries(App()), "lingrove lingrove.dat readme.txt");
  EXPECT_TRUE(QFile::permissions(App(u"lingrove"_s)) & QFileDevice::ExeOwner);
}

INSTANTIATE_TEST_SUITE_P(Table, ComponentRollBack,
                         testing::Values(TRollBackCase{"FirstAside", 1},
                                         TRollBackCase{"FirstIn", 2},
                                         TRollBackCase{"SecondAside", 3},
                                         TRollBackCase{"SecondIn", 4},
                                         TRollBackCase{"NewComponentIn", 5}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(TComponentReplace, LogsEachStep) {
  const QString LogName = FRoot.filePath(u"log.txt"_s);
  ReplaceComponents(Download(), App(), {u"lingrove"_s}, TUpdaterLog(LogName));
  const QString Log = QString::fromUtf8(ReadTestFile(LogName));
  EXPECT_TRUE(Log.contains(u"Written new lingrove (11 bytes)"_s)) << Log.toStdString();
  EXPECT_TRUE(Log.contains(u"Replaced "_s + App(u"lingrove"_s))) << Log.toStdString();
}

} // namespace
