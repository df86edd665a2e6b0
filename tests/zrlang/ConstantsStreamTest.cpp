// The binary constants stream of TZrLang_Constants, in all three layouts.
#include "Constants.h"
#include "Exceptions.h"
#include "TestSupport.h"
#include "Translations.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Builds stream bytes field by field.
struct TStreamBytes {
  QByteArray B;
  TStreamBytes &Byte(quint8 V) { return B.append(char(V)), *this; }
  TStreamBytes &Int(qint32 V) {
    B.append(QByteArray(4, '\0'));
    qToLittleEndian<qint32>(V, B.data() + B.size() - 4);
    return *this;
  }
  TStreamBytes &Len(quint16 V) {
    B.append(char(V & 0xFF)).append(char(V >> 8));
    return *this;
  }
  TStreamBytes &U(QStringView S) { return Len(quint16(S.size())), B.append(Utf16Bytes(S)), *this; }
  TStreamBytes &A(const QByteArray &S) { return Len(quint16(S.size())), B.append(S), *this; }
};

QString Dump(const TZrLang_Constants &C) {
  QStringList Out{C.AutoSaveLangSource() ? u"auto"_s : u"manual"_s};
  for (int I = 0; I < C.Count(); ++I) {
    const PZrLang_Constant P = C.Items(I);
    Out << P->wsName + u"="_s + P->wsValue;
    EXPECT_EQ(P->wsDefValue, P->wsValue);
    EXPECT_TRUE(P->TranStates.IsEmpty());
  }
  return Out.join(u'|');
}

void LoadInto(TZrLang_Constants &C, const QByteArray &Bytes) {
  TByteStream S(Bytes);
  C.LoadFromStream(S);
}

TEST(ConstantsStreamTest, EmptyListIsSixBytes) {
  TZrLang_Constants C(nullptr);
  EXPECT_EQ(C.AsRawString(), QByteArray("\x03\x01\0\0\0\0", 6));
  C.SetAutoSaveLangSource(false);
  EXPECT_EQ(C.AsRawString(), QByteArray("\x03\0\0\0\0\0", 6));
}

TEST(ConstantsStreamTest, WritesCurrentValuesInNameOrder) {
  TZrLang_Constants C(nullptr);
  C.Add(u"b"_s, u"Ж"_s, {zrtsUntranslated});
  C.Add(u"A"_s, u"default"_s, {});
  C.SetValues(u"A", u"now"_s);
  const QByteArray Expected =
      TStreamBytes().Byte(3).Byte(1).Int(2).U(u"A").U(u"now").U(u"b").U(u"Ж").B;
  EXPECT_EQ(C.AsRawString(), Expected);

  TZrLang_Constants Back(nullptr);
  Back.SetAsRawString(Expected);
  EXPECT_EQ(Dump(Back), u"auto|A=now|b=Ж"_s);
}

TEST(ConstantsStreamTest, OverlongStringKeepsLow16BitsOfLength) {
  TZrLang_Constants C(nullptr);
  C.Add(u"X"_s, QString(0x10000 + 3, u'a'), {});
  EXPECT_EQ(C.AsRawString(), TStreamBytes().Byte(3).Byte(1).Int(1).U(u"X").U(u"aaa").B);
}

TEST(ConstantsStreamTest, RoundTripKeepsUnusualText) {
  TZrLang_Constants C(nullptr), Back(nullptr);
  C.SetAutoSaveLangSource(false);
  C.Add(u"Empty"_s, {}, {});
  C.Add(u"Odd"_s, Q(u"\xD83D\xDE00 \xD800 \x0000 \r\n"), {});
  C.Add(u"Long"_s, QString(0xFFFF, u'q'), {});
  Back.Add(u"Stale"_s, u"gone"_s, {});
  Back.SetAsRawString(C.AsRawString());
  EXPECT_EQ(Dump(Back), Dump(C));
}

struct TLayoutCase {
  const char *Name;
  QByteArray Bytes;
  quint16 LangID;
  std::u16string_view Expected;
};

