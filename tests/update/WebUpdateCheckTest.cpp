// The check against a control file served on 127.0.0.1: one table row per
// decision path, then the faults of the server and of the control file.
#include "WebUpdateTestSupport.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

enum TServe { svControlFile, svNotFound, svRefused };

struct TCheckCase {
  const char *Name;
  TServe Serve;
  // [update] keys; "%CRC%" and "%SIZE%" stand for data.bin's checksum and size.
  const char *UpdateKeys;
  bool Available;
  const char16_t *LastStatus;
  int LastCode;
  const char16_t *NewVersionInfo;
  const char16_t *CurrentVersionInfo;
};

std::ostream &operator<<(std::ostream &Out, const TCheckCase &Case) {
  return Out << Case.Name;
}

class NewVersionAvailableTest : public testing::TestWithParam<TCheckCase> {};

TEST_P(NewVersionAvailableTest, Decides) {
  const TCheckCase &Case = GetParam();
  TWebUpdateFixture Fixture;
  QByteArray Keys(Case.UpdateKeys);
  Keys.replace("%CRC%", QByteArray::number(TWebUpdateFixture::DataCrc()));
  Keys.replace("%CRCHEX%", "0x" + QByteArray::number(TWebUpdateFixture::DataCrc(), 16));
  Keys.replace("%SIZE%", QByteArray::number(TWebUpdateFixture::DataBytes().size()));
  if (Case.Serve == svControlFile)
    Fixture.ServeControlFile("[update]\r\n" + Keys);
  else if (Case.Serve == svNotFound)
    Fixture.Update.SetControlFileUrl(Fixture.Server.Url(u"lingrove/controlfile.inf"_s).toString());
  else
    Fixture.Update.SetControlFileUrl(TTestHttpServer::RefusingUrl(u"controlfile.inf"_s).toString());

  EXPECT_EQ(Fixture.Update.NewVersionAvailable(), Case.Available);
  ASSERT_FALSE(Fixture.Statuses.isEmpty());
  EXPECT_EQ(Fixture.Statuses.last().first, QString::fromUtf16(Case.LastStatus));
  EXPECT_EQ(Fixture.Statuses.last().second, Case.LastCode);
  EXPECT_EQ(Fixture.Update.NewVersionInfo(), QString::fromUtf16(Case.NewVersionInfo));
  EXPECT_EQ(Fixture.Update.CurrentVersionInfo(), QString::fromUtf16(Case.CurrentVersionInfo));
  if (Case.Serve == svControlFile) {
    EXPECT_TRUE(QFile::exists(Fixture.TempDir() + u"/controlfile.inf"_s));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NewVersionAvailableTest,
    testing::Values(
        TCheckCase{"NewerVersion", svControlFile,
                   "localversion={app}\\lingrove\r\nnewversion=2.0.0.1\r\n", true,
                   u"New version found : 2.0.0.1", 0, u"2.0.0.1", u"2.0.0.0"},
        TCheckCase{"NewerShortVersion", svControlFile, "localversion=lingrove\nnewversion=2.1\n",
                   true, u"New version found : 2.1", 0, u"2.1.0.0", u"2.0.0.0"},
        TCheckCase{"SameVersion", svControlFile,
                   "localversion={app}/lingrove\nnewversion=2.0.0.0\n", false,
                   u"No new version found", 0, u"2.0.0.0", u"2.0.0.0"},
        TCheckCase{"OlderVersion", svControlFile,
                   "localversion={app}/lingrove\nnewversion=1.65535.0.0\n", false,
                   u"No new version found", 0, u"1.65535.0.0", u"2.0.0.0"},
        TCheckCase{"OtherFileHasNoVersion", svControlFile,
                   "localversion={app}/data.bin\nnewversion=0.0.0.1\n", true,
                   u"New version found : 0.0.0.1", 0, u"0.0.0.1", u"0.0.0.0"},
        TCheckCase{"MissingFileVersion", svControlFile,
                   "localversion={app}/gone.exe\nnewversion=9.0.0.0\n", false,
                   u"No new version found", 0, u"9.0.0.0", u"{app}/gone.exe"},
        TCheckCase{"UnreadableNewVersion", svControlFile,
                   "localversion={app}/lingrove\nnewversion=five\n", false, u"No new version found",
                   0, u"five", u"{app}/lingrove"},
        TCheckCase{"DateNewer", svControlFile,
                   "localversion={app}/data.bin\ndate=01/07/2020\ntime=09:30\n", true,
                   u"New version found : 01/07/2020 09:30", 0, u"", u"{app}/data.bin"},
        TCheckCase{"DateOlder", svControlFile,
                   "localversion={app}/data.bin\ndate=31/05/2020\ntime=23:59\n", false,
                   u"No new version found", 0, u"", u"{app}/data.bin"},
        TCheckCase{"DateSameMinute", svControlFile,
                   "localversion={app}/data.bin\ndate=01/06/2020\ntime=12:00\n", false,
                   u"No new version found", 0, u"", u"{app}/data.bin"},
        TCheckCase{"DateWithoutLocalFile", svControlFile, "date=02/01/1980\n", true,
                   u"New version found : 02/01/1980", 0, u"", u""},
        TCheckCase{"DateOlderThanNoFile", svControlFile, "date=31/12/1979\ntime=10:00\n", false,
                   u"No new version found", 0, u"", u""},
        TCheckCase{"Unconditional", svControlFile,
                   "localversion={app}/lingrove\nnewversion=5.0.0.0\nunconditional=1\n", true,
                   u"Update control file found", 0, u"5.0.0.0", u"{app}/lingrove"},
        TCheckCase{"ChecksumDiffers", svControlFile,
                   "localversion={app}/data.bin\nnewversion=5.0.0.0\nnewchecksum=0x1234\n", true,
                   u"New version found : 5.0.0.0", 0, u"5.0.0.0", u"{app}/data.bin"},
        TCheckCase{"ChecksumSameDecimal", svControlFile,
                   "localversion={app}/data.bin\nnewversion=9.0.0.0\nnewchecksum=%CRC%\n", false,
                   u"No new version found", 0, u"9.0.0.0", u"{app}/data.bin"},
        TCheckCase{"ChecksumSameHex", svControlFile,
                   "localversion={app}/data.bin\nnewchecksum=%CRCHEX%\n", false,
                   u"No new version found", 0, u"", u"{app}/data.bin"},
        TCheckCase{"ChecksumMissingFile", svControlFile,
                   "localversion={app}/gone.bin\nnewchecksum=%CRC%\n", true,
                   u"New version found : ", 0, u"", u"{app}/gone.bin"},
        TCheckCase{"SizeDiffers", svControlFile,
                   "localversion={app}/data.bin\nnewversion=1.0.0.0\nnewsize=4096\n", true,
                   u"New version found : 1.0.0.0", 0, u"1.0.0.0", u"{app}/data.bin"},
        TCheckCase{"SizeSame", svControlFile,
                   "localversion={app}/data.bin\nnewversion=9.0.0.0\nnewsize=%SIZE%\n", false,
                   u"No new version found", 0, u"9.0.0.0", u"{app}/data.bin"},
        TCheckCase{"SizeMissingFile", svControlFile, "localversion={app}/gone.bin\nnewsize=10\n",
                   false, u"No new version found", 0, u"", u"{app}/gone.bin"},
        TCheckCase{"LocalPathOutsideProgramFolder", svControlFile,
                   "localversion={app}/../lingrove\nnewchecksum=0x1\n", false,
                   u"Update control file found", 0, u"", u"{app}/../lingrove"},
        TCheckCase{"ControlFileNotFound", svNotFound, "", false, u"Update control file not found",
                   404, u"", u""},
        TCheckCase{"ServerNotListening", svRefused, "", false, u"Update control file not found",
                   12029, u"", u""}),
    [](const testing::TestParamInfo<TCheckCase> &Info) { return std::string(Info.param.Name); });

TEST(WebUpdateCheckTest, FoundStatusComesFirst) {
  TWebUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\nlocalversion=lingrove\nnewversion=6.0.0.0\n");
  EXPECT_TRUE(Fixture.Update.NewVersionAvailable());
  EXPECT_EQ(Fixture.StatusTexts(),
            (QStringList{u"Update control file found"_s, u"New version found : 6.0.0.0"_s}));
}

TEST(WebUpdateCheckTest, ResultsOfTheControlFile) {
  TWebUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\ndescr=Faster; safer, \"better\"\ndate=01/07/2020\n"
                           "time=09:30\n");
  EXPECT_TRUE(Fixture.Update.NewVersionAvailable());
  EXPECT_EQ(Fixture.Update.UpdateDescription(), u"Faster; safer, \"better\""_s);
  EXPECT_EQ(Fixture.Update.NewVersionDate(), QDateTime(QDate(2020, 7, 1), QTime(9, 30)));
}

