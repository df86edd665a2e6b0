// Value escaping and text order.
#include "Escaping.h"
#include "TestSupport.h"
#include "TextOrder.h"

#include <gtest/gtest.h>

using namespace std::literals;
using namespace Qt::StringLiterals;

namespace {

struct TEscapeCase {
  std::u16string_view Value, Line; // a value and its one-line form
};

// clang-format off
const TEscapeCase EncodeCases[] = {
    {u"", u""}, {u"plain é =,;[]", u"plain é =,;[]"}, {u"\r\r\n", u"\\n\\n"}, {u"\n\r\n", u"\\n\\n"},
    {u"a\r\nb\n\rc\rd\ne", u"a\\nb\\nc\\nd\\ne"}, {u"\n\n", u"\\n\\n"}, {u"\n\r\r\n", u"\\n\\n"},
    {u"\t", u"\\t"}, {u"\\12", u"\\\\12"}, {u"\0"sv, u"\\00"},
    {u"\x01\x0B\x0C\x1B\x1F", u"\\01\\11\\12\\27\\31"}, {u"\x7F\xA0", u"\x7F\xA0"},
    {u"\xD83D\xDE00 \xD800 \xDC00", u"\xD83D\xDE00 \xD800 \xDC00"},
};
const TEscapeCase DecodeCases[] = {
    {u"", u""}, {u"a\\", u"a\\"}, {u"x\\5", u"x\\5"}, {u"\\5x", u"\\5x"}, {u"\\N\\T", u"\\N\\T"},
    {u"\0"sv, u"\\00"}, {u"Ac", u"\\65\\99"}, {u"\x0C" u"3", u"\\123"}, {u"\r\n\t", u"\\n\\t"},
    {u"\\12", u"\\\\12"}, {u"\\n", u"\\\\n"}, {u"\\\\", u"\\\\\\"}, {u"\\q", u"\\q"},
    {u"\\\xD800", u"\\\xD800"},
};
// clang-format on

class EncodeControlCharsTest : public testing::TestWithParam<TEscapeCase> {};
TEST_P(EncodeControlCharsTest, GivesOneLineForm) {
  EXPECT_EQ(EncodeControlChars(Q(GetParam().Value)), Q(GetParam().Line));
}
INSTANTIATE_TEST_SUITE_P(Values, EncodeControlCharsTest, testing::ValuesIn(EncodeCases));

class DecodeControlCharsTest : public testing::TestWithParam<TEscapeCase> {};
TEST_P(DecodeControlCharsTest, GivesValue) {
  EXPECT_EQ(DecodeControlChars(Q(GetParam().Line)), Q(GetParam().Value));
}
INSTANTIATE_TEST_SUITE_P(Lines, DecodeControlCharsTest, testing::ValuesIn(DecodeCases));

TEST(EscapingTest, EveryCodeUnitSurvivesRoundTrip) {
  for (char32_t C = 0; C <= 0xFFFF; ++C) {
    const QString Value = u"a"_s + QChar(char16_t(C)) + u"\\b"_s;
    const bool bBreak = C == u'\r' || C == u'\n';
    ASSERT_EQ(DecodeControlChars(EncodeControlChars(Value)), bBreak ? u"a\r\n\\b"_s : Value)
        << "code " << unsigned(C);
  }
}

struct TOrderCase {
  std::u16string_view A, B;
  int Sign;
};

// clang-format off
const TOrderCase OrderCases[] = {
    {u"Caption", u"CAPTION", 0}, {u"_x", u"Zz", 1}, {u"é", u"É", 1}, {u"abc", u"abcd", -1},
    {u"", u"a", -1}, {u"a", u"B", -1}, {u"[", u"a", 1}, {u"`", u"A", 1}, {u"{", u"Z", 1},
    {u"ß", u"SS", 1}, {u"", u"", 0}, {u"a\xD800", u"A\xFFFF", -1},
};
// clang-format on

class TextOrderTest : public testing::TestWithParam<TOrderCase> {};
TEST_P(TextOrderTest, ComparesWithAsciiLettersFolded) {
  const auto Sign = [](int V) { return (V > 0) - (V < 0); };
  const QString A = Q(GetParam().A), B = Q(GetParam().B);
  EXPECT_EQ(Sign(ZrLang_CompareText(A, B)), GetParam().Sign);
  EXPECT_EQ(Sign(ZrLang_CompareText(B, A)), -GetParam().Sign);
  EXPECT_EQ(ZrLang_SameText(A, B), GetParam().Sign == 0);
}
INSTANTIATE_TEST_SUITE_P(Pairs, TextOrderTest, testing::ValuesIn(OrderCases));

} // namespace
