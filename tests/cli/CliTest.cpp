// Runs the lingrove-cli binary on the example files and on broken ones.
#include "TestFileSystem.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>

#include "CliTestSupport.h"

namespace {

// Every run names its ANSI code page, so that results do not depend on the
// locale of the machine.
TRun RunCli(const QStringList &Args, const char *Acp = "1251") {
  QProcess Process;
  QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
  Env.insert(QStringLiteral("LINGROVE_ACP"), S(Acp));
  // No user's translation memory: sync would use one that exists.
  Env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/nonexistent/lingrove-tests"));
  Process.setProcessEnvironment(Env);
  Process.start(QStringLiteral(LINGROVE_CLI_PATH), Args);
  EXPECT_TRUE(Process.waitForFinished(30000));
  EXPECT_EQ(Process.exitStatus(), QProcess::NormalExit);
  return {Process.exitCode(), S(Process.readAllStandardOutput()),
          S(Process.readAllStandardError())};
}

class CliTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FTemp.isValid());
    Write("dup.lng", "[Form1]\r\n00000001=a\r\n00000001=b\r\n");
    Write("badconst.zrlang", "[$CONSTANTS]\r\nA b=x\r\n");
    Write("small.lng", "[Dialog.About]\r\n00000001=X\r\n");
  }
  void Write(const char *Name, const QByteArray &Bytes) {
    QFile File(Tmp(Name));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
  }
  QString Tmp(const char *Name) const { return FTemp.filePath(S(Name)); }
  static QString Example(const char *Name) { return Examples + u'/' + S(Name); }
  // A command line written as one text: words split at blanks, "{ex}" and
  // "{tmp}" stand for the two folders.
  QStringList Args(const char *Line) const {
    QStringList Result = S(Line).split(u' ', Qt::SkipEmptyParts);
    for (QString &Arg : Result)
      Arg.replace(QStringLiteral("{ex}"), Examples).replace(QStringLiteral("{tmp}"), FTemp.path());
    return Result;
  }
  static QStringList ExampleSnapshot() {
    QStringList Result;
    for (const QString &Name : QDir(Examples).entryList(QDir::Files))
      Result.append(Name + u':' + S(ReadBytes(Examples + u'/' + Name).toHex()));
    return Result;
  }

  QTemporaryDir FTemp;
};

struct TStatusCase {
  const char *Name;
  const char *Line;
  int Status;
  const char *Expected; // in stdout on success, in stderr otherwise
};

void PrintTo(const TStatusCase &C, std::ostream *Os) {
  *Os << C.Line;
}

class CliStatusTest : public CliTest, public ::testing::WithParamInterface<TStatusCase> {};

TEST_P(CliStatusTest, ExitStatusAndMessages) {
  const TStatusCase &C = GetParam();
  const TRun Run = RunCli(Args(C.Line));
  EXPECT_EQ(Run.Status, C.Status) << Run.Err.toStdString();
  if (C.Status == 0) {
    EXPECT_TRUE(Run.Err.isEmpty()) << Run.Err.toStdString();
    EXPECT_TRUE(Run.Out.contains(S(C.Expected))) << Run.Out.toStdString();
    return;
  }
  EXPECT_TRUE(Run.Out.isEmpty()) << Run.Out.toStdString();
  EXPECT_TRUE(Run.Err.startsWith(u"lingrove-cli: ")) << Run.Err.toStdString();
  EXPECT_TRUE(Run.Err.contains(S(C.Expected))) << Run.Err.toStdString();
  EXPECT_EQ(Run.Err.contains(u"--help"), C.Status == 64) << Run.Err.toStdString();
  EXPECT_FALSE(QFile::exists(Tmp("out.lng"))); // a failed command writes nothing
}

