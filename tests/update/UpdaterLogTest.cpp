#include "UpdaterLog.h"
#include "UpdateTestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using namespace Qt::StringLiterals;

namespace {

struct TLogNameCase {
  const char *Name;
  QByteArray Ini; // empty: no WUPDATE.INI
  QString LogName;
};

const TLogNameCase LogNameCases[] = {
    {"NoIniFile", "", u"WUPDATE.LOG"_s},
    {"KeyInConfig", "[CONFIG]\r\nLOGFILENAME=update.log\r\n", u"update.log"_s},
    {"CaseOfNamesIgnored", "[config]\nLogFileName = other.log\n", u"other.log"_s},
    {"KeyInOtherSection", "[OTHER]\nLOGFILENAME=no.log\n[CONFIG]\nX=1\n", u"WUPDATE.LOG"_s},
    {"EmptyValue", "[CONFIG]\nLOGFILENAME=\n", u"WUPDATE.LOG"_s},
};

class TUpdaterLogFileName : public ::testing::TestWithParam<TLogNameCase> {};

TEST_P(TUpdaterLogFileName, ComesFromTheIniFileInTheTempFolder) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  if (!GetParam().Ini.isEmpty())
    WriteTestFile(Temp.filePath(u"WUPDATE.INI"_s), GetParam().Ini);
  EXPECT_EQ(UpdaterLogFileName(Temp.path()), Temp.filePath(GetParam().LogName));
}

INSTANTIATE_TEST_SUITE_P(Inis, TUpdaterLogFileName, ::testing::ValuesIn(LogNameCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(UpdaterLog, AppendsTimeStampedLines) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  const QString Name = Temp.filePath(u"WUPDATE.LOG"_s);
  WriteTestFile(Name, "earlier run\n");
  const TUpdaterLog Log(Name);
  EXPECT_TRUE(Log.Enabled());
  Log.Write(u"first step"_s);
  Log.Write(u"second step"_s);
  const QStringList Lines = QString::fromUtf8(ReadTestFile(Name)).split(u'\n');
  ASSERT_EQ(Lines.size(), 4);
  EXPECT_EQ(Lines[0], u"earlier run"_s);
  static const QRegularExpression Stamp(u"^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d "_s);
  EXPECT_TRUE(Stamp.match(Lines[1]).hasMatch()) << Lines[1].toStdString();
  EXPECT_TRUE(Lines[1].endsWith(u" first step"_s));
  EXPECT_TRUE(Lines[2].endsWith(u" second step"_s));
  EXPECT_EQ(Lines[3], u""_s);
}

TEST(UpdaterLog, OffWritesNothing) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  const TUpdaterLog Log;
  EXPECT_FALSE(Log.Enabled());
  Log.Write(u"nothing"_s);
  EXPECT_EQ(FolderEntries(Temp.path()), "");
}

} // namespace
