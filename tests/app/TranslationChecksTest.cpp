// The quality checks of translated values, one table per check, and the
// checks over a whole document.
#include "TranslationChecks.h"
#include "DocumentChecks.h"
#include "TranslationDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr quint16 Russian = 1049, Japanese = 1041, ChineseTaiwan = 1028, Korean = 1042;

struct TCheckCase {
  const char *Name;
  const char *Source; // UTF-8, raw
  const char *Translation;
  const char *Expected; // the message; nullptr when the check finds nothing
  quint16 LangID = Russian;
};

void PrintTo(const TCheckCase &C, std::ostream *Os) {
  *Os << C.Name;
}

// Runs one check alone through RunTranslationChecks.
class CheckTest : public testing::TestWithParam<TCheckCase> {
protected:
  void Expect(TTranslationCheck Check) {
    const TCheckCase &C = GetParam();
    TTranslationCheckSet Only;
    Only.Include(Check);
    const std::vector<TCheckProblem> Problems = RunTranslationChecks(
        Only, QString::fromUtf8(C.Source), QString::fromUtf8(C.Translation), C.LangID);
    if (!C.Expected) {
      EXPECT_TRUE(Problems.empty()) << Problems.front().Message.toStdString();
      return;
    }
    ASSERT_EQ(Problems.size(), 1u);
    EXPECT_EQ(Problems[0].Check, Check);
    EXPECT_EQ(Problems[0].Severity, TranslationCheckInfo(Check).Severity);
    EXPECT_EQ(Problems[0].Message.toStdString(), C.Expected);
  }
};

std::string CaseName(const testing::TestParamInfo<TCheckCase> &Info) {
  return Info.param.Name;
}

class FormatCheckTest : public CheckTest {};
TEST_P(FormatCheckTest, ComparesThePlaceholders) {
  Expect(tcFormat);
}
INSTANTIATE_TEST_SUITE_P(
    Table, FormatCheckTest,
    testing::Values(TCheckCase{"Same", "%d files of %s", "%d файлов из %s", nullptr},
                    TCheckCase{"TypeChanged", "%d files", "%s файлов",
                               "The translation has %s where the source has %d."},
                    TCheckCase{"CaseOfTypeIgnored", "%d files", "%D файлов", nullptr},
                    TCheckCase{"WidthAndFlagsMayChange", "%-8.2f MB", "%10.3f МБ", nullptr},
                    TCheckCase{"Lost", "%s: %d", "%s:", "The translation lacks %d of the source."},
                    TCheckCase{"Added", "Saved.", "Сохранено: %s.",
                               "The translation has %s, which the source lacks."},
                    TCheckCase{"SwappedWithoutIndexes", "%s in %d", "%d в %s",
                               "The translation has %d where the source has %s."},
                    TCheckCase{"SwappedWithIndexes", "%0:s in %1:d", "%1:d в %0:s", nullptr},
                    TCheckCase{"IndexGoesOn", "%s %d %s", "%2:s %0:s %d", nullptr},
                    TCheckCase{"IndexOfAnotherArgument", "%0:s %1:s", "%1:s %1:s",
                               "The translation has %1:s where the source has %0:s."},
                    TCheckCase{"PercentSigns", "100%% of %s", "%s на 100%%", nullptr},
                    TCheckCase{"PercentSignIsNoPlaceholder", "%%d", "%d",
                               "The translation has %d, which the source lacks."},
                    TCheckCase{"StarTakesAnArgument", "%*d", "%d",
                               "The translation has %d where the source has %*d."},
                    TCheckCase{"StarPrecision", "%.*f", "%.*f", nullptr},
                    TCheckCase{"StarMoved", "%*.2f", "%.*f", nullptr},
                    TCheckCase{"Malformed", "50%% of %s", "50% из %s",
                               "The translation has the malformed placeholder \"% \"."},
                    TCheckCase{"MalformedAtEnd", "%d%%", "%d%",
                               "The translation has the malformed placeholder \"%\"."},
                    TCheckCase{"SourceNoFormat", "50% off", "скидка 50%", nullptr},
                    TCheckCase{"PlainTextStrayPercent", "Half", "50% от %s",
                               nullptr}, // no format in the source: the stray '%' is text
                    TCheckCase{"UnknownTypeIsMalformed", "%s", "%y",
                               "The translation has the malformed placeholder \"%y\"."},
                    TCheckCase{"EmptyValues", "", "", nullptr}),
    CaseName);