#define RU "{ex}/Example.ru.lng"
#define SRC "{ex}/Example.zrlang"
INSTANTIATE_TEST_SUITE_P(
    Table, CliStatusTest,
    ::testing::Values(
        TStatusCase{"HelpOption", "--help", 0, "64"},
        TStatusCase{"HelpShort", "-h", 0, "convert IN OUT"},
        TStatusCase{"HelpCommand", "help", 0, "info FILE"},
        TStatusCase{"HelpOfConvert", "help convert", 0, "--encoding"},
        TStatusCase{"InfoHelp", "info --help", 0, "--json"},
        TStatusCase{"HelpWinsOverErrors", "convert -x -h", 0, "ansi|unicode"},
        TStatusCase{"Version", "--version", 0, "lingrove-cli 2.0.0\n"},
        TStatusCase{"VersionOnlyAlone", "--version info", 64, "unknown option '--version'"},
        TStatusCase{"InfoSource", "info {ex}/Example.zrlang", 0, "language source"},
        TStatusCase{"InfoRussian", "info " RU, 0, "Author=Ирина Соколова"},
        TStatusCase{"NoCommand", "", 64, "no command"},
        TStatusCase{"UnknownCommand", "sort", 64, "'sort'"},
        TStatusCase{"UnknownGlobalOption", "--verbose", 64, "unknown option"},
        TStatusCase{"HelpOfUnknown", "help sort", 64, "'sort'"},
        TStatusCase{"InfoNoFile", "info", 64, "FILE"},
        TStatusCase{"InfoTwoFiles", "info " RU " " RU, 64, "unexpected argument"},
        TStatusCase{"InfoUnknownOption", "info " RU " --xml", 64, "--xml"},
        TStatusCase{"SwitchWithValue", "info " RU " --json=1", 64, "takes no value"},
        TStatusCase{"ConvertNoEncoding", "convert " RU " {tmp}/out.lng", 64, "--encoding"},
        TStatusCase{"ConvertBadEncoding", "convert " RU " {tmp}/out.lng --encoding utf8", 64,
                    "'utf8'"},
        TStatusCase{"ConvertEncodingLast", "convert " RU " {tmp}/out.lng --encoding", 64,
                    "needs a value"},
        TStatusCase{"ConvertTwice", "convert " RU " {tmp}/out.lng --encoding=ansi --encoding ansi",
                    64, "more than once"},
        TStatusCase{"ConvertNoOut", "convert " RU " --encoding ansi", 64, "OUT"},
        TStatusCase{"InfoMissing", "info {tmp}/no.lng", 2, "Cannot open file"},
        TStatusCase{"InfoMissingSource", "info {tmp}/no.zrlang", 2, "Cannot open file"},
        TStatusCase{"ConvertMissing", "convert {tmp}/no.lng {tmp}/out.lng --encoding unicode", 2,
                    "Cannot open file"},
        TStatusCase{"InfoDuplicateID", "info {tmp}/dup.lng", 2,
                    "Duplicate property value translation ID (1)"},
        TStatusCase{"ConvertDuplicateID", "convert {tmp}/dup.lng {tmp}/out.lng --encoding ansi", 2,
                    "Loading translations failed."},
        TStatusCase{"InfoBadConstant", "info {tmp}/badconst.zrlang", 2,
                    "Invalid constant name (\"A b\")"},
        TStatusCase{"ConvertUncreatable", "convert " RU " {tmp}/no/dir/out.lng --encoding ansi", 2,
                    "Cannot create file"},
        TStatusCase{"HelpOfSync", "sync --help", 0, "LANGID        --langid"},
        TStatusCase{"HelpOfStats", "help stats", 0, "untranslatedConstants"},
        TStatusCase{"SyncInPlace",
                    "sync " SRC " {tmp}/small.lng --output {tmp}/small.lng --encoding unicode", 0,
                    "Added Component: [Application.MainForm]"},
        TStatusCase{"StatsHuman", "stats " SRC, 0, "Untranslated properties: 38\n"},
        TStatusCase{"SyncNoOutput", "sync " SRC " " RU, 64, "missing option --output"},
        TStatusCase{"SyncLangIDHex", "sync " SRC " --output {tmp}/out.lng --langid 0x419", 64,
                    "'0x419'"},
        TStatusCase{"SyncLangIDKeep",
                    "sync " SRC " --output {tmp}/out.lng --langid 1 --keep-header", 64,
                    "exclude each other"},
        TStatusCase{"SyncOutIsSource",
                    "sync " SRC " " RU " --output {ex}/../examples/Example.zrlang", 64,
                    "--output may not be the same file"},
        TStatusCase{"SyncLogIsOut", "sync " SRC " --output {tmp}/out.lng --log {tmp}/out.lng", 64,
                    "--log may not be the same file"},
        TStatusCase{"StatsNoSource", "stats", 64, "SOURCE"},
        TStatusCase{"SyncMissingTranslation", "sync " SRC " {tmp}/no.lng --output {tmp}/out.lng", 2,
                    "Cannot open file"},
        TStatusCase{"SyncUncreatable", "sync " SRC " --output {tmp}/no/dir/out.lng", 2,
                    "Cannot create file"},
        TStatusCase{"SyncLogUncreatable",
                    "sync " SRC " --output {tmp}/out.lng --log {tmp}/no/dir/log.txt", 2,
                    "Cannot create file"},
        TStatusCase{"StatsMissing", "stats " SRC " {tmp}/no.lng", 2, "Cannot open file"}),
    [](const auto &Info) { return std::string(Info.param.Name); });
