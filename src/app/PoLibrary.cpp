#include "PoLibrary.h"

#include "ExchangeCatalog.h"

#include <QMutex>
#include <QString>

#include <csetjmp>

namespace {

// Its error handler is global state, and a fatal error must not return to
// the library: the handler records the first message and jumps back to the
// call that armed it. The library's frames are C, with nothing to unwind;
// what it had open for the call is lost, which a malformed file may cost
// once.
struct TPoCall {
  std::jmp_buf Exit;
  QString FirstError;
  int Errors = 0;
};
QMutex PoMutex;
TPoCall *CurrentCall = nullptr;

void Record(int Severity, const char *FileName, size_t Line, const char *Text) {
  if (Severity == PO_SEVERITY_WARNING)
    return;
  ++CurrentCall->Errors;
  if (!CurrentCall->FirstError.isEmpty())
    return;
  QString Message = QString::fromUtf8(Text ? Text : "").trimmed();
  if (FileName && Line != size_t(-1))
    Message = QStringLiteral("line %1: %2").arg(Line).arg(Message);
  CurrentCall->FirstError = Message;
}

extern "C" void PoXError(int Severity, po_message_t, const char *FileName, size_t Line, size_t, int,
                         const char *Text) {
  Record(Severity, FileName, Line, Text);
  if (Severity == PO_SEVERITY_FATAL_ERROR)
    std::longjmp(CurrentCall->Exit, 1);
}

extern "C" void PoXError2(int Severity, po_message_t, const char *FileName1, size_t Line1, size_t,
                          int, const char *Text1, po_message_t, const char *, size_t, size_t, int,
                          const char *Text2) {
  {
    // Gone before the jump, which would skip its destructor.
    const QByteArray Text = QByteArray(Text1 ? Text1 : "") + ' ' + (Text2 ? Text2 : "");
    Record(Severity, FileName1, Line1, Text.constData());
  }
  if (Severity == PO_SEVERITY_FATAL_ERROR)
    std::longjmp(CurrentCall->Exit, 1);
}

const po_xerror_handler Handler = {PoXError, PoXError2};

// The library reads and wraps text character by character through iconv
// unless told to take it as bytes, which is exact for UTF-8, the only charset
// it is handed here (a file read in another one is converted first), and
// saves a third of its time. The variables are set once, under the library's
// lock, through Qt's lock on the environment.
void UseBytewiseText() {
  static bool bDone = false;
  if (bDone)
    return;
  for (const char *Name : {"OLD_PO_FILE_INPUT", "OLD_PO_FILE_OUTPUT"})
    if (!qEnvironmentVariableIsSet(Name))
      qputenv(Name, "1");
  bDone = true;
}

// Run one library call under the handler. Between the jump's target and
// the call nothing with a destructor is made, so the jump skips none.
po_file_t CallRead(TPoCall &Call, const char *Path) {
  CurrentCall = &Call;
  if (setjmp(Call.Exit) != 0)
    return nullptr;
  return po_file_read(Path, &Handler);
}

bool CallWrite(TPoCall &Call, po_file_t File, const char *Path) {
  CurrentCall = &Call;
  if (setjmp(Call.Exit) != 0)
    return false;
  po_file_write(File, Path, &Handler);
  return true;
}

} // namespace

TPoFile ReadPoFile(const QByteArray &Path) {
  const QMutexLocker Lock(&PoMutex);
  UseBytewiseText();
  TPoCall Call;
  TPoFile File(CallRead(Call, Path.constData()));
  if (!File || Call.Errors > 0)
    throw EExchangeFileError(
        QStringLiteral("Malformed PO file: %1")
            .arg(Call.FirstError.isEmpty() ? QStringLiteral("cannot be read") : Call.FirstError));
  return File;
}

void WritePoFile(po_file_t File, const QByteArray &Path) {
  const QMutexLocker Lock(&PoMutex);
  UseBytewiseText();
  TPoCall Call;
  if (!CallWrite(Call, File, Path.constData()) || Call.Errors > 0)
    throw EExchangeFileError(QStringLiteral("Cannot write the PO file: %1").arg(Call.FirstError));
}
