#pragma once

#include "UpdateTestFiles.h"

#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>

// A throw-away installation of a small "application": a shell script that
// writes its version and arguments into the file "marker" beside it. The
// download folder holds version 2 of it (not executable, as downloads are)
// and a new data file. Both folder names hold a blank, as real ones may.
class TTestInstallation {
public:
  TTestInstallation() {
    EXPECT_TRUE(FRoot.isValid());
    QDir Root(FRoot.path());
    EXPECT_TRUE(Root.mkdir(QStringLiteral("my app")));
    EXPECT_TRUE(Root.mkdir(QStringLiteral("down load")));
    // The updater takes files only from a folder no one else may write to.
    EXPECT_TRUE(QFile::setPermissions(Download(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
    WriteTestFile(App(QStringLiteral("lingrove")), Script("v1"), ExecutablePermissions);
    WriteTestFile(App(QStringLiteral("lingrove.dat")), "old data");
    WriteTestFile(Download(QStringLiteral("lingrove")), Script("v2"));
    WriteTestFile(Download(QStringLiteral("lingrove.dat")), "new data");
  }

  QString App(const QString &Name = {}) const { return Path(QStringLiteral("my app"), Name); }
  QString Download(const QString &Name = {}) const {
    return Path(QStringLiteral("down load"), Name);
  }
  QString AppPath() const { return App(QStringLiteral("lingrove")); }
  QString Root() const { return FRoot.path(); }

  // The marker the started application wrote, empty when none appeared
  // within Timeout.
  QByteArray WaitForMarker(int TimeoutMs = 10000) const {
    const QDeadlineTimer Deadline(TimeoutMs);
    const QString Marker = App(QStringLiteral("marker"));
    while (!QFile::exists(Marker) && !Deadline.hasExpired())
      QThread::msleep(20);
    return QFile::exists(Marker) ? ReadTestFile(Marker) : QByteArray();
  }

private:
  static QByteArray Script(const QByteArray &Version) {
    // Written under another name and renamed, so the test never reads half.
    return "#!/bin/sh\n"
           "dir=\"$(dirname \"$0\")\"\n"
           "printf '%s\\n' " +
           Version + " \"$@\" > \"$dir/marker.new\" && mv \"$dir/marker.new\" \"$dir/marker\"\n";
  }

  QString Path(const QString &Sub, const QString &Name) const {
    const QString Folder = FRoot.filePath(Sub);
    return Name.isEmpty() ? Folder : Folder + u'/' + Name;
  }

  QTemporaryDir FRoot;
};