#undef RU
#undef SRC

struct TInfoCase {
  const char *File;
  const char *Encoding;
  QStringList Params;
  int Components, Entries, Constants;
};

void PrintTo(const TInfoCase &C, std::ostream *Os) {
  *Os << C.File;
}

class CliInfoTest : public CliTest, public ::testing::WithParamInterface<TInfoCase> {};

TEST_P(CliInfoTest, JsonSummary) {
  const TInfoCase &C = GetParam();
  const TRun Run = RunCli({QStringLiteral("info"), Example(C.File), QStringLiteral("--json")});
  ASSERT_EQ(Run.Status, 0) << Run.Err.toStdString();
  EXPECT_EQ(Run.Out.count(u'\n'), 1); // one line
  QJsonParseError Error;
  const QJsonObject Json = QJsonDocument::fromJson(Run.Out.toUtf8(), &Error).object();
  ASSERT_EQ(Error.error, QJsonParseError::NoError) << Run.Out.toStdString();
  EXPECT_EQ(Json.value(u"encoding").toString(), S(C.Encoding));
  EXPECT_EQ(Json.value(u"params").toVariant().toStringList(), C.Params);
  EXPECT_EQ(Json.value(u"components").toInt(-1), C.Components);
  EXPECT_EQ(Json.value(u"entries").toInt(-1), C.Entries);
  EXPECT_EQ(Json.value(u"constants").toInt(-1), C.Constants);
}

QStringList Header(const char *LangID, const char *Author, const char *Date) {
  return S("LANGID=%1\nSourceLANGID=1033\nAuthor=%2\nTargetApplication=Quillmate 2.3\n"
           "Generator=Brisel Solutions Lingrove 2.0.0\nLastModified=%3")
      .arg(S(LangID), S(Author), S(Date))
      .split(u'\n');
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CliInfoTest,
    ::testing::Values(TInfoCase{"Example.zrlang", "utf-16le", {}, 4, 38, 8},
                      TInfoCase{"Example.ru.lng", "ansi",
                                Header("1049", "Ирина Соколова", "2024-11-05 14:32:10"), 5, 39, 8},
                      TInfoCase{"Example.de.lng", "utf-16le",
                                Header("1031", "Jonas Müller", "2024-10-28 09:15:42"), 4, 35, 8}));

// Converting to one encoding and back gives the original bytes, since the
// examples are written exactly as the library writes translations.
struct TRoundTripCase {
  const char *File;
  const char *Acp;
  const char *Via;    // the encoding of the intermediate file
  const char *Back;   // that of the original
  const char *Sample; // a text of the intermediate file
};

void PrintTo(const TRoundTripCase &C, std::ostream *Os) {
  *Os << C.File << " via " << C.Via << " to " << C.Back;
}

class CliRoundTripTest : public CliTest, public ::testing::WithParamInterface<TRoundTripCase> {};

