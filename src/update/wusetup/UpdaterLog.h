#pragma once

#include <QString>

// The updater's log: one time-stamped line per step, appended to a file, or
// nothing when logging is off. Each line is written and closed at once, so
// the log is complete up to the last step even if the updater dies.
class TUpdaterLog {
public:
  // Logging off.
  TUpdaterLog() = default;
  explicit TUpdaterLog(const QString &FileName) : FFileName(FileName) {}

  bool Enabled() const { return !FFileName.isEmpty(); }
  const QString &FileName() const { return FFileName; }

  // Never throws: a log that cannot be written must not stop the update.
  void Write(const QString &Line) const;

private:
  QString FFileName;
};

// The log file the program being updated asked for: the LOGFILENAME key of
// section CONFIG in "WUPDATE.INI" in TempDir, "WUPDATE.LOG" without one; a
// relative name lies in TempDir.
QString UpdaterLogFileName(const QString &TempDir);
