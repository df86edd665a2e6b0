#include "AppAttribs.h"
#include "AppSettingsTest.h"
#include "SettingsTestSupport.h"

#include <QFile>

#include <functional>

using namespace Qt::StringLiterals;

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

const TLoadCase LoadCases[] = {
    {"NoKey", {}, true, false, true, 1033, u"Default", 1},
    {"StoredValues",
     {{u"Options/IgnoreEncodingConficts"_s, u"1"_s},
      {u"Options/IsFirstRun"_s, u"0"_s},
      {u"Options/Language"_s, u"1049"_s},
      {u"Options/Theme"_s, u"Dark"_s},
      {u"Version/Version"_s, 3}},
     true,
     true,
     false,
     1049,
     u"Dark",
     3},
    {"LanguageNotANumber",
     {{u"Options/Language"_s, u"abc"_s}},
     true,
     false,
     true,
     1033,
     u"Default",
     1},
    {"LanguageKeptIn16Bits",
     {{u"Options/Language"_s, u"70000"_s}},
     true,
     false,
     true,
     4464,
     u"Default",
     1},
    {"AnyNumberIsTrue",
     {{u"Options/IgnoreEncodingConficts"_s, u"-2"_s}, {u"Options/IsFirstRun"_s, u"yes"_s}},
     true,
     true,
     true,
     1033,
     u"Default",
     1},
    // Binary data stands for a value that is not text: the load fails, the
    // defaults come back, and IsFirstRun keeps what was read before.
    {"LanguageNotText",
     {{u"Options/IgnoreEncodingConficts"_s, u"1"_s},
      {u"Options/IsFirstRun"_s, u"0"_s},
      {u"Options/Language"_s, QByteArray("\x19\x04")},
      {u"Options/Theme"_s, u"Dark"_s}},
     false,
     false,
     false,
     1033,
     u"Default",
     1},
    {"ThemeAList",
     {{u"Options/Theme"_s, QStringList{u"a"_s, u"b"_s}}},
     false,
     false,
     true,
     1033,
     u"Default",
     1},
    // The version is 4 raw bytes of whatever type.
    {"VersionBinary",
     {{u"Version/Version"_s, QByteArray("\x02\x01")}},
     true,
     false,
     true,
     1033,
     u"Default",
     0x0102},
    {"VersionTooLong",
     {{u"Version/Version"_s, QByteArray(5, '\x01')}},
     true,
     false,
     true,
     1033,
     u"Default",
     1},
    {"VersionDecimalText",
     {{u"Version/Version"_s, u"7"_s}},
     true,
     false,
     true,
     1033,
     u"Default",
     7},
    {"VersionShortText",
     {{u"Version/Version"_s, u"x"_s}},
     true,
     false,
     true,
     1033,
     u"Default",
     0x78},
    {"VersionLongText", {{u"Version/Version"_s, u"xy"_s}}, true, false, true, 1033, u"Default", 1},
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
  Seed({{u"User/Name"_s, u"a"_s}, {u"User/Sub/X"_s, u"b"_s}, {u"Options/Language"_s, u"1031"_s}});
  TAttribs A;
  EXPECT_TRUE(A.LoadAttribs());
  EXPECT_FALSE(Raw().childGroups().contains(u"User"_s));
  EXPECT_EQ(Raw().value(u"Options/Language"_s).toString(), u"1031");
}

