// The update component's pure parts: versions, control-file dates and
// text, checksums, the names a control file may choose, the addresses it may
// use, and the updater's arguments.
#include "UpdateChecksum.h"
#include "UpdateControlFile.h"
#include "UpdateDateTime.h"
#include "UpdatePaths.h"
#include "UpdateVersion.h"
#include "UpdaterCommand.h"
#include "UpdaterCommandLine.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TVersionCase {
  const char16_t *Text;
  bool Valid;
  const char16_t *Formatted;
};

class ParseFileVersionTest : public testing::TestWithParam<TVersionCase> {};

TEST_P(ParseFileVersionTest, ReadsFourNumbers) {
  const TVersionCase &Case = GetParam();
  const std::optional<TFileVersion> Version = ParseFileVersion(QString::fromUtf16(Case.Text));
  ASSERT_EQ(Version.has_value(), Case.Valid);
  if (Version) {
    EXPECT_EQ(FormatFileVersion(*Version), QString::fromUtf16(Case.Formatted));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseFileVersionTest,
    testing::Values(TVersionCase{u"5.0.0.0", true, u"5.0.0.0"},
                    TVersionCase{u" 1.2.3.4 ", true, u"1.2.3.4"},
                    TVersionCase{u"6", true, u"6.0.0.0"}, TVersionCase{u"6.1", true, u"6.1.0.0"},
                    TVersionCase{u"65535.65535.65535.65535", true, u"65535.65535.65535.65535"},
                    TVersionCase{u"65536.0.0.0", false, u""},
                    TVersionCase{u"1.2.3.4.5", false, u""}, TVersionCase{u"1..3", false, u""},
                    TVersionCase{u"1.-2", false, u""}, TVersionCase{u"1.+2", false, u""},
                    TVersionCase{u"1. 2", false, u""}, TVersionCase{u"v5", false, u""},
                    TVersionCase{u"", false, u""}));

struct TCompareCase {
  const char16_t *A;
  const char16_t *B;
  int Sign;
};

class CompareFileVersionsTest : public testing::TestWithParam<TCompareCase> {};

TEST_P(CompareFileVersionsTest, HighHalfThenLowHalf) {
  const TCompareCase &Case = GetParam();
  const int Result = CompareFileVersions(*ParseFileVersion(QString::fromUtf16(Case.A)),
                                         *ParseFileVersion(QString::fromUtf16(Case.B)));
  EXPECT_EQ((Result > 0) - (Result < 0), Case.Sign);
}

// A minor number above 32767 or a build number above 65535 in a naive sum
// would overflow into the wrong half; each half compares unsigned.
INSTANTIATE_TEST_SUITE_P(Table, CompareFileVersionsTest,
                         testing::Values(TCompareCase{u"5.0.0.0", u"5.0.0.0", 0},
                                         TCompareCase{u"5.0.0.0", u"5.0.0.1", -1},
                                         TCompareCase{u"5.0.1.0", u"5.0.0.65535", 1},
                                         TCompareCase{u"5.1.0.0", u"5.0.65535.65535", 1},
                                         TCompareCase{u"4.65535.65535.65535", u"5.0.0.0", -1},
                                         TCompareCase{u"5.40000.0.0", u"5.30000.0.0", 1},
                                         TCompareCase{u"40000.0.0.0", u"1.0.0.0", 1}));

TEST(ProgramFileVersionTest, IsTheProjectVersion) {
  EXPECT_EQ(FormatFileVersion(ProgramFileVersion()), u"2.0.0.0"_s);
}

struct TDateCase {
  const char16_t *Date;
  const char16_t *Time;
  const char16_t *DateFormat;
  const char16_t *TimeFormat;
  const char16_t *Expected; // ISO form, empty for invalid
};

class ParseControlDateTimeTest : public testing::TestWithParam<TDateCase> {};

TEST_P(ParseControlDateTimeTest, ReadsTheConfiguredFormats) {
  const TDateCase &Case = GetParam();
  const QDateTime Result = ParseControlDateTime(
      QString::fromUtf16(Case.Date), QString::fromUtf16(Case.Time),
      QString::fromUtf16(Case.DateFormat), QString::fromUtf16(Case.TimeFormat));
  const QString Expected = QString::fromUtf16(Case.Expected);
  if (Expected.isEmpty())
    EXPECT_FALSE(Result.isValid()) << Result.toString(Qt::ISODate).toStdString();
  else
    EXPECT_EQ(Result.toString(u"yyyy-MM-ddThh:mm:ss"), Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseControlDateTimeTest,
    testing::Values(
        TDateCase{u"05/03/2024", u"14:07", u"dd/mm/yyyy", u"hh:nn", u"2024-03-05T14:07:00"},
        TDateCase{u"5/3/2024", u"9:05", u"dd/mm/yyyy", u"hh:nn", u"2024-03-05T09:05:00"},
        TDateCase{u"05/03/2024", u"", u"dd/mm/yyyy", u"hh:nn", u"2024-03-05T00:00:00"},
        TDateCase{u"2024-03-05", u"14.07.30", u"yyyy-mm-dd", u"hh.nn.ss", u"2024-03-05T14:07:30"},
        TDateCase{u"03/05/24", u"14:07", u"mm/dd/yy", u"hh:nn", u"2024-03-05T14:07:00"},
        TDateCase{u"31/02/2024", u"10:00", u"dd/mm/yyyy", u"hh:nn", u""},
        TDateCase{u"05.03.2024", u"10:00", u"dd/mm/yyyy", u"hh:nn", u""},
        TDateCase{u"05/03/2024", u"25:00", u"dd/mm/yyyy", u"hh:nn", u""},
        TDateCase{u"05/03/2024x", u"10:00", u"dd/mm/yyyy", u"hh:nn", u""},
        TDateCase{u"", u"10:00", u"dd/mm/yyyy", u"hh:nn", u""}));

TEST(ControlFileTest, ReadsSectionsKeysAndSpecialCharacters) {
  TUpdateControlFile File;
  File.Parse("\xEF\xBB\xBF; comment\r\n"
             "[Update]\r\n"
             "NewVersion = 5.1.0.0\r\n"
             "descr=Fixes; more, \"quoted\" 100% \\\\server\\share #1\r\n"
             "quoted=\"  padded  \"\r\n"
             "newversion=9.9.9.9\r\n"
             "not a key line\r\n"
             "# another comment\r\n"
             "[ files ]\n"
             "count=2\n"
             "bad=12x\n"
             "[file1]\n"
             "url=https://h.example/a.exe?x=1&y=2\n");
  EXPECT_EQ(File.Value(u"update"_s, u"newversion"_s), u"5.1.0.0"_s);
  EXPECT_EQ(File.Value(u"UPDATE"_s, u"DESCR"_s),
            u"Fixes; more, \"quoted\" 100% \\\\server\\share #1"_s);
  EXPECT_EQ(File.Value(u"update"_s, u"quoted"_s), u"  padded  "_s);
  EXPECT_EQ(File.IntValue(u"files"_s, u"count"_s, 0), 2);
  EXPECT_EQ(File.IntValue(u"files"_s, u"bad"_s, -7), -7);
  EXPECT_EQ(File.Value(u"file1"_s, u"url"_s), u"https://h.example/a.exe?x=1&y=2"_s);
  EXPECT_FALSE(File.Has(u"update"_s, u"not a key line"_s));
  EXPECT_FALSE(File.Has(u"update"_s, u"unconditional"_s));
  EXPECT_TRUE(File.HasSection(u"FILE1"_s));
  EXPECT_FALSE(File.HasSection(u"file2"_s));
}

TEST(ControlFileTest, KeysBeforeAnySectionAndGarbageAreIgnored) {
  TUpdateControlFile File;
  File.Parse(QByteArray("newversion=9.0.0.0\n<html><body>[not closed\n\0\xff\xfe=x\n", 40));
  EXPECT_FALSE(File.HasSection(u"update"_s));
  EXPECT_FALSE(File.Has(QString(), u"newversion"_s));
}

TEST(ChecksumTest, CrcOfKnownText) {
  QByteArray Data("123456789");
  QBuffer Buffer(&Data);
  ASSERT_TRUE(Buffer.open(QIODevice::ReadOnly));
  EXPECT_EQ(Crc32Of(Buffer), 0xCBF43926u);
  QByteArray Empty;
  QBuffer EmptyBuffer(&Empty);
  ASSERT_TRUE(EmptyBuffer.open(QIODevice::ReadOnly));
  EXPECT_EQ(Crc32Of(EmptyBuffer), 0u);
}

struct TChecksumCase {
  const char16_t *Text;
  bool Given;
  bool Valid;
  quint32 Value;
};

class ParseChecksumSpecTest : public testing::TestWithParam<TChecksumCase> {};

TEST_P(ParseChecksumSpecTest, DecimalOrHex) {
  const TChecksumCase &Case = GetParam();
  const TChecksumSpec Spec = ParseChecksumSpec(QString::fromUtf16(Case.Text));
  EXPECT_EQ(Spec.Given, Case.Given);
  EXPECT_EQ(Spec.Value.has_value(), Case.Valid);
  if (Case.Valid) {
    EXPECT_EQ(*Spec.Value, Case.Value);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ParseChecksumSpecTest,
                         testing::Values(TChecksumCase{u"", false, false, 0},
                                         TChecksumCase{u"-1", false, false, 0},
                                         TChecksumCase{u"3421780262", true, true, 0xCBF43926u},
                                         TChecksumCase{u"0xCBF43926", true, true, 0xCBF43926u},
                                         TChecksumCase{u" 0Xcbf43926 ", true, true, 0xCBF43926u},
                                         TChecksumCase{u"0", true, true, 0},
                                         TChecksumCase{u"4294967296", true, false, 0},
                                         TChecksumCase{u"CBF43926", true, false, 0},
                                         TChecksumCase{u"-2", true, false, 0},
                                         TChecksumCase{u"0x", true, false, 0}));

struct TNameCase {
  const char16_t *Url;
  const char16_t *Name; // empty: refused
};

class FileNameFromUrlTest : public testing::TestWithParam<TNameCase> {};

TEST_P(FileNameFromUrlTest, OnlyPlainNames) {
  const TNameCase &Case = GetParam();
  EXPECT_EQ(FileNameFromUrl(QUrl(QString::fromUtf16(Case.Url))), QString::fromUtf16(Case.Name));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileNameFromUrlTest,
    testing::Values(TNameCase{u"https://h.example/lingrove/controlfile.inf", u"controlfile.inf"},
                    TNameCase{u"https://h.example/a%20b.exe?x=/y", u"a b.exe"},
                    TNameCase{u"https://h.example/dir/", u""}, TNameCase{u"https://h.example", u""},
                    TNameCase{u"https://h.example/x/..", u""},
                    TNameCase{u"https://h.example/x/%2E%2E", u""},
                    TNameCase{u"https://h.example/x/..%2F..%2Fevil", u""},
                    TNameCase{u"https://h.example/x/..%5Cevil", u""},
                    TNameCase{u"https://h.example/x/c%3Aevil", u""},
                    TNameCase{u"https://h.example/x/a%00b", u""}));

struct TResolveCase {
  const char16_t *Text;
  const char16_t *Relative; // below the program folder; nullptr: refused
};

class ResolveProgramPathTest : public testing::TestWithParam<TResolveCase> {};

TEST_P(ResolveProgramPathTest, StaysInTheProgramFolder) {
  const TResolveCase &Case = GetParam();
  const QString Dir = u"/opt/lingrove"_s;
  const QString Result = ResolveProgramPath(QString::fromUtf16(Case.Text), Dir);
  if (!Case.Relative)
    EXPECT_TRUE(Result.isEmpty()) << Result.toStdString();
  else
    EXPECT_EQ(Result, Dir + u'/' + QString::fromUtf16(Case.Relative));
}

INSTANTIATE_TEST_SUITE_P(Table, ResolveProgramPathTest,
                         testing::Values(TResolveCase{u"{app}\\lingrove.exe", u"lingrove.exe"},
                                         TResolveCase{u"{APP}/docs/a.txt", u"docs/a.txt"},
                                         TResolveCase{u"lingrove", u"lingrove"},
                                         TResolveCase{u"./docs\\a.txt", u"docs/a.txt"},
                                         TResolveCase{u"{app}", nullptr},
                                         TResolveCase{u"{app}/.", nullptr},
                                         TResolveCase{u"\"..\"/outside/run.sh", nullptr},
                                         TResolveCase{u"lingrove\" \"/x", nullptr},
                                         TResolveCase{u"a\nb", nullptr}, TResolveCase{u"", nullptr},
                                         TResolveCase{u"/etc/passwd", nullptr},
                                         TResolveCase{u"\\\\server\\share\\x", nullptr},
                                         TResolveCase{u"C:\\Windows\\x.exe", nullptr},
                                         TResolveCase{u"{app}\\..\\x.exe", nullptr},
                                         TResolveCase{u"docs/../../x", nullptr}));

class ResolveProgramFolderTest : public testing::TestWithParam<TResolveCase> {};

// "{app}" alone is the program folder itself.
TEST_P(ResolveProgramFolderTest, StaysInTheProgramFolder) {
  const TResolveCase &Case = GetParam();
  const QString Dir = u"/opt/lingrove"_s;
  const QString Result = ResolveProgramFolder(QString::fromUtf16(Case.Text), Dir);
  if (!Case.Relative)
    EXPECT_TRUE(Result.isEmpty()) << Result.toStdString();
  else
    EXPECT_EQ(Result, QDir::cleanPath(Dir + u'/' + QString::fromUtf16(Case.Relative)));
}

INSTANTIATE_TEST_SUITE_P(Table, ResolveProgramFolderTest,
                         testing::Values(TResolveCase{u"{app}", u""}, TResolveCase{u"{app}\\", u""},
                                         TResolveCase{u" {APP}/ ", u""},
                                         TResolveCase{u"{app}\\docs", u"docs"},
                                         TResolveCase{u"docs", u"docs"}, TResolveCase{u"", nullptr},
                                         TResolveCase{u"/", nullptr},
                                         TResolveCase{u"{app}\\..", nullptr}));

struct TUrlCase {
  const char16_t *Url;
  bool Allowed;
};

class UpdateUrlTest : public testing::TestWithParam<TUrlCase> {};

TEST_P(UpdateUrlTest, HttpsOrLoopbackHttp) {
  EXPECT_EQ(IsAllowedUpdateUrl(QUrl(QString::fromUtf16(GetParam().Url))), GetParam().Allowed);
}

INSTANTIATE_TEST_SUITE_P(Table, UpdateUrlTest,
                         testing::Values(TUrlCase{u"https://h.example/c.inf", true},
                                         TUrlCase{u"HTTPS://h.example/c.inf", true},
                                         TUrlCase{u"http://h.example/c.inf", false},
                                         TUrlCase{u"http://127.0.0.1:8080/c.inf", true},
                                         TUrlCase{u"http://[::1]/c.inf", true},
                                         TUrlCase{u"http://LocalHost/c.inf", true},
                                         TUrlCase{u"http://127.0.0.1.h.example/c.inf", false},
                                         TUrlCase{u"http://10.0.0.1/c.inf", false},
                                         TUrlCase{u"ftp://h.example/c.inf", false},
                                         TUrlCase{u"file:///tmp/c.inf", false},
                                         TUrlCase{u"c.inf", false}));

struct TRedirectCase {
  const char16_t *From;
  const char16_t *To;
  bool Allowed;
};

class UpdateRedirectTest : public testing::TestWithParam<TRedirectCase> {};

TEST_P(UpdateRedirectTest, NeverLeavesHttps) {
  const TRedirectCase &Case = GetParam();
  EXPECT_EQ(
      IsAllowedRedirect(QUrl(QString::fromUtf16(Case.From)), QUrl(QString::fromUtf16(Case.To))),
      Case.Allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UpdateRedirectTest,
    testing::Values(TRedirectCase{u"https://a.example/x", u"https://b.example/y", true},
                    TRedirectCase{u"https://a.example/x", u"http://a.example/y", false},
                    TRedirectCase{u"https://a.example/x", u"http://127.0.0.1/y", false},
                    TRedirectCase{u"http://127.0.0.1/x", u"http://127.0.0.1:81/y", true},
                    TRedirectCase{u"http://127.0.0.1/x", u"https://b.example/y", true},
                    TRedirectCase{u"http://127.0.0.1/x", u"http://b.example/y", false}));

struct TCommandCase {
  TUpdaterHandOver HandOver;
  QStringList Expected;
};

class UpdaterArgumentsTest : public testing::TestWithParam<TCommandCase> {};

// Each value is one argument, whatever quotes or blanks it holds, and the
// updater reads it back in its place.
TEST_P(UpdaterArgumentsTest, OneArgumentPerValue) {
  const TUpdaterHandOver &HandOver = GetParam().HandOver;
  const QStringList Arguments = BuildUpdaterArguments(HandOver);
  EXPECT_EQ(Arguments, GetParam().Expected);
  const TUpdaterCommand Command = ParseUpdaterCommand(Arguments);
  EXPECT_EQ(Command.AppPath, HandOver.AppPath);
  EXPECT_EQ(Command.AppParams, HandOver.AppParam.trimmed());
  EXPECT_EQ(Command.TempDir, HandOver.TempDir);
  EXPECT_EQ(Command.Components, HandOver.Components);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UpdaterArgumentsTest,
    testing::Values(
        TCommandCase{{u"/tmp/wusetup.exe"_s,
                      4242,
                      true,
                      u"/opt/lg/lingrove"_s,
                      QString(),
                      u"/tmp/u"_s,
                      {u"lingrove"_s, u"lingrove.dat"_s}},
                     {u"4242"_s, u"L"_s, u"/opt/lg/lingrove"_s, u" "_s, u"/tmp/u"_s, u"lingrove"_s,
                      u"lingrove.dat"_s}},
        TCommandCase{{u"/t m/wusetup.exe"_s,
                      7,
                      false,
                      u"/my app/lingrove"_s,
                      u"-x"_s,
                      u"/t m"_s,
                      {u"lingrove"_s}},
                     {u"7"_s, u"X"_s, u"/my app/lingrove"_s, u"-x"_s, u"/t m"_s, u"lingrove"_s}},
        TCommandCase{
            {u"/t/wusetup.exe"_s,
             1,
             true,
             u"/a/b"_s,
             u"x\" \"/tmp/planted\" \"y"_s,
             u"/t"_s,
             {u"lingrove"_s}},
            {u"1"_s, u"L"_s, u"/a/b"_s, u"x\" \"/tmp/planted\" \"y"_s, u"/t"_s, u"lingrove"_s}},
        TCommandCase{
            {u"/t/wusetup.exe"_s, 1, true, u"/a/\"b c\""_s, u"/home/u/x.lng"_s, u"/t"_s, {}},
            {u"1"_s, u"L"_s, u"/a/\"b c\""_s, u"/home/u/x.lng"_s, u"/t"_s}}));

TEST(UpdaterArgumentsForLogTest, QuotesItemsWithBlanks) {
  EXPECT_EQ(UpdaterArgumentsForLog(u"/t m/wusetup.exe"_s, {u"1"_s, u"L"_s, u" "_s, u"a"_s}),
            u"\"/t m/wusetup.exe\" 1 L \" \" a"_s);
}

} // namespace
