#include "SettingsTestSupport.h"

#include "CoreApplication.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace SettingsTest {

namespace {

const char ChildSwitch[] = "--settings-test-child";

QString GRoot;

} // namespace

int RunMain(int argc, char **argv, TChildMain ChildMain) {
  if (argc >= 2 && std::strcmp(argv[1], ChildSwitch) == 0) {
    QCoreApplication App(argc, argv);
    SetApplicationTitle(u"Lingrove"_s);
    return ChildMain(App.arguments().mid(2));
  }
  QTemporaryDir Root;
  if (!Root.isValid())
    return 2;
  GRoot = Root.path();
  const std::pair<const char *, const char *> Folders[] = {{"HOME", "home"},
                                                           {"XDG_CONFIG_HOME", "config"},
                                                           {"XDG_DATA_HOME", "data"},
                                                           {"XDG_CACHE_HOME", "cache"},
                                                           {"XDG_RUNTIME_DIR", "runtime"},
                                                           {"TMPDIR", "tmp"}};
  for (const auto &[Variable, Name] : Folders) {
    const QString Folder = GRoot + u'/' + QLatin1String(Name);
    QDir().mkpath(Folder);
    qputenv(Variable, QFile::encodeName(Folder));
  }
  QFile::setPermissions(GRoot + u"/runtime"_s,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QCoreApplication App(argc, argv);
  SetApplicationTitle(u"Lingrove"_s);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

QString RootFolder() {
  return GRoot;
}

std::unique_ptr<QProcess> StartChild(const QStringList &Args, const QString &Program,
                                     bool AsUnprivileged) {
  auto Child = std::make_unique<QProcess>();
  Child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  if (AsUnprivileged && ::geteuid() == 0) {
    const passwd *Nobody = ::getpwnam("nobody");
    const uid_t Uid = Nobody ? Nobody->pw_uid : 65534;
    const gid_t Gid = Nobody ? Nobody->pw_gid : 65534;
    Child->setChildProcessModifier([Uid, Gid] {
      if (::setgroups(0, nullptr) != 0 || ::setgid(Gid) != 0 || ::setuid(Uid) != 0)
        ::_exit(126);
    });
  }
  Child->start(Program.isEmpty() ? QCoreApplication::applicationFilePath() : Program,
               QStringList{QString::fromLatin1(ChildSwitch)} + Args);
  return Child;
}

bool WaitForLine(QProcess &Child, const QByteArray &Line, int TimeoutMs) {
  const QDeadlineTimer Deadline(TimeoutMs);
  while (!Deadline.hasExpired()) {
    if (Child.canReadLine())
      return Child.readLine().trimmed() == Line;
    if (Child.state() == QProcess::NotRunning)
      return false;
    Child.waitForReadyRead(int(qMax<qint64>(1, Deadline.remainingTime())));
  }
  return false;
}

QString RunChild(const QStringList &Args, const QString &Program, bool AsUnprivileged) {
  std::unique_ptr<QProcess> Child = StartChild(Args, Program, AsUnprivileged);
  Child->closeWriteChannel();
  if (!Child->waitForFinished(30000) || Child->exitCode() != 0)
    return u"child failed: %1"_s.arg(Child->exitCode());
  return QString::fromUtf8(Child->readAllStandardOutput()).trimmed();
}

TBackground::TBackground(std::function<void()> Work)
    : FDone(std::make_shared<std::atomic<bool>>(false)) {
  FThread = std::thread([Done = FDone, Work = std::move(Work)] {
    Work();
    *Done = true;
  });
}

TBackground::~TBackground() {
  if (*FDone)
    FThread.join();
  else
    FThread.detach();
}

bool TBackground::WaitFinished(int TimeoutMs) {
  const QDeadlineTimer Deadline(TimeoutMs);
  while (!*FDone && !Deadline.hasExpired())
    QThread::msleep(5);
  return *FDone;
}

} // namespace SettingsTest
