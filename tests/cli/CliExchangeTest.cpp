// `lingrove-cli export` and `import` run as processes: round trips of the
// example project in both formats, the exported files read by independent
// tools, and the exit statuses.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

// A translation's bytes without its "LastModified" line. The Russian example
// is ANSI, the German UTF-16: both are matched as bytes of their own
// encoding.
QByteArray WithoutStamp(const QByteArray &Bytes) {
  const bool bWide = Bytes.startsWith("\xFF\xFE");
  const auto Encode = [&](const char *Ascii) {
    return bWide ? QByteArray(reinterpret_cast<const char *>(QString::fromLatin1(Ascii).utf16()),
                              qsizetype(2 * qstrlen(Ascii)))
                 : QByteArray(Ascii);
  };
  const qsizetype Start = Bytes.indexOf(Encode("LastModified="));
  if (Start < 0)
    return Bytes;
  const QByteArray LineEnd = Encode("\r\n");
  const qsizetype End = Bytes.indexOf(LineEnd, Start) + LineEnd.size();
  return Bytes.left(Start) + Bytes.mid(End);
}

class CliExchangeTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(FTemp.isValid()); }
  QString Tmp(const char *Name) const { return FTemp.filePath(S(Name)); }
  // Words split at blanks; "{ex}/" and "{tmp}/" stand for the folders.
  QString Expand(QString Text) const {
    return Text.replace(QStringLiteral("{ex}"), Examples)
        .replace(QStringLiteral("{tmp}"), FTemp.path());
  }
  TRun Run(const QByteArray &Line) const {
    QStringList Args;
    for (const QString &Arg : QString::fromUtf8(Line).split(u' ', Qt::SkipEmptyParts))
      Args.append(Expand(Arg));
    QProcess Process;
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("LINGROVE_ACP"), QStringLiteral("1251"));
    // No user's translation memory: sync would use one that exists.
    Env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/nonexistent/lingrove-tests"));
    Process.setProcessEnvironment(Env);
    Process.start(QStringLiteral(LINGROVE_CLI_PATH), Args);
    EXPECT_TRUE(Process.waitForFinished(60000));
    return {Process.exitCode(), S(Process.readAllStandardOutput()),
            S(Process.readAllStandardError())};
  }
  void Write(const char *Name, const QByteArray &Bytes) const {
    QFile File(Tmp(Name));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
  }
  // The example translation reconciled and saved as the editor saves it.
  void Sync(const char *Translation) const {
    const TRun Synced = Run("sync {ex}/Example.zrlang {ex}/" + QByteArray(Translation) +
                            " --output {tmp}/orig.lng");
    ASSERT_EQ(Synced.Status, 0) << Synced.Err.toStdString();
  }

  QTemporaryDir FTemp;
};

// ---- Round trips ----

struct TRoundTripCase {
  const char *Translation;
  const char *Format;
  const char *Encoding;
};

void PrintTo(const TRoundTripCase &C, std::ostream *Os) {
  *Os << C.Translation << " as " << C.Format;
}

class CliExchangeRoundTripTest : public CliExchangeTest,
                                 public testing::WithParamInterface<TRoundTripCase> {};

TEST_P(CliExchangeRoundTripTest, GivesTheTranslationBackByteForByte) {
  const TRoundTripCase &C = GetParam();
  Sync(C.Translation);
  const QByteArray Ext(C.Format == std::string("po") ? "po" : "xlf");
  const TRun Exported = Run("export {ex}/Example.zrlang {tmp}/orig.lng --format " +
                            QByteArray(C.Format) + " --output {tmp}/x." + Ext);
  ASSERT_EQ(Exported.Status, 0) << Exported.Err.toStdString();
  EXPECT_TRUE(Exported.Err.isEmpty()) << Exported.Err.toStdString();
  const QByteArray Original = ReadBytes(Tmp("orig.lng"));

  // Into the translation it came from: nothing changes but the stamp.
  ASSERT_TRUE(QFile::copy(Tmp("orig.lng"), Tmp("same.lng")));
  const TRun Same = Run("import {ex}/Example.zrlang {tmp}/x." + Ext + " --output {tmp}/same.lng");
  ASSERT_EQ(Same.Status, 0) << Same.Err.toStdString();
  EXPECT_EQ(WithoutStamp(ReadBytes(Tmp("same.lng"))), WithoutStamp(Original));

  // Into a new translation: the same entries, states and languages, which
  // an export shows. (Its sections follow the source's order, where the
  // original keeps its own.)
  const TRun New = Run("import {ex}/Example.zrlang {tmp}/x." + Ext +
                       " --output {tmp}/new.lng --encoding " + QByteArray(C.Encoding));
  ASSERT_EQ(New.Status, 0) << New.Err.toStdString();
  ASSERT_EQ(Run("export {ex}/Example.zrlang {tmp}/orig.lng --output {tmp}/orig.xlf").Status, 0);
  ASSERT_EQ(Run("export {ex}/Example.zrlang {tmp}/new.lng --output {tmp}/new.xlf").Status, 0);
  EXPECT_EQ(ReadBytes(Tmp("new.xlf")), ReadBytes(Tmp("orig.xlf")));
  EXPECT_EQ(ReadBytes(Tmp("new.lng")).startsWith("\xFF\xFE"), C.Encoding == std::string("unicode"));
}

