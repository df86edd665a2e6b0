#pragma once

// Figures shared by the benchmark programs: the process's memory from
// /proc/self/status, its CPU time, page faults and system time.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <sys/resource.h>
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

// What the kernel did for the process so far (getrusage): page faults, minor
// and major, and system time in ms. Fresh memory costs a fault per page, so
// both show how much memory a step touches for the first time.
struct TKernelUsage {
  long Faults = 0;
  double SystemMs = 0;
};
inline TKernelUsage KernelUsage() {
  rusage U{};
  getrusage(RUSAGE_SELF, &U);
  return {U.ru_minflt + U.ru_majflt,
          double(U.ru_stime.tv_sec) * 1e3 + double(U.ru_stime.tv_usec) / 1e3};
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

// Runs Step once, prints "Name  wall ms  (cpu ms, system ms, page faults)"
// and returns the wall time.
inline double Measure(const char *Name, const std::function<void()> &Step) {
  QElapsedTimer Timer;
  const double Cpu0 = CpuMs();
  const TKernelUsage Kernel0 = KernelUsage();
  Timer.start();
  Step();
  const double Wall = double(Timer.nsecsElapsed()) / 1e6;
  const TKernelUsage Kernel = KernelUsage();
  std::printf("%-28s %10.2f ms   (cpu %.2f ms, system %.2f ms, %ld page faults)\n", Name, Wall,
              CpuMs() - Cpu0, Kernel.SystemMs - Kernel0.SystemMs, Kernel.Faults - Kernel0.Faults);
  std::fflush(stdout);
  return Wall;
}