TEST(WebUpdateCheckTest, DateInAnotherFormat) {
  TWebUpdateFixture Fixture;
  Fixture.Update.SetDateFormat(u"yyyy-mm-dd"_s);
  Fixture.Update.SetTimeFormat(u"hh.nn"_s);
  Fixture.ServeControlFile("[update]\nlocalversion=data.bin\ndate=2020-06-01\ntime=12.01\n");
  EXPECT_TRUE(Fixture.Update.NewVersionAvailable());
}

// A captive portal or a broken server may answer with anything; the check
// then finds no update and reports no current version, which the main window
// shows as "unable to download the update information".
TEST(WebUpdateCheckTest, MalformedControlFile) {
  TWebUpdateFixture Fixture;
  // The size of the literal keeps its NUL byte inside the data.
  static const char Page[] = "<html><head><title>Login</title></head>\n"
                             "[update\nnewversion=99.0.0.0\n\0\xff\xfe garbage=";
  Fixture.ServeControlFile(QByteArray(Page, sizeof(Page) - 1));
  EXPECT_FALSE(Fixture.Update.NewVersionAvailable());
  EXPECT_TRUE(Fixture.Update.CurrentVersionInfo().isEmpty());
  EXPECT_EQ(Fixture.StatusTexts(), QStringList{u"Update control file found"_s});
}

