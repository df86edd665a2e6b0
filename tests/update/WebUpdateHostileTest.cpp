// A hostile or broken update server: control files whose names would lead
// out of the program folder or shift the updater's arguments, files planted
// in the shared temporary folder, and answers that never end or drip.
#include "WebUpdateTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray NewProgram = "#!/bin/sh\necho new program\n";

// More than any test answer may stream before it is stopped.
constexpr qint64 StreamLimit = 8 * 1024 * 1024;

QByteArray Number(qint64 Value) {
  return QByteArray::number(Value);
}

// Serves the new program as "files/lingrove" and records hand-overs.
class THostileFixture : public TWebUpdateFixture {
public:
  THostileFixture() {
    Server.SetFile(u"files/lingrove"_s, NewProgram);
    Update.OnStartUpdater = [this](const QString &Program, const QStringList &Arguments) {
      HandOvers.append(QStringList(Program) + Arguments);
      return true;
    };
    Update.OnTerminate = [] {};
  }

  // A control file offering the program as a component; "%URL%" in the keys
  // stands for the program's address.
  void Serve(const QByteArray &ApplicationKeys, const QByteArray &FileKeys = "newsize=%SIZE%\n",
             const QByteArray &MoreFiles = {}, qint64 Count = 1) {
    QByteArray Text = "[update]\nunconditional=1\n[application]\n" + ApplicationKeys +
                      "appupdate=1\nappname=lingrove\nappcomps=lingrove\nsilentrestart=1\n"
                      "[files]\ncount=" +
                      Number(Count) +
                      "\n[file1]\nurl=%URL%\nlocalversion={app}/lingrove\nnewversion=9.0.0.0\n" +
                      FileKeys + MoreFiles;
    Text.replace("%URL%", Server.Url(u"files/lingrove"_s).toEncoded());
    Text.replace("%SIZE%", Number(NewProgram.size()));
    ServeControlFile(Text);
  }

