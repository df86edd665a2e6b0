#pragma once

#include <QByteArray>

class QIODevice;

// SZDD ("LZ expansion") compressed files: the 14-byte header
// "SZDD\x88\xF0\x27\x33" 'A' <last char of name> <uint32 expanded size>
// followed by the LZSS stream (4096-byte window, initial fill of blanks).

// Expands a whole SZDD stream read from In. Throws EReadError on a bad
// header or truncated data.
QByteArray SzddExpand(QIODevice &In);

// Compresses Data into an SZDD stream; LastNameChar is the character that
// the compressed name's trailing '_' replaced ('e' for "wusetup.ex_").
QByteArray SzddCompress(const QByteArray &Data, char LastNameChar);
