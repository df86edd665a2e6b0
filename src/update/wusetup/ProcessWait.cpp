#include "ProcessWait.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>

#include <cerrno>
#include <csignal>
#include <limits>
#endif

bool ProcessIsRunning(qint64 ProcessId) {
  if (ProcessId <= 0)
    return false;
#ifdef Q_OS_WIN
  HANDLE Process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(ProcessId));
  if (!Process)
    return GetLastError() == ERROR_ACCESS_DENIED;
  const bool Running = WaitForSingleObject(Process, 0) == WAIT_TIMEOUT;
  CloseHandle(Process);
  return Running;
#else
  if (ProcessId > qint64(std::numeric_limits<pid_t>::max()))
    return false;
  if (::kill(pid_t(ProcessId), 0) != 0 && errno != EPERM)
    return false;
  // The state follows the command name, which is in parentheses and may
  // itself hold blanks or parentheses.
  QFile Stat(QStringLiteral("/proc/%1/stat").arg(ProcessId));
  if (!Stat.open(QIODevice::ReadOnly))
    return true;
  const QByteArray Line = Stat.readAll();
  const qsizetype Close = Line.lastIndexOf(')');
  return Close < 0 || Close + 2 >= Line.size() || Line.at(Close + 2) != 'Z';
#endif
}

bool WaitForProcessEnd(qint64 ProcessId, std::chrono::milliseconds Timeout,
                       std::chrono::milliseconds PollInterval) {
  const QDeadlineTimer Deadline(Timeout);
  while (ProcessIsRunning(ProcessId)) {
    if (Deadline.hasExpired())
      return false;
    QThread::msleep(
        std::max<qint64>(1, std::min<qint64>(PollInterval.count(), Deadline.remainingTime())));
  }
  return true;
}
