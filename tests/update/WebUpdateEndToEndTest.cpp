// The real hand-over: a child process updates a throw-away installation of a
// small "application" (a shell script) and ends; the expanded updater waits
// for it, replaces the script with the downloaded one and starts it, and the
// new script writes a marker file.
#include "WebUpdateTestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(UpdateEndToEndTest, UpdaterReplacesTheProgramAndStartsItAgain) {
  TTestHttpServer Server;
  QTemporaryDir Root;
  ASSERT_TRUE(Root.isValid());
  const QString AppDir = Root.filePath(u"my app"_s);
  const QString TempDir = Root.filePath(u"temp"_s);
  ASSERT_TRUE(QDir().mkpath(AppDir));
  ASSERT_TRUE(QDir().mkpath(TempDir));
  const QString Program = AppDir + u"/lingrove"_s;
  WriteAll(Program, "#!/bin/sh\necho old > \"$(dirname \"$0\")/old-ran\"\n");
  ASSERT_TRUE(QFile::setPermissions(Program, QFile::permissions(Program) | QFile::ExeOwner));

  const QByteArray NewProgram = "#!/bin/sh\n"
                                "dir=\"$(dirname \"$0\")\"\n"
                                "printf 'new %s\\n' \"$*\" > \"$dir/marker.new\" && "
                                "mv \"$dir/marker.new\" \"$dir/marker\"\n";
  Server.SetFile(u"files/lingrove"_s, NewProgram);
  Server.SetFile(u"lingrove/controlfile.inf"_s,
                 "[update]\nlocalversion={app}/lingrove\nnewversion=5.1.0.0\n"
                 "[application]\nappupdate=1\nappname=lingrove\nappparam=--restarted\n"
                 "appcomps=lingrove\nsilentrestart=1\n"
                 "[files]\ncount=1\n[file1]\nurl=" +
                     Server.Url(u"files/lingrove"_s).toEncoded() +
                     "\nlocalversion={app}/lingrove\nnewversion=5.1.0.0\nnewsize=" +
                     QByteArray::number(NewProgram.size()) + "\n");

  // The child needs this process's event loop for the server's answers.
  QProcess Child;
  Child.setProcessChannelMode(QProcess::ForwardedChannels);
  QEventLoop Loop;
  QObject::connect(&Child, &QProcess::finished, &Loop, &QEventLoop::quit);
  QObject::connect(&Child, &QProcess::errorOccurred, &Loop, &QEventLoop::quit);
  QTimer::singleShot(30000, &Loop, &QEventLoop::quit);
  Child.start(QCoreApplication::applicationFilePath(),
              {u"--update-child"_s, Server.Url(u"lingrove/controlfile.inf"_s).toString(), Program,
               TempDir});
  Loop.exec();
  if (Child.state() != QProcess::NotRunning) {
    Child.kill();
    Child.waitForFinished(5000);
    FAIL() << "the updating child did not end in time";
  }
  ASSERT_EQ(Child.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(Child.exitCode(), 0);

  const QString Marker = AppDir + u"/marker"_s;
  const QDeadlineTimer Deadline(30000);
  while (!QFile::exists(Marker) && !Deadline.hasExpired())
    QThread::msleep(50);
  EXPECT_EQ(ReadAll(Marker), "new --restarted\n")
      << "updater log: " << ReadAll(TempDir + u"/WUPDATE.LOG"_s).toStdString();
  EXPECT_EQ(ReadAll(Program), NewProgram);
  EXPECT_FALSE(QFile::exists(AppDir + u"/old-ran"_s));
}

} // namespace
