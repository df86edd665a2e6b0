// The in-memory translation: component translations, constants, parameters.
#include "Exceptions.h"
#include "TestSupport.h"
#include "Translations.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

template <typename F> QString ErrorOf(F &&Fn) {
  try {
    Fn();
  } catch (const EZrLangError &E) {
    return E.Message();
  }
  return u"<no error>"_s;
}

TEST(CompTranslationTest, KeepsIDsSortedAndRejectsDuplicates) {
  TZrLang_CompTranslation C(u"Form1"_s);
  EXPECT_EQ(C.Add(7, u"seven"_s, {}), 0);
  EXPECT_EQ(C.Add(3, u"three"_s, {}), 0);
  EXPECT_EQ(C.Add(5, u"five"_s, {zrtsUntranslated}), 1);
  EXPECT_EQ(ErrorOf([&] { C.Add(5, u"again"_s, {}); }),
            u"Duplicate property value translation ID (5)"_s);
  ASSERT_EQ(C.Count(), 3);
  EXPECT_EQ(C.Items(0)->iID * 100 + C.Items(1)->iID * 10 + C.Items(2)->iID, 357);
  EXPECT_EQ(C.FindPropByID(5)->wsValue, u"five"_s);
  EXPECT_TRUE(C.FindPropByID(5)->TranStates.Contains(zrtsUntranslated));
  EXPECT_EQ(C.FindPropByID(4), nullptr);
  EXPECT_EQ(C.IndexOfID(8), -1);
}

// The one-pass operations: a merge refuses any repeated ID as a whole, a
// deletion visits every record once in order.
TEST(CompTranslationTest, MergesAndDeletesInOnePass) {
  TZrLang_CompTranslation C(u"Form1"_s);
  C.Add(4, u"four"_s, {});
  C.Add(8, u"eight"_s, {});
  const auto Records = [](std::initializer_list<qint32> IDs) {
    std::vector<std::unique_ptr<TZrLang_PropValueTranslation>> V;
    for (qint32 ID : IDs)
      V.push_back(std::make_unique<TZrLang_PropValueTranslation>(
          TZrLang_PropValueTranslation{ID, {}, QString::number(ID)}));
    return V;
  };
  const PZrLang_PropValueTranslation Four = C.FindPropByID(4);
  EXPECT_EQ(ErrorOf([&] { C.MergeSorted(Records({1, 8, 9})); }),
            u"Duplicate property value translation ID (8)"_s);
  EXPECT_EQ(ErrorOf([&] { C.MergeSorted(Records({2, 2})); }),
            u"Duplicate property value translation ID (2)"_s);
  EXPECT_EQ(C.Count(), 2);
  C.MergeSorted(Records({1, 5, 9}));
  QList<qint32> IDs, Seen;
  for (int I = 0; I < C.Count(); ++I)
    IDs << C.Items(I)->iID;
  EXPECT_EQ(IDs, (QList<qint32>{1, 4, 5, 8, 9}));
  EXPECT_EQ(C.FindPropByID(4), Four); // records keep their addresses
  EXPECT_EQ(C.DeleteIf([&](const TZrLang_PropValueTranslation &P) {
              Seen << P.iID;
              return P.iID % 2 == 1;
            }),
            3);
  EXPECT_EQ(Seen, IDs);
  EXPECT_EQ(C.Count(), 2);
  EXPECT_EQ(C.Items(0), Four);
  EXPECT_EQ(C.Items(1)->iID, 8);
}

struct TFindCase {
  qint32 ID;
  bool Found;
  int Index;
};

class FindIDTest : public testing::TestWithParam<TFindCase> {};
TEST_P(FindIDTest, GivesIndexOrInsertionPoint) {
  TZrLang_CompTranslation C(u"F"_s), Empty(u"E"_s);
  for (qint32 ID : {3, 5, 7})
    C.Add(ID, {}, {});
  int Index = -99;
  EXPECT_EQ(C.FindID(GetParam().ID, Index), GetParam().Found);
  EXPECT_EQ(Index, GetParam().Index);
  EXPECT_FALSE(Empty.FindID(GetParam().ID, Index));
  EXPECT_EQ(Index, 0);
}
INSTANTIATE_TEST_SUITE_P(On357, FindIDTest,
                         testing::Values(TFindCase{4, false, 1}, TFindCase{9, false, 3},
                                         TFindCase{1, false, 0}, TFindCase{3, true, 0},
                                         TFindCase{5, true, 1}, TFindCase{7, true, 2},
                                         TFindCase{INT_MIN, false, 0},
                                         TFindCase{INT_MAX, false, 3}));

struct TNameCase {
  std::u16string_view Name;
  bool Valid;
};