TEST_P(CliRoundTripTest, ConvertsBackToTheSameBytes) {
  const TRoundTripCase &C = GetParam();
  const QStringList Before = ExampleSnapshot();
  const QString Convert = QStringLiteral("convert"), Enc = QStringLiteral("--encoding");
  ASSERT_EQ(RunCli({Convert, Example(C.File), Tmp("via.lng"), Enc, S(C.Via)}, C.Acp).Status, 0);
  ASSERT_EQ(RunCli({Convert, Tmp("via.lng"), Tmp("back.lng"), Enc, S(C.Back)}, C.Acp).Status, 0);

  const QByteArray Via = ReadBytes(Tmp("via.lng"));
  const bool bUnicode = qstrcmp(C.Via, "unicode") == 0;
  EXPECT_EQ(Via.startsWith("\xFF\xFE"), bUnicode);
  // The ANSI samples are Latin-1 text.
  const QString Text =
      bUnicode ? QString::fromUtf16(reinterpret_cast<const char16_t *>(Via.constData() + 2),
                                    (Via.size() - 2) / 2)
               : QString::fromLatin1(Via);
  EXPECT_TRUE(Text.contains(S(C.Sample))) << Text.toStdString();
  EXPECT_EQ(ReadBytes(Tmp("back.lng")), ReadBytes(Example(C.File)));
  EXPECT_EQ(ExampleSnapshot(), Before); // inputs are never modified
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CliRoundTripTest,
    ::testing::Values(
        TRoundTripCase{"Example.ru.lng", "1251", "unicode", "ansi", "выпуск «Кафе»"},
        TRoundTripCase{"Example.ru.lng", "1252", "unicode", "ansi", "выпуск «Кафе»"},
        TRoundTripCase{"Example.de.lng", "1251", "ansi", "unicode", "Author=Jonas Müller\r\n"},
        TRoundTripCase{"Example.ru.lng", "1251", "ansi", "ansi", "LANGID=1049\r\n"},
        TRoundTripCase{"Example.de.lng", "1252", "ansi", "unicode", "Author=Jonas Müller\r\n"},
        TRoundTripCase{"Example.de.lng", "1252", "unicode", "unicode", "\\tGröße\\t"}));

// sync and stats on the example project: the log and totals printed, the
// --log file, the header and encoding of OUT, the counts of stats; OUT holds
// the source's structure minus the untranslated entries, so reconciling it
// again removes nothing; --keep-header output is reproducible.
struct TSyncCase {
  const char *Name;
  const char *Translation; // "" for a new translation
  const char *Acp;
  const char *Options;
  bool bUnicode;      // the encoding of OUT
  const char *LangID; // "LANGID=..." in OUT; "" when absent
  qsizetype Params;   // header parameters of OUT
  std::array<int, 5> Stats;
  const char *Totals; // the three rows, blanks simplified
  QStringList Lines;  // exact lines of the log
};