TEST_F(AppSettingsTest, ProgramEndWithoutSettings) {
  InitializeAttribs();
  ASSERT_NE(Attribs, nullptr);
  EXPECT_TRUE(Attribs->IsFirstRun());
  EXPECT_EQ(Attribs->parent(), nullptr);
  FinalizeAttribs();
  EXPECT_EQ(Attribs, nullptr);
  QSettings Stored = Raw();
  EXPECT_EQ(Stored.value(u"Options/IgnoreEncodingConficts"_s), u"0"_s);
  EXPECT_EQ(Stored.value(u"Options/IsFirstRun"_s), u"0"_s);
  EXPECT_EQ(Stored.value(u"Options/Language"_s), u"1033"_s);
  EXPECT_FALSE(Stored.contains(u"Options/Theme"_s));
  EXPECT_EQ(TAppConfigIniFile().ReadDWORD(u"Version"_s, u"Version"_s, 0), 1);
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
  A.SetTheme(u"Dark"_s);
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

// Asking before saving a translation with errors is on unless turned off.
TEST_F(AppSettingsTest, AskSaveWithErrorsIsOnUntilTurnedOff) {
  TAttribs A;
  EXPECT_TRUE(A.LoadAttribs());
  EXPECT_TRUE(A.AskSaveWithErrors());
  A.SetAskSaveWithErrors(false);
  A.SaveAttribs();
  EXPECT_EQ(Raw().value(u"Options/AskSaveWithErrors"_s), u"0"_s);
  TAttribs B;
  EXPECT_TRUE(B.LoadAttribs());
  EXPECT_FALSE(B.AskSaveWithErrors());
  B.LoadDefaults();
  EXPECT_TRUE(B.AskSaveWithErrors());
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

// Two instances on one settings folder: A and B load at start, then Steps
// changes and saves them in turn. An instance writes back only what it
// changed, so nothing another instance saved meanwhile is put back.
struct TSharedCase {
  const char *Name;
  AppSettingsTest::TSeeds Seeds;
  std::function<void(TAttribs &A, TAttribs &B)> Steps;
  const char16_t *Language, *IgnoreEncodingConficts; // as stored at the end
};

const AppSettingsTest::TSeeds English = {{u"Options/Language"_s, u"1033"_s},
                                         {u"Options/IgnoreEncodingConficts"_s, u"0"_s}};

const TSharedCase SharedCases[] = {
    {"OthersLanguageSurvivesExit", English,
     [](TAttribs &A, TAttribs &B) {
       B.SetLanguage(1049);
       B.SaveAttribs();
       A.SaveAttribs();
     },
     u"1049", u"0"},
    {"OthersOptionSurvivesExit", English,
     [](TAttribs &A, TAttribs &B) {
       B.SetIgnoreEncodingConficts(true);
       B.SaveAttribs();
       A.SaveAttribs();
     },
     u"1033", u"1"},
    {"OwnChangeIsWritten", English,
     [](TAttribs &A, TAttribs &B) {
       B.SetLanguage(1049);
       B.SaveAttribs();
       A.SetLanguage(1031);
       A.SaveAttribs();
     },
     u"1031", u"0"},
    {"ChangedBackIsNoChange", English,
     [](TAttribs &A, TAttribs &B) {
       B.SetLanguage(1049);
       B.SaveAttribs();
       A.SetLanguage(1031);
       A.SetLanguage(1033);
       A.SaveAttribs();
     },
     u"1049", u"0"},
    // A language switch saves at once; the exit compares with that save.
    {"SavedSwitchIsTheNewBase", English,
     [](TAttribs &A, TAttribs &B) {
       A.SetLanguage(1031);
       A.SaveAttribs();
       B.SetLanguage(1049);
       B.SaveAttribs();
       A.SaveAttribs();
     },
     u"1049", u"0"},
    {"FirstRunKeepsWhatOtherSaved",
     {},
     [](TAttribs &A, TAttribs &B) {
       B.SetLanguage(1049);
       B.SaveAttribs();
       A.SaveAttribs();
     },
     u"1049",
     u"0"},
    // The unreadable language is written again; the option that was read
    // before the load failed stays as stored.
    {"UnreadableValueIsRepaired",
     {{u"Options/Language"_s, QByteArray("\x19\x04")},
      {u"Options/IgnoreEncodingConficts"_s, u"1"_s}},
     [](TAttribs &A, TAttribs &) { A.SaveAttribs(); },
     u"1033",
     u"1"},
};

class SharedAttribsTest : public AppSettingsTest,
                          public testing::WithParamInterface<TSharedCase> {};

TEST_P(SharedAttribsTest, ExitKeepsOtherInstancesSettings) {
  const TSharedCase &Case = GetParam();
  Seed(Case.Seeds);
  TAttribs A, B;
  A.LoadAttribs();
  B.LoadAttribs();
  Case.Steps(A, B);
  QSettings Stored = Raw();
  EXPECT_EQ(Stored.value(u"Options/Language"_s), QString::fromUtf16(Case.Language));
  EXPECT_EQ(Stored.value(u"Options/IgnoreEncodingConficts"_s),
            QString::fromUtf16(Case.IgnoreEncodingConficts));
  EXPECT_EQ(Stored.value(u"Options/IsFirstRun"_s), u"0"_s);
  EXPECT_TRUE(Shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedAttribsTest, testing::ValuesIn(SharedCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

// The settings of another instance that is saving are read once it is done.
TEST_F(AppSettingsTest, LoadWaitsForAnotherProcess) {
  auto Child = StartChild({u"hold-app-config"_s});
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
