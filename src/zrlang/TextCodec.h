#pragma once

#include <QByteArrayView>
#include <QString>

class QIODevice;

// UTF-16 text from raw bytes. An odd trailing byte becomes U+FFFD; lone
// surrogates pass through unchanged.
QString ZrLang_DecodeUtf16(QByteArrayView Bytes, bool bBigEndian);

// The same for the rest of a stream, read straight into the text's storage
// where the stream's size is known: text in the machine's byte order needs
// no second buffer and no conversion.
QString ZrLang_ReadUtf16(QIODevice &Stream, bool bBigEndian);

// UTF-16 little-endian bytes of a text, appended to Out.
void ZrLang_AppendUtf16LE(QByteArray &Out, QStringView Text);