void PrintTo(const TSyncCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class CliSyncTest : public CliTest, public ::testing::WithParamInterface<TSyncCase> {
protected:
  QJsonObject Json(const QStringList &Args) {
    const TRun Run = RunCli(Args + QStringList{S("--json")}, GetParam().Acp);
    EXPECT_EQ(Run.Status, 0) << Run.Err.toStdString();
    return QJsonDocument::fromJson(Run.Out.toUtf8()).object();
  }
  QJsonValue Params(const QString &File) { return Json({S("info"), File})[u"params"]; }
  std::array<int, 5> Stats(const QString &Translation) {
    const QJsonObject O = Json({S("stats"), Example("Example.zrlang"), Translation});
    return {O[u"components"].toInt(), O[u"properties"].toInt(),
            O[u"untranslatedProperties"].toInt(), O[u"constants"].toInt(),
            O[u"untranslatedConstants"].toInt()};
  }
  TRun Sync(const QString &Translation, const char *Out, const char *Options) {
    QStringList A{S("sync"), Example("Example.zrlang"), Translation, S("--output"), Tmp(Out)};
    return RunCli(A + Args(Options), GetParam().Acp);
  }
};

TEST_P(CliSyncTest, ReconcilesAndSavesAsTheEditor) {
  const TSyncCase &C = GetParam();
  const QStringList Before = ExampleSnapshot();
  const QString Tr = *C.Translation ? Example(C.Translation) : QString();
  const TRun Run = Sync(Tr, "out.lng", C.Options);
  ASSERT_EQ(Run.Status, 0) << Run.Err.toStdString();
  for (const QString &Line : C.Lines)
    EXPECT_TRUE(Run.Out.split(u'\n').contains(Line)) << Line.toStdString();
  EXPECT_TRUE(Run.Out.simplified().endsWith(S(C.Totals))) << Run.Out.toStdString();
  EXPECT_EQ(Run.Err.contains(u"warning"), !C.bUnicode); // the source is Unicode

  const QByteArray Log = ReadBytes(Tmp("log.txt")); // UTF-8 without a mark, CR LF
  EXPECT_EQ(Log.count("\n"), Log.count("\r\n"));
  EXPECT_TRUE(Log.startsWith("The following entries were"));
  EXPECT_TRUE(Run.Out.startsWith(S(Log).replace(S("\r\n"), S("\n"))));

  EXPECT_EQ(ReadBytes(Tmp("out.lng")).startsWith("\xFF\xFE"), C.bUnicode);
  const QJsonObject Info = Json({S("info"), Tmp("out.lng")});
  const QStringList Header = Info[u"params"].toVariant().toStringList();
  const QRegularExpression Stamp(S("^LastModified=\\d{4}(-\\d\\d){2} \\d\\d(:\\d\\d){2}$"));
  EXPECT_EQ(Header.size(), C.Params) << Header.join(u'|').toStdString();
  EXPECT_TRUE(Header.contains(S("SourceLANGID=1033")));
  EXPECT_TRUE(Header.contains(S("Generator=Brisel Solutions Lingrove 2.0.0")));
  EXPECT_EQ(Header.filter(QRegularExpression(S("^LANGID="))).join(u'|'), S(C.LangID));
  EXPECT_EQ(Header.filter(Stamp).size(), 1);
  const std::array<int, 3> Entries{4, C.Stats[1] - C.Stats[2], C.Stats[3] - C.Stats[4]};
  EXPECT_EQ((std::array{Info[u"components"].toInt(), Info[u"entries"].toInt(),
                        Info[u"constants"].toInt()}),
            Entries);
  EXPECT_EQ(Stats(Tr), C.Stats);
  EXPECT_EQ(Stats(Tmp("out.lng")), C.Stats);
  const TRun Again = Sync(Tmp("out.lng"), "again.lng", "");
  EXPECT_TRUE(Again.Out.simplified().contains(u"Removed 0 0 0")) << Again.Out.toStdString();
  EXPECT_FALSE(Again.Out.contains(u"excessive"));

  ASSERT_EQ(Sync(Tr, "keep1.lng", "--keep-header").Status, 0);
  ASSERT_EQ(Sync(Tr, "keep2.lng", "--keep-header").Status, 0);
  EXPECT_EQ(ReadBytes(Tmp("keep1.lng")), ReadBytes(Tmp("keep2.lng")));
  EXPECT_EQ(Params(Tmp("keep1.lng")), Tr.isEmpty() ? QJsonValue(QJsonArray()) : Params(Tr));
  EXPECT_EQ(ExampleSnapshot(), Before); // inputs are never modified
}

#define LOG " --log {tmp}/log.txt"
#define ADDED(N, ID) S("    Added Property \"" N "\" (ID=" #ID ")")
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, CliSyncTest,
    ::testing::Values(
        TSyncCase{"Russian", "Example.ru.lng", "1251", LOG, false, "LANGID=1049", 6,
            {4, 38, 3, 8, 1}, "Added 0 3 1 Removed 1 4 1 Total 4 38 8",
            {S("The following entries were not found and were added to the translation:"),
             ADDED("actEditFind.Caption", 11), ADDED("lblSample.Caption", 6),
             S("    Added Constant \"SWordCount\""),
             S("    Removed Component \"Application.MainForm\", property with ID=18"),
             S("    Removed Component: [Dialog.Print]"), S("Removed Constant \"SPrintDone\"")}},
        TSyncCase{"RussianAsUnicode", "Example.ru.lng", "1251",
            LOG " --encoding unicode --langid 1058", true, "LANGID=1058", 6,
            {4, 38, 3, 8, 1}, "Added 0 3 1 Removed 1 4 1 Total 4 38 8", {}},
        TSyncCase{"German", "Example.de.lng", "1252", "--log={tmp}/log.txt", true, "LANGID=1031", 6,
            {4, 38, 6, 8, 1}, "Added 1 6 1 Removed 1 3 1 Total 4 38 8",
            {S("Added Component: [Dialog.About]"), ADDED("btnClose.Caption", 5),
             S("    Removed Component \"Dialog.OpenFiles\", property with ID=8"),
             S("The following constants were found excessive and deleted from the translation:")}},
        TSyncCase{"New", "", "1251", LOG, true, "", 3,
            {4, 38, 38, 8, 8}, "Added 4 38 8 Removed 0 0 0 Total 4 38 8",
            {S("Added Component: [Application.MainForm]"), ADDED("Caption", 1),
             S("    Added Constant \"SConfirmDelete\"")}},
        TSyncCase{"NewWithLangID", "", "1251", LOG " --langid 1049", true, "LANGID=1049", 4,
            {4, 38, 38, 8, 8}, "Added 4 38 8 Removed 0 0 0 Total 4 38 8", {}}),
    [](const auto &Info) { return std::string(Info.param.Name); });
// clang-format on
#undef ADDED
#undef LOG

