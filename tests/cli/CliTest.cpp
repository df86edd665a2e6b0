// Runs the lingrove-cli binary on the example files and on broken ones.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Examples = QStringLiteral(LINGROVE_EXAMPLES_DIR);

QString S(const char *Utf8) {
  return QString::fromUtf8(Utf8);
}

struct TRun {
  int Status = -1;
  QString Out;
  QString Err;
};

// Every run names its ANSI code page, so that results do not depend on the
// locale of the machine.
TRun RunCli(const QStringList &Args, const char *Acp = "1251") {
  QProcess Process;
  QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
  Env.insert(QStringLiteral("LINGROVE_ACP"), S(Acp));
  Process.setProcessEnvironment(Env);
  Process.start(QStringLiteral(LINGROVE_CLI_PATH), Args);
  EXPECT_TRUE(Process.waitForFinished(30000));
  EXPECT_EQ(Process.exitStatus(), QProcess::NormalExit);
  return {Process.exitCode(), S(Process.readAllStandardOutput()),
          S(Process.readAllStandardError())};
}

QByteArray ReadBytes(const QString &FileName) {
  QFile File(FileName);
  EXPECT_TRUE(File.open(QIODevice::ReadOnly)) << FileName.toStdString();
  return File.readAll();
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

// Characters that the code page lacks become '?' one by one. Disabled while
// EncodeAnsi turns the whole text into '?' once one such character occurs
// (Qt 6.4's QStringEncoder::resetState() keeps the error flag).
TEST_F(CliTest, UnrepresentableCharactersBecomeQuestionMarks) {
  const TRun Run = RunCli(Args("convert {ex}/Example.de.lng {tmp}/out.lng --encoding ansi"));
  ASSERT_EQ(Run.Status, 0);
  const QByteArray Bytes = ReadBytes(Tmp("out.lng"));
  EXPECT_TRUE(Bytes.startsWith("LANGID=1031\r\n"));
  EXPECT_TRUE(Bytes.contains("Author=Jonas M?ller\r\n"));
}

} // namespace