class AcceleratorCheckTest : public CheckTest {};
TEST_P(AcceleratorCheckTest, CountsTheAccelerators) {
  Expect(tcAccelerator);
}
INSTANTIATE_TEST_SUITE_P(
    Table, AcceleratorCheckTest,
    testing::Values(TCheckCase{"Both", "&File", "&Файл", nullptr},
                    TCheckCase{"Lost", "&File", "Файл",
                               "Accelerator keys (&): the source has 1, the translation 0."},
                    TCheckCase{"Doubled", "&File", "&Фа&йл",
                               "Accelerator keys (&): the source has 1, the translation 2."},
                    TCheckCase{"Added", "File", "&Файл",
                               "Accelerator keys (&): the source has 0, the translation 1."},
                    TCheckCase{"AmpersandsAreText", "Save && &Close", "Сохранить && закрыть",
                               "Accelerator keys (&): the source has 1, the translation 0."},
                    TCheckCase{"AmpersandsOnBothSides", "A && B", "А && Б", nullptr},
                    TCheckCase{"TrailingAmpersandIsNone", "&Go", "Вперёд&",
                               "Accelerator keys (&): the source has 1, the translation 0."},
                    TCheckCase{"SeveralAgainstOne", "&a &b", "&а",
                               "Accelerator keys (&): the source has 2, the translation 1."},
                    TCheckCase{"SeveralOnBothSides", "&a &b", "&а &б &в", nullptr},
                    TCheckCase{"EmptySource", "", "&Да",
                               "Accelerator keys (&): the source has 0, the translation 1."}),
    CaseName);

class LineBreaksCheckTest : public CheckTest {};
TEST_P(LineBreaksCheckTest, CountsTheLineBreaks) {
  Expect(tcLineBreaks);
}
INSTANTIATE_TEST_SUITE_P(
    Table, LineBreaksCheckTest,
    testing::Values(
        TCheckCase{"Same", "a\r\nb", "а\r\nб", nullptr},
        TCheckCase{"CrLfIsOne", "a\r\nb", "а\nб", nullptr},
        TCheckCase{"LoneCr", "a\rb\r", "а\nб", "Line breaks: the source has 2, the translation 1."},
        TCheckCase{"Lost", "a\r\n\r\nb", "а б",
                   "Line breaks: the source has 2, the translation 0."},
        TCheckCase{"Added", "a b", "а\r\nб", "Line breaks: the source has 0, the translation 1."}),
    CaseName);

class WhitespaceCheckTest : public CheckTest {};
TEST_P(WhitespaceCheckTest, ComparesTheBlanksAtTheEnds) {
  Expect(tcWhitespace);
}
INSTANTIATE_TEST_SUITE_P(
    Table, WhitespaceCheckTest,
    testing::Values(TCheckCase{"Same", " a\t", " а\t", nullptr},
                    TCheckCase{"InnerBlanksIgnored", "a b", "а  б", nullptr},
                    TCheckCase{"LeadingLost", "  Name", "Имя",
                               "Leading blanks: the source has 2, the translation 0."},
                    TCheckCase{"TrailingLost", "Name: ", "Имя:",
                               "Trailing blanks: the source has 1, the translation 0."},
                    TCheckCase{"TrailingTabAdded", "Name", "Имя\t",
                               "Trailing blanks: the source has 0, the translation 1."},
                    TCheckCase{"LineBreaksAreNoBlanks", "a\r\n", "а", nullptr},
                    TCheckCase{"BlanksBeforeALineBreakDoNotEnd", "a \r\n", "а\r\n", nullptr}),
    CaseName);

class PunctuationCheckTest : public CheckTest {};
TEST_P(PunctuationCheckTest, ComparesTheFinalPunctuation) {
  Expect(tcPunctuation);
}
INSTANTIATE_TEST_SUITE_P(
    Table, PunctuationCheckTest,
    testing::Values(
        TCheckCase{"Same", "Done.", "Готово.", nullptr},
        TCheckCase{"SourceHasNone", "Done", "Готово!", nullptr},
        TCheckCase{"Lost", "Name:", "Имя", "The source ends with \":\", the translation does not."},
        TCheckCase{"Another", "Really?", "Правда!",
                   "The source ends with \"?\", the translation with \"!\"."},
        TCheckCase{"EllipsisForms", "Open...", "Открыть…", nullptr},
        TCheckCase{"EllipsisAgainstPeriod", "Open...", "Открыть.",
                   "The source ends with \"...\", the translation with \".\"."},
        TCheckCase{"TrailingBlanksAside", "Name: ", "Имя:\r\n", nullptr},
        TCheckCase{"JapaneseQuestion", "Save?", "保存しますか？", nullptr, Japanese},
        TCheckCase{"ChineseColon", "Name:", "名称：", nullptr, ChineseTaiwan},
        TCheckCase{"KoreanExclamation", "Done!", "완료！", nullptr, Korean},
        TCheckCase{"JapanesePeriod", "Done.", "完了。", nullptr, Japanese},
        TCheckCase{"FullWidthOutsideCJK", "Save?", "Сохранить？",
                   "The source ends with \"?\", the translation with \"？\"."},
        TCheckCase{"FullWidthStillNeedsTheSameSign", "Save?", "保存：",
                   "The source ends with \"?\", the translation with \"：\".", Japanese},
        TCheckCase{"EmptySource", "", "Да.", nullptr}),
    CaseName);

