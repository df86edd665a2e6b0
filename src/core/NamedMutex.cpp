#include "NamedMutex.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

const QString GlobalPrefix = QStringLiteral("Global\\");
const QString LocalPrefix = QStringLiteral("Local\\");

} // namespace

QString NamedMutex::LockFileName(const QString &Name) {
  QString Folder;
  QString Base = Name;
  if (Name.startsWith(GlobalPrefix)) {
    Folder = QDir::tempPath();
    Base = Name.mid(GlobalPrefix.size());
  } else {
    if (Name.startsWith(LocalPrefix))
      Base = Name.mid(LocalPrefix.size());
    Folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (Folder.isEmpty())
      Folder = QDir::tempPath();
  }
  // Characters a file name cannot hold are written as %XX, so that distinct
  // names stay distinct.
  QString File;
  for (QChar C : Base) {
    if (C == u'/' || C == u'%' || C.unicode() < 32)
      File += u'%' + QString::number(C.unicode(), 16).toUpper().rightJustified(2, u'0');
    else
      File += C;
  }
  return Folder + u'/' + File + QStringLiteral(".lock");
}

#ifdef Q_OS_WIN

#include <windows.h>

bool NamedMutex::Open(const QString &Name, TMode Mode) {
  Close();
  FHandle = CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(Name.utf16()));
  if (!FHandle)
    return false;
  FName = Name;
  FMode = Mode;
  return true;
}

bool NamedMutex::IsOpen() const {
  return FHandle != nullptr;
}

bool NamedMutex::Wait() {
  if (!FHandle)
    return false;
  if (FMode == nmShared)
    return true;
  const DWORD Result = WaitForSingleObject(FHandle, INFINITE);
  if (Result != WAIT_OBJECT_0 && Result != WAIT_ABANDONED)
    return false;
  ++FHeld;
  return true;
}

bool NamedMutex::Release() {
  if (!FHandle || FMode == nmShared)
    return FHandle != nullptr;
  if (FHeld == 0 || !ReleaseMutex(FHandle))
    return false;
  --FHeld;
  return true;
}

void NamedMutex::Close() {
  if (FHandle) {
    while (FHeld > 0 && ReleaseMutex(FHandle))
      --FHeld;
    CloseHandle(FHandle);
    FHandle = nullptr;
  }
  FHeld = 0;
  FName.clear();
}

bool NamedMutex::IsInUse(const QString &Name) {
  HANDLE Handle = OpenMutexW(SYNCHRONIZE, FALSE, reinterpret_cast<LPCWSTR>(Name.utf16()));
  if (!Handle)
    return false;
  CloseHandle(Handle);
  return true;
}

#else

#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

// One per name and process: flock() excludes open file descriptions, not
// threads, so the threads of a process share one descriptor and take turns
// here before one of them holds the file lock for all of them.
struct TNamedLockState {
  QString Key;
  int Fd = -1;
  int Handles = 0;
  bool Owned = false; // a thread owns it or is waiting for the file lock
  std::thread::id Owner;
  int Count = 0;
};

namespace {

std::mutex GStatesLock;
std::condition_variable GStateFreed;
std::map<QString, TNamedLockState> GStates;

int OpenLockFile(const QString &Name) {
  const QByteArray Path = QFile::encodeName(NamedMutex::LockFileName(Name));
  int Fd = ::open(Path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // A lock file of another user (a "Global\" one) may only be readable;
  // flock() does not need more.
  if (Fd < 0 && (errno == EACCES || errno == EPERM))
    Fd = ::open(Path.constData(), O_RDONLY | O_CLOEXEC);
  return Fd;
}

int Flock(int Fd, int Operation) {
  int Result;
  do
    Result = ::flock(Fd, Operation);
  while (Result != 0 && errno == EINTR);
  return Result;
}

} // namespace

bool NamedMutex::Open(const QString &Name, TMode Mode) {
  Close();
  if (Mode == nmShared) {
    const int Fd = OpenLockFile(Name);
    if (Fd < 0)
      return false;
    if (Flock(Fd, LOCK_SH) != 0) {
      ::close(Fd);
      return false;
    }
    FSharedFd = Fd;
  } else {
    // By lock file: "Local\X" and "X" are one mutex.
    const QString Key = LockFileName(Name);
    std::lock_guard Guard(GStatesLock);
    TNamedLockState &State = GStates[Key];
    if (State.Fd < 0) {
      State.Key = Key;
      State.Fd = OpenLockFile(Name);
      if (State.Fd < 0) {
        GStates.erase(Key);
        return false;
      }
    }
    ++State.Handles;
    FState = &State;
  }
  FName = Name;
  FMode = Mode;
  return true;
}

bool NamedMutex::IsOpen() const {
  return FState || FSharedFd >= 0;
}

bool NamedMutex::Wait() {
  if (FMode == nmShared)
    return FSharedFd >= 0;
  if (!FState)
    return false;
  TNamedLockState &State = *FState;
  const std::thread::id Me = std::this_thread::get_id();
  std::unique_lock Guard(GStatesLock);
  if (State.Owned && State.Owner == Me) {
    ++State.Count;
    ++FHeld;
    return true;
  }
  GStateFreed.wait(Guard, [&State] { return !State.Owned; });
  State.Owned = true;
  State.Owner = Me;
  Guard.unlock();
  const bool Locked = Flock(State.Fd, LOCK_EX) == 0;
  Guard.lock();
  if (!Locked) {
    State.Owned = false;
    GStateFreed.notify_all();
    return false;
  }
  State.Count = 1;
  ++FHeld;
  return true;
}

bool NamedMutex::Release() {
  if (FMode == nmShared)
    return FSharedFd >= 0;
  if (!FState || FHeld == 0)
    return false;
  TNamedLockState &State = *FState;
  std::lock_guard Guard(GStatesLock);
  if (!State.Owned || State.Owner != std::this_thread::get_id() || State.Count == 0)
    return false;
  --FHeld;
  if (--State.Count == 0) {
    Flock(State.Fd, LOCK_UN);
    State.Owned = false;
    GStateFreed.notify_all();
  }
  return true;
}

void NamedMutex::Close() {
  if (FSharedFd >= 0) {
    ::close(FSharedFd); // drops the shared lock
    FSharedFd = -1;
  }
  if (FState) {
    std::lock_guard Guard(GStatesLock);
    TNamedLockState &State = *FState;
    if (FHeld > 0 && State.Owned && State.Count > 0) {
      State.Count -= qMin(FHeld, State.Count);
      if (State.Count == 0) {
        Flock(State.Fd, LOCK_UN);
        State.Owned = false;
        GStateFreed.notify_all();
      }
    }
    if (--State.Handles == 0 && !State.Owned) {
      ::close(State.Fd);
      GStates.erase(State.Key);
    }
    FState = nullptr;
  }
  FHeld = 0;
  FName.clear();
}

bool NamedMutex::IsInUse(const QString &Name) {
  const QByteArray Path = QFile::encodeName(LockFileName(Name));
  const int Fd = ::open(Path.constData(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0)
    return false;
  // A fresh open file description conflicts with every lock on the file,
  // this process's own included.
  const bool Busy = Flock(Fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(Fd);
  return Busy;
}

#endif