TEST(WebUpdateCheckTest, DefaultsOfTheSettings) {
  TWebUpdate Update;
  EXPECT_EQ(Update.ControlFileUrl(), TWebUpdate::DefaultControlFileUrl());
  EXPECT_TRUE(Update.ControlFileUrl().startsWith(u"https://"_s));
  EXPECT_TRUE(Update.ControlFileUrl().endsWith(u"/controlfile.inf"_s));
  EXPECT_EQ(Update.UpdateType(), TWebUpdate::utWebDownload);
  EXPECT_TRUE(Update.ShowDownloadProgress());
  EXPECT_EQ(Update.UpdaterUpdateMode(), TWebUpdate::uumPromptOnce);
  EXPECT_EQ(Update.VersionCheckMode(), TWebUpdate::vcmUpdateOnly);
  EXPECT_EQ(Update.ConnectionMode(), TWebUpdate::cmNoDialup);
  EXPECT_EQ(Update.DateFormat(), u"dd/mm/yyyy"_s);
  EXPECT_EQ(Update.TimeFormat(), u"hh:nn"_s);
  EXPECT_TRUE(Update.UseSystemTempFolder());
  EXPECT_EQ(Update.TempDirectory(), u"."_s);
  EXPECT_EQ(Update.UserAgent(), u"TWebUpdate"_s);
  EXPECT_EQ(Update.Authenticate(), TWebUpdate::auNever);
  EXPECT_EQ(Update.Port(), 21);
  EXPECT_FALSE(Update.SignatureCheck());
  EXPECT_FALSE(Update.Threaded());
  EXPECT_EQ(Update.LogFileName(), u"WUPDATE.LOG"_s);
  EXPECT_EQ(Update.TimeoutMs(), 15000);
  EXPECT_EQ(Update.TempFolder(), QDir::tempPath());
  EXPECT_EQ(Update.property("LogFileName").toString(), u"WUPDATE.LOG"_s);
}

TEST(WebUpdateCheckTest, EnvironmentReplacesTheAddress) {
  TWebUpdateFixture Fixture;
  Fixture.Server.SetFile(u"elsewhere/controlfile.inf"_s,
                         "[update]\nlocalversion=lingrove\nnewversion=7.0.0.0\n");
  Fixture.Update.SetControlFileUrl(TWebUpdate::DefaultControlFileUrl());
  qputenv(TWebUpdate::ControlFileUrlVariable,
          Fixture.Server.Url(u"elsewhere/controlfile.inf"_s).toEncoded());
  const bool Available = Fixture.Update.NewVersionAvailable();
  qunsetenv(TWebUpdate::ControlFileUrlVariable);
  EXPECT_TRUE(Available);
  EXPECT_EQ(Fixture.Server.Requests(), QStringList{u"elsewhere/controlfile.inf"_s});
}

TEST(WebUpdateCheckTest, SignatureCheck) {
  TWebUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\nsignature=abc\nunconditional=1\n");
  Fixture.Update.SetSignatureCheck(true);
  Fixture.Update.SetSignature(u"xyz"_s);
  EXPECT_FALSE(Fixture.Update.NewVersionAvailable());
  Fixture.Update.SetSignature(u"abc"_s);
  EXPECT_TRUE(Fixture.Update.NewVersionAvailable());
}

// A server that takes the connection and never answers ends in the failure
// path within the timeout, reported as a failed connection.
TEST(WebUpdateCheckTest, StalledServerEndsWithinTheTimeout) {
  TWebUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\nunconditional=1\n");
  Fixture.Server.Stall(u"lingrove/controlfile.inf"_s);
  Fixture.Update.SetTimeoutMs(400);
  QElapsedTimer Timer;
  Timer.start();
  EXPECT_FALSE(Fixture.Update.NewVersionAvailable());
  EXPECT_LT(Timer.elapsed(), 3000);
  EXPECT_GE(Timer.elapsed(), 350);
  ASSERT_FALSE(Fixture.Statuses.isEmpty());
  EXPECT_EQ(Fixture.Statuses.last(), qMakePair(u"Update control file not found"_s, 12029));
}