class EmptyCheckTest : public CheckTest {};
TEST_P(EmptyCheckTest, FindsEmptyTranslations) {
  Expect(tcEmpty);
}
INSTANTIATE_TEST_SUITE_P(Table, EmptyCheckTest,
                         testing::Values(TCheckCase{"Empty", "Open", "",
                                                    "The translation is empty."},
                                         TCheckCase{"BothEmpty", "", "", nullptr},
                                         TCheckCase{"Blank", "Open", " ", nullptr},
                                         TCheckCase{"Filled", "Open", "Открыть", nullptr}),
                         CaseName);

class UnchangedCheckTest : public CheckTest {};
TEST_P(UnchangedCheckTest, FindsCopiedSources) {
  Expect(tcUnchanged);
}
INSTANTIATE_TEST_SUITE_P(Table, UnchangedCheckTest,
                         testing::Values(TCheckCase{"Copied", "Open", "Open",
                                                    "The translation is the same as the source."},
                                         TCheckCase{"CopiedNonLatin", "Größe", "Größe",
                                                    "The translation is the same as the source."},
                                         TCheckCase{"NoLetters", "%d / %d", "%d / %d", nullptr},
                                         TCheckCase{"CaseDiffers", "OK", "Ok", nullptr},
                                         TCheckCase{"Empty", "", "", nullptr}),
                         CaseName);

// ---- Running a set of checks ----

struct TRunCase {
  const char *Name;
  const char *Source;
  const char *Translation;
  std::vector<TTranslationCheck> Found; // with every check run, in this order
};

void PrintTo(const TRunCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class RunChecksTest : public testing::TestWithParam<TRunCase> {};

TEST_P(RunChecksTest, ReportsEachCheckOnceInItsOrder) {
  const TRunCase &C = GetParam();
  std::vector<TTranslationCheck> Found;
  for (const TCheckProblem &P :
       RunTranslationChecks(TTranslationCheckSet::All(), QString::fromUtf8(C.Source),
                            QString::fromUtf8(C.Translation), Russian))
    Found.push_back(P.Check);
  EXPECT_EQ(Found, C.Found);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunChecksTest,
    testing::Values(TRunCase{"Clean", "&Open %s...", "&Открыть %s...", {}},
                    TRunCase{"EmptyIsOnlyEmpty", "&Open %s...\r\n", "", {tcEmpty}},
                    TRunCase{"Everything",
                             " &Open %d\r\n:",
                             "Открыть %s",
                             {tcFormat, tcAccelerator, tcLineBreaks, tcWhitespace, tcPunctuation}},
                    TRunCase{"Unchanged", "Open.", "Open.", {tcUnchanged}}),
    [](const testing::TestParamInfo<TRunCase> &Info) { return std::string(Info.param.Name); });

TEST(TranslationCheckInfoTest, NamesEveryCheckOnce) {
  int I = 0;
  for (const TTranslationCheckInfo &Info : TranslationCheckInfos()) {
    EXPECT_EQ(Info.Check, I++);
    EXPECT_EQ(FindTranslationCheck(QStringView(Info.Id)), Info.Check);
  }
  EXPECT_EQ(I, TranslationCheckCount);
  EXPECT_EQ(FindTranslationCheck(u"Format"), std::nullopt);
}

// ---- A whole document ----

TEST(DocumentChecksTest, ChecksTranslatedEntriesOnly) {
  QTemporaryDir Dir;
  const auto Write = [&](const QString &Name, const QByteArray &Bytes) {
    QFile F(Dir.filePath(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
    return F.fileName();
  };
  // ID 0 cannot be translated; B and SY are missing from the translation.
  const QString Source = Write(u"app.zrlang"_s, "[F]\r\nA=1,%d files\r\nB=2,Open\r\nZ=0,Zero:\r\n"
                                                "[$CONSTANTS]\r\nSX=Name:\r\nSY=Save?\r\n");
  const QString Translation =
      Write(u"tran.lng"_s,
            "\xEF\xBB\xBFLANGID=1041\r\n\r\n[F]\r\n1=%s ファイル\r\n[$CONSTANTS]\r\nSX=名前：\r\n");
  TTranslationDocument Doc;
  Doc.Load(Source, QString(), Translation);
  const std::vector<TEntryProblem> Problems =
      CheckDocumentEntries(Doc, TTranslationCheckSet::All());
  ASSERT_EQ(Problems.size(), 1u);
  EXPECT_EQ(Doc.Entries().Name(Problems[0].Position), u"A"_s);
  EXPECT_EQ(Problems[0].Problem.Check, tcFormat);
  // Once B is translated it is checked too.
  const int B = Problems[0].Position + 1;
  Doc.SetValues(std::vector<int>{B}, u"Open"_s, u"Typing"_s);
  const std::vector<TEntryProblem> After = CheckDocumentEntries(Doc, TTranslationCheckSet::All());
  ASSERT_EQ(After.size(), 2u);
  EXPECT_EQ(After[1].Position, B);
  EXPECT_EQ(After[1].Problem.Check, tcUnchanged);
}

} // namespace