// Sources that the reader allows but that once broke a sync or a stats run:
// a repeated ID in one component, and entries with IDs of 0 or below, which
// cannot be translated and are reported on stderr.
struct TSourceCase {
  const char *Name;
  const char *Source;
  const char *Command; // "sync" or "stats"
  const char *Warning; // in stderr; "" for none
  const char *Out;     // in stdout
};

void PrintTo(const TSourceCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class CliSourceTest : public CliTest, public ::testing::WithParamInterface<TSourceCase> {};

TEST_P(CliSourceTest, SucceedsAndWarns) {
  const TSourceCase &C = GetParam();
  Write("src.zrlang", C.Source);
  QStringList A{S(C.Command), Tmp("src.zrlang")};
  if (S(C.Command) == u"sync")
    A << S("--output") << Tmp("out.lng");
  const TRun Run = RunCli(A);
  EXPECT_EQ(Run.Status, 0) << Run.Err.toStdString();
  EXPECT_TRUE(Run.Out.simplified().contains(S(C.Out))) << Run.Out.toStdString();
  if (*C.Warning)
    EXPECT_TRUE(Run.Err.startsWith(u"lingrove-cli: warning: ") &&
                Run.Err.contains(S(C.Warning)))
        << Run.Err.toStdString();
  else
    EXPECT_TRUE(Run.Err.isEmpty()) << Run.Err.toStdString();
}

#define DUP "[Form1]\r\nCaption=00000005,A\r\nHint=00000005,B\r\n"
#define NONPOS "[Form1]\r\nCaption=Hello\r\nHint=-5,x\r\nOk=00000003,OK\r\n"
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Sources, CliSourceTest,
    ::testing::Values(
        TSourceCase{"RepeatedIDSync", DUP, "sync", "", "Added 1 1 0"},
        TSourceCase{"RepeatedIDStats", DUP, "stats", "", "Untranslated properties: 2"},
        TSourceCase{"NonPositiveSync", NONPOS, "sync",
                    "2 entries of the language source have an ID of 0 or below, which no "
                    "translation file can keep; they cannot be translated: [Form1] Hint (ID -5), "
                    "[Form1] Caption (ID 0)\n", "Added 1 3 0"},
        TSourceCase{"NonPositiveStats", NONPOS, "stats", "[Form1] Hint (ID -5)",
                    "Properties: 3 Untranslated properties: 1"}),
    [](const auto &Info) { return std::string(Info.param.Name); });
// clang-format on
#undef NONPOS
#undef DUP

// Characters that the code page of the translation's language lacks become
// '?' one by one; the rest is written in that code page (1252 for German),
// whatever the system's is.
TEST_F(CliTest, UnrepresentableCharactersBecomeQuestionMarks) {
  const QString Text = S("LANGID=1031\r\nAuthor=Jonas Müller\r\n\r\n[$CONSTANTS]\r\nK=Жx\r\n");
  Write("de.lng",
        "\xFF\xFE" + QByteArray(reinterpret_cast<const char *>(Text.utf16()), Text.size() * 2));
  const TRun Run = RunCli(Args("convert {tmp}/de.lng {tmp}/out.lng --encoding ansi"), "1251");
  ASSERT_EQ(Run.Status, 0);
  EXPECT_EQ(ReadBytes(Tmp("out.lng")),
            "LANGID=1031\r\nAuthor=Jonas M\xFCller\r\n\r\n[$CONSTANTS]\r\nK=?x\r\n");
}

// Narrow text names its language: it is read and written in that language's
// code page on a system of any other (the default locale of servers gives
// 1252), and the summary names that code page.
TEST_F(CliTest, NarrowTranslationFollowsItsLangID) {
  const TRun Info = RunCli(Args("info {ex}/Example.ru.lng"), "1252");
  EXPECT_TRUE(Info.Out.contains(S("ansi (code page 1251)"))) << Info.Out.toStdString();
  EXPECT_TRUE(Info.Out.contains(S("Author=Ирина Соколова"))) << Info.Out.toStdString();
}

