#include "TextCodec.h"

#include "LargeBuffer.h"

#include <QIODevice>
#include <QtEndian>

QString ZrLang_DecodeUtf16(QByteArrayView Bytes, bool bBigEndian) {
  const qsizetype Units = Bytes.size() / 2;
  const bool Odd = Bytes.size() % 2 != 0;
  if (Units == 0)
    return Odd ? QString(QChar::ReplacementCharacter) : QString();
  QString Result(Units + (Odd ? 1 : 0), Qt::Uninitialized);
  if (bBigEndian)
    qFromBigEndian<char16_t>(Bytes.data(), Units, Result.data());
  else
    qFromLittleEndian<char16_t>(Bytes.data(), Units, Result.data());
  if (Odd)
    Result[Units] = QChar::ReplacementCharacter;
  return Result;
}

void ZrLang_AppendUtf16LE(QByteArray &Out, QStringView Text) {
  if (Text.isEmpty())
    return;
  const qsizetype Old = Out.size();
  Out.resize(Old + Text.size() * 2);
  qToLittleEndian<char16_t>(Text.utf16(), Text.size(), Out.data() + Old);
}

QString ZrLang_ReadUtf16(QIODevice &Stream, bool bBigEndian) {
  const qint64 Announced = Stream.isSequential() ? -1 : Stream.bytesAvailable();
  if (Announced <= 0)
    return ZrLang_DecodeUtf16(Stream.readAll(), bBigEndian);
  // Room for an odd last byte: it becomes a unit of its own.
  QString Text((Announced + 1) / 2, Qt::Uninitialized);
  char *Out = reinterpret_cast<char *>(Text.data());
  ZrLang_AdviseLargeBuffer(Out, qsizetype(Announced));
  qint64 Got = 0;
  while (Got < Announced) {
    const qint64 N = Stream.read(Out + Got, Announced - Got);
    if (N <= 0)
      break;
    Got += N;
  }
  if (Got < Announced || !Stream.atEnd()) {
    // The stream changed size under the reader: take the careful way.
    QByteArray Bytes(Out, Got);
    Bytes += Stream.readAll();
    return ZrLang_DecodeUtf16(Bytes, bBigEndian);
  }
  const qsizetype Units = Got / 2;
  if (Got % 2 != 0)
    Text[Units] = QChar::ReplacementCharacter;
  char16_t *P = reinterpret_cast<char16_t *>(Out);
  if (bBigEndian)
    for (qsizetype I = 0; I < Units; ++I)
      P[I] = qFromBigEndian(P[I]);
  else
    for (qsizetype I = 0; I < Units; ++I)
      P[I] = qFromLittleEndian(P[I]);
  return Text;
}
