#include "LangDataIO.h"

#include "StreamIO.h"

QString LangData_ReadStr(QIODevice &Stream) {
  return QString::fromUtf8(ZrLang_ReadBytes(Stream, ZrLang_ReadUInt16(Stream)));
}

void LangData_WriteStr(QIODevice &Stream, const QString &Value) {
  const QByteArray Bytes = Value.toUtf8();
  const quint16 Len = quint16(Bytes.size() & 0xFFFF);
  ZrLang_WriteUInt16(Stream, Len);
  ZrLang_WriteBuffer(Stream, QByteArrayView(Bytes.constData(), Len));
}
