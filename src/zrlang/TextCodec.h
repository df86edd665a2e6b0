#pragma once

#include <QByteArrayView>
#include <QString>

// UTF-16 text from raw bytes. An odd trailing byte becomes U+FFFD; lone
// surrogates pass through unchanged.
QString ZrLang_DecodeUtf16(QByteArrayView Bytes, bool bBigEndian);

// UTF-16 little-endian bytes of a text, appended to Out.
void ZrLang_AppendUtf16LE(QByteArray &Out, QStringView Text);