// info reads its file once, so a FIFO or a pipe gives the same summary as
// the file itself, encoding included.
TEST_F(CliTest, InfoReadsAFifoOrAPipeOnce) {
  const TRun Direct = RunCli({S("info"), Example("Example.de.lng"), S("--json")});
  ASSERT_EQ(Direct.Status, 0);
  ASSERT_TRUE(Direct.Out.contains(S("utf-16le")));
  ASSERT_TRUE(MakeFifo(Tmp("fifo.lng")));
  std::thread Writer([this] {
    QFile Fifo(Tmp("fifo.lng"));
    if (Fifo.open(QIODevice::WriteOnly))
      Fifo.write(ReadBytes(Example("Example.de.lng")));
  });
  const TRun FromFifo = RunCli({S("info"), Tmp("fifo.lng"), S("--json")});
  Writer.join();
  EXPECT_EQ(FromFifo.Status, 0) << FromFifo.Err.toStdString();
  EXPECT_EQ(FromFifo.Out, Direct.Out);

  QProcess Bash;
  Bash.start(S("bash"), {S("-c"), S("\"$0\" info <(cat \"$1\") --json"), S(LINGROVE_CLI_PATH),
                         Example("Example.de.lng")});
  ASSERT_TRUE(Bash.waitForFinished(30000));
  EXPECT_EQ(Bash.exitCode(), 0) << Bash.readAllStandardError().toStdString();
  EXPECT_EQ(S(Bash.readAllStandardOutput()), Direct.Out);
}

// Every error that quotes a name quotes at most a few hundred characters of
// it, however long it is.
TEST_F(CliTest, ErrorsCutHugeNames) {
  const QString Huge(100000, u'n');
  Write("hugeconst.lng", "[$CONSTANTS]\r\n" + QByteArray(700000, 'x') + "-=v\r\n");
  const QList<QStringList> Lines = {
      {Huge},
      {S("info"), S("--") + Huge, Tmp("small.lng")},
      {S("convert"), Tmp("small.lng"), Tmp("out.lng"), S("--encoding"), Huge},
      {S("info"), Tmp("small.lng"), Huge},
      {S("info"), Tmp(Huge.toLatin1().constData())},
      {S("sync"), Example("Example.zrlang"), S("--output"), Tmp("out.lng"), S("--langid"), Huge},
      {S("info"), Tmp("hugeconst.lng")},
  };
  for (const QStringList &Line : Lines) {
    const TRun Run = RunCli(Line);
    EXPECT_NE(Run.Status, 0);
    EXPECT_TRUE(Run.Err.contains(S("nnnnnnnnnn...")) || Run.Err.contains(S("xxxxxxxxxx...")))
        << Run.Err.left(300).toStdString();
    EXPECT_LT(Run.Err.size(), 600) << Run.Err.left(300).toStdString();
  }
}

// Saving onto a full disk and into special files: a failure exits 2 with
// the system's reason and never costs the old file.

// A translation of Entries properties in ANSI, about 30 bytes each.
QByteArray GeneratedTranslation(int Entries) {
  QByteArray Text = "LANGID=1049\r\n\r\n[Form1]\r\n";
  for (int I = 1; I <= Entries; ++I)
    Text += QByteArray::number(I).rightJustified(8, '0') + "=Value \xC6 number " +
            QByteArray::number(I) + "\r\n";
  return Text + "\r\n[$CONSTANTS]\r\n";
}

void WriteBytes(const QString &FileName, const QByteArray &Bytes) {
  QFile File(FileName);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly) && File.write(Bytes) == Bytes.size());
}

// One save near the boundary of a full disk: convert or sync over an
// existing file, with a given number of bytes left free.
struct TTrial {
  int Entries;
  bool bUnicode;
  qint64 Free;
  bool bSync; // sync with --keep-header and a --log beside OUT
};

enum TTrialResult { trWritten, trRefused, trLost };

class CliFullDiskTest : public CliTest {
protected:
  QStringList Command(const TTrial &T, const QString &Out, const QString &Log) const {
    const QString Enc = T.bUnicode ? S("unicode") : S("ansi");
    if (!T.bSync)
      return {S("convert"), Tmp("in.lng"), Out, S("--encoding"), Enc};
    return {S("sync"), Example("Example.zrlang"), Tmp("in.lng"), S("--output"),
            Out,       S("--encoding"),           Enc,           S("--log"),
            Log,       S("--keep-header")};
  }

