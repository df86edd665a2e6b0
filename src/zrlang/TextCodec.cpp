#include "TextCodec.h"

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
