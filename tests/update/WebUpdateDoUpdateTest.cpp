// The whole update of a throw-away installation: files from a control file
// served on 127.0.0.1 land in the temporary folder, and the hand-over to the
// updater is checked byte for byte with the process start replaced.
#include "UpdateChecksum.h"
#include "WebUpdateTestSupport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray NewProgram = "#!/bin/sh\necho new program\n";
const QByteArray Readme = "what is new\n";

quint32 CrcOf(QByteArray Data) {
  QBuffer Buffer(&Data);
  Buffer.open(QIODevice::ReadOnly);
  return *Crc32Of(Buffer);
}

QByteArray Number(qint64 Value) {
  return QByteArray::number(Value);
}

// Serves the new program and a readme, and a control file that offers both:
// the program as an application component, the readme into "docs".
class TDoUpdateFixture : public TWebUpdateFixture {
public:
  explicit TDoUpdateFixture(const QByteArray &ApplicationKeys = "silentrestart=1\n",
                            const QByteArray &File1Keys = QByteArray()) {
    Server.SetFile(u"files/lingrove"_s, NewProgram);
    Server.SetFile(u"files/readme.txt"_s, Readme);
    ServeControlFile("[update]\nlocalversion={app}/lingrove\nnewversion=5.1.0.0\n"
                     "[application]\n" +
                     ApplicationKeys + "appupdate=1\nappname=lingrove\nappcomps=lingrove\n" +
                     "[files]\ncount=2\n"
                     "[file1]\nurl=" +
                     Server.Url(u"files/lingrove"_s).toEncoded() +
                     "\nlocalversion={app}/lingrove\nnewversion=5.1.0.0\n" +
                     (File1Keys.isEmpty() ? "newsize=" + Number(NewProgram.size()) +
                                                "\nnewchecksum=" + Number(CrcOf(NewProgram)) + "\n"
                                          : File1Keys) +
                     "[file2]\nurl=" + Server.Url(u"files/readme.txt"_s).toEncoded() +
                     "\nlocalversion={app}/docs/readme.txt\nnewchecksum=0x" +
                     QByteArray::number(CrcOf(Readme), 16) + "\ntargetdir={app}/docs\n");
    Update.OnStartUpdater = [this](const QString &Program, const QStringList &Arguments) {
      CommandLines.append(QStringList(Program) + Arguments);
      return StartResult;
    };
    Update.OnTerminate = [this] { ++Terminated; };
  }

  // The updater and its arguments, each value in its own place.
  QStringList ExpectedCommandLine(const QString &Param = u" "_s) const {
    const QString Folder = Update.UpdateFolder();
    return {Folder + u"/wusetup.exe"_s,
            QString::number(QCoreApplication::applicationPid()),
            u"L"_s,
            ProgramDir() + u"/lingrove"_s,
            Param,
            Folder,
            u"lingrove"_s};
  }