TEST(WebUpdateCheckTest, TruncatedControlFileFails) {
  TWebUpdateFixture Fixture;
  Fixture.ServeControlFile("[update]\nunconditional=1\n");
  Fixture.Server.Truncate(u"lingrove/controlfile.inf"_s, 100);
  EXPECT_FALSE(Fixture.Update.NewVersionAvailable());
  EXPECT_EQ(Fixture.StatusTexts(), QStringList{u"Update control file not found"_s});
  EXPECT_FALSE(QFile::exists(Fixture.TempDir() + u"/controlfile.inf"_s));
}

TEST(WebUpdateCheckTest, FollowsRedirectOnLoopback) {
  TWebUpdateFixture Fixture;
  Fixture.Server.SetFile(u"new/controlfile.inf"_s, "[update]\nunconditional=1\n");
  Fixture.Server.Redirect(u"lingrove/controlfile.inf"_s, u"/new/controlfile.inf"_s, 301);
  Fixture.Update.SetControlFileUrl(Fixture.Server.Url(u"lingrove/controlfile.inf"_s).toString());
  EXPECT_TRUE(Fixture.Update.NewVersionAvailable());
  EXPECT_EQ(Fixture.Server.Requests(),
            (QStringList{u"lingrove/controlfile.inf"_s, u"new/controlfile.inf"_s}));
}

TEST(WebUpdateCheckTest, RedirectMayNotLeaveLoopbackHttp) {
  TWebUpdateFixture Fixture;
  Fixture.Server.Redirect(u"lingrove/controlfile.inf"_s,
                          u"http://192.0.2.1/lingrove/controlfile.inf"_s);
  Fixture.Update.SetControlFileUrl(Fixture.Server.Url(u"lingrove/controlfile.inf"_s).toString());
  EXPECT_FALSE(Fixture.Update.NewVersionAvailable());
  ASSERT_FALSE(Fixture.Statuses.isEmpty());
  EXPECT_EQ(Fixture.Statuses.last(), qMakePair(u"Update control file not found"_s, 12156));
}

TEST(WebUpdateCheckTest, EndlessRedirectsEnd) {
  TWebUpdateFixture Fixture;
  Fixture.Server.Redirect(u"a/controlfile.inf"_s, u"/b/controlfile.inf"_s);
  Fixture.Server.Redirect(u"b/controlfile.inf"_s, u"/a/controlfile.inf"_s);
  Fixture.Update.SetControlFileUrl(Fixture.Server.Url(u"a/controlfile.inf"_s).toString());
  EXPECT_FALSE(Fixture.Update.NewVersionAvailable());
  EXPECT_EQ(Fixture.Statuses.last().second, 12156);
  EXPECT_LE(Fixture.Server.Requests().size(), 6);
}

struct TUnsafeAddressCase {
  const char *Name;
  const char16_t *Url;
};

class UnsafeControlFileAddressTest : public testing::TestWithParam<TUnsafeAddressCase> {};

// Plain http leaves the machine only for a loopback host; nothing is
// fetched, and the fault is not a failed connection.
TEST_P(UnsafeControlFileAddressTest, IsNotFetched) {
  TWebUpdateFixture Fixture;
  Fixture.Update.SetControlFileUrl(QString::fromUtf16(GetParam().Url));
  QElapsedTimer Timer;
  Timer.start();
  EXPECT_FALSE(Fixture.Update.NewVersionAvailable());
  EXPECT_LT(Timer.elapsed(), 1000);
  ASSERT_EQ(Fixture.Statuses.size(), 1);
  EXPECT_EQ(Fixture.Statuses.last().first, u"Update control file not found"_s);
  EXPECT_NE(Fixture.Statuses.last().second, 12029);
  EXPECT_TRUE(QDir(Fixture.TempDir()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnsafeControlFileAddressTest,
    testing::Values(TUnsafeAddressCase{"PlainHttp", u"http://192.0.2.1/lingrove/controlfile.inf"},
                    TUnsafeAddressCase{"Ftp", u"ftp://192.0.2.1/lingrove/controlfile.inf"},
                    TUnsafeAddressCase{"File", u"file:///etc/controlfile.inf"},
                    TUnsafeAddressCase{"NoFileName", u"https://192.0.2.1/lingrove/"},
                    TUnsafeAddressCase{"EncodedParent", u"https://192.0.2.1/x/..%2F..%2Fevil"}),
    [](const testing::TestParamInfo<TUnsafeAddressCase> &Info) {
      return std::string(Info.param.Name);
    });

} // namespace
