#include "AppAttribs.h"
#include "AppSettingsTest.h"
#include "SettingsTestSupport.h"

#include <QFile>

using namespace SettingsTest;

namespace {

struct TLoadCase {
  const char *Name;
  AppSettingsTest::TSeeds Seeds;
  bool Loaded;
  bool IgnoreEncodingConficts, IsFirstRun;
  quint16 Language;
  const char16_t *Theme;
  qint32 Version;
};

QString K(const char16_t *Key) {
  return QString::fromUtf16(Key);
}

const TLoadCase LoadCases[] = {
    {"NoKey", {}, true, false, true, 1033, u"Default", 1},
    {"StoredValues",
     {{K(u"Options/IgnoreEncodingConficts"), K(u"1")},
      {K(u"Options/IsFirstRun"), K(u"0")},
      {K(u"Options/Language"), K(u"1049")},
      {K(u"Options/Theme"), K(u"Dark")},
      {K(u"Version/Version"), 3}},
     true,
     true,
     false,
     1049,
     u"Dark",
     3},
    {"LanguageNotANumber",
     {{K(u"Options/Language"), K(u"abc")}},
     true,
     false,
     true,
     1033,
     u"Default",
     1},
    {"LanguageKeptIn16Bits",
     {{K(u"Options/Language"), K(u"70000")}},
     true,
     false,
     true,
     4464,
     u"Default",
     1},
    {"AnyNumberIsTrue",
     {{K(u"Options/IgnoreEncodingConficts"), K(u"-2")}, {K(u"Options/IsFirstRun"), K(u"yes")}},
     true,
     true,
     true,
     1033,
     u"Default",
     1},
    // Binary data stands for a value that is not text: the load fails, the
    // defaults come back, and IsFirstRun keeps what was read before.
    {"LanguageNotText",
     {{K(u"Options/IgnoreEncodingConficts"), K(u"1")},
      {K(u"Options/IsFirstRun"), K(u"0")},
      {K(u"Options/Language"), QByteArray("\x19\x04")},
      {K(u"Options/Theme"), K(u"Dark")}},
     false,
     false,
     false,
     1033,
     u"Default",
     1},
    {"ThemeAList",
     {{K(u"Options/Theme"), QStringList{K(u"a"), K(u"b")}}},
     false,
     false,
     true,
     1033,
     u"Default",
     1},
    // The version is 4 raw bytes of whatever type.
    {"VersionBinary",
     {{K(u"Version/Version"), QByteArray("\x02\x01")}},
     true,
     false,
     true,
     1033,
     u"Default",
     0x0102},
    {"VersionTooLong",
     {{K(u"Version/Version"), QByteArray(5, '\x01')}},
     true,
     false,
     true,
     1033,
     u"Default",
     1},
    {"VersionDecimalText",
     {{K(u"Version/Version"), K(u"7")}},
     true,
     false,
     true,
     1033,
     u"Default",
     7},
    {"VersionShortText",
     {{K(u"Version/Version"), K(u"x")}},
     true,
     false,
     true,
     1033,
     u"Default",
     0x78},
    {"VersionLongText",
     {{K(u"Version/Version"), K(u"xy")}},
     true,
     false,
     true,
     1033,
     u"Default",
     1},
};

class LoadAttribsTest : public AppSettingsTest, public testing::WithParamInterface<TLoadCase> {};

TEST_P(LoadAttribsTest, Values) {
  const TLoadCase &Case = GetParam();
  Seed(Case.Seeds);
  TAttribs A;
  EXPECT_EQ(A.LoadAttribs(), Case.Loaded);
  EXPECT_EQ(A.IgnoreEncodingConficts(), Case.IgnoreEncodingConficts);
  EXPECT_EQ(A.IsFirstRun(), Case.IsFirstRun);
  EXPECT_EQ(A.Language(), Case.Language);
  EXPECT_EQ(A.Theme(), QString::fromUtf16(Case.Theme));
  EXPECT_EQ(A.Version(), Case.Version);
  EXPECT_TRUE(Shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadAttribsTest, testing::ValuesIn(LoadCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(AppSettingsTest, ObsoleteUserKeyIsDeleted) {
  Seed({{K(u"User/Name"), K(u"a")},
        {K(u"User/Sub/X"), K(u"b")},
        {K(u"Options/Language"), K(u"1031")}});
  TAttribs A;
  EXPECT_TRUE(A.LoadAttribs());
  EXPECT_FALSE(Raw().childGroups().contains(K(u"User")));
  EXPECT_EQ(Raw().value(K(u"Options/Language")).toString(), u"1031");
}

TEST_F(AppSettingsTest, ProgramEndWithoutSettings) {
  InitializeAttribs();
  ASSERT_NE(Attribs, nullptr);
  EXPECT_TRUE(Attribs->IsFirstRun());
  EXPECT_EQ(Attribs->parent(), nullptr);
  FinalizeAttribs();
  EXPECT_EQ(Attribs, nullptr);
  QSettings Stored = Raw();
  EXPECT_EQ(Stored.value(K(u"Options/IgnoreEncodingConficts")), K(u"0"));
  EXPECT_EQ(Stored.value(K(u"Options/IsFirstRun")), K(u"0"));
  EXPECT_EQ(Stored.value(K(u"Options/Language")), K(u"1033"));
  EXPECT_FALSE(Stored.contains(K(u"Options/Theme")));
  EXPECT_EQ(TAppConfigIniFile().ReadDWORD(K(u"Version"), K(u"Version"), 0), 1);
  // The version as an integer, not as text in quotes or binary.
  QFile File(Stored.fileName());
  ASSERT_TRUE(File.open(QIODevice::ReadOnly));
  EXPECT_TRUE(File.readAll().contains("[Version]\nVersion=1\n"));
  EXPECT_TRUE(Shown.empty());

  InitializeAttribs();
  EXPECT_FALSE(Attribs->IsFirstRun());
  FinalizeAttribs();
}

TEST_F(AppSettingsTest, SavedValuesComeBack) {
  TAttribs A;
  A.SetIgnoreEncodingConficts(true);
  A.SetLanguage(1049);
  A.SetTheme(K(u"Dark"));
  A.SetVersion(-2);
  A.SaveAttribs();
  TAttribs B;
  EXPECT_TRUE(B.LoadAttribs());
  EXPECT_TRUE(B.IgnoreEncodingConficts());
  EXPECT_FALSE(B.IsFirstRun());
  EXPECT_EQ(B.Language(), 1049);
  EXPECT_EQ(B.Theme(), u"Default"); // never written
  EXPECT_EQ(B.Version(), -2);
}

TEST_F(AppSettingsTest, NotStoringIsToldAndWritesNothing) {
  TAttribs A;
  A.SetStoreAttribs(false);
  A.SaveAttribs();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Kind, mbkInformation);
  EXPECT_EQ(Shown[0].Caption, u"Attribs");
  EXPECT_EQ(Shown[0].Text, u"Attribs are not being saved");
  EXPECT_TRUE(Raw().allKeys().isEmpty());
}

// The settings of another instance that is saving are read once it is done.
TEST_F(AppSettingsTest, LoadWaitsForAnotherProcess) {
  auto Child = StartChild({K(u"hold-app-config")});
  ASSERT_TRUE(WaitForLine(*Child, "held"));
  TAttribs A;
  TBackground Loader([&] { A.LoadAttribs(); });
  EXPECT_FALSE(Loader.WaitFinished(500));
  Child->closeWriteChannel();
  ASSERT_TRUE(Loader.WaitFinished(20000));
  EXPECT_EQ(A.Language(), 1049);
  EXPECT_TRUE(Child->waitForFinished(20000));
}

} // namespace
