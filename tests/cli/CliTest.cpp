// Runs the lingrove-cli binary on the example files and on broken ones.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
                    "Cannot create file"}),
    [](const auto &Info) { return std::string(Info.param.Name); });
#undef RU

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

// Characters that the code page lacks become '?' one by one. Disabled while
// EncodeAnsi turns the whole text into '?' once one such character occurs
// (Qt 6.4's QStringEncoder::resetState() keeps the error flag).
TEST_F(CliTest, DISABLED_UnrepresentableCharactersBecomeQuestionMarks) {
  const TRun Run = RunCli(Args("convert {ex}/Example.de.lng {tmp}/out.lng --encoding ansi"));
  ASSERT_EQ(Run.Status, 0);
  const QByteArray Bytes = ReadBytes(Tmp("out.lng"));
  EXPECT_TRUE(Bytes.startsWith("LANGID=1031\r\n"));
  EXPECT_TRUE(Bytes.contains("Author=Jonas M?ller\r\n"));
}

} // namespace
