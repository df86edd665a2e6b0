#pragma once

#include <QByteArray>

class QIODevice;

// SZDD ("LZ expansion") compressed files: the 14-byte header
// "SZDD\x88\xF0\x27\x33" 'A' <last char of name> <uint32 expanded size>
// followed by the LZSS stream (4096-byte window, initial fill of blanks).

// The largest expanded size the expander accepts; a header announcing more is
// rejected before anything is allocated.
constexpr quint32 SzddMaxExpandedSize = 256u * 1024 * 1024;

// Expands a whole SZDD stream read from In, from its current position to its
// end. The result has exactly the size the header announces. Throws EReadError
// (with a message naming the fault) on a bad header, a size above
// SzddMaxExpandedSize, truncated data, or data that expands beyond the
// announced size. Memory use is bounded by the announced size.
// REQUIRES: In is open for reading and holds all its data (a file or buffer,
// not a pipe that may still be filling).
QByteArray SzddExpand(QIODevice &In);

// Compresses Data into an SZDD stream; LastNameChar is the character that
// the compressed name's trailing '_' replaced ('e' for "wusetup.ex_").
// Greedy LZSS over hash chains: linear in Data's size.
// REQUIRES: Data.size() <= SzddMaxExpandedSize.
QByteArray SzddCompress(const QByteArray &Data, char LastNameChar);
