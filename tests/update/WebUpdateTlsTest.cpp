// The check over https against a local TLS server whose certificates the
// test makes with the openssl command: one signed by a test authority that
// is added to the default TLS configuration, one for another host name, and
// one that has expired.
#include "WebUpdateTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Runs openssl in Dir; fails the test when it does not succeed.
bool OpenSsl(const QString &Dir, const QStringList &Arguments) {
  QProcess Process;
  Process.setWorkingDirectory(Dir);
  Process.setProcessChannelMode(QProcess::MergedChannels);
  Process.start(u"openssl"_s, Arguments);
  if (!Process.waitForFinished(30000) || Process.exitStatus() != QProcess::NormalExit ||
      Process.exitCode() != 0) {
    ADD_FAILURE() << "openssl " << Arguments.join(u' ').toStdString() << ": "
                  << Process.readAll().toStdString();
    return false;
  }
  return true;
}

// A test certificate authority, and server certificates it signs.
class TTestAuthority {
public:
  TTestAuthority() {
    EXPECT_TRUE(FDir.isValid());
    FValid = OpenSsl(FDir.path(), {u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s,
                                   u"ec_paramgen_curve:P-256"_s, u"-nodes"_s, u"-keyout"_s,
                                   u"ca.key"_s, u"-out"_s, u"ca.crt"_s, u"-days"_s, u"2"_s,
                                   u"-subj"_s, u"/CN=Lingrove Test Authority"_s});
  }

  QSslCertificate Certificate() const {
    return QSslCertificate::fromPath(FDir.filePath(u"ca.crt"_s)).value(0);
  }

  // A server certificate for AltName ("IP:127.0.0.1", "DNS:h.example"),
  // valid for Days days from now (negative: expired).
  std::optional<QSslConfiguration> Server(const QString &Name, const QString &AltName, int Days) {
    const QString Key = Name + u".key"_s, Csr = Name + u".csr"_s, Crt = Name + u".crt"_s,
                  Ext = Name + u".ext"_s;
    WriteAll(FDir.filePath(Ext), "subjectAltName=" + AltName.toUtf8() + "\n");
    if (!FValid ||
        !OpenSsl(FDir.path(), {u"req"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s,
                               u"ec_paramgen_curve:P-256"_s, u"-nodes"_s, u"-keyout"_s, Key,
                               u"-out"_s, Csr, u"-subj"_s, u"/CN=Lingrove Test Server"_s}) ||
        !OpenSsl(FDir.path(), {u"x509"_s, u"-req"_s, u"-in"_s, Csr, u"-CA"_s, u"ca.crt"_s,
                               u"-CAkey"_s, u"ca.key"_s, u"-CAcreateserial"_s, u"-out"_s, Crt,
                               u"-days"_s, QString::number(Days), u"-extfile"_s, Ext}))
      return std::nullopt;
    QSslConfiguration Configuration = QSslConfiguration::defaultConfiguration();
    Configuration.setLocalCertificate(QSslCertificate::fromPath(FDir.filePath(Crt)).value(0));
    Configuration.setPrivateKey(QSslKey(ReadAll(FDir.filePath(Key)), QSsl::Ec));
    return Configuration;
  }

private:
  QTemporaryDir FDir;
  bool FValid = false;
};

struct TTlsCase {
  const char *Name;
  const char16_t *AltName;
  int Days;
  bool Accepted;
  const char *Reason; // part of the transfer's account of the refusal
};

class TlsCheckTest : public testing::TestWithParam<TTlsCase> {
protected:
  void SetUp() override {
    ASSERT_TRUE(QSslSocket::supportsSsl()) << "no TLS backend";
    FSaved = QSslConfiguration::defaultConfiguration();
    QSslConfiguration Trusting = FSaved;
    Trusting.addCaCertificate(Authority.Certificate());
    QSslConfiguration::setDefaultConfiguration(Trusting);
  }
  void TearDown() override { QSslConfiguration::setDefaultConfiguration(FSaved); }

  TTestAuthority Authority;

private:
  QSslConfiguration FSaved;
};

TEST_P(TlsCheckTest, TrustsOnlyAValidCertificateForTheHost) {
  const TTlsCase &Case = GetParam();
  const std::optional<QSslConfiguration> ServerTls =
      Authority.Server(u"server"_s, QString::fromUtf16(Case.AltName), Case.Days);
  ASSERT_TRUE(ServerTls);
  TTestHttpServer Server(&*ServerTls);
  Server.SetFile(u"lingrove/controlfile.inf"_s, "[update]\nunconditional=1\n");
  TWebUpdateFixture Fixture;
  const QUrl Url = Server.Url(u"lingrove/controlfile.inf"_s);
  ASSERT_EQ(Url.scheme(), u"https"_s);
  Fixture.Update.SetControlFileUrl(Url.toString());

  EXPECT_EQ(Fixture.Update.NewVersionAvailable(), Case.Accepted);
  ASSERT_FALSE(Fixture.Statuses.isEmpty());
  if (Case.Accepted) {
    EXPECT_EQ(Fixture.StatusTexts(), QStringList{u"Update control file found"_s});
    EXPECT_EQ(Server.Requests(), QStringList{u"lingrove/controlfile.inf"_s});
    return;
  }
  EXPECT_EQ(Fixture.Statuses.last(), qMakePair(u"Update control file not found"_s, 12157));
  EXPECT_TRUE(Fixture.Update.LastTransferError().contains(QLatin1StringView(Case.Reason)))
      << Fixture.Update.LastTransferError().toStdString();
  EXPECT_TRUE(Server.Requests().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, TlsCheckTest,
    testing::Values(TTlsCase{"ValidForTheHost", u"IP:127.0.0.1", 2, true, ""},
                    TTlsCase{"OtherHostName", u"DNS:update.example", 2, false, "host name"},
                    TTlsCase{"Expired", u"IP:127.0.0.1", -1, false, "expired"}),
    [](const testing::TestParamInfo<TTlsCase> &Info) { return std::string(Info.param.Name); });

} // namespace
