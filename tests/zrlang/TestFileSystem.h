#pragma once

// Small file systems and FIFOs that tests make for themselves, so that full
// disks and special files are tried without touching the system's own.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

// A tmpfs of Size bytes mounted on a temporary folder for the object's life.
// Mounting needs root; Mounted() tells whether it worked, and tests skip
// when it did not.
class TTestTmpfs {
public:
  explicit TTestTmpfs(qint64 Size) {
    if (!FDir.isValid())
      return;
    const QByteArray Options = "size=" + QByteArray::number(Size) + ",mode=0700";
    FMounted = ::mount("tmpfs", QFile::encodeName(FDir.path()).constData(), "tmpfs", 0,
                       Options.constData()) == 0;
  }
  ~TTestTmpfs() {
    if (FMounted)
      ::umount2(QFile::encodeName(FDir.path()).constData(), MNT_DETACH);
  }
  TTestTmpfs(const TTestTmpfs &) = delete;
  TTestTmpfs &operator=(const TTestTmpfs &) = delete;

  bool Mounted() const { return FMounted; }
  QString Path(const QString &Name) const { return FDir.filePath(Name); }
  // The names in the file system's root, sorted.
  QStringList Names() const {
    return QDir(FDir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
  }
  qint64 FreeBytes() const {
    struct statvfs S {};
    if (::statvfs(QFile::encodeName(FDir.path()).constData(), &S) != 0)
      return -1;
    return qint64(S.f_bavail) * qint64(S.f_frsize);
  }
  // Takes space with the file "filler" until at most Free bytes are left.
  bool LeaveFree(qint64 Free) {
    QFile Filler(Path(QStringLiteral("filler")));
    if (!Filler.open(QIODevice::Append | QIODevice::Unbuffered))
      return false;
    const qint64 Take = FreeBytes() - Free;
    if (Take > 0 && Filler.write(QByteArray(Take, 'f')) != Take)
      return false;
    return FreeBytes() <= Free;
  }

private:
  QTemporaryDir FDir;
  bool FMounted = false;
};

// Makes a FIFO; false when the file system does not allow one.
inline bool MakeFifo(const QString &FileName) {
  return ::mkfifo(QFile::encodeName(FileName).constData(), 0600) == 0;
}

// True for a FIFO (and not a regular file that replaced it).
inline bool IsFifo(const QString &FileName) {
  struct stat S {};
  return ::lstat(QFile::encodeName(FileName).constData(), &S) == 0 && S_ISFIFO(S.st_mode);
}

// The reading end of a FIFO, opened without waiting for a writer. With
// bHold it also holds a writer of its own, so that the reader sees the end
// only once Drain() lets go of it.
class TFifoReader {
public:
  TFifoReader(const QString &FileName, bool bHold) {
    const QByteArray Name = QFile::encodeName(FileName);
    FRead = ::open(Name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (bHold && FRead >= 0)
      FHold = ::open(Name.constData(), O_WRONLY | O_CLOEXEC);
    FOk = FRead >= 0 && (!bHold || FHold >= 0);
  }
  ~TFifoReader() {
    Close();
    if (FHold >= 0)
      ::close(FHold);
  }
  TFifoReader(const TFifoReader &) = delete;
  TFifoReader &operator=(const TFifoReader &) = delete;

  bool IsOpen() const { return FOk; }
  // Waits up to Ms milliseconds for bytes to read. Before any writer has
  // come, poll() may report the end at once, so it is asked again.
  bool WaitForData(int Ms) {
    for (int Waited = 0; Waited < Ms; Waited += 20) {
      pollfd P{FRead, POLLIN, 0};
      if (::poll(&P, 1, 20) == 1 && (P.revents & POLLIN))
        return true;
      if (P.revents & POLLHUP)
        ::usleep(20000);
    }
    return false;
  }
  void Close() {
    if (FRead >= 0)
      ::close(FRead);
    FRead = -1;
  }
  // Everything written so far; it must fit the pipe's buffer.
  QByteArray Drain() {
    if (FHold >= 0)
      ::close(FHold);
    FHold = -1;
    ::fcntl(FRead, F_SETFL, 0);
    QByteArray Result;
    char Buf[4096];
    for (ssize_t N; (N = ::read(FRead, Buf, sizeof Buf)) > 0;)
      Result.append(Buf, N);
    return Result;
  }

private:
  int FRead = -1;
  int FHold = -1;
  bool FOk = false;
};