class ConstantNameTest : public testing::TestWithParam<TNameCase> {};
TEST_P(ConstantNameTest, AcceptsIdentifiersOnly) {
  TZrLang_Constants C(nullptr);
  const QString Name = Q(GetParam().Name);
  const QString Error = ErrorOf([&] { C.Add(Name, u"v"_s, {}); });
  EXPECT_EQ(Error,
            GetParam().Valid ? u"<no error>"_s : u"Invalid constant name (\"%1\")"_s.arg(Name));
  EXPECT_EQ(C.Count(), GetParam().Valid ? 1 : 0);
}
// Lt, Lm and Lo letters and Nd digits count; Nl (Roman numeral) does not.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Names, ConstantNameTest, testing::Values(
    TNameCase{u"Foo", true}, TNameCase{u"_1", true}, TNameCase{u"é", true}, TNameCase{u"a_B9", true},
    TNameCase{u"\x01C5x", true}, TNameCase{u"\x02B0", true}, TNameCase{u"中文", true},
    TNameCase{u"a\x0663", true}, TNameCase{u"", false}, TNameCase{u"1abc", false},
    TNameCase{u"a.b", false}, TNameCase{u"a b", false}, TNameCase{u"a-b", false},
    TNameCase{u"\x0663" u"a", false}, TNameCase{u"a\x2163", false}, TNameCase{u"%1", false}));
// clang-format on

TEST(ConstantsTest, SortsByTextOrderAndFindsByName) {
  TZrLang_Constants C(nullptr);
  for (const QString &N : {u"b"_s, u"_c"_s, u"A"_s, u"Zz"_s})
    C.Add(N, N + u"!"_s, {});
  QStringList Names;
  for (int I = 0; I < C.Count(); ++I)
    Names << C.Items(I)->wsName;
  EXPECT_EQ(Names, (QStringList{u"A"_s, u"b"_s, u"Zz"_s, u"_c"_s}));
  EXPECT_EQ(ErrorOf([&] { C.Add(u"ZZ"_s, {}, {}); }), u"Duplicate constant name (\"ZZ\")"_s);
  EXPECT_EQ(C.Count(), 4);
  EXPECT_EQ(C.IndexOfName(u"B"), 1);
  EXPECT_EQ(C.IndexOfName(u"Bb"), -1);
  EXPECT_EQ(C.FindConstName(u"zZ")->wsValue, u"Zz!"_s);
  int Index = -1;
  EXPECT_FALSE(C.FindName(u"Y", Index));
  EXPECT_EQ(Index, 2);
  const QString NotFound = u"Constant \"Bar\" not found"_s;
  EXPECT_EQ(ErrorOf([&] { C.ItemsByName(u"Bar"); }), NotFound);
  EXPECT_EQ(ErrorOf([&] { C.Values(u"Bar"); }), NotFound);
  EXPECT_EQ(ErrorOf([&] { C.SetValues(u"Bar", u"y"_s); }), NotFound);
}

TEST(ConstantsTest, ValuesAndTranslateFrom) {
  TZrLang_Constants C(nullptr), Other(nullptr), Empty(nullptr);
  C.Add(u"X"_s, u"default"_s, {});
  C.Add(u"Y"_s, u"ydef"_s, {});
  C.SetValues(u"x", u"y"_s);
  EXPECT_EQ(C.Values(u"X"), u"y"_s);
  EXPECT_EQ(C.ItemsByName(u"X")->wsDefValue, u"default"_s);
  C.TranslateFrom(&Empty);
  EXPECT_EQ(C.Values(u"X"), u"y"_s);
  Other.Add(u"y"_s, u"from other"_s, {});
  C.TranslateFrom(&Other);
  EXPECT_EQ(C.Values(u"Y"), u"from other"_s);
  EXPECT_EQ(C.Values(u"X"), u"y"_s);
  C.TranslateFrom(nullptr);
  EXPECT_EQ(C.Values(u"X") + C.Values(u"Y"), u"defaultydef"_s);
}

TEST(CompTranslationsTest, ComponentNamesParamsAndClear) {
  TZrLang_CompTranslations T;
  T.Add(std::make_unique<TZrLang_CompTranslation>(u"Form1"_s));
  T.Add(std::make_unique<TZrLang_CompTranslation>(u"Form1"_s));
  EXPECT_EQ(T.IndexOfComponentName(u"form1"), 0);
  EXPECT_EQ(T.FindComponentName(u"Form"), nullptr);

  TZrLang_Params &P = T.Params();
  P.SetValue(u"LANGID", u"1049");
  P.SetValue(u"Author", u"Me");
  P.SetValue(u"Generator", u"G");
  P.SetValue(u"author", u"You");
  EXPECT_EQ(P.Lines(), (QStringList{u"LANGID=1049"_s, u"author=You"_s, u"Generator=G"_s}));
  P.SetValue(u"AUTHOR", u"");
  EXPECT_EQ(P.Lines(), (QStringList{u"LANGID=1049"_s, u"Generator=G"_s}));
  EXPECT_EQ(P.Values(u"langid"), u"1049"_s);

  TByteStream S("\xFF\xFE" + Utf16Bytes(u"A=1"));
  T.Text_LoadFromStream(S, false);
  T.Constants().Add(u"X"_s, {}, {});
  T.Clear();
  EXPECT_TRUE(T.IsStreamUnicode());
  EXPECT_EQ(T.Count() + T.Params().Count() + T.Constants().Count(), 0);
}

TEST(CompTranslationsTest, LangIDComesFromParameterOr1033) {
  for (auto [Value, LangID] : {std::pair<const char16_t *, quint16>{u"1049", 1049},
                               {u"", 1033},
                               {u"abc", 1033},
                               {u"0", 0},
                               {u"1049 x", 1033}}) {
    TZrLang_CompTranslations T;
    T.Params().SetValue(u"LangID", QStringView(Value));
    EXPECT_EQ(T.Constants().LangID(), LangID) << LangID;
  }
}

} // namespace
