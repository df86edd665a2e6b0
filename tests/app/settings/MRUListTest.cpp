#include "AppMRUList.h"
#include "AppSettingsTest.h"

using namespace Qt::StringLiterals;

namespace {

// Documents by index for the translation history.
AppSettingsTest::TSeeds Documents(std::initializer_list<std::pair<int, QVariant>> Values) {
  AppSettingsTest::TSeeds Seeds;
  for (const auto &[Index, Value] : Values)
    Seeds.push_back({u"MRUHistory/Translation/Document%1"_s.arg(Index), Value});
  return Seeds;
}

AppSettingsTest::TSeeds Numbered(int Count) {
  AppSettingsTest::TSeeds Seeds;
  for (int I = 0; I < Count; ++I)
    Seeds.push_back({u"MRUHistory/Translation/Document%1"_s.arg(I), u"f%1"_s.arg(I)});
  return Seeds;
}

struct TUpdateCase {
  const char *Name;
  AppSettingsTest::TSeeds Seeds;
  const char16_t *FileName;
  bool Add;
  QStringList Written; // Document0 to Document9, empty ones left out at the end
  QStringList Loaded;  // the history read afterwards
};

QStringList L(std::initializer_list<const char16_t *> Names) {
  QStringList List;
  for (const char16_t *Name : Names)
    List.append(QString::fromUtf16(Name));
  return List;
}

const TUpdateCase UpdateCases[] = {
    {"SameNameInOtherCase", Documents({{0, u"C:\\A.lng"_s}, {1, u"D:\\B.lng"_s}}), u"c:\\a.lng",
     true, L({u"c:\\a.lng", u"D:\\B.lng"}), L({u"c:\\a.lng", u"D:\\B.lng"})},
    {"FullHistoryDropsItsLast", Numbered(10), u"new", true,
     L({u"new", u"f0", u"f1", u"f2", u"f3", u"f4", u"f5", u"f6", u"f7", u"f8"}),
     L({u"new", u"f0", u"f1", u"f2", u"f3", u"f4", u"f5", u"f6", u"f7", u"f8"})},
    {"GapsCloseUp", Documents({{0, u""_s}, {1, u"x"_s}}), u"x", true, L({u"x"}), L({u"x"})},
    // Read, but neither written nor deleted: it comes back after the ten.
    {"BeyondTheTen", Documents({{0, u"a"_s}, {15, u"z"_s}}), u"b", true, L({u"b", u"a", u"z"}),
     L({u"b", u"a", u"z", u"z"})},
    {"OnlyAsciiLettersFold", Documents({{0, u"\u00c4.lng"_s}}), u"\u00e4.lng", true,
     L({u"\u00e4.lng", u"\u00c4.lng"}), L({u"\u00e4.lng", u"\u00c4.lng"})},
    {"RemoveWithoutAdding", Documents({{0, u"a"_s}, {1, u"B"_s}, {2, u"b"_s}}), u"b", false,
     L({u"a"}), L({u"a"})},
    {"EmptyHistory", {}, u"first", true, L({u"first"}), L({u"first"})},
};

class UpdateMRUListTest : public AppSettingsTest,
                          public testing::WithParamInterface<TUpdateCase> {};

TEST_P(UpdateMRUListTest, Histories) {
  const TUpdateCase &Case = GetParam();
  Seed(Case.Seeds);
  UpdateMRUList(QString::fromUtf16(Case.FileName), mruTranslation, Case.Add);
  EXPECT_TRUE(Shown.empty());
  QSettings Stored = Raw();
  for (int I = 0; I < MRUMaxCount; ++I) {
    const QVariant Value = Stored.value(u"MRUHistory/Translation/Document%1"_s.arg(I));
    EXPECT_EQ(Value.typeId(), QMetaType::QString) << I;
    EXPECT_EQ(Value.toString(), Case.Written.value(I)) << I;
  }
  EXPECT_EQ(LoadMRUList(mruTranslation), Case.Loaded);
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdateMRUListTest, testing::ValuesIn(UpdateCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TLoadCase {
  const char *Name;
  AppSettingsTest::TSeeds Seeds;
  QStringList Loaded;
};

const TLoadCase LoadCases[] = {
    {"UpToDocument127", Documents({{127, u"last"_s}, {128, u"beyond"_s}}), L({u"last"})},
    // An unreadable value ends the reading with what was read.
    {"StopsAtAnError", Documents({{0, u"a"_s}, {1, QByteArray("b")}, {2, u"c"_s}}), L({u"a"})},
    {"Nothing", {}, {}},
};

class LoadMRUListTest : public AppSettingsTest, public testing::WithParamInterface<TLoadCase> {};

TEST_P(LoadMRUListTest, Histories) {
  Seed(GetParam().Seeds);
  EXPECT_EQ(LoadMRUList(mruTranslation), GetParam().Loaded);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadMRUListTest, testing::ValuesIn(LoadCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(AppSettingsTest, EachKindHasItsKey) {
  UpdateMRUList(u"s"_s, mruSource, true);
  UpdateMRUList(u"d"_s, mruDisplay, true);
  UpdateMRUList(u"t"_s, mruTranslation, true);
  QSettings Stored = Raw();
  EXPECT_EQ(Stored.value(u"MRUHistory/Source/Document0"_s), u"s"_s);
  EXPECT_EQ(Stored.value(u"MRUHistory/Display/Document0"_s), u"d"_s);
  EXPECT_EQ(Stored.value(u"MRUHistory/Translation/Document0"_s), u"t"_s);
  EXPECT_EQ(LoadMRUList(mruDisplay), QStringList{u"d"_s});
}

TEST_F(AppSettingsTest, WriteErrorIsShown) {
  // A folder where the settings file should be.
  QDir().mkpath(Folder() + u"/Lingrove.conf"_s);
  UpdateMRUList(u"a"_s, mruSource, true);
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Kind, mbkError);
  EXPECT_EQ(Shown[0].Text, u"Failed to set data for 'Document0'");
}

} // namespace