INSTANTIATE_TEST_SUITE_P(Examples, CliExchangeRoundTripTest,
                         testing::Values(TRoundTripCase{"Example.de.lng", "xliff", "unicode"},
                                         TRoundTripCase{"Example.ru.lng", "xliff", "ansi"},
                                         TRoundTripCase{"Example.de.lng", "po", "unicode"},
                                         TRoundTripCase{"Example.ru.lng", "po", "ansi"}));

// ---- Independent readers ----

TEST_F(CliExchangeTest, MsgfmtChecksTheExportedPo) {
  const QString Msgfmt = QStandardPaths::findExecutable(QStringLiteral("msgfmt"));
  if (Msgfmt.isEmpty())
    GTEST_SKIP() << "msgfmt is not installed";
  for (const char *Translation : {"Example.de.lng", "Example.ru.lng"}) {
    const TRun Exported =
        Run("export {ex}/Example.zrlang {ex}/" + QByteArray(Translation) + " --output {tmp}/x.po");
    ASSERT_EQ(Exported.Status, 0) << Exported.Err.toStdString();
    QProcess Check;
    Check.start(Msgfmt, {QStringLiteral("--check-format"), QStringLiteral("--statistics"),
                         QStringLiteral("-o"), QStringLiteral("/dev/null"), Tmp("x.po")});
    ASSERT_TRUE(Check.waitForFinished(30000));
    const QString Err = S(Check.readAllStandardError());
    EXPECT_EQ(Check.exitCode(), 0) << Err.toStdString();
    // The example source has 46 entries; the German translation lacks 7 of
    // them, the Russian 4, and translates none automatically.
    EXPECT_TRUE(Err.startsWith(Translation == std::string("Example.de.lng")
                                   ? u"39 translated messages, 7 untranslated messages."
                                   : u"42 translated messages, 4 untranslated messages."))
        << Err.toStdString();
  }
}

TEST_F(CliExchangeTest, TranslateToolkitCountsTheExportedXliffUnits) {
  const QString Pocount = QStandardPaths::findExecutable(QStringLiteral("pocount"));
  if (Pocount.isEmpty())
    GTEST_SKIP() << "pocount (translate-toolkit) is not installed";
  const TRun Exported = Run("export {ex}/Example.zrlang {ex}/Example.de.lng --output {tmp}/x.xlf");
  ASSERT_EQ(Exported.Status, 0) << Exported.Err.toStdString();
  QProcess Count;
  Count.start(Pocount, {QStringLiteral("--csv"), Tmp("x.xlf")});
  ASSERT_TRUE(Count.waitForFinished(60000));
  const QString Out = S(Count.readAllStandardOutput());
  EXPECT_EQ(Count.exitCode(), 0) << S(Count.readAllStandardError()).toStdString();
  // A row of names, then one of counts.
  const QStringList Lines = Out.trimmed().split(u'\n');
  ASSERT_EQ(Lines.size(), 2) << Out.toStdString();
  const QStringList Head = Lines[0].split(u','), Row = Lines[1].split(u',');
  const auto Field = [&](const char *Name) {
    for (qsizetype I = 0; I < Head.size(); ++I)
      if (Head[I].trimmed() == S(Name))
        return Row.value(I).trimmed();
    return QString();
  };
  EXPECT_EQ(Field("Total Message"), u"46") << Out.toStdString();
  EXPECT_EQ(Field("Translated Messages"), u"39") << Out.toStdString();
  EXPECT_EQ(Field("Untranslated Messages"), u"7") << Out.toStdString();
}

