#include "SaveFile.h"

#include "Exceptions.h"

#include <QFileInfo>
#include <QSaveFile>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

void ZrLang_WriteChecked(QIODevice &Device, const QString &FileName,
                         const TZrLang_FileContent &Content) {
  try {
    Content(Device);
  } catch (const EWriteError &) {
    throw EFCreateError(FileName, Device.errorString());
  }
  // A file device buffers its tail, and QSaveFile::commit() reports success
  // even when flushing that tail fails, so the flush is checked here. A flush
  // that the file system takes only in part stops without a reason; the
  // second one gives it.
  auto *File = qobject_cast<QFileDevice *>(&Device);
  if (File && ((!File->flush() && !File->flush()) || File->error() != QFileDevice::NoError))
    throw EFCreateError(FileName, File->errorString());
}

void ZrLang_SaveFile(const QString &FileName, const TZrLang_FileContent &Content) {
  const QFileInfo Target(FileName);
  if (Target.exists() && !Target.isFile() && !Target.isDir()) {
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
      throw EFCreateError(FileName, File.errorString());
    ZrLang_WriteChecked(File, FileName, Content);
    return;
  }
  QSaveFile File(FileName);
  if (!File.open(QIODevice::WriteOnly))
    throw EFCreateError(FileName, File.errorString());
  ZrLang_WriteChecked(File, FileName, Content);
#ifdef Q_OS_UNIX
  // commit() syncs too but ignores the result; some file systems report a
  // lack of space only here.
  if (::fsync(File.handle()) != 0)
    throw EFCreateError(FileName, qt_error_string(errno));
#endif
  if (!File.commit())
    throw EFCreateError(FileName, File.errorString());
}
