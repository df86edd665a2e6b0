#include "StreamIO.h"

#include "Exceptions.h"

#include <QtEndian>

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
  // A device may take part of a block (a file system that fills up, a
  // pipe); writing the rest either goes on or fails with the device's reason.
  const char *P = Bytes.data();
  qint64 Left = Bytes.size();
  while (Left > 0) {
    const qint64 Done = Stream.write(P, Left);
    if (Done <= 0)
      throw EWriteError();
    P += Done;
    Left -= Done;
  }
}

quint8 ZrLang_ReadByte(QIODevice &Stream) {
  quint8 B;
  ZrLang_ReadBuffer(Stream, &B, 1);
  return B;
}

quint16 ZrLang_ReadUInt16(QIODevice &Stream) {
  uchar B[2];
  ZrLang_ReadBuffer(Stream, B, 2);
  return qFromLittleEndian<quint16>(B);
}

qint32 ZrLang_ReadInt32(QIODevice &Stream) {
  uchar B[4];
  ZrLang_ReadBuffer(Stream, B, 4);
  return qFromLittleEndian<qint32>(B);
}

void ZrLang_WriteByte(QIODevice &Stream, quint8 Value) {
  ZrLang_WriteBuffer(Stream, QByteArrayView(reinterpret_cast<const char *>(&Value), 1));
}

void ZrLang_WriteUInt16(QIODevice &Stream, quint16 Value) {
  uchar B[2];
  qToLittleEndian<quint16>(Value, B);
  ZrLang_WriteBuffer(Stream, QByteArrayView(reinterpret_cast<const char *>(B), 2));
}

void ZrLang_WriteInt32(QIODevice &Stream, qint32 Value) {
  uchar B[4];
  qToLittleEndian<qint32>(Value, B);
  ZrLang_WriteBuffer(Stream, QByteArrayView(reinterpret_cast<const char *>(B), 4));
}
