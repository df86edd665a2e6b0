// `lingrove-cli check` run as a process on a small project with one problem
// of each kind.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "TinyDictionary.h"

#include "CliTestSupport.h"

namespace {

// Both files are UTF-8 after a byte-order mark. Property 8 is untranslated;
// the translation's section name differs from the source's in case only.
const char SourceText[] = "\xEF\xBB\xBF[Form1]\r\n"
                          "Caption=1,&File\r\n"
                          "Hint=2,%d files of %s\r\n"
                          "Label=3,First line\\nSecond\r\n"
                          "Edit=4,\\tName\r\n"
                          "Prompt=5,Save changes?\r\n"
                          "Title=6,Open\r\n"
                          "Clean=7,Close\r\n"
                          "Missing=8,Not yet\r\n"
                          "[$CONSTANTS]\r\n"
                          "SCopy=Settings\r\n"
                          "SEmpty=Nothing here\r\n";
const char TranslationText[] = "\xEF\xBB\xBFLANGID=1031\r\n"
                               "\r\n"
                               "[form1]\r\n"
                               "00000001=Datei\r\n"
                               "00000002=%s Dateien von %d\r\n"
                               "00000003=Erste Zeile, zweite\r\n"
                               "00000004=Name\r\n"
                               "00000005=Änderungen speichern\r\n"
                               "00000006=Open\r\n"
                               "00000007=Schließen\r\n"
                               "[$CONSTANTS]\r\n"
                               "SCopy=Einstellungen\r\n"
                               "SEmpty=\r\n";

class CliCheckTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FTemp.isValid());
    Write("app.zrlang", SourceText);
    Write("tran.lng", TranslationText);
  }
  void Write(const char *Name, const char *Bytes) {
    QFile File(Tmp(Name));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
  }
  QString Tmp(const char *Name) const { return FTemp.filePath(S(Name)); }
  // Words split at blanks; "{tmp}/" stands for the folder of the project.
  TRun Check(const char *Line) const {
    QStringList Args{QStringLiteral("check")};
    for (QString Arg : S(Line).split(u' ', Qt::SkipEmptyParts))
      Args.append(Arg.replace(QStringLiteral("{tmp}"), FTemp.path()));
    QProcess Process;
    Process.setProcessEnvironment(Environment);
    Process.start(QStringLiteral(LINGROVE_CLI_PATH), Args);
    EXPECT_TRUE(Process.waitForFinished(30000));
    return {Process.exitCode(), S(Process.readAllStandardOutput()),
            S(Process.readAllStandardError())};
  }

  QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
  QTemporaryDir FTemp;
};

TEST_F(CliCheckTest, PrintsOneLinePerProblemWithItsLineAndTheCounts) {
  const TRun Run = Check("{tmp}/app.zrlang {tmp}/tran.lng");
  EXPECT_EQ(Run.Status, 1) << Run.Err.toStdString();
  const QString T = Tmp("tran.lng");
  const QString Expected =
      T +
      S(":4: warning: [accelerator] Form1.Caption (ID=1): Accelerator keys (&): the source "
        "has 1, the translation 0.\n") +
      T +
      S(":5: error: [format] Form1.Hint (ID=2): The translation has %s where the source has "
        "%d.\n") +
      T +
      S(":6: warning: [linebreaks] Form1.Label (ID=3): Line breaks: the source has 1, the "
        "translation 0.\n") +
      T +
      S(":7: warning: [whitespace] Form1.Edit (ID=4): Leading blanks: the source has 1, the "
        "translation 0.\n") +
      T +
      S(":8: warning: [punctuation] Form1.Prompt (ID=5): The source ends with \"?\", the "
        "translation does not.\n") +
      T +
      S(":9: info: [unchanged] Form1.Title (ID=6): The translation is the same as the "
        "source.\n") +
      T + S(":13: error: [empty] constant SEmpty: The translation is empty.\n") +
      S("2 errors, 4 warnings, 1 infos\n");
  EXPECT_EQ(Run.Out.toStdString(), Expected.toStdString());
  EXPECT_TRUE(Run.Err.isEmpty()) << Run.Err.toStdString();
}

TEST_F(CliCheckTest, JsonNamesEveryField) {
  const TRun Run = Check("{tmp}/app.zrlang {tmp}/tran.lng --json --only format,empty");
  EXPECT_EQ(Run.Status, 1) << Run.Err.toStdString();
  EXPECT_EQ(Run.Out.count(u'\n'), 1);
  const QJsonObject Expected = QJsonDocument::fromJson(R"({"problems": [
      {"check": "format", "severity": "error", "component": "Form1", "property": "Hint",
       "id": 2, "constant": null, "line": 5,
       "message": "The translation has %s where the source has %d."},
      {"check": "empty", "severity": "error", "component": null, "property": null,
       "id": null, "constant": "SEmpty", "line": 13, "message": "The translation is empty."}],
      "counts": {"error": 2, "warning": 0, "info": 0}})")
                                   .object();
  EXPECT_EQ(QJsonDocument::fromJson(Run.Out.toUtf8()).object(), Expected) << Run.Out.toStdString();
}

struct TCheckRunCase {
  const char *Name;
  const char *Options;
  int Status;
  const char *Checks; // the checks of the problems found, in order
};

void PrintTo(const TCheckRunCase &C, std::ostream *Os) {
  *Os << C.Options;
}

class CliCheckRunTest : public CliCheckTest, public testing::WithParamInterface<TCheckRunCase> {};

