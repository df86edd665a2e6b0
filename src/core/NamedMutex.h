#pragma once

#include <QString>

#ifndef Q_OS_WIN
struct TNamedLockState;
#endif

// A mutex shared between processes by its name, with the semantics of a
// Windows named mutex: Open creates it or opens the existing one without
// owning it, Wait takes it without a time limit, and the thread that owns it
// may take it again (each Wait needs its own Release). A mutex held by a
// process that dies is free again. The prefix "Global\" names a mutex seen by
// every user of the machine; other names are per user.
//
// Shared mode is for marker mutexes that only tell that a program runs: Open
// already holds the marker for as long as the object stays open, any number
// of holders at once, and Wait and Release do nothing. A name is used in one
// mode only.
//
// Windows: CreateMutexW. Elsewhere: flock() on a lock file named after the
// mutex in the user's runtime folder (the system temporary folder for
// "Global\"); threads of one process share one lock per name.
class NamedMutex {
public:
  enum TMode { nmExclusive, nmShared };

  NamedMutex() = default;
  explicit NamedMutex(const QString &Name, TMode Mode = nmExclusive) { Open(Name, Mode); }
  ~NamedMutex() { Close(); }
  NamedMutex(const NamedMutex &) = delete;
  NamedMutex &operator=(const NamedMutex &) = delete;

  // Creates or opens the mutex; false when that fails (the object then stays
  // closed). An open object is closed first.
  bool Open(const QString &Name, TMode Mode = nmExclusive);
  bool IsOpen() const;
  // Waits until the calling thread owns the mutex; false when the wait fails.
  bool Wait();
  // Gives up one ownership taken by Wait; false when the calling thread does
  // not own the mutex.
  bool Release();
  // Releases what this object still owns and closes it.
  void Close();

  const QString &Name() const { return FName; }
  TMode Mode() const { return FMode; }

  // Whether some process (this one included) holds the mutex now; how an
  // installer sees that a program with a marker runs.
  static bool IsInUse(const QString &Name);
  // The lock file that stands for the mutex where there are no named mutexes.
  static QString LockFileName(const QString &Name);

private:
  QString FName;
  TMode FMode = nmExclusive;
  int FHeld = 0; // ownerships taken through this object
#ifdef Q_OS_WIN
  void *FHandle = nullptr;
#else
  TNamedLockState *FState = nullptr; // exclusive mode
  int FSharedFd = -1;                // shared mode
#endif
};
