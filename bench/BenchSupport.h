#pragma once

// Figures shared by the benchmark programs: the process's memory from
// /proc/self/status and its CPU time.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <ctime>
#include <functional>

// A size line of /proc/self/status ("VmHWM:" peak, "VmRSS:" now) in MB, or -1.
inline double StatusMb(const char *Key) {
  // /proc files report size 0, so read to the end instead of testing atEnd().
  QFile Status(QStringLiteral("/proc/self/status"));
  if (!Status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &Line : Status.readAll().split('\n'))
    if (Line.startsWith(Key)) {
      bool Ok = false;
      const qint64 Kb =
          Line.mid(qsizetype(qstrlen(Key))).trimmed().split(' ').value(0).toLongLong(&Ok);
      return Ok ? double(Kb) / 1024.0 : -1;
    }
  return -1;
}

// The CPU time the process has used, in ms. On a machine shared with other
// work it is steadier than the wall-clock time.
inline double CpuMs() {
  timespec T;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
  return double(T.tv_sec) * 1e3 + double(T.tv_nsec) / 1e6;
}

// The CPU time the calling thread has used, in ms.
inline double ThreadCpuMs() {
  timespec T;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return double(T.tv_sec) * 1e3 + double(T.tv_nsec) / 1e6;
}

// Removes "Name VALUE" from Args and returns VALUE; empty when absent.
inline QString TakeOption(QStringList &Args, const QString &Name) {
  const qsizetype I = Args.indexOf(Name);
  if (I < 0 || I + 1 >= Args.size())
    return {};
  const QString Value = Args[I + 1];
  Args.remove(I, 2);
  return Value;
}

// Runs Step once, prints "Name  wall ms  (cpu ms)" and returns the wall time.
inline double Measure(const char *Name, const std::function<void()> &Step) {
  QElapsedTimer Timer;
  const double Cpu0 = CpuMs();
  Timer.start();
  Step();
  const double Wall = double(Timer.nsecsElapsed()) / 1e6;
  std::printf("%-28s %10.2f ms   (cpu %.2f ms)\n", Name, Wall, CpuMs() - Cpu0);
  std::fflush(stdout);
  return Wall;
}