TEST_P(CliCheckRunTest, ExitStatusFollowsTheWorstProblem) {
  const TCheckRunCase &C = GetParam();
  const TRun Run = Check(QByteArray("{tmp}/app.zrlang {tmp}/tran.lng --json ") + C.Options);
  EXPECT_EQ(Run.Status, C.Status) << Run.Err.toStdString();
  QStringList Checks;
  for (const QJsonValue &P : QJsonDocument::fromJson(Run.Out.toUtf8())[u"problems"].toArray())
    Checks.append(P[u"check"].toString());
  EXPECT_EQ(Checks.join(u','), S(C.Checks));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliCheckRunTest,
    testing::Values(
        TCheckRunCase{"All", "", 1,
                      "accelerator,format,linebreaks,whitespace,punctuation,unchanged,empty"},
        TCheckRunCase{"FailOnErrorWithWarnings", "--only accelerator,whitespace", 0,
                      "accelerator,whitespace"},
        TCheckRunCase{"FailOnWarning", "--only linebreaks --fail-on warning", 1, "linebreaks"},
        TCheckRunCase{"InfoNeverFails", "--only unchanged --fail-on warning", 0, "unchanged"},
        TCheckRunCase{"FailOnNever", "--fail-on=never", 0,
                      "accelerator,format,linebreaks,whitespace,punctuation,unchanged,empty"},
        TCheckRunCase{"OnlyOne", "--only=punctuation", 0, "punctuation"},
        TCheckRunCase{"OnlyErrors", "--only empty,format", 1, "format,empty"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct TCheckFailureCase {
  const char *Name;
  const char *Line;
  int Status;
  const char *Expected; // in stderr
};

void PrintTo(const TCheckFailureCase &C, std::ostream *Os) {
  *Os << C.Line;
}

class CliCheckFailureTest : public CliCheckTest,
                            public testing::WithParamInterface<TCheckFailureCase> {};

TEST_P(CliCheckFailureTest, ReportsOnStderrOnly) {
  const TCheckFailureCase &C = GetParam();
  const TRun Run = Check(C.Line);
  EXPECT_EQ(Run.Status, C.Status);
  EXPECT_TRUE(Run.Out.isEmpty()) << Run.Out.toStdString();
  EXPECT_TRUE(Run.Err.contains(S(C.Expected))) << Run.Err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliCheckFailureTest,
    testing::Values(
        TCheckFailureCase{"MissingTranslation", "{tmp}/app.zrlang {tmp}/no.lng", 2,
                          "Cannot open file"},
        TCheckFailureCase{"MissingSource", "{tmp}/no.zrlang {tmp}/tran.lng", 2, "Cannot open file"},
        TCheckFailureCase{"NoTranslation", "{tmp}/app.zrlang", 64, "missing argument TRANSLATION"},
        TCheckFailureCase{"UnknownCheck", "{tmp}/app.zrlang {tmp}/tran.lng --only format,grammar",
                          64, "unknown check 'grammar'"},
        TCheckFailureCase{"EmptyOnly", "{tmp}/app.zrlang {tmp}/tran.lng --only=", 64,
                          "unknown check ''"},
        TCheckFailureCase{"BadFailOn", "{tmp}/app.zrlang {tmp}/tran.lng --fail-on info", 64,
                          "invalid value 'info' for --fail-on"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(CliCheckTest, HelpListsTheChecks) {
  const TRun Run = Check("--help");
  EXPECT_EQ(Run.Status, 0);
  for (const char *Line :
       {"  format       error    ", "  accelerator  warning  ", "  linebreaks   warning  ",
        "  whitespace   warning  ", "  punctuation  warning  ", "  empty        error    ",
        "  unchanged    info     ", "  spelling     info     "})
    EXPECT_TRUE(Run.Out.contains(S(Line))) << Line;
}

// Spelling with the tiny French dictionary in a configuration folder of the
// test's own; Icelandic has none there or on the system.
class CliSpellingTest : public CliCheckTest {
protected:
  void SetUp() override {
    CliCheckTest::SetUp();
    Environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Tmp("config"));
    ASSERT_TRUE(WriteTinyDictionary(Tmp("config"), QStringLiteral("fr_FR")));
    Write("fr.lng", "LANGID=1036\r\n\r\n[Form1]\r\n00000001=&Flie\r\n00000006=Open file\r\n");
    Write("is.lng", "LANGID=1039\r\n\r\n[Form1]\r\n00000001=&Flie\r\n");
  }
};

TEST_F(CliSpellingTest, OnlySpellingChecksTheWordsWithTheTranslationsDictionary) {
  const TRun Run = Check("{tmp}/app.zrlang {tmp}/fr.lng --only spelling");
  EXPECT_EQ(Run.Status, 0) << Run.Err.toStdString();
  EXPECT_EQ(Run.Out.toStdString(),
            (Tmp("fr.lng") + S(":4: info: [spelling] Form1.Caption (ID=1): Misspelled words: "
                               "Flie.\n0 errors, 0 warnings, 1 infos\n"))
                .toStdString());
}

TEST_F(CliSpellingTest, SpellingIsOffByDefault) {
  const TRun Run = Check("{tmp}/app.zrlang {tmp}/fr.lng --json");
  EXPECT_FALSE(Run.Out.contains(u"spelling")) << Run.Out.toStdString();
}

TEST_F(CliSpellingTest, SpellingWithoutADictionaryFails) {
  const TRun Run = Check("{tmp}/app.zrlang {tmp}/is.lng --only spelling,format");
  EXPECT_EQ(Run.Status, 2);
  EXPECT_TRUE(Run.Out.isEmpty()) << Run.Out.toStdString();
  EXPECT_TRUE(Run.Err.contains(u"no spelling dictionary for Icelandic")) << Run.Err.toStdString();
}

} // namespace
