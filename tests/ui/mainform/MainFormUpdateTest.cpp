// Help > Check for Updates against an update server on 127.0.0.1: the four
// outcomes and their messages, and the cursor restored afterwards; a hostile
// control file, and a server too slow for the check's time limit or for the
// user, who cancels in the progress window.
#include "MainFormTestSupport.h"
#include "TestHttpServer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
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

// Answers every message box the window shows while it waits for the server
// in a local event loop, so the boxes are looked for until they show: the
// first of the preferred buttons the box has is clicked, else OK.
class TBoxAnswerer {
public:
  explicit TBoxAnswerer(QList<QMessageBox::StandardButton> Preferred) {
    FPoll.setInterval(5);
    QObject::connect(&FPoll, &QTimer::timeout, [this, Preferred] {
      auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      // Boxes of one function may share an address; a mark tells them apart.
      if (!Box || Box->property("answered").toBool())
        return;
      Box->setProperty("answered", true);
      Icons.append(Box->icon());
      Titles.append(Box->windowTitle());
      Texts.append(Box->text());
      QAbstractButton *Button = Box->button(QMessageBox::Ok);
      for (QMessageBox::StandardButton B : Preferred)
        if (QAbstractButton *Found = Box->button(B)) {
          Button = Found;
          break;
        }
      Button->click();
    });
    FPoll.start();
  }

  QList<QMessageBox::Icon> Icons;
  QStringList Titles, Texts;

private:
  QTimer FPoll;
};

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
    qunsetenv("LINGROVE_UPDATE_TIME_LIMIT_MS");
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
    ServeControlFile("2.0.0.0");
    break;
  case svNewerVersion:
    ServeControlFile("2.0.0.1");
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
  TBoxAnswerer Answers({QMessageBox::No}); // No to the download offer
  ActionNamed(*Form, "ActionHelpUpdates")->trigger();
  ASSERT_EQ(Answers.Texts.size(), 1);
  EXPECT_EQ(Answers.Icons[0], Case.Icon);
  EXPECT_EQ(Answers.Titles[0], QString::fromUtf16(Case.Title));
  EXPECT_EQ(Answers.Texts[0], QString::fromUtf16(Case.Text));
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
                    u"A new version of Lingrove (2.0.0.1) is available to download.\r\n\r\nDo you "
                    u"want to download and install this new version?"},
        TUpdateCase{"SameVersion", svSameVersion, QMessageBox::Information, u"",
                    u"Your application version (2.0.0.0) is up to date."},
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
  TBoxAnswerer Answers({QMessageBox::Yes}); // Yes to the offer, then OK
  ActionNamed(*Form, "ActionHelpUpdates")->trigger();
  ASSERT_EQ(Answers.Titles.size(), 2) << Answers.Texts.join(u'|').toStdString();
  EXPECT_EQ(Answers.Titles[0], QStringLiteral("A new update is available"));
  EXPECT_EQ(Answers.Titles[1], QStringLiteral("Update failed"));
  EXPECT_EQ(Answers.Texts[1], QStringLiteral("Cannot download update file : ") + Missing);
}

// Reproduces a control file whose quoted ".." once led the updater out of
// the program folder: now it is refused before anything is downloaded.
TEST_F(MainFormUpdates, AHostileAppNameIsRefused) {
  const QString Program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  Server.SetFile(QStringLiteral("lingrove/%1").arg(Program), "new program");
  Server.SetFile(
      QStringLiteral("lingrove/controlfile.inf"),
      QStringLiteral("[update]\r\nlocalversion={app}/%1\r\nnewversion=5.0.0.1\r\n"
                     "[application]\r\nappupdate=1\r\nappname=\"..\"/outside/run.sh\r\n"
                     "appcomps=%1\r\nsilentrestart=1\r\n[files]\r\ncount=1\r\n"
                     "[file1]\r\nurl=%2\r\nlocalversion={app}/%1\r\nnewversion=5.0.0.1\r\n")
          .arg(Program, Server.Url(QStringLiteral("lingrove/%1").arg(Program)).toString())
          .toUtf8());
  qputenv("LINGROVE_UPDATE_URL",
          Server.Url(QStringLiteral("lingrove/controlfile.inf")).toString().toUtf8());
  auto Form = NewForm();
  TBoxAnswerer Answers({QMessageBox::Yes});
  ActionNamed(*Form, "ActionHelpUpdates")->trigger();
  ASSERT_EQ(Answers.Texts.size(), 2) << Answers.Texts.join(u'|').toStdString();
  EXPECT_EQ(Answers.Titles[1], QStringLiteral("Update failed"));
  EXPECT_EQ(
      Answers.Texts[1],
      QStringLiteral("The update information is malformed (appname); nothing was downloaded."));
  // The check and the update each fetched the control file, and nothing else.
  EXPECT_EQ(Server.Requests(), QStringList(2, QStringLiteral("lingrove/controlfile.inf")));
  EXPECT_EQ(QDir(Temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("controlfile.inf")});
}

// The check's progress window: it shows at once, and its Cancel button
// ends a check that a dripping server would keep going, without a message.
TEST_F(MainFormUpdates, CancelInTheProgressWindowEndsTheCheck) {
  Server.Drip(QStringLiteral("lingrove/controlfile.inf"), 100);
  qputenv("LINGROVE_UPDATE_URL",
          Server.Url(QStringLiteral("lingrove/controlfile.inf")).toString().toUtf8());
  auto Form = NewForm();
  TBoxAnswerer Answers({});
  QString CancelCaption;
  QTimer Canceller;
  Canceller.setInterval(20);
  QObject::connect(&Canceller, &QTimer::timeout, [&] {
    auto *Window = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
    if (!Window || !Window->isVisible())
      return;
    auto *Cancel = Window->findChild<QPushButton *>();
    ASSERT_NE(Cancel, nullptr);
    CancelCaption = Cancel->text();
    Cancel->click();
    Canceller.stop();
  });
  Canceller.start();
  QElapsedTimer Timer;
  Timer.start();
  ActionNamed(*Form, "ActionHelpUpdates")->trigger();
  EXPECT_LT(Timer.elapsed(), 5000);
  EXPECT_EQ(CancelCaption, QStringLiteral("Cancel"));
  EXPECT_TRUE(Answers.Texts.isEmpty()) << Answers.Texts.join(u'|').toStdString();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainFormUpdates, ACheckThatRunsOutOfTimeSaysSo) {
  Server.Drip(QStringLiteral("lingrove/controlfile.inf"), 100);
  qputenv("LINGROVE_UPDATE_URL",
          Server.Url(QStringLiteral("lingrove/controlfile.inf")).toString().toUtf8());
  qputenv("LINGROVE_UPDATE_TIME_LIMIT_MS", "2000");
  auto Form = NewForm();
  TBoxAnswerer Answers({});
  QElapsedTimer Timer;
  Timer.start();
  ActionNamed(*Form, "ActionHelpUpdates")->trigger();
  EXPECT_GE(Timer.elapsed(), 1900);
  EXPECT_LT(Timer.elapsed(), 6000);
  ASSERT_EQ(Answers.Texts.size(), 1);
  EXPECT_EQ(Answers.Icons[0], QMessageBox::Critical);
  EXPECT_EQ(Answers.Titles[0], QStringLiteral("Update failed"));
  EXPECT_EQ(Answers.Texts[0], QStringLiteral("Lingrove did not receive the update information "
                                             "within 2 seconds.\r\n\r\nPlease try again later."));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
