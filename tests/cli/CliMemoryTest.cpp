// The translation memory from the command line: keeping what a sync removes
// and pre-translating it back after a rename, TMX in and out, and two
// processes writing one database.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

// Version 2 renames the form Options to Settings.
const QByteArray SourceV1 = "[Options]\r\nCaption=1,Options\r\nOk=2,&OK\r\nHint=3,Save the file\r\n"
                            "[Main]\r\nCaption=1,Editor\r\n";
const QByteArray SourceV2 = "[Settings]\r\nCaption=1,Options\r\nOk=2,&OK\r\nHint=3,Save a file\r\n"
                            "[Main]\r\nCaption=1,Editor\r\n";
const QByteArray Translation = "LANGID=1031\r\nSourceLANGID=1033\r\n\r\n[Options]\r\n"
                               "00000001=Optionen\r\n00000002=&OK\r\n00000003=Datei speichern\r\n"
                               "[Main]\r\n00000001=Bearbeiter\r\n";

class CliMemoryTest : public ::testing::Test {
protected:
  QString Tmp(const char *Name) const { return FTemp.filePath(S(Name)); }
  void Write(const char *Name, const QByteArray &Bytes) const {
    QFile File(Tmp(Name));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
  }
  QProcess *Start(const QByteArray &Line) {
    QStringList Args;
    for (const QString &Arg : QString::fromUtf8(Line).split(u' ', Qt::SkipEmptyParts))
      Args.append(QString(Arg).replace(QStringLiteral("{tmp}"), FTemp.path()));
    auto *Process = new QProcess;
    FProcesses.emplace_back(Process);
    Process->start(QStringLiteral(LINGROVE_CLI_PATH), Args);
    return Process;
  }
  static TRun Finish(QProcess *Process) {
    EXPECT_TRUE(Process->waitForFinished(60000));
    return {Process->exitCode(), S(Process->readAllStandardOutput()),
            S(Process->readAllStandardError())};
  }
  TRun Run(const QByteArray &Line) { return Finish(Start(Line)); }
  QJsonObject Json(const QByteArray &Line) {
    const TRun R = Run(Line);
    EXPECT_EQ(R.Status, 0) << R.Err.toStdString();
    return QJsonDocument::fromJson(R.Out.toUtf8()).object();
  }
  QTemporaryDir FTemp;
  std::vector<std::unique_ptr<QProcess>> FProcesses;
};

TEST_F(CliMemoryTest, SyncKeepsRemovedTranslationsAndPretranslateBringsThemBack) {
  Write("v1.zrlang", SourceV1);
  Write("v2.zrlang", SourceV2);
  Write("app.lng", Translation);
  EXPECT_EQ(Run("memory import {tmp}/app.lng --source {tmp}/v1.zrlang --memory {tmp}/m.db").Status, 0);

  const TRun Synced = Run("sync {tmp}/v2.zrlang {tmp}/app.lng --output {tmp}/app.lng "
                          "--memory {tmp}/m.db");
  EXPECT_EQ(Synced.Status, 0) << Synced.Err.toStdString();
  EXPECT_TRUE(Synced.Out.contains(
      S("3 removed translations were kept in the translation memory.")))
      << Synced.Out.toStdString();

  const QJsonObject Counts = Json("pretranslate {tmp}/v2.zrlang {tmp}/app.lng --output "
                                  "{tmp}/pre.lng --memory {tmp}/m.db --min-similarity 75 --json");
  EXPECT_EQ(Counts, (QJsonObject{{S("exact"), 2}, {S("fuzzy"), 1}, {S("untranslated"), 0}}));
  const QByteArray Pre = ReadBytes(Tmp("pre.lng"));
  EXPECT_TRUE(Pre.contains("00000003=Datei speichern")) << Pre.constData();
  EXPECT_TRUE(Pre.contains("\r\nAutotranslated=Settings/1:")) << Pre.constData();
}

TEST_F(CliMemoryTest, TmxRoundTripsAndAFaultyFileImportsNothing) {
  Write("app.lng", Translation);
  Write("v1.zrlang", SourceV1);
  ASSERT_EQ(Run("memory import {tmp} --memory {tmp}/a.db").Status, 0);
  const TRun Exported = Run("memory export {tmp}/a.tmx --memory {tmp}/a.db");
  EXPECT_EQ(Exported.Out, S("4 units written to %1\n").arg(Tmp("a.tmx")));
  ASSERT_EQ(Run("memory import {tmp}/a.tmx --memory {tmp}/b.db").Status, 0);
  EXPECT_EQ(Json("memory stats --json --memory {tmp}/a.db").value(S("units")), 4);
  EXPECT_EQ(Json("memory stats --json --memory {tmp}/b.db").value(S("pairs")),
            Json("memory stats --json --memory {tmp}/a.db").value(S("pairs")));
  Run("memory export {tmp}/b.tmx --memory {tmp}/b.db");
  EXPECT_EQ(ReadBytes(Tmp("b.tmx")), ReadBytes(Tmp("a.tmx")));

  QByteArray Bad = ReadBytes(Tmp("a.tmx"));
  Bad.replace("</seg>\n   </tuv>\n  </tu>\n </body>", "</seg>\n   </tuv>\n </body>");
  Write("bad.tmx", Bad);
  const TRun Failed = Run("memory import {tmp}/bad.tmx --memory {tmp}/c.db");
  EXPECT_EQ(Failed.Status, 2);
  EXPECT_TRUE(Failed.Err.contains(S("Malformed TMX (line "))) << Failed.Err.toStdString();
  EXPECT_EQ(Json("memory stats --json --memory {tmp}/c.db").value(S("units")), 0);
}

TEST_F(CliMemoryTest, TwoProcessesWriteOneDatabase) {
  for (const char *Name : {"one", "two"}) {
    QByteArray Tmx = "<tmx version=\"1.4\"><header srclang=\"en-US\"/><body>\n";
    for (int I = 0; I < 20000; ++I)
      Tmx += "<tu><tuv xml:lang=\"en-US\"><seg>Text " + QByteArray(Name) + ' ' +
             QByteArray::number(I) + "</seg></tuv><tuv xml:lang=\"de-DE\"><seg>Text " +
             QByteArray::number(I) + "</seg></tuv></tu>\n";
    Write((QByteArray(Name) + ".tmx").constData(), Tmx + "</body></tmx>\n");
  }
  QProcess *One = Start("memory import {tmp}/one.tmx --memory {tmp}/m.db");
  QProcess *Two = Start("memory import {tmp}/two.tmx --memory {tmp}/m.db");
  for (QProcess *P : {One, Two}) {
    const TRun R = Finish(P);
    EXPECT_EQ(R.Status, 0) << R.Err.toStdString();
  }
  EXPECT_EQ(Json("memory stats --json --memory {tmp}/m.db").value(S("units")), 40000);
}

TEST_F(CliMemoryTest, ACorruptDatabaseIsAClearError) {
  Write("m.db", QByteArray(8192, 'x'));
  Write("app.lng", Translation);
  Write("v1.zrlang", SourceV1);
  const TRun R = Run("pretranslate {tmp}/v1.zrlang {tmp}/app.lng --output {tmp}/o.lng --memory "
                     "{tmp}/m.db");
  EXPECT_EQ(R.Status, 2);
  EXPECT_TRUE(R.Err.contains(S("The translation memory"))) << R.Err.toStdString();
  EXPECT_FALSE(QFile::exists(Tmp("o.lng")));
}

} // namespace