  // What is left in the temporary folder beside the control file.
  std::string LeftInTemp() const {
    QStringList Names = QDir(TempDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    Names.removeAll(u"controlfile.inf"_s);
    return Names.join(u' ').toStdString();
  }

  QList<QStringList> CommandLines;
  bool StartResult = true;
  int Terminated = 0;
};

TEST(DoUpdateTest, DownloadsAndHandsOver) {
  TDoUpdateFixture Fixture;
  EXPECT_TRUE(Fixture.Update.DoUpdate());

  ASSERT_EQ(Fixture.CommandLines.size(), 1);
  EXPECT_EQ(Fixture.CommandLines[0], Fixture.ExpectedCommandLine());
  EXPECT_EQ(Fixture.Terminated, 1);

  // The downloads wait in a folder of this update's own, kept for the updater.
  const QString Temp = Fixture.Update.UpdateFolder();
  EXPECT_EQ(QFileInfo(Temp).absolutePath(), Fixture.TempDir());
  EXPECT_EQ(QFile::permissions(Temp) & 0x0777, QFileDevice::Permissions(0x0700));
  EXPECT_EQ(ReadAll(Temp + u"/lingrove"_s), NewProgram);
  EXPECT_EQ(ReadAll(Temp + u"/WUPDATE.INI"_s), "[CONFIG]\r\nLOGFILENAME=WUPDATE.LOG\r\n");
  const QFileInfo Updater(Temp + u"/wusetup.exe"_s);
  EXPECT_TRUE(Updater.isFile());
  EXPECT_TRUE(Updater.isExecutable());
  // The program itself waits for the updater; the readme went to its folder.
  EXPECT_EQ(ReadAll(Fixture.ProgramFile()), "#!/bin/sh\n");
  EXPECT_EQ(ReadAll(Fixture.ProgramDir() + u"/docs/readme.txt"_s), Readme);

  const QString Log = QString::fromUtf8(ReadAll(Temp + u"/WUPDATE.LOG"_s));
  EXPECT_TRUE(Log.contains(u"Start WebUpdate process with version : 2.0.0.0"_s))
      << Log.toStdString();
  EXPECT_TRUE(
      Log.contains(u"Processing file : "_s + Fixture.Server.Url(u"files/lingrove"_s).toString() +
                   u",{app}/lingrove,nv=5.1.0.0,nd=,ns="_s + QString::number(NewProgram.size()) +
                   u",nc="_s + QString::number(CrcOf(NewProgram))))
      << Log.toStdString();
  EXPECT_TRUE(Log.contains(u"Starting updater : "_s + Temp + u"/wusetup.exe "_s))
      << Log.toStdString();

  ASSERT_EQ(Fixture.Update.Files().size(), 2);
  EXPECT_EQ(Fixture.Update.Files()[0].DownloadedFile, Temp + u"/lingrove"_s);
  EXPECT_EQ(Fixture.Update.Files()[1].TargetDir, u"{app}/docs"_s);
  EXPECT_TRUE(Fixture.Update.Files()[1].Preselect);
}

TEST(DoUpdateTest, ShowsTheProgressWindowWithoutProgressCallback) {
  TDoUpdateFixture Fixture;
  Fixture.Update.SetShowDownloadProgress(true);
  EXPECT_TRUE(Fixture.Update.DoUpdate());
  EXPECT_EQ(Fixture.CommandLines.size(), 1);
}

TEST(DoUpdateTest, ProgressCallbackCanCancel) {
  TDoUpdateFixture Fixture;
  QStringList Names;
  Fixture.Update.OnProgress = [&Names](const QString &Name, qint64, qint64) {
    Names.append(Name);
    return false;
  };
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_TRUE(Fixture.CommandLines.isEmpty());
  EXPECT_EQ(Fixture.Terminated, 0);
  ASSERT_FALSE(Names.isEmpty());
  EXPECT_EQ(Names.first(), u"lingrove"_s);
}

TEST(DoUpdateTest, QuestionAnsweredNoKeepsTheProgramRunning) {
  TDoUpdateFixture Fixture("silentrestart=0\n");
  QStringList Questions;
  Fixture.Update.OnConfirmRestart = [&Questions](const QString &Question) {
    Questions.append(Question);
    return false;
  };
  EXPECT_TRUE(Fixture.Update.DoUpdate());
  EXPECT_EQ(Questions, QStringList{u"Shutdown application to update executable files ?"_s});
  EXPECT_TRUE(Fixture.CommandLines.isEmpty());
  EXPECT_EQ(Fixture.Terminated, 0);
  EXPECT_EQ(Fixture.LeftInTemp(), "");
}

TEST(DoUpdateTest, QuestionAnsweredYesHandsOver) {
  TDoUpdateFixture Fixture("appparam=-restarted now\n");
  Fixture.Update.OnConfirmRestart = [](const QString &) { return true; };
  EXPECT_TRUE(Fixture.Update.DoUpdate());
  ASSERT_EQ(Fixture.CommandLines.size(), 1);
  EXPECT_EQ(Fixture.CommandLines[0], Fixture.ExpectedCommandLine(u"-restarted now"_s));
}

TEST(DoUpdateTest, UpdaterThatCannotStart) {
  TDoUpdateFixture Fixture;
  Fixture.StartResult = false;
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_EQ(Fixture.Terminated, 0);
  EXPECT_EQ(Fixture.StatusTexts().last(), u"Failed to spawn updater process : "_s +
                                              Fixture.Update.UpdateFolder() + u"/wusetup.exe"_s);
  EXPECT_EQ(Fixture.LeftInTemp(), "");
  EXPECT_EQ(Fixture.Update.LastError(), Fixture.StatusTexts().last());
}

TEST(DoUpdateTest, NoUpdateNoDownload) {
  TDoUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\nlocalversion={app}/lingrove\nnewversion=2.0.0.0\n"
                           "[files]\ncount=1\n[file1]\nurl=" +
                           Fixture.Server.Url(u"files/lingrove"_s).toEncoded() + "\n");
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_EQ(Fixture.Server.Requests(), QStringList{u"lingrove/controlfile.inf"_s});
  EXPECT_TRUE(Fixture.CommandLines.isEmpty());
  // Nothing to do is no failure.
  EXPECT_EQ(Fixture.Update.LastError(), QString());
}

