#pragma once

#include <QIODevice>
#include <QString>

// Strings of the language-data stream: a 16-bit little-endian byte count,
// then UTF-8 bytes. A read past the end raises EReadError; a text longer
// than 65535 bytes is written with the low 16 bits of its length and that
// many bytes.
QString LangData_ReadStr(QIODevice &Stream);
void LangData_WriteStr(QIODevice &Stream, const QString &Value);
