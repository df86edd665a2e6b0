#include "UpdaterCommand.h"
#include "UpdaterError.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qt::StringLiterals;

namespace {

struct TParseCase {
  const char *Name;
  QStringList Args;
  qint64 ProcessId;
  bool Log;
  QString AppPath;
  QString AppParams;
  QString TempDir;
  QStringList Components;
};

const TParseCase ParseCases[] = {
    {"SplitWithoutParams",
     {u"123"_s, u"L"_s, u"/opt/lingrove/lingrove"_s, u"/tmp/upd"_s, u"lingrove"_s},
     123,
     true,
     u"/opt/lingrove/lingrove"_s,
     u""_s,
     u"/tmp/upd"_s,
     {u"lingrove"_s}},
    {"SplitWithParams",
     {u"7"_s, u"X"_s, u"/opt/app"_s, u"-x"_s, u"/tmp/upd"_s, u"a;b"_s, u"c"_s},
     7,
     false,
     u"/opt/app"_s,
     u"-x"_s,
     u"/tmp/upd"_s,
     {u"a"_s, u"b"_s, u"c"_s}},
    {"SplitParamsAsALoneBlank",
     {u"9"_s, u"L"_s, u"/opt/my app/lg"_s, u" "_s, u"/tmp/t"_s, u"lg,lg.dat"_s},
     9,
     true,
     u"/opt/my app/lg"_s,
     u""_s,
     u"/tmp/t"_s,
     {u"lg"_s, u"lg.dat"_s}},
    {"SplitParamsWithABlank",
     {u"9"_s, u"L"_s, u"/opt/app"_s, u"-open file.lng"_s, u"/tmp/t"_s, u"a"_s},
     9,
     true,
     u"/opt/app"_s,
     u"-open file.lng"_s,
     u"/tmp/t"_s,
     {u"a"_s}},
    {"ParamsThatAreAPath",
     {u"9"_s, u"L"_s, u"/opt/app"_s, u"/home/u/x.lng"_s, u"/tmp/t"_s, u"a"_s},
     9,
     true,
     u"/opt/app"_s,
     u"/home/u/x.lng"_s,
     u"/tmp/t"_s,
     {u"a"_s}},
    {"OneStringWithQuotedPaths",
     {u"123 L \"/opt/my app/lingrove\"   \"/tmp/my temp\" lingrove,lingrove.dat"_s},
     123,
     true,
     u"/opt/my app/lingrove"_s,
     u""_s,
     u"/tmp/my temp"_s,
     {u"lingrove"_s, u"lingrove.dat"_s}},
    {"OneStringWithQuotedBlankParams",
     {u"44 X /opt/app \" \" \"/tmp/t\" a b;c"_s},
     44,
     false,
     u"/opt/app"_s,
     u""_s,
     u"/tmp/t"_s,
     {u"a"_s, u"b"_s, u"c"_s}},
    {"NoComponents",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s},
     1,
     true,
     u"/a/app"_s,
     u""_s,
     u"/tmp/t"_s,
     {}},
    {"LowerCaseMode",
     {u"1"_s, u"x"_s, u"/a/app"_s, u"/tmp/t"_s, u"a"_s},
     1,
     false,
     u"/a/app"_s,
     u""_s,
     u"/tmp/t"_s,
     {u"a"_s}},
    {"RepeatedComponentsOnce",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u"a,b;a"_s, u"b"_s},
     1,
     true,
     u"/a/app"_s,
     u""_s,
     u"/tmp/t"_s,
     {u"a"_s, u"b"_s}},
    {"EmptyListEntries",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u",;a,,;"_s},
     1,
     true,
     u"/a/app"_s,
     u""_s,
     u"/tmp/t"_s,
     {u"a"_s}},
};

class TParseUpdaterCommand : public ::testing::TestWithParam<TParseCase> {};