TEST(DoUpdateTest, FilesThatAreUpToDateAreSkipped) {
  TDoUpdateFixture Fixture;
  QDir(Fixture.ProgramDir()).mkdir(u"docs"_s);
  WriteAll(Fixture.ProgramDir() + u"/docs/readme.txt"_s, Readme);
  Fixture.Update.OnConfirmRestart = [](const QString &) { return true; };
  EXPECT_TRUE(Fixture.Update.DoUpdate());
  ASSERT_EQ(Fixture.Update.Files().size(), 1);
  EXPECT_EQ(Fixture.Server.Requests(),
            (QStringList{u"lingrove/controlfile.inf"_s, u"files/lingrove"_s}));
}

TEST(DoUpdateTest, FailedDownloadCancelsTheRestart) {
  TDoUpdateFixture Fixture("silentrestart=1\n", "newversion=5.1.0.0\n");
  QFile::remove(Fixture.Server.Root() + u"/files/lingrove"_s);
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_TRUE(Fixture.StatusTexts().contains(u"Cannot download update file : "_s +
                                             Fixture.Server.Url(u"files/lingrove"_s).toString()));
  EXPECT_EQ(Fixture.Update.LastError(), u"Cannot download update file : "_s +
                                            Fixture.Server.Url(u"files/lingrove"_s).toString());
  EXPECT_TRUE(Fixture.CommandLines.isEmpty());
  EXPECT_EQ(Fixture.Terminated, 0);
}

TEST(DoUpdateTest, TruncatedDownloadFails) {
  TDoUpdateFixture Fixture("silentrestart=1\n", "newversion=5.1.0.0\n");
  Fixture.Server.Truncate(u"files/lingrove"_s, 10);
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_TRUE(Fixture.CommandLines.isEmpty());
  EXPECT_EQ(Fixture.LeftInTemp(), "");
}

struct TMismatchCase {
  const char *Name;
  const char *File1Keys; // "%SIZE%" and "%CRC%": the served program's
};

class DownloadMismatchTest : public testing::TestWithParam<TMismatchCase> {};

