// Code pages of languages and narrow-text conversions.
#include "CodePages.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TLangCase {
  quint16 LangID;
  unsigned CodePage;
};

class LangIDCodePageTest : public testing::TestWithParam<TLangCase> {};

TEST_P(LangIDCodePageTest, GivesDefaultAnsiCodePage) {
  TScopedAcp Acp(1257); // what unknown languages fall back to
  EXPECT_EQ(LangIDCodePage(GetParam().LangID), GetParam().CodePage);
}
INSTANTIATE_TEST_SUITE_P(
    Languages, LangIDCodePageTest,
    testing::Values(TLangCase{1049, 1251}, TLangCase{1031, 1252}, TLangCase{0x0404, 950},
                    TLangCase{0x0C04, 950}, TLangCase{0x0804, 936}, TLangCase{0x1004, 936},
                    TLangCase{1041, 932}, TLangCase{1042, 949}, TLangCase{1054, 874},
                    TLangCase{1066, 1258}, TLangCase{1037, 1255}, TLangCase{1025, 1256},
                    TLangCase{1032, 1253}, TLangCase{1055, 1254}, TLangCase{1029, 1250},
                    TLangCase{1062, 1257}, TLangCase{1033, 1252}, TLangCase{2057, 1252},
                    TLangCase{0x081A, 1250}, TLangCase{0x0C1A, 1251}, TLangCase{0x042C, 1254},
                    TLangCase{0x082C, 1251}, TLangCase{1081, 0}, TLangCase{0x0437, 0},
                    TLangCase{0x042B, 0}, TLangCase{0, 1257}, TLangCase{0x007F, 1257},
                    TLangCase{0x03FF, 1257}));

TEST(CodePagesTest, SystemCodePageComesFromEnvironment) {
  {
    TScopedAcp Acp(1251);
    EXPECT_EQ(SystemAnsiCodePage(), 1251u);
    EXPECT_EQ(DecodeAnsi("\xC6"), u"Ж"_s);
    EXPECT_EQ(EncodeAnsi(u"Ж"), "\xC6");
  }
  TScopedAcp Acp(1253);
  EXPECT_EQ(SystemAnsiCodePage(), 1253u);
  EXPECT_EQ(DecodeAnsi("\xC6", 0), u"Ζ"_s);
}

struct TCharCase {
  unsigned CodePage;
  const char *Bytes;
  char16_t Char;
};

class AnsiConversionTest : public testing::TestWithParam<TCharCase> {};

TEST_P(AnsiConversionTest, ConvertsCharacteristicCharacter) {
  TScopedAcp Acp(1252);
  const QString Text = QString(QChar(GetParam().Char)) + u"a"_s;
  const QByteArray Bytes = QByteArray(GetParam().Bytes) + "a";
  EXPECT_EQ(DecodeAnsi(Bytes, GetParam().CodePage), Text);
  EXPECT_EQ(EncodeAnsi(Text, GetParam().CodePage), Bytes);
}
INSTANTIATE_TEST_SUITE_P(
    CodePages, AnsiConversionTest,
    testing::Values(TCharCase{874, "\xA1", u'\x0E01'}, TCharCase{932, "\x82\xA0", u'\x3042'},
                    TCharCase{936, "\xC4\xE3", u'\x4F60'}, TCharCase{949, "\xB0\xA1", u'\xAC00'},
                    TCharCase{950, "\xA4\x40", u'\x4E00'}, TCharCase{1250, "\xA5", u'\x0104'},
                    TCharCase{1251, "\xC0", u'\x0410'}, TCharCase{1252, "\x80", u'\x20AC'},
                    TCharCase{1253, "\xC1", u'\x0391'}, TCharCase{1254, "\xD0", u'\x011E'},
                    TCharCase{1255, "\xE0", u'\x05D0'}, TCharCase{1256, "\xC7", u'\x0627'},
                    TCharCase{1257, "\xC0", u'\x0104'}, TCharCase{1258, "\xC3", u'\x0102'}));

struct TReplaceCase {
  unsigned CodePage;
  std::u16string_view Text;
  const char *Bytes;
};

class EncodeAnsiReplaceTest : public testing::TestWithParam<TReplaceCase> {};

TEST_P(EncodeAnsiReplaceTest, UnrepresentableCharacterBecomesQuestionMark) {
  EXPECT_EQ(EncodeAnsi(Q(GetParam().Text), GetParam().CodePage), QByteArray(GetParam().Bytes));
}
INSTANTIATE_TEST_SUITE_P(
    Texts, EncodeAnsiReplaceTest,
    testing::Values(
        TReplaceCase{1252, u"Привет €", "\x3F\x3F\x3F\x3F\x3F\x3F \x80"},
        TReplaceCase{1251, u"Ж中Ā", "\xC6\x3F\x3F"}, TReplaceCase{1252, u"a\xD83D\xDE00z", "a?z"},
        TReplaceCase{1252, u"\xD800|\xDC00", "?|?"}, TReplaceCase{1252, u"abc\xD800", "abc?"},
        TReplaceCase{1251, u"Ж\xD800", "\xC6?"},
        TReplaceCase{932, u"あ\x0416\x00E9", "\x82\xA0\x84\x47\x3F"}, TReplaceCase{1250, u"", ""}));

TEST(CodePagesTest, ReplacementKeepsPositionsInLongText) {
  // A pair split by the converter's block size must still count as one
  // character.
  for (qsizetype Before : {4094, 4095, 4096, 8191}) {
    const QString Text = QString(Before, u'a') + Q(u"\xD83D\xDE00") + u"Жb"_s;
    const QByteArray Expected = QByteArray(Before, 'a') + "??b";
    EXPECT_EQ(EncodeAnsi(Text, 1252), Expected) << Before;
  }
}

struct TLossCase {
  unsigned CodePage;
  std::u16string_view Text;
  bool Representable;
};

class CanEncodeAnsiTest : public testing::TestWithParam<TLossCase> {};

TEST_P(CanEncodeAnsiTest, TellsWhetherEveryCharacterSurvives) {
  const TLossCase &C = GetParam();
  EXPECT_EQ(CanEncodeAnsi(Q(C.Text), C.CodePage), C.Representable);
  // Whatever it says must agree with a real round trip.
  EXPECT_EQ(DecodeAnsi(EncodeAnsi(Q(C.Text), C.CodePage), C.CodePage) == Q(C.Text),
            C.Representable);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, CanEncodeAnsiTest,
    testing::Values(TLossCase{1252, u"", true}, TLossCase{1252, u"Grüße? €", true},
                    TLossCase{1252, u"Привет", false}, TLossCase{1251, u"Привет?", true},
                    TLossCase{1251, u"Ж中", false}, TLossCase{1252, u"a\xD83D\xDE00", false},
                    TLossCase{1252, u"a\x0000b", true}, TLossCase{932, u"あア漢", true},
                    TLossCase{932, u"あ\x00E9", false}, TLossCase{1250, u"Łódź", true},
                    TLossCase{1250, u"Ærø", false}));

} // namespace
