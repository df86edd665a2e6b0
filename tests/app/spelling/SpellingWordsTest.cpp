// The words spelling judges in a value: what is left out and where each one
// stands.
#include "SpellingWords.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct TWordsCase {
  const char *Name;
  const char *Text;  // UTF-8; raw or the one-line form
  const char *Words; // "Text@Start/Length" each, blank-separated
};

void PrintTo(const TWordsCase &C, std::ostream *Os) {
  *Os << C.Name;
}

QString Shown(const std::vector<TSpellingWord> &Words) {
  QStringList Parts;
  for (const TSpellingWord &W : Words)
    Parts.append(QStringLiteral("%1@%2/%3").arg(W.Text).arg(W.Start).arg(W.Length));
  return Parts.join(u' ');
}

class SpellingWordsTest : public testing::TestWithParam<TWordsCase> {};

TEST_P(SpellingWordsTest, FindsTheWordsToJudge) {
  const TWordsCase &C = GetParam();
  EXPECT_EQ(Shown(SpellingWords(QString::fromUtf8(C.Text))).toStdString(), C.Words);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpellingWordsTest,
    testing::Values(
        TWordsCase{"Plain", "Open the file.", "Open@0/4 the@5/3 file@9/4"},
        TWordsCase{"NonLatin", "Übersetzung öffnen, Сохранить",
                   "Übersetzung@0/11 öffnen@12/6 "
                   "Сохранить@20/9"},
        TWordsCase{"Apostrophe", "don't", "don't@0/5"},
        TWordsCase{"AcceleratorFirst", "&Open file", "Open@0/5 file@6/4"},
        TWordsCase{"AcceleratorInside", "Op&en", "Open@0/5"},
        TWordsCase{"AcceleratorCyrillic", "Со&хранить", "Сохранить@0/10"},
        TWordsCase{"DoubleAmpersandParts", "Save&&Close", "Save@0/4 Close@6/5"},
        TWordsCase{"Placeholders", "%d files of %s in %1:s", "files@3/5 of@9/2 in@15/2"},
        TWordsCase{"PlaceholderGluedToWord", "%dfiles", "files@2/5"},
        TWordsCase{"WidthPrecisionAndStar", "%-8.2f MB, %*d rows", "rows@15/4"},
        TWordsCase{"AfterMalformedPlaceholder", "50% off %s", "off@4/3"},
        TWordsCase{"Escapes", "Line\\none\\ttwo\\\\three\\13four",
                   "Line@0/4 one@6/3 two@11/3 "
                   "three@16/5 four@24/4"},
        TWordsCase{"Digits", "Version 2, v2 and x64", "Version@0/7 and@14/3"},
        TWordsCase{"Capitals", "HTML and URL, A file", "and@5/3 A@14/1 file@16/4"},
        TWordsCase{"CapitalAfterSmall", "JavaScript on iPhone", "on@11/2"},
        TWordsCase{"FileNamesAndIdentifiers", "readme.txt or file_name", "or@11/2"},
        TWordsCase{"Urls", "See https://example.com/a-b and www.example.org or mailto:x",
                   "See@0/3 and@28/3 or@48/2"},
        TWordsCase{"Mail", "Write to me@example.com today", "Write@0/5 to@6/2 today@24/5"},
        TWordsCase{"NoWords", "%s: %d%%", ""}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct TReplacementCase {
  const char *Name;
  const char *Text;
  const char *Suggestion;
  const char *Expected;
};

class SpellingReplacementTest : public testing::TestWithParam<TReplacementCase> {};

TEST_P(SpellingReplacementTest, KeepsTheAcceleratorWhereItStood) {
  const TReplacementCase &C = GetParam();
  const std::vector<TSpellingWord> Words = SpellingWords(QString::fromUtf8(C.Text));
  ASSERT_EQ(Words.size(), 1u);
  EXPECT_EQ(Words[0].Replacement(QString::fromUtf8(C.Suggestion)).toStdString(), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SpellingReplacementTest,
                         testing::Values(TReplacementCase{"None", "flie", "file", "file"},
                                         TReplacementCase{"First", "&Flie", "File", "&File"},
                                         TReplacementCase{"Inside", "Fl&ie", "File", "Fi&le"},
                                         TReplacementCase{"BeyondAShorterSuggestion", "Filles&s",
                                                          "Files", "File&s"}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
