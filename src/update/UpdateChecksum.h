#pragma once

#include <QString>

#include <optional>

class QIODevice;

// The CRC-32 (the ZIP and PNG polynomial, 0xEDB88320 reflected) of what is
// left in Device. Empty when reading fails.
std::optional<quint32> Crc32Of(QIODevice &Device);
// The CRC-32 of a file; empty when it cannot be read.
std::optional<quint32> FileCrc32(const QString &FileName);

// A checksum as the control file gives it: absent (no text or -1), a
// number in decimal or with a 0x prefix in hexadecimal, or unreadable. An
// unreadable checksum is given but matches no file, so an update offered with
// one is never accepted.
struct TChecksumSpec {
  bool Given = false;
  std::optional<quint32> Value;

  bool Matches(quint32 Crc) const { return Value && *Value == Crc; }
};
TChecksumSpec ParseChecksumSpec(const QString &Text);