  std::string LeftInTemp() const {
    QStringList Names = QDir(TempDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    Names.removeAll(u"controlfile.inf"_s);
    return Names.join(u' ').toStdString();
  }

  QList<QStringList> HandOvers;
};

struct TMalformedCase {
  const char *Name;
  const char *ApplicationKeys; // before the fixture's, so these count
  qint64 Count;
  const char16_t *Key;
};

class MalformedControlFileTest : public testing::TestWithParam<TMalformedCase> {};

// Refused before anything is downloaded, with the offending key named.
TEST_P(MalformedControlFileTest, DownloadsNothing) {
  const TMalformedCase &Case = GetParam();
  THostileFixture Fixture;
  Fixture.Serve(Case.ApplicationKeys, "newsize=%SIZE%\n", {}, Case.Count);
  QElapsedTimer Timer;
  Timer.start();
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_LT(Timer.elapsed(), 2000);
  EXPECT_EQ(Fixture.Update.LastError(), u"The update information is malformed ("_s +
                                            QString::fromUtf16(Case.Key) +
                                            u"); nothing was downloaded."_s);
  EXPECT_EQ(Fixture.Server.Requests(), QStringList{u"lingrove/controlfile.inf"_s});
  EXPECT_TRUE(Fixture.HandOvers.isEmpty());
  EXPECT_EQ(Fixture.LeftInTemp(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedControlFileTest,
    testing::Values(
        TMalformedCase{"QuotedParentInAppName", "appname=\"..\"/outside/run.sh\n", 1, u"appname"},
        TMalformedCase{"QuoteInsideAppName", "appname=lingrove\" \"/../../outside/run.sh\n", 1,
                       u"appname"},
        TMalformedCase{"AppNameIsTheFolder", "appname={app}/.\n", 1, u"appname"},
        TMalformedCase{"QuotedPathInAppComps", "appcomps=lingrove \"/tmp/x\"\n", 1, u"appcomps"},
        TMalformedCase{"ParentInAppComps", "appcomps=lingrove,../lingrove\n", 1, u"appcomps"},
        TMalformedCase{"AppCompsInOtherCase", "appcomps=LINGROVE\n", 1, u"appcomps"},
        TMalformedCase{"AppCompsNotOffered", "appcomps=lingrove,plugin.so\n", 1, u"appcomps"},
        TMalformedCase{"CountAboveTheCap", "", 1001, u"count"},
        TMalformedCase{"HugeCount", "", 9223372036854775807LL, u"count"}),
    [](const testing::TestParamInfo<TMalformedCase> &Info) {
      return std::string(Info.param.Name);
    });

// Quotes in appparam stay inside its one argument; the updater gets the
// update's own folder and exactly the downloaded component.
TEST(HostileHandOverTest, StrayQuotesInAppParamMoveNothing) {
  THostileFixture Fixture;
  const QString Param = uR"(x" "/tmp/planted" "lingrove)"_s;
  Fixture.Serve("appparam=" + Param.toUtf8() + "\n");
  EXPECT_TRUE(Fixture.Update.DoUpdate()) << Fixture.Update.LastError().toStdString();
  const QString Folder = Fixture.Update.UpdateFolder();
  ASSERT_EQ(Fixture.HandOvers.size(), 1);
  EXPECT_EQ(
      Fixture.HandOvers[0],
      (QStringList{Folder + u"/wusetup.exe"_s, QString::number(QCoreApplication::applicationPid()),
                   u"L"_s, Fixture.ProgramDir() + u"/lingrove"_s, Param, Folder, u"lingrove"_s}));
}

// A file planted under a component's name in the shared temporary folder is
// never handed over: only what this run downloaded and verified is.
TEST(HostileHandOverTest, PlantedComponentIsNotHandedOver) {
  THostileFixture Fixture;
  WriteAll(Fixture.TempDir() + u"/data.bin"_s, "planted");
  // data.bin is a component, but up to date: its section is not needed.
  Fixture.Serve("appcomps=lingrove,data.bin\n", "newsize=%SIZE%\n",
                "[file2]\nurl=" + Fixture.Server.Url(u"files/data.bin"_s).toEncoded() +
                    "\nlocalversion={app}/data.bin\nnewchecksum=" +
                    Number(TWebUpdateFixture::DataCrc()) + "\n",
                2);
  EXPECT_TRUE(Fixture.Update.DoUpdate()) << Fixture.Update.LastError().toStdString();
  ASSERT_EQ(Fixture.HandOvers.size(), 1);
  const QString Folder = Fixture.Update.UpdateFolder();
  EXPECT_NE(Folder, Fixture.TempDir());
  EXPECT_EQ(Fixture.HandOvers[0].mid(5), (QStringList{Folder, u"lingrove"_s}));
  EXPECT_FALSE(QFile::exists(Folder + u"/data.bin"_s));
  EXPECT_EQ(QFile::permissions(Folder) & 0x0777, QFileDevice::Permissions(0x0700));
}

class TargetDirTest : public testing::TestWithParam<const char *> {};

// "{app}" is the program folder itself.
TEST_P(TargetDirTest, PlacesTheFileInTheProgramFolder) {
  THostileFixture Fixture;
  Fixture.Server.SetFile(u"files/readme.txt"_s, TWebUpdateFixture::DataBytes());
  Fixture.ServeControlFile(
      "[update]\nunconditional=1\n[files]\ncount=1\n[file1]\nurl=" +
      Fixture.Server.Url(u"files/readme.txt"_s).toEncoded() +
      "\nlocalversion={app}/readme.txt\nnewchecksum=" + Number(TWebUpdateFixture::DataCrc()) +
      "\ntargetdir=" + QByteArray(GetParam()) + "\n");
  EXPECT_TRUE(Fixture.Update.DoUpdate()) << Fixture.Update.LastError().toStdString();
  EXPECT_EQ(ReadAll(Fixture.ProgramDir() + u"/readme.txt"_s), TWebUpdateFixture::DataBytes());
}

INSTANTIATE_TEST_SUITE_P(Table, TargetDirTest, testing::Values("{app}", "{app}\\", "{APP}/"));

enum TStage { stControlFile, stDownload };

struct TFloodCase {
  const char *Name;
  TStage Stage;
  int Status; // of the endless answer; 0: a dripping one
  const char *FileKeys;
  int LastCode;
  const char16_t *LastStatus; // "%URL%": the program's address
};

class FloodTest : public testing::TestWithParam<TFloodCase> {};

// Answers that never end stop soon, after little data, with a failure.
TEST_P(FloodTest, StopsSoonWithLittleData) {
  const TFloodCase &Case = GetParam();
  THostileFixture Fixture;
  Fixture.Update.SetTimeoutMs(5000);
  Fixture.Update.SetCheckTimeLimitMs(1000);
  Fixture.Update.SetMaxDownloadSize(1024 * 1024);
  Fixture.Serve("", Case.FileKeys);
  const QString Path =
      Case.Stage == stControlFile ? u"lingrove/controlfile.inf"_s : u"files/lingrove"_s;
  if (Case.Status)
    Fixture.Server.Endless(Path, Case.Status);
  else
    Fixture.Server.Drip(Path, 50);
  QElapsedTimer Timer;
  Timer.start();
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_LT(Timer.elapsed(), 4000);
  EXPECT_LT(Fixture.Server.StreamedBytes(), StreamLimit);
  QString Expected = QString::fromUtf16(Case.LastStatus);
  Expected.replace(u"%URL%"_s, Fixture.Server.Url(u"files/lingrove"_s).toString());
  ASSERT_FALSE(Fixture.Statuses.isEmpty());
  EXPECT_EQ(Fixture.Statuses.last(), qMakePair(Expected, Case.LastCode));
  EXPECT_TRUE(Fixture.HandOvers.isEmpty());
  EXPECT_EQ(Fixture.LeftInTemp(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, FloodTest,
    testing::Values(TFloodCase{"ControlFileErrorPage", stControlFile, 500, "", 500,
                               u"Update control file not found"},
                    TFloodCase{"ControlFileRedirect", stControlFile, 302, "", 404,
                               u"Update control file not found"},
                    TFloodCase{"ControlFileTooLarge", stControlFile, 200, "", 12003,
                               u"Update control file not found"},
                    TFloodCase{"ControlFileDrip", stControlFile, 0, "", 12002,
                               u"Update control file not found"},
                    TFloodCase{"DownloadErrorPage", stDownload, 500, "newsize=%SIZE%\n", 500,
                               u"Cannot download update file : %URL%"},
                    TFloodCase{
                        "DownloadPastItsSize", stDownload, 200, "newsize=100\n", 0,
                        u"Downloaded update file does not match its size or checksum : %URL%"},
                    TFloodCase{"DownloadWithoutSizePastTheCap", stDownload, 200, "", 12003,
                               u"Cannot download update file : %URL%"}),
    [](const testing::TestParamInfo<TFloodCase> &Info) { return std::string(Info.param.Name); });

// An answer announcing more than the file's size is not read at all.
TEST(FloodTest, AnnouncedSizeAboveNewSizeIsNotRead) {
  THostileFixture Fixture;
  Fixture.Serve("", "newsize=%SIZE%\n");
  Fixture.Server.Truncate(u"files/lingrove"_s, 1000 * 1000 * 1000);
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_EQ(Fixture.Update.LastError(),
            u"Downloaded update file does not match its size or checksum : "_s +
                Fixture.Server.Url(u"files/lingrove"_s).toString());
}

} // namespace