// Names of the old layouts are in the system code page (1250 here), values of
// the unversioned layout in that of the language. 0xE9 is é in 1250 and 1252
// but й in 1251; 0xA5 is Ą in 1250 and ¥ in 1252.
const TLayoutCase LayoutCases[] = {
    {"UnversionedManual", TStreamBytes().Byte(0).Int(1).A("S\xE9").A("\xCF\xF0\xE8\xE9").B, 1049,
     u"manual|Sé=Прий"},
    {"UnversionedAuto", TStreamBytes().Byte(1).Int(2).A("SB").A("\xA5").A("SA").A("").B, 1031,
     u"auto|SA=|SB=¥"},
    {"UnversionedJapanese", TStreamBytes().Byte(1).Int(1).A("J").A("\x82\xA0").B, 1041,
     u"auto|J=\x3042"},
    {"UnversionedHindiUsesSystem", TStreamBytes().Byte(1).Int(1).A("H").A("\xA5").B, 1081,
     u"auto|H=Ą"},
    {"UnversionedUnknownUsesSystem", TStreamBytes().Byte(1).Int(1).A("U").A("\xA5").B, 0x7F,
     u"auto|U=Ą"},
    {"Version2", TStreamBytes().Byte(2).Byte(0).Int(2).A("S\xE9").U(u"Ж").A("A").U(u"").B, 1049,
     u"manual|A=|Sé=Ж"},
    {"Version2AnyNonZeroIsTrue", TStreamBytes().Byte(2).Byte(7).Int(0).B, 1049, u"auto"},
    {"Version3", TStreamBytes().Byte(3).Byte(0).Int(2).U(u"Z").U(u"z").U(u"é").U(u"Ж").B, 1049,
     u"manual|Z=z|é=Ж"},
    {"NegativeCount", TStreamBytes().Byte(3).Byte(1).Int(-1).B, 1049, u"auto"},
};

class ConstantsLayoutTest : public testing::TestWithParam<TLayoutCase> {};