// A file that is not the one the control file announces never reaches the
// updater: the update stops, and the file is removed.
TEST_P(DownloadMismatchTest, StopsTheUpdate) {
  QByteArray Keys(GetParam().File1Keys);
  Keys.replace("%SIZE%", Number(NewProgram.size()));
  Keys.replace("%CRC%", Number(CrcOf(NewProgram)));
  TDoUpdateFixture Fixture("silentrestart=1\n", "newversion=5.1.0.0\n" + Keys);
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_TRUE(Fixture.CommandLines.isEmpty());
  EXPECT_EQ(Fixture.Terminated, 0);
  EXPECT_TRUE(Fixture.Update.LastError().startsWith(
      u"Downloaded update file does not match its size or checksum : "_s));
  EXPECT_EQ(Fixture.LeftInTemp(), "");
  EXPECT_EQ(Fixture.StatusTexts().last(),
            u"Downloaded update file does not match its size or checksum : "_s +
                Fixture.Server.Url(u"files/lingrove"_s).toString());
  // The readme after it is not fetched.
  EXPECT_FALSE(Fixture.Server.Requests().contains(u"files/readme.txt"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DownloadMismatchTest,
    testing::Values(TMismatchCase{"SizeDiffers", "newsize=5\n"},
                    TMismatchCase{"ChecksumDiffers", "newchecksum=0x1\n"},
                    TMismatchCase{"ChecksumUnreadable", "newchecksum=abc\n"},
                    TMismatchCase{"SizeRightChecksumWrong", "newsize=%SIZE%\nnewchecksum=1\n"},
                    TMismatchCase{"ChecksumRightSizeWrong", "newsize=1\nnewchecksum=%CRC%\n"}),
    [](const testing::TestParamInfo<TMismatchCase> &Info) { return std::string(Info.param.Name); });

struct TUnsafeCase {
  const char *Name;
  const char *ApplicationKeys;
  const char *File1Url;       // relative to the server; empty: the program's
  const char16_t *LastStatus; // "%URL%": the file's address
};

class UnsafeNamesTest : public testing::TestWithParam<TUnsafeCase> {};

// Names from the control file and from download addresses never lead out of
// the temporary folder or the program folder, and nothing is handed over.
TEST_P(UnsafeNamesTest, NothingOutsideTheFolders) {
  const TUnsafeCase &Case = GetParam();
  TDoUpdateFixture Fixture(Case.ApplicationKeys, "newversion=5.1.0.0\n");
  if (*Case.File1Url)
    Fixture.ServeControlFile("[update]\nunconditional=1\n[application]\nappupdate=1\n"
                             "appname=lingrove\nsilentrestart=1\n"
                             "[files]\ncount=1\n[file1]\nurl=" +
                             Fixture.Server.Url(QString::fromUtf8(Case.File1Url)).toEncoded() +
                             "\nlocalversion={app}/lingrove\nnewversion=9.0.0.0\n");
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_TRUE(Fixture.CommandLines.isEmpty());
  EXPECT_EQ(Fixture.Terminated, 0);
  const QDir Parent = QFileInfo(Fixture.TempDir()).dir();
  EXPECT_FALSE(Parent.exists(u"evil"_s));
  EXPECT_FALSE(QFileInfo(Fixture.ProgramDir()).dir().exists(u"evil"_s));
  QString Expected = QString::fromUtf16(Case.LastStatus);
  Expected.replace(u"%URL%"_s, Fixture.Server.Url(QString::fromUtf8(Case.File1Url)).toString());
  Expected.replace(u"%TEMP%"_s, Fixture.TempDir());
  EXPECT_EQ(Fixture.StatusTexts().last(), Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnsafeNamesTest,
    testing::Values(TUnsafeCase{"AppNameWithParent", "appname=../evil\nsilentrestart=1\n", "",
                                u"The update information is malformed (appname); nothing was "
                                u"downloaded."},
                    TUnsafeCase{"AbsoluteAppName", "appname=/tmp/evil\nsilentrestart=1\n", "",
                                u"The update information is malformed (appname); nothing was "
                                u"downloaded."},
                    TUnsafeCase{"EncodedSeparatorsInUrl", "", "files/..%2F..%2Fevil",
                                u"Cannot download update file : %URL%"},
                    TUnsafeCase{"UrlWithoutFileName", "", "files/",
                                u"Cannot download update file : %URL%"}),
    [](const testing::TestParamInfo<TUnsafeCase> &Info) { return std::string(Info.param.Name); });

TEST(DoUpdateTest, TargetDirOutsideTheProgramFolderIsRefused) {
  TDoUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\nunconditional=1\n[files]\ncount=1\n[file1]\nurl=" +
                           Fixture.Server.Url(u"files/readme.txt"_s).toEncoded() +
                           "\nlocalversion={app}/readme.txt\nnewchecksum=" + Number(CrcOf(Readme)) +
                           "\ntargetdir=../evil\n");
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_FALSE(QFileInfo(Fixture.ProgramDir()).dir().exists(u"evil"_s));
  EXPECT_EQ(Fixture.StatusTexts().last(), u"Cannot install update file : "_s +
                                              Fixture.Server.Url(u"files/readme.txt"_s).toString());
}

TEST(DoUpdateTest, CompressedArchivesAreNotUnpacked) {
  TDoUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\nunconditional=1\n[files]\ncount=1\n[file1]\nurl=" +
                           Fixture.Server.Url(u"files/readme.txt"_s).toEncoded() +
                           "\nlocalversion={app}/readme.txt\nnewchecksum=1\ncompressed=1\n");
  EXPECT_FALSE(Fixture.Update.DoUpdate());
  EXPECT_EQ(Fixture.StatusTexts().last(), u"Error decompressing CAB file : "_s +
                                              Fixture.Server.Url(u"files/readme.txt"_s).toString());
}

} // namespace
