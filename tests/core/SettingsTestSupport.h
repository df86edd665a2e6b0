#pragma once

// Support for tests of settings, mutexes and files: every user folder of the
// test process (home, config, data, cache, runtime, temporary) lies in one
// temporary folder, and child processes inherit them. A test executable may
// run itself as a child, which then runs the executable's ChildMain instead
// of the tests.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace SettingsTest {

using TChildMain = int (*)(const QStringList &Args);

// The main function of a test executable; the application title is
// "Lingrove" in the tests and in their children.
int RunMain(int argc, char **argv, TChildMain ChildMain);

// The temporary folder holding all user folders.
QString RootFolder();

// Starts Program (this executable when empty) as a child running ChildMain
// with Args. With AsUnprivileged, a test process that runs as root starts
// the child as the user "nobody", for whom file permissions count.
std::unique_ptr<QProcess> StartChild(const QStringList &Args, const QString &Program = QString(),
                                     bool AsUnprivileged = false);
// Waits until the child prints Line; false after the time limit.
bool WaitForLine(QProcess &Child, const QByteArray &Line, int TimeoutMs = 20000);
// Runs a child to its end and returns what it printed, trimmed.
QString RunChild(const QStringList &Args, const QString &Program = QString(),
                 bool AsUnprivileged = false);

// Work run on a thread of its own, for operations that may block; a thread
// that never finishes is left behind when the test fails.
class TBackground {
public:
  explicit TBackground(std::function<void()> Work);
  ~TBackground();
  bool Finished() const { return *FDone; }
  // Waits up to TimeoutMs for the work to finish.
  bool WaitFinished(int TimeoutMs);

private:
  std::shared_ptr<std::atomic<bool>> FDone;
  std::thread FThread;
};

} // namespace SettingsTest