TEST_P(ConstantsLayoutTest, Reads) {
  TScopedAcp Acp(1250);
  int Calls = 0;
  TZrLang_Constants C([&] { return ++Calls, GetParam().LangID; });
  C.Add(u"Stale"_s, u"x"_s, {});
  LoadInto(C, GetParam().Bytes);
  EXPECT_EQ(Dump(C), Q(GetParam().Expected));
  if (GetParam().Bytes[0] <= 1) {
    EXPECT_EQ(Calls, 1);
  }
}
INSTANTIATE_TEST_SUITE_P(Layouts, ConstantsLayoutTest, testing::ValuesIn(LayoutCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(ConstantsStreamTest, OldLayoutUsesTranslationLanguage) {
  TScopedAcp Acp(1252);
  TZrLang_CompTranslations T;
  T.Params().SetValue(u"LANGID", u"1049");
  LoadInto(T.Constants(), TStreamBytes().Byte(1).Int(1).A("S").A("\xC6").B);
  EXPECT_EQ(T.Constants().Values(u"S"), u"Ж"_s);
}

class ConstantsTruncatedTest : public testing::TestWithParam<int> {};

TEST_P(ConstantsTruncatedTest, EveryPrefixRaisesReadError) {
  TScopedAcp Acp(1252);
  const QByteArray Streams[] = {
      TStreamBytes().Byte(3).Byte(1).Int(2).U(u"A").U(u"ab").U(u"B").U(u"").B,
      TStreamBytes().Byte(2).Byte(1).Int(2).A("A").U(u"ab").A("B").U(u"c").B,
      TStreamBytes().Byte(0).Int(2).A("A").A("ab").A("B").A("c").B,
  };
  const QByteArray &Full = Streams[GetParam()];
  for (qsizetype N = 0; N < Full.size(); ++N) {
    TZrLang_Constants C([] { return quint16(1049); });
    EXPECT_THROW(LoadInto(C, Full.first(N)), EReadError) << "prefix " << N;
  }
  TZrLang_Constants C(nullptr);
  EXPECT_NO_THROW(LoadInto(C, Full));
  EXPECT_EQ(C.Count(), 2);
}
INSTANTIATE_TEST_SUITE_P(Layouts, ConstantsTruncatedTest, testing::Values(0, 1, 2));

TEST(ConstantsStreamTest, AnnouncedSizesBeyondTheDataRaiseReadError) {
  TZrLang_Constants C(nullptr);
  EXPECT_THROW(LoadInto(C, TStreamBytes().Byte(3).Byte(1).Int(INT_MAX).U(u"A").U(u"a").B),
               EReadError);
  EXPECT_THROW(LoadInto(C, TStreamBytes().Byte(3).Byte(1).Int(1).Len(0xFFFF).U(u"abc").B),
               EReadError);
  EXPECT_THROW(LoadInto(C, TStreamBytes().Byte(1).Int(1).Len(0xFFFF).B), EReadError);
}

TEST(ConstantsStreamTest, NewerVersionIsRejected) {
  for (int First : {4, 255}) {
    TZrLang_Constants C(nullptr);
    C.Add(u"Old"_s, {}, {});
    try {
      LoadInto(C, TStreamBytes().Byte(quint8(First)).Byte(1).Int(0).B);
      ADD_FAILURE() << "no error";
    } catch (const EZrLangError &E) {
      EXPECT_EQ(E.Message(),
                u"Stream version (%1) is greater than the current one (3)"_s.arg(First));
    }
    EXPECT_EQ(C.Count(), 0);
  }
}

TEST(ConstantsStreamTest, BadNamesStopTheLoadKeepingEarlierOnes) {
  TZrLang_Constants C(nullptr);
  try {
    LoadInto(
        C, TStreamBytes().Byte(3).Byte(1).Int(3).U(u"B").U(u"1").U(u"b").U(u"2").U(u"C").U(u"3").B);
    FAIL() << "no error";
  } catch (const EZrLangError &E) {
    EXPECT_EQ(E.Message(), u"Duplicate constant name (\"b\")"_s);
  }
  EXPECT_EQ(Dump(C), u"auto|B=1"_s);
  EXPECT_THROW(LoadInto(C, TStreamBytes().Byte(3).Byte(1).Int(1).U(u"a.b").U(u"").B), EZrLangError);
}

// Names in any order: sorted once, the first faulty record in stream order
// decides the error, and what came before it stays.
struct TOrderCase {
  const char *Name;
  QByteArray Bytes;
  const char16_t *Error; // empty when the load succeeds
  const char16_t *Kept;
};

class ConstantsOrderTest : public testing::TestWithParam<TOrderCase> {};

TEST_P(ConstantsOrderTest, SortsAndReportsTheFirstFault) {
  TZrLang_Constants C(nullptr);
  QString Error;
  try {
    LoadInto(C, GetParam().Bytes);
  } catch (const Exception &E) {
    Error = E.Message();
  }
  EXPECT_EQ(Error, QString::fromUtf16(GetParam().Error));
  EXPECT_EQ(Dump(C), QString::fromUtf16(GetParam().Kept));
}

TStreamBytes Head(qint32 Count) {
  return TStreamBytes().Byte(3).Byte(1).Int(Count);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Streams, ConstantsOrderTest, testing::Values(
    TOrderCase{"Descending", Head(3).U(u"c").U(u"3").U(u"B").U(u"2").U(u"a").U(u"1").B, u"", u"auto|a=1|B=2|c=3"},
    TOrderCase{"DuplicateBeforeBadName", Head(4).U(u"Z").U(u"1").U(u"z").U(u"2").U(u"a.b").U(u"3").U(u"A").U(u"4").B,
               u"Duplicate constant name (\"z\")", u"auto|Z=1"},
    TOrderCase{"BadNameBeforeDuplicate", Head(4).U(u"Z").U(u"1").U(u"A").U(u"2").U(u"a.b").U(u"3").U(u"z").U(u"4").B,
               u"Invalid constant name (\"a.b\")", u"auto|A=2|Z=1"},
    TOrderCase{"TruncatedKeepsEarlier", Head(3).U(u"Z").U(u"1").U(u"A").U(u"2").Len(5).B,
               u"Stream read error", u"auto|A=2|Z=1"}),
    [](const auto &Info) { return std::string(Info.param.Name); });
// clang-format on

TEST(ConstantsStreamTest, ReadsFromPositionAndStopsAtItsEnd) {
  const QByteArray Stream = TStreamBytes().Byte(3).Byte(0).Int(1).U(u"A").U(u"a").B;
  TByteStream S("pre" + Stream + "\xAB\xCD");
  S.seek(3);
  TZrLang_Constants C(nullptr);
  C.LoadFromStream(S);
  EXPECT_EQ(Dump(C), u"manual|A=a"_s);
  EXPECT_EQ(S.pos(), 3 + Stream.size());
}

TEST(ConstantsStreamTest, MissingResourceOrEmptyRawStringChangesNothing) {
  TZrLang_Constants C(nullptr);
  C.Add(u"Keep"_s, u"k"_s, {});
  C.SetAsRawString(QByteArray());
  EXPECT_EQ(Dump(C), u"auto|Keep=k"_s);
  EXPECT_FALSE(C.LoadFromResource(u"NO_SUCH_CONSTS"_s));
  EXPECT_EQ(Dump(C), u"auto|Keep=k"_s);
  EXPECT_TRUE(C.LoadFromResource(u"TEST_CONSTS"_s));
  EXPECT_EQ(Dump(C), u"auto|SA=a|SB=b"_s);
}

} // namespace