  TTrialResult RunTrial(const TTrial &T) {
    WriteBytes(Tmp("in.lng"), GeneratedTranslation(T.Entries));
    // What the command writes where there is room.
    const TRun Roomy = RunCli(Command(T, Tmp("ref.lng"), Tmp("ref.log")));
    EXPECT_EQ(Roomy.Status, 0) << Roomy.Err.toStdString();
    const QByteArray Expected = ReadBytes(Tmp("ref.lng"));

    TTestTmpfs Fs(256 * 1024);
    const QString Out = Fs.Path(S("out.lng")), Log = Fs.Path(S("out.log"));
    const QByteArray OldOut(3000, 'o'), OldLog = "old log\r\n";
    WriteBytes(Out, OldOut);
    WriteBytes(Log, OldLog);
    EXPECT_TRUE(Fs.LeaveFree(T.Free));
    const TRun Run = RunCli(Command(T, Out, Log));
    const QStringList Left = Fs.Names();
    const bool bTidy = Left == QStringList({S("filler"), S("out.lng"), S("out.log")});
    if (Run.Status == 0 && bTidy && ReadBytes(Out) == Expected)
      return trWritten;
    if (Run.Status == 2 && bTidy && ReadBytes(Out) == OldOut && ReadBytes(Log) == OldLog &&
        Run.Err.contains(S("No space left on device")) && Run.Out.isEmpty())
      return trRefused;
    ADD_FAILURE() << "lost: " << T.Entries << (T.bUnicode ? " unicode" : " ansi") << " free "
                  << T.Free << (T.bSync ? " sync" : " convert") << " status " << Run.Status
                  << " left " << Left.join(u' ').toStdString() << ' ' << Run.Err.toStdString()
                  << " out " << ReadBytes(Out).size() << " expected " << Expected.size() << " log "
                  << ReadBytes(Log).size();
    return trLost;
  }
};

// 64 saves of many sizes with 0 to 16 KB free: each either writes the whole
// new file or exits 2 and leaves the old one; none loses a file.
TEST_F(CliFullDiskTest, SavesNearTheBoundaryNeverLoseAFile) {
  if (!TTestTmpfs(4096).Mounted())
    GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  int Counts[3] = {};
  for (int I = 0; I < 64; ++I) {
    const TTrial T{10 + 9 * I, I % 2 == 1, qint64(I % 5) * 4096, I % 4 == 3};
    ++Counts[RunTrial(T)];
  }
  std::cout << "full-disk trials: " << Counts[trWritten] << " written, " << Counts[trRefused]
            << " refused with the old file kept, " << Counts[trLost] << " lost\n";
  EXPECT_EQ(Counts[trLost], 0);
  EXPECT_GT(Counts[trWritten], 0);
  EXPECT_GT(Counts[trRefused], 0);
}

// OUT may be a FIFO: it is written in place and stays a FIFO.
TEST_F(CliTest, FifoOutputIsWrittenInPlace) {
  ASSERT_TRUE(MakeFifo(Tmp("fifo.lng")));
  TFifoReader Reader(Tmp("fifo.lng"), true);
  ASSERT_TRUE(Reader.IsOpen());
  const TRun Run = RunCli(Args("convert {ex}/Example.ru.lng {tmp}/fifo.lng --encoding unicode"));
  EXPECT_EQ(Run.Status, 0) << Run.Err.toStdString();
  ASSERT_EQ(RunCli(Args("convert {ex}/Example.ru.lng {tmp}/ref.lng --encoding unicode")).Status, 0);
  EXPECT_EQ(Reader.Drain(), ReadBytes(Tmp("ref.lng")));
  EXPECT_TRUE(IsFifo(Tmp("fifo.lng")));
}

// A reader that goes away is a write error like any other.
TEST_F(CliTest, FifoReaderThatLeavesGivesBrokenPipe) {
  WriteBytes(Tmp("big.lng"), GeneratedTranslation(20000));
  ASSERT_TRUE(MakeFifo(Tmp("fifo.lng")));
  TFifoReader Reader(Tmp("fifo.lng"), false);
  ASSERT_TRUE(Reader.IsOpen());
  QProcess Process;
  Process.start(S(LINGROVE_CLI_PATH), Args("convert {tmp}/big.lng {tmp}/fifo.lng --encoding ansi"));
  const bool bData = Reader.WaitForData(20000);
  Reader.Close();
  ASSERT_TRUE(Process.waitForFinished(30000));
  EXPECT_TRUE(bData) << "nothing was written into the FIFO";
  EXPECT_EQ(Process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(Process.exitCode(), 2);
  EXPECT_TRUE(S(Process.readAllStandardError()).contains(S("Broken pipe")));
  EXPECT_TRUE(IsFifo(Tmp("fifo.lng")));
}

} // namespace
