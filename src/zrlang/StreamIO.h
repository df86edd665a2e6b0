#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

// Exact reads and writes on a device; a short read raises EReadError and a
// write that the device refuses EWriteError (a partly taken write goes on
// with the rest).
void ZrLang_ReadBuffer(QIODevice &Stream, void *Buffer, qint64 Count);
QByteArray ZrLang_ReadBytes(QIODevice &Stream, qint64 Count);
void ZrLang_WriteBuffer(QIODevice &Stream, QByteArrayView Bytes);

// Little-endian integers.
quint8 ZrLang_ReadByte(QIODevice &Stream);
quint16 ZrLang_ReadUInt16(QIODevice &Stream);
qint32 ZrLang_ReadInt32(QIODevice &Stream);
void ZrLang_WriteByte(QIODevice &Stream, quint8 Value);
void ZrLang_WriteUInt16(QIODevice &Stream, quint16 Value);
void ZrLang_WriteInt32(QIODevice &Stream, qint32 Value);
