#include "UpdateChecksum.h"

#include <QFile>

#include <array>

namespace {

std::array<quint32, 256> MakeCrcTable() {
  std::array<quint32, 256> Table{};
  for (quint32 N = 0; N < 256; ++N) {
    quint32 C = N;
    for (int K = 0; K < 8; ++K)
      C = (C & 1) ? 0xEDB88320u ^ (C >> 1) : C >> 1;
    Table[N] = C;
  }
  return Table;
}

} // namespace

std::optional<quint32> Crc32Of(QIODevice &Device) {
  static const std::array<quint32, 256> Table = MakeCrcTable();
  quint32 Crc = 0xFFFFFFFFu;
  char Buffer[65536];
  for (;;) {
    const qint64 Read = Device.read(Buffer, sizeof Buffer);
    if (Read < 0)
      return std::nullopt;
    if (Read == 0)
      break;
    for (qint64 I = 0; I < Read; ++I)
      Crc = Table[(Crc ^ quint8(Buffer[I])) & 0xFF] ^ (Crc >> 8);
  }
  return Crc ^ 0xFFFFFFFFu;
}

std::optional<quint32> FileCrc32(const QString &FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly))
    return std::nullopt;
  return Crc32Of(File);
}

TChecksumSpec ParseChecksumSpec(const QString &Text) {
  const QString Trimmed = Text.trimmed();
  if (Trimmed.isEmpty() || Trimmed == u"-1")
    return {};
  TChecksumSpec Spec;
  Spec.Given = true;
  bool Ok = false;
  qulonglong Value = 0;
  if (Trimmed.startsWith(u"0x", Qt::CaseInsensitive))
    Value = Trimmed.mid(2).toULongLong(&Ok, 16);
  else if (Trimmed[0] >= u'0' && Trimmed[0] <= u'9')
    Value = Trimmed.toULongLong(&Ok, 10);
  if (Ok && Value <= 0xFFFFFFFFu)
    Spec.Value = quint32(Value);
  return Spec;
}
