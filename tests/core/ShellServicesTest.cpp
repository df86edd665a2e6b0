#include "CoreError.h"
#include "CoreUUID.h"
#include "SettingsTestSupport.h"
#include "ShellFolders.h"
#include "SystemServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace SettingsTest;

namespace {

struct TParamCase {
  const char16_t *CommandLine;
  int Index;
  const char16_t *Expected;
};

class ParamStrTest : public testing::TestWithParam<TParamCase> {};

TEST_P(ParamStrTest, Tokens) {
  EXPECT_EQ(ParamStrOf(QString::fromUtf16(GetParam().CommandLine), GetParam().Index),
            QString::fromUtf16(GetParam().Expected));
}

const char16_t Quoted[] = u"\"C:\\Program Files\\Lingrove.exe\" a \"b c\"";

INSTANTIATE_TEST_SUITE_P(CommandLines, ParamStrTest,
                         testing::Values(TParamCase{Quoted, 0, u"C:\\Program Files\\Lingrove.exe"},
                                         TParamCase{Quoted, 1, u"a"}, TParamCase{Quoted, 2, u"b c"},
                                         TParamCase{Quoted, 3, u""},
                                         // quotes inside a token, control characters as blanks
                                         TParamCase{u"p x\"y z\"w\t\x01 last", 1, u"xy zw"},
                                         TParamCase{u"p x\"y z\"w\t\x01 last", 2, u"last"},
                                         // an unclosed quote runs to the end
                                         TParamCase{u"p \"a b", 1, u"a b"},
                                         TParamCase{u"p   ", 1, u""}, TParamCase{u"", 0, u""}));

TEST(ParamStr, ProcessCommandLine) {
  EXPECT_EQ(GetParamStr(0), QCoreApplication::applicationFilePath());
  EXPECT_EQ(GetParamStr(1000), QString());
  // Parameters arrive split; blanks inside one stay.
  EXPECT_EQ(RunChild({u"params"_s, u"a b"_s, u"\"c\""_s}),
            u"--settings-test-child|params|a b|\"c\"||");
}

TEST(DirectoryWritable, ProbesWithoutLeavingFiles) {
  const QString Folder = RootFolder() + u"/probe"_s;
  QDir().mkpath(Folder);
  EXPECT_TRUE(IsDirectoryWritable(Folder));
  EXPECT_TRUE(IsDirectoryWritable(Folder + u'/'));
  EXPECT_TRUE(QDir(Folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
  EXPECT_FALSE(IsDirectoryWritable(Folder + u"/missing"_s));
  EXPECT_FALSE(IsDirectoryWritable(u"/proc"_s));
}

TEST(DirectoryWritable, ReadOnlyFolder) {
  const QString Folder = RootFolder() + u"/readonly"_s;
  QDir().mkpath(Folder);
  QFile::setPermissions(RootFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ExeGroup | QFile::ExeOther);
  QFile::setPermissions(Folder,
                        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  // As root, permissions count only for a child that runs as another user.
  EXPECT_EQ(RunChild({u"writable"_s, Folder}, QString(), true), u"0");
  QFile::setPermissions(Folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(GUIDs, TextForms) {
  const TGUID G = TUUID::FromString(u"{0123abcd-4567-89ef-0123-456789ABCDEF}"_s);
  EXPECT_EQ(TUUID::ToString(G), u"{0123ABCD-4567-89EF-0123-456789ABCDEF}");
  EXPECT_EQ(TUUID::ToQuotedString(G), u"'{0123ABCD-4567-89EF-0123-456789ABCDEF}'");
  EXPECT_TRUE(TUUID::EqualGUIDs(G, TUUID::FromString(TUUID::ToString(G))));
  EXPECT_TRUE(TUUID::IsEmptyGUID(TUUID::EmptyGUID()));
  EXPECT_FALSE(TUUID::IsEmptyGUID(G));
  const TGUID New = TUUID::NewGUID();
  EXPECT_FALSE(TUUID::IsEmptyGUID(New));
  EXPECT_FALSE(TUUID::EqualGUIDs(New, TUUID::NewGUID()));
  for (const char16_t *Bad :
       {u"0123abcd-4567-89ef-0123-456789abcdef", u"{0123abcd-4567-89ef-0123-456789abcdeg}",
        u"{0123abcd+4567-89ef-0123-456789abcdef}", u""})
    EXPECT_THROW(TUUID::FromString(QString::fromUtf16(Bad)), ECoreError);
}

TEST(GUIDs, Names) {
  const QString Plain = NewGUIDName();
  EXPECT_TRUE(QRegularExpression(u"^[0-9A-F]{32}$"_s).match(Plain).hasMatch())
      << Plain.toStdString();
  const QString Dashed = NewGUIDName(true);
  EXPECT_TRUE(
      QRegularExpression(u"^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"_s).match(Dashed).hasMatch())
      << Dashed.toStdString();
  EXPECT_NE(NewGUIDName(), Plain);
}

TEST(SpecialFolders, UserFolders) {
  EXPECT_EQ(TUserShellFolders::GetAppData(), qEnvironmentVariable("XDG_CONFIG_HOME"));
  EXPECT_EQ(TUserShellFolders::GetLocalAppData(), qEnvironmentVariable("XDG_DATA_HOME"));
  EXPECT_EQ(TUserShellFolders::GetProfile(), qEnvironmentVariable("HOME"));
  EXPECT_EQ(TUserShellFolders::GetDocuments(), TUserShellFolders::GetPersonal());
  EXPECT_EQ(TUserShellFolders::GetCookies(), QString()); // none here
  EXPECT_EQ(TShellFolders::GetSpecialFolderPath(-1), QString());
}

} // namespace
