#include "TextMatcher.h"

#include <gtest/gtest.h>

namespace {

constexpr TTextMatchOptions Plain;
constexpr TTextMatchOptions Case = tmoMatchCase;
constexpr TTextMatchOptions Words = tmoWholeWords;
constexpr TTextMatchOptions Re = tmoRegularExpression;

struct TFindCase {
  const char *Name;
  const char *Pattern;
  TTextMatchOptions Options;
  const char *Text;
  qsizetype From;
  qsizetype Start;
  qsizetype Length;
};

class TextMatcherFind : public testing::TestWithParam<TFindCase> {};

TEST_P(TextMatcherFind, FindsTheFirstMatchFromAPosition) {
  const TFindCase &C = GetParam();
  const TTextMatcher M(QString::fromUtf8(C.Pattern), C.Options);
  const QString Text = QString::fromUtf8(C.Text);
  ASSERT_TRUE(M.IsValid()) << M.ErrorString().toStdString();
  EXPECT_EQ(M.Find(Text, C.From), (TTextMatch{C.Start, C.Start < 0 ? 0 : C.Length}));
  if (C.From == 0) {
    EXPECT_EQ(M.Contains(Text), C.Start >= 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, TextMatcherFind,
    testing::Values(
        TFindCase{"IgnoresCase", "open", Plain, "Re-Open file", 0, 3, 4},
        TFindCase{"MatchesCase", "open", Case, "Re-Open file, open", 0, 14, 4},
        TFindCase{"FoldsUmlauts", "ÜBER", Plain, "Lingrove über alles", 0, 9, 4},
        TFindCase{"FoldsCyrillic", "файл", Plain, "Открыть ФАЙЛ", 0, 8, 4},
        TFindCase{"FoldsKelvinSign", "kB", Plain,
                  "1 \xE2\x84\xAA"
                  "b",
                  0, 2, 2},
        TFindCase{"FoldsAstralFirstLetter", "\xF0\x90\x90\xA8x", Plain, "a\xF0\x90\x90\x80X", 0, 1,
                  3},
        TFindCase{"PatternLongerThanText", "abc", Plain, "ab", 0, -1, 0},
        TFindCase{"KeepsCyrillicCase", "файл", Case, "Открыть ФАЙЛ", 0, -1, 0},
        TFindCase{"StartsAtFrom", "ab", Plain, "ab ab", 1, 3, 2},
        TFindCase{"MatchAtFromCounts", "ab", Plain, "ab ab", 3, 3, 2},
        TFindCase{"FromPastTheEnd", "ab", Plain, "ab", 3, -1, 0},
        TFindCase{"EmptyPatternNeverMatches", "", Plain, "text", 0, -1, 0},
        TFindCase{"EmptyRegexNeverMatches", "", Re, "text", 0, -1, 0},
        TFindCase{"WordSkipsPartOfAWord", "cat", Words, "concat cat", 0, 7, 3},
        TFindCase{"WordAtTextStart", "cat", Words, "cat!", 0, 0, 3},
        TFindCase{"WordAtTextEnd", "cat", Words, "(cat", 0, 1, 3},
        TFindCase{"WordNextToPunctuation", "cat", Words, "cats, cat.", 0, 6, 3},
        TFindCase{"UnderscoreIsPartOfAWord", "cat", Words, "cat_1 cat", 0, 6, 3},
        TFindCase{"DigitIsPartOfAWord", "cat", Words, "2cat cat", 0, 5, 3},
        TFindCase{"CyrillicIsPartOfAWord", "кот", Words, "котёнок кот", 0, 8, 3},
        TFindCase{"MarkIsPartOfAWord", "cafe", Words, "cafe\xCC\x81 cafe", 0, 6, 4},
        TFindCase{"AstralLetterIsPartOfAWord", "a", Words,
                  "\xF0\x9D\x90\x80"
                  "a a",
                  0, 4, 1},
        TFindCase{"WordOfPunctuation", "--", Words, "a-- --", 0, 4, 2},
        TFindCase{"LineBreakSeparatesWords", "end", Words, "the\nend", 0, 4, 3},
        TFindCase{"RegexIgnoresCase", "o[a-z]+", Re, "Re-OPEN", 0, 3, 4},
        TFindCase{"RegexFoldsCyrillic", "ф[а-я]+", Re, "ОТКРЫТЬ ФАЙЛ", 0, 8, 4},
        TFindCase{"RegexMatchesCase", "O[a-z]+", Re | Case, "Open OPEN Over", 0, 0, 4},
        TFindCase{"RegexWordTriesLongerAlternative", "fo|foo", Re | Words, "foo", 0, 0, 3},
        TFindCase{"RegexWordUnicode", "\\w+т", Re | Words, "кот котёнок", 4, -1, 0},
        TFindCase{"RegexWordSeesTextBeforeFrom", "bar", Re | Words, "foobar bar", 3, 7, 3},
        TFindCase{"RegexDotStopsAtLineBreak", "a.b", Re, "a\nb a-b", 0, 4, 3},
        TFindCase{"RegexZeroLengthAtFrom", "x*", Re, "abc", 2, 2, 0},
        TFindCase{"RegexAnchorOnlyAtStart", "^", Re, "abc", 1, -1, 0}),
    [](const testing::TestParamInfo<TFindCase> &Info) { return Info.param.Name; });

struct TFindLastCase {
  const char *Name;
  const char *Pattern;
  TTextMatchOptions Options;
  const char *Text;
  qsizetype Before;
  qsizetype Start;
};

class TextMatcherFindLast : public testing::TestWithParam<TFindLastCase> {};

TEST_P(TextMatcherFindLast, FindsTheLastMatchEndingInTime) {
  const TFindLastCase &C = GetParam();
  const TTextMatcher M(QString::fromUtf8(C.Pattern), C.Options);
  const TTextMatch Found = M.FindLast(QString::fromUtf8(C.Text), C.Before);
  EXPECT_EQ(Found.Start, C.Start);
}

INSTANTIATE_TEST_SUITE_P(
    Options, TextMatcherFindLast,
    testing::Values(TFindLastCase{"WholeText", "ab", Plain, "ab ab", 5, 3},
                    TFindLastCase{"EndingAtBefore", "ab", Plain, "ab ab", 4, 0},
                    TFindLastCase{"NoneEndsInTime", "ab", Plain, "ab ab", 1, -1},
                    TFindLastCase{"BeforePastTheEnd", "ab", Plain, "ab ab", 99, 3},
                    TFindLastCase{"IgnoresCase", "ü", Plain, "Ü ü x", 5, 2},
                    TFindLastCase{"SkipsPartOfAWord", "cat", Words, "cat concat", 10, 0},
                    TFindLastCase{"WordBeforeBeforeIsAWord", "cat", Words, "cat cats", 7, 0},
                    TFindLastCase{"Regex", "a+", Re, "aa b aaa", 8, 5},
                    TFindLastCase{"RegexEndingInTime", "a+", Re, "aa b aaa", 7, 0},
                    TFindLastCase{"NotOverlapping", "aa", Plain, "aaa", 3, 0},
                    TFindLastCase{"RegexWord", "c\\w+", Re | Words, "cat concat", 10, 4},
                    TFindLastCase{"RegexZeroLength", "x*", Re, "abc", 2, 2},
                    TFindLastCase{"RegexAnchor", "^", Re, "abc", 3, 0},
                    TFindLastCase{"EmptyPattern", "", Plain, "abc", 3, -1}),
    [](const testing::TestParamInfo<TFindLastCase> &Info) { return Info.param.Name; });

struct TReplaceCase {
  const char *Name;
  const char *Pattern;
  TTextMatchOptions Options;
  const char *Text;
  const char *Replacement;
  const char *Result;
  int Count;
};

class TextMatcherReplaceAll : public testing::TestWithParam<TReplaceCase> {};

TEST_P(TextMatcherReplaceAll, ReplacesEveryMatchAndCountsThem) {
  const TReplaceCase &C = GetParam();
  const TTextMatcher M(QString::fromUtf8(C.Pattern), C.Options);
  QString Text = QString::fromUtf8(C.Text);
  EXPECT_EQ(M.ReplaceAll(Text, QString::fromUtf8(C.Replacement)), C.Count);
  EXPECT_EQ(Text, QString::fromUtf8(C.Result));
}

INSTANTIATE_TEST_SUITE_P(
    Options, TextMatcherReplaceAll,
    testing::Values(
        TReplaceCase{"IgnoresCase", "file", Plain, "File, FILE, file", "doc", "doc, doc, doc", 3},
        TReplaceCase{"MatchesCase", "file", Case, "File, file", "doc", "File, doc", 1},
        TReplaceCase{"NonOverlapping", "aa", Plain, "aaaaa", "b", "bba", 2},
        TReplaceCase{"ReplacementContainsPattern", "a", Plain, "aa", "aa", "aaaa", 2},
        TReplaceCase{"LiteralKeepsBackslashes", "x", Plain, "x", "\\1$0", "\\1$0", 1},
        TReplaceCase{"WholeWordsOnly", "cat", Words, "cat concat cat.", "dog", "dog concat dog.",
                     2},
        TReplaceCase{"CyrillicWords", "кот", Words, "Кот котёнок", "пёс", "пёс котёнок", 1},
        TReplaceCase{"AcrossLineBreaks", "a", Plain, "a\r\na", "b", "b\r\nb", 2},
        TReplaceCase{"NoMatchKeepsText", "zz", Plain, "abc", "y", "abc", 0},
        TReplaceCase{"EmptyPattern", "", Plain, "abc", "y", "abc", 0},
        TReplaceCase{"EmptyRegex", "", Re, "abc", "y", "abc", 0},
        TReplaceCase{"BackReferences", "(\\w+)=(\\w+)", Re, "a=b, c=d", "\\2=\\1", "b=a, d=c", 2},
        TReplaceCase{"BackReferenceInWholeWords", "(o)(\\w)", Re | Words, "on of one", "\\2\\1",
                     "no fo one", 2},
        TReplaceCase{"ZeroLengthStar", "x*", Re, "abc", "-", "-a-b-c-", 4},
        TReplaceCase{"ZeroLengthAnchor", "^", Re, "abc", ">", ">abc", 1},
        TReplaceCase{"ZeroLengthLookahead", "(?=b)", Re, "abab", "|", "a|ba|b", 2},
        TReplaceCase{"DotStopsAtLineBreak", "a.*", Re, "ab\nac", "x", "x\nx", 2}),
    [](const testing::TestParamInfo<TReplaceCase> &Info) { return Info.param.Name; });

struct TInvalidCase {
  const char *Name;
  const char *Pattern;
  TTextMatchOptions Options;
};

class TextMatcherInvalid : public testing::TestWithParam<TInvalidCase> {};

TEST_P(TextMatcherInvalid, ReportsTheErrorAndMatchesNothing) {
  const TInvalidCase &C = GetParam();
  const TTextMatcher M(QString::fromUtf8(C.Pattern), C.Options);
  EXPECT_FALSE(M.IsValid());
  EXPECT_FALSE(M.ErrorString().isEmpty());
  const QString Text = QString::fromUtf8(C.Pattern) + QStringLiteral(" (a) a\\");
  EXPECT_FALSE(M.Contains(Text));
  EXPECT_FALSE(M.FindLast(Text, Text.size()).Found());
  QString Replaced = Text;
  EXPECT_EQ(M.ReplaceAll(Replaced, QStringLiteral("x")), 0);
  EXPECT_EQ(Replaced, Text);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, TextMatcherInvalid,
    testing::Values(TInvalidCase{"OpenGroup", "(a", Re}, TInvalidCase{"CloseGroup", "a)", Re},
                    TInvalidCase{"BadClass", "[a", Re},
                    // Wrapped in the word lookarounds these would compile.
                    TInvalidCase{"TrailingBackslashInWords", "a\\", Re | Words},
                    TInvalidCase{"CloseGroupInWords", "a)(b", Re | Words}),
    [](const testing::TestParamInfo<TInvalidCase> &Info) { return Info.param.Name; });

TEST(TextMatcher, LiteralModeTakesRegexCharactersAsTheyAre) {
  const TTextMatcher M(QStringLiteral("(a"), Plain);
  EXPECT_TRUE(M.IsValid());
  EXPECT_EQ(M.Find(QStringLiteral("x(a"), 0), (TTextMatch{1, 2}));
}

} // namespace
