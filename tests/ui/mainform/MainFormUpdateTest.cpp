// Help > Check for Updates against an update server on 127.0.0.1: the four
// outcomes and their messages, and the cursor restored afterwards.
#include "MainFormTestSupport.h"
#include "TestHttpServer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

enum TServe { svSameVersion, svNewerVersion, svNotFound, svRefused };

struct TUpdateCase {
  const char *Name;
  TServe Serve;
  QMessageBox::Icon Icon;
  const char16_t *Title;
  const char16_t *Text;
};

std::ostream &operator<<(std::ostream &Out, const TUpdateCase &Case) {
  return Out << Case.Name;
}

class MainFormUpdates : public testing::TestWithParam<TUpdateCase> {
protected:
  void SetUp() override {
    // The control file lands in the temporary folder.
    ASSERT_TRUE(Temp.isValid());
    OldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", Temp.path().toLocal8Bit());
  }
  void TearDown() override {
    qputenv("TMPDIR", OldTemp);
    qunsetenv("LINGROVE_UPDATE_URL");
  }
  void ServeControlFile(const QByteArray &NewVersion) {
    const QString Program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    Server.SetFile(QStringLiteral("lingrove/controlfile.inf"),
                   "[update]\r\nlocalversion={app}/" + Program.toUtf8() +
                       "\r\nnewversion=" + NewVersion + "\r\n");
    qputenv("LINGROVE_UPDATE_URL",
            Server.Url(QStringLiteral("lingrove/controlfile.inf")).toString().toUtf8());
  }

  QTemporaryDir Temp;
  QByteArray OldTemp;
  TTestHttpServer Server;
};

TEST_P(MainFormUpdates, ReportTheOutcome) {
  const TUpdateCase &Case = GetParam();
  switch (Case.Serve) {
  case svSameVersion:
    ServeControlFile("5.0.0.0");
    break;
  case svNewerVersion:
    ServeControlFile("5.0.0.1");
    break;
  case svNotFound:
    qputenv("LINGROVE_UPDATE_URL",
            Server.Url(QStringLiteral("lingrove/controlfile.inf")).toString().toUtf8());
    break;
  case svRefused:
    qputenv("LINGROVE_UPDATE_URL",
            TTestHttpServer::RefusingUrl(QStringLiteral("controlfile.inf")).toString().toUtf8());
    break;
  }
  auto Form = NewForm();
  bool Answered = false;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QString Title, Text;
  // The check waits for the server in a local event loop, so the box is
  // looked for until it shows.
  QTimer Poll;
  Poll.setInterval(5);
  QObject::connect(&Poll, &QTimer::timeout, [&] {
    auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!Box)
      return;
    Poll.stop();
    Answered = true;
    Icon = Box->icon();
    Title = Box->windowTitle();
    Text = Box->text();
    // No to the download offer, OK to the others.
    QAbstractButton *Button = Box->button(QMessageBox::No);
    (Button ? Button : Box->button(QMessageBox::Ok))->click();
  });
  Poll.start();
  ActionNamed(*Form, "ActionHelpUpdates")->trigger();
  EXPECT_TRUE(Answered);
  EXPECT_EQ(Icon, Case.Icon);
  EXPECT_EQ(Title, QString::fromUtf16(Case.Title));
  EXPECT_EQ(Text, QString::fromUtf16(Case.Text));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // Declining the offer downloads nothing beyond the control file.
  for (const QString &Request : Server.Requests())
    EXPECT_TRUE(Request.endsWith(QStringLiteral("controlfile.inf"))) << Request.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, MainFormUpdates,
    testing::Values(
        TUpdateCase{"NewerVersion", svNewerVersion, QMessageBox::Information,
                    u"A new update is available",
                    u"A new version of Lingrove (5.0.0.1) is available to download.\r\n\r\nDo you "
                    u"want to download and install this new version?"},
        TUpdateCase{"SameVersion", svSameVersion, QMessageBox::Information, u"",
                    u"Your application version (5.0.0.0) is up to date."},
        TUpdateCase{"NoControlFile", svNotFound, QMessageBox::Critical, u"",
                    u"Lingrove has been unable to download the update information."},
        TUpdateCase{"ServerNotListening", svRefused, QMessageBox::Critical, u"Update failed",
                    u"Lingrove has been unable to connect to the update server.\r\n\r\nIf you are "
                    u"using a proxy server please check your settings and try again."}),
    [](const testing::TestParamInfo<TUpdateCase> &Info) { return Info.param.Name; });

TEST_F(MainFormUpdates, AnAcceptedUpdateThatCannotDownloadSaysWhy) {
  const QString Program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  const QString Missing = Server.Url(QStringLiteral("lingrove/missing.bin")).toString();
  Server.SetFile(
      QStringLiteral("lingrove/controlfile.inf"),
      QStringLiteral("[update]\r\nlocalversion={app}/%1\r\nnewversion=5.0.0.1\r\n"
                     "[application]\r\nappupdate=1\r\nappname=%1\r\n"
                     "[files]\r\ncount=1\r\n"
                     "[file1]\r\nurl=%2\r\nlocalversion={app}/%1\r\nnewversion=5.0.0.1\r\n")
          .arg(Program, Missing)
          .toUtf8());
  qputenv("LINGROVE_UPDATE_URL",
          Server.Url(QStringLiteral("lingrove/controlfile.inf")).toString().toUtf8());
  auto Form = NewForm();
  // Yes to the offer, then OK to whatever follows.
  QStringList Titles, Texts;
  QTimer Poll;
  Poll.setInterval(5);
  QObject::connect(&Poll, &QTimer::timeout, [&] {
    auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    // Boxes of one function may share an address; a mark tells them apart.
    if (!Box || Box->property("answered").toBool())
      return;
    Box->setProperty("answered", true);
    Titles.append(Box->windowTitle());
    Texts.append(Box->text());
    QAbstractButton *Yes = Box->button(QMessageBox::Yes);
    (Yes ? Yes : Box->button(QMessageBox::Ok))->click();
  });
  Poll.start();
  ActionNamed(*Form, "ActionHelpUpdates")->trigger();
  ASSERT_EQ(Titles.size(), 2) << Texts.join(u'|').toStdString();
  EXPECT_EQ(Titles[0], QStringLiteral("A new update is available"));
  EXPECT_EQ(Titles[1], QStringLiteral("Update failed"));
  EXPECT_EQ(Texts[1], QStringLiteral("Cannot download update file : ") + Missing);
}

} // namespace