// ---- Exit statuses ----

struct TStatusCase {
  const char *Name;
  const char *Line;
  int Status;
  const char *Expected; // in stderr, or in stdout on success
  bool bWritesOut;      // {tmp}/out.lng or {tmp}/out.xlf exists afterwards
};

void PrintTo(const TStatusCase &C, std::ostream *Os) {
  *Os << C.Line;
}

class CliExchangeStatusTest : public CliExchangeTest,
                              public testing::WithParamInterface<TStatusCase> {
protected:
  void SetUp() override {
    CliExchangeTest::SetUp();
    Write("gone.xlf", R"(<xliff version="1.2"><file original="a" source-language="en-US"
        datatype="plaintext"><body><trans-unit id="Dialog.About:1"><source>About</source>
        <target state="translated">Über</target></trans-unit><trans-unit id="Dialog.Print:1">
        <source>Print</source><target state="translated">Drucken</target></trans-unit>
        </body></file></xliff>)");
    Write("broken.xlf", "<xliff version=\"1.2\"><file>");
    Write("broken.po", "msgid \"a\nmsgstr \"b\"\n");
    Write("plain.txt", "msgctxt \"SUntitled\"\nmsgid \"Untitled\"\nmsgstr \"Unbenannt\"\n");
  }
};

TEST_P(CliExchangeStatusTest, ExitStatusAndMessages) {
  const TStatusCase &C = GetParam();
  const TRun Result = Run(C.Line);
  EXPECT_EQ(Result.Status, C.Status) << Result.Err.toStdString();
  EXPECT_TRUE((C.Status == 0 ? Result.Out : Result.Err).contains(Expand(S(C.Expected))))
      << Result.Out.toStdString() << Result.Err.toStdString();
  EXPECT_EQ(Result.Err.contains(u"--help"), C.Status == 64) << Result.Err.toStdString();
  EXPECT_EQ(QFile::exists(Tmp("out.lng")) || QFile::exists(Tmp("out.xlf")), C.bWritesOut);
}

#define SRC "{ex}/Example.zrlang"
INSTANTIATE_TEST_SUITE_P(
    Table, CliExchangeStatusTest,
    testing::Values(
        TStatusCase{"Export", "export " SRC " --output {tmp}/out.xlf", 0, "46 units written", true},
        TStatusCase{"ImportUnmatched", "import " SRC " {tmp}/gone.xlf --output {tmp}/out.lng", 1,
                    "{tmp}/gone.xlf: unit 'Dialog.Print:1' matches no entry", true},
        TStatusCase{"ImportByContent", "import " SRC " {tmp}/plain.txt --output {tmp}/out.lng", 0,
                    "1 units taken", true},
        TStatusCase{"ImportMalformedXliff",
                    "import " SRC " {tmp}/broken.xlf --output {tmp}/out.lng", 2, "Malformed XLIFF",
                    false},
        TStatusCase{"ImportMalformedPo", "import " SRC " {tmp}/broken.po --output {tmp}/out.lng", 2,
                    "Malformed PO file", false},
        TStatusCase{"ImportMissingFile", "import " SRC " {tmp}/none.po --output {tmp}/out.lng", 2,
                    "none.po", false},
        TStatusCase{"ExportMissingSource", "export {tmp}/none.zrlang --output {tmp}/out.xlf", 2,
                    "none.zrlang", false},
        TStatusCase{"ExportNoOutput", "export " SRC, 64, "--output", false},
        TStatusCase{"ExportUnknownFormat", "export " SRC " --output {tmp}/out.lng", 64,
                    "--format is needed", false},
        TStatusCase{"ExportBadFormat", "export " SRC " --format tmx --output {tmp}/out.xlf", 64,
                    "tmx", false},
        TStatusCase{"ImportOverSource", "import " SRC " {tmp}/gone.xlf --output " SRC, 64,
                    "may not be the same file", false},
        TStatusCase{"ImportNoFile", "import " SRC " --output {tmp}/out.lng", 64, "FILE", false}));

} // namespace
