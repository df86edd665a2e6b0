#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

// Exact reads and writes on a device; a short read raises EReadError and a
// failed write EWriteError.
void ZrLang_ReadBuffer(QIODevice &Stream, void *Buffer, qint64 Count);
QByteArray ZrLang_ReadBytes(QIODevice &Stream, qint64 Count);
void ZrLang_WriteBuffer(QIODevice &Stream, QByteArrayView Bytes);
