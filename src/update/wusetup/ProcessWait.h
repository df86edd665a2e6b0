#pragma once

#include <QtGlobal>

#include <chrono>

// True while the process with this ID exists and has not ended (a zombie
// that its parent has not yet collected counts as ended).
bool ProcessIsRunning(qint64 ProcessId);

// Polls until the process has ended or Timeout has passed; true when it has
// ended.
bool WaitForProcessEnd(qint64 ProcessId, std::chrono::milliseconds Timeout,
                       std::chrono::milliseconds PollInterval = std::chrono::milliseconds(100));
