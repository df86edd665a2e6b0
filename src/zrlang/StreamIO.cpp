#include "StreamIO.h"

#include "Exceptions.h"

void ZrLang_ReadBuffer(QIODevice &Stream, void *Buffer, qint64 Count) {
  char *P = static_cast<char *>(Buffer);
  while (Count > 0) {
    const qint64 Got = Stream.read(P, Count);
    if (Got <= 0)
      throw EReadError();
    P += Got;
    Count -= Got;
  }
}

QByteArray ZrLang_ReadBytes(QIODevice &Stream, qint64 Count) {
  // The announced size comes from the data itself: grow with what actually
  // arrives instead of trusting it for one allocation.
  QByteArray Result;
  constexpr qint64 Chunk = 64 * 1024;
  while (Result.size() < Count) {
    const qint64 Want = std::min(Chunk, Count - Result.size());
    const qsizetype Old = Result.size();
    Result.resize(Old + Want);
    ZrLang_ReadBuffer(Stream, Result.data() + Old, Want);
  }
  return Result;
}

void ZrLang_WriteBuffer(QIODevice &Stream, QByteArrayView Bytes) {
  if (Bytes.isEmpty())
    return;
  if (Stream.write(Bytes.data(), Bytes.size()) != Bytes.size())
    throw EWriteError();
}
