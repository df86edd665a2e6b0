#include "SystemServices.h"

#include "CoreUUID.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

bool IsDirectoryWritable(const QString &Folder) {
  QString Name = Folder.isEmpty() ? QStringLiteral(".") : Folder;
  if (!Name.endsWith(u'/') && !Name.endsWith(QDir::separator()))
    Name += QDir::separator();
  Name += NewGUIDName() + QStringLiteral(".tmp");
#ifdef Q_OS_WIN
  HANDLE Handle = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(Name).utf16()),
                              GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (Handle == INVALID_HANDLE_VALUE)
    return false;
  CloseHandle(Handle);
  return true;
#else
  const QByteArray Path = QFile::encodeName(Name);
  const int Fd = ::open(Path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (Fd < 0)
    return false;
  ::close(Fd);
  ::unlink(Path.constData());
  return true;
#endif
}

namespace {

// Takes one token from P on and skips the blanks after it.
QString ExtractParam(QStringView Line, qsizetype &P) {
  QString Token;
  bool InQuotes = false;
  while (P < Line.size() && (InQuotes || Line[P].unicode() > 32)) {
    if (Line[P] == u'"')
      InQuotes = !InQuotes;
    else
      Token += Line[P];
    ++P;
  }
  while (P < Line.size() && Line[P].unicode() >= 1 && Line[P].unicode() <= 32)
    ++P;
  return Token;
}

QString ExecutablePath() {
#ifdef Q_OS_WIN
  wchar_t Buffer[MAX_PATH];
  const DWORD Length = GetModuleFileNameW(nullptr, Buffer, MAX_PATH);
  return QString::fromWCharArray(Buffer, int(Length));
#else
  if (QCoreApplication::instance())
    return QCoreApplication::applicationFilePath();
  return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
#endif
}

} // namespace

QString ParamStrOf(QStringView CommandLine, int Index) {
  qsizetype P = 0;
  QString Token;
  for (int I = 0; I <= Index; ++I) {
    if (P >= CommandLine.size())
      return QString();
    Token = ExtractParam(CommandLine, P);
  }
  return Token;
}

QString GetParamStr(int Index) {
  if (Index == 0)
    return ExecutablePath();
  if (Index < 0)
    return QString();
#ifdef Q_OS_WIN
  return ParamStrOf(QStringView(reinterpret_cast<const char16_t *>(GetCommandLineW())), Index);
#else
  // The parameters arrive already split; the process's own list of them.
  QFile CmdLine(QStringLiteral("/proc/self/cmdline"));
  if (!CmdLine.open(QIODevice::ReadOnly))
    return QString();
  const QList<QByteArray> Args = CmdLine.readAll().split('\0');
  // The list ends with a NUL, which leaves an empty last piece.
  return Index < Args.size() - 1 ? QFile::decodeName(Args.at(Index)) : QString();
#endif
}
