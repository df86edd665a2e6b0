#pragma once

#include <QStringList>

#include <chrono>

// How the updater ends: its process exit codes.
enum TUpdaterExit {
  uxDone = 0,
  uxBadCommand = 2,    // nothing touched, nothing started
  uxStillRunning = 3,  // the program did not end in time; nothing touched or started
  uxReplaceFailed = 4, // no component half-written; the application was started again
  uxStartFailed = 5,   // components replaced, the application could not be started
};

struct TUpdaterOptions {
  std::chrono::milliseconds WaitTimeout = std::chrono::seconds(60);
  std::chrono::milliseconds PollInterval = std::chrono::milliseconds(100);
};

// The whole updater run for the hand-over arguments (see UpdaterCommand.h):
// waits for the program to end, replaces its components, starts it again.
// Faults go to the log and to standard error; never throws.
TUpdaterExit RunUpdater(const QStringList &Args, const TUpdaterOptions &Options = {});
