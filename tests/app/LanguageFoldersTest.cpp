#include "LanguageFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A program folder "prefix/bin" and which of the two language folders exist.
struct TFolderCase {
  const char *Name;
  bool BesideExists;
  bool InstalledExists;
  const char *Expected; // relative to prefix
};

class FindLanguageFolderTest : public testing::TestWithParam<TFolderCase> {};

TEST_P(FindLanguageFolderTest, TakesTheFirstExistingCandidate) {
  const TFolderCase &Case = GetParam();
  QTemporaryDir Prefix;
  ASSERT_TRUE(Prefix.isValid());
  const QDir Root(Prefix.path());
  ASSERT_TRUE(Root.mkpath(QStringLiteral("bin")));
  if (Case.BesideExists) {
    ASSERT_TRUE(Root.mkpath(QStringLiteral("bin/Languages")));
  } else {
    // A file of the folder's name is no folder.
    QFile Plain(Root.filePath(QStringLiteral("bin/Languages")));
    ASSERT_TRUE(Plain.open(QIODevice::WriteOnly));
  }
  if (Case.InstalledExists) {
    ASSERT_TRUE(Root.mkpath(QStringLiteral("share/lingrove/languages")));
  }
  EXPECT_EQ(FindLanguageFolder(Root.filePath(QStringLiteral("bin"))),
            Root.filePath(QString::fromUtf8(Case.Expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindLanguageFolderTest,
    testing::Values(TFolderCase{"BuildTree", true, false, "bin/Languages"},
                    TFolderCase{"Installed", false, true, "share/lingrove/languages"},
                    TFolderCase{"BothPreferBeside", true, true, "bin/Languages"},
                    TFolderCase{"NeitherGivesBeside", false, false, "bin/Languages"}),
    [](const testing::TestParamInfo<TFolderCase> &Info) { return Info.param.Name; });

TEST(LanguageFolderCandidatesTest, BesideThenInstalledRelativeToBin) {
  EXPECT_EQ(LanguageFolderCandidates(QStringLiteral("/opt/lingrove/bin/")),
            (QStringList{QStringLiteral("/opt/lingrove/bin/Languages"),
                         QStringLiteral("/opt/lingrove/share/lingrove/languages")}));
}

} // namespace