TEST_P(TParseUpdaterCommand, GivesEachPart) {
  const TParseCase &Case = GetParam();
  const TUpdaterCommand Command = ParseUpdaterCommand(Case.Args);
  EXPECT_EQ(Command.ProcessId, Case.ProcessId);
  EXPECT_EQ(Command.Log, Case.Log);
  EXPECT_EQ(Command.AppPath, Case.AppPath);
  EXPECT_EQ(Command.AppParams, Case.AppParams);
  EXPECT_EQ(Command.TempDir, Case.TempDir);
  EXPECT_EQ(Command.Components, Case.Components);
}

INSTANTIATE_TEST_SUITE_P(Commands, TParseUpdaterCommand, ::testing::ValuesIn(ParseCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TBadCommandCase {
  const char *Name;
  QStringList Args;
  const char *MessagePart;
};

const TBadCommandCase BadCommandCases[] = {
    {"NoArguments", {}, "Too few"},
    {"ThreeArguments", {u"1"_s, u"L"_s, u"/a/app"_s}, "Too few"},
    {"OneShortString", {u"1 L /a/app"_s}, "Too few"},
    {"ProcessIdNotANumber", {u"abc"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s}, "process ID"},
    {"ProcessIdZero", {u"0"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s}, "process ID"},
    {"ProcessIdNegative", {u"-5"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s}, "process ID"},
    {"UnknownMode", {u"1"_s, u"Q"_s, u"/a/app"_s, u"/tmp/t"_s}, "log mode"},
    {"RelativeApp", {u"1"_s, u"L"_s, u"app"_s, u"/tmp/t"_s}, "not absolute"},
    {"RelativeTemp", {u"1"_s, u"L"_s, u"/a/app"_s, u"tmp"_s, u"a"_s}, "not absolute"},
    {"AppPathLeavingItsFolder",
     {u"1"_s, u"L"_s, u"/opt/lg/../outside/run.sh"_s, u" "_s, u"/tmp/t"_s, u"lingrove"_s},
     "not clean"},
    {"AppPathWithDotSegment", {u"1"_s, u"L"_s, u"/opt/lg/./lg"_s, u"/tmp/t"_s}, "not clean"},
    {"TempWithParent", {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t/.."_s, u"a"_s}, "not clean"},
    {"QuotedComponent",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u"\"lingrove\""_s},
     "not a plain"},
    {"ParentComponent",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u"a,..,b"_s},
     "\"..\" is not a plain"},
    {"ComponentUpwards",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u"../lingrove"_s},
     "not a plain"},
    {"ComponentInSubfolder",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u"sub/file"_s},
     "not a plain"},
    {"ComponentWithBackslash",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u"..\\evil.dll"_s},
     "not a plain"},
    {"AbsoluteComponent",
     {u"1"_s, u"L"_s, u"/a/app"_s, u"-x"_s, u"/tmp/t"_s, u"/etc/passwd"_s},
     "not a plain"},
    {"DriveComponent", {u"1"_s, u"L"_s, u"/a/app"_s, u"/tmp/t"_s, u"C:evil.exe"_s}, "not a plain"},
};

class TParseBadUpdaterCommand : public ::testing::TestWithParam<TBadCommandCase> {};

TEST_P(TParseBadUpdaterCommand, FailsNamingTheFault) {
  try {
    ParseUpdaterCommand(GetParam().Args);
    FAIL() << "parsed";
  } catch (const EUpdaterError &E) {
    EXPECT_TRUE(E.Message().contains(QLatin1StringView(GetParam().MessagePart)))
        << E.Message().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, TParseBadUpdaterCommand, ::testing::ValuesIn(BadCommandCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(IsPlainFileName, AcceptsOnlyNamesDirectlyInAFolder) {
  for (const QString &Name :
       {u"lingrove"_s, u"Lingrove.exe"_s, u"a b.dll"_s, u"..."_s, u".hidden"_s, u"x..y"_s})
    EXPECT_TRUE(IsPlainFileName(Name)) << Name.toStdString();
  for (const QString &Name : {u""_s, u"."_s, u".."_s, u"a/b"_s, u"/a"_s, u"a\\b"_s, u"c:x"_s,
                              QStringLiteral("a") + QChar(0) + u"b"_s})
    EXPECT_FALSE(IsPlainFileName(Name)) << Name.toStdString();
}

} // namespace
