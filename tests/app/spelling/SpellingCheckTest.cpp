// The spelling check's message, and which dictionaries a language looks for.
#include "FakeSpellChecker.h"
#include "Languages.h"
#include "TranslationChecks.h"

#include <gtest/gtest.h>

namespace {

struct TSpellingCheckCase {
  const char *Name;
  const char *Source;
  const char *Translation;
  const char *Expected; // nullptr: no problem
};

void PrintTo(const TSpellingCheckCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class SpellingCheckTest : public testing::TestWithParam<TSpellingCheckCase> {};

TEST_P(SpellingCheckTest, NamesTheFirstMisspelledWordsOnce) {
  const TSpellingCheckCase &C = GetParam();
  TFakeSpellChecker Checker(
      {QStringLiteral("open"), QStringLiteral("the"), QStringLiteral("file")});
  TTranslationCheckSet Only;
  Only.Include(tcSpelling);
  const std::vector<TCheckProblem> Problems = RunTranslationChecks(
      Only, QString::fromUtf8(C.Source), QString::fromUtf8(C.Translation), 1036, &Checker);
  if (!C.Expected) {
    EXPECT_TRUE(Problems.empty()) << Problems.front().Message.toStdString();
    return;
  }
  ASSERT_EQ(Problems.size(), 1u);
  EXPECT_EQ(Problems[0].Check, tcSpelling);
  EXPECT_EQ(Problems[0].Severity, TCheckSeverity::Info);
  EXPECT_EQ(Problems[0].Message.toStdString(), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpellingCheckTest,
    testing::Values(
        TSpellingCheckCase{"AllKnown", "x", "open the &file %s", nullptr},
        TSpellingCheckCase{"OneRepeated", "x", "open flie, flie", "Misspelled words: flie."},
        TSpellingCheckCase{"Three", "x", "opn teh flie", "Misspelled words: opn, teh, flie."},
        TSpellingCheckCase{"MoreAreCounted", "x", "a b c d e the",
                           "Misspelled words: a, b, c and 2 more."},
        TSpellingCheckCase{"SourceLeftAsItIs", "opn teh flie", "opn teh flie", nullptr}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(SpellingCheck, NeedsASpeller) {
  EXPECT_TRUE(RunTranslationChecks(TTranslationCheckSet::All(), u"x", u"flie", 1036).empty());
}

struct TTagsCase {
  quint16 LangID;
  const char *Tags;
};

class SpellingTagsTest : public testing::TestWithParam<TTagsCase> {};

TEST_P(SpellingTagsTest, PutTheCountryOfTheLanguageTableFirst) {
  EXPECT_EQ(SpellingLanguageTags(GetParam().LangID).join(u' ').toStdString(), GetParam().Tags);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpellingTagsTest,
    testing::Values(TTagsCase{1031, "de_DE de"}, TTagsCase{2055, "de_CH de_DE de"},
                    TTagsCase{1033, "en_US en"}, TTagsCase{2057, "en_GB en_US en"},
                    TTagsCase{1049, "ru_RU ru"}, TTagsCase{1036, "fr_FR fr"}, TTagsCase{0, ""}));

} // namespace
