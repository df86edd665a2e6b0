// The SZDD expander. Whatever it accepts has exactly the announced size, and
// compressing that again must expand to the same bytes. Its read errors are
// expected outcomes; anything else is a finding.
#include "Exceptions.h"
#include "Szdd.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Mismatch(const char *What) {
  std::fprintf(stderr, "szdd: %s\n", What);
  std::abort();
}

QByteArray Expand(QByteArray Szdd) {
  QBuffer Buffer(&Szdd);
  Buffer.open(QIODevice::ReadOnly);
  return SzddExpand(Buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  const QByteArray Input(reinterpret_cast<const char *>(Data), qsizetype(Size));
  QByteArray Expanded;
  try {
    Expanded = Expand(Input);
  } catch (const EReadError &) {
    return 0;
  }
  const quint32 Announced = quint32(quint8(Input[10])) | (quint32(quint8(Input[11])) << 8) |
                            (quint32(quint8(Input[12])) << 16) | (quint32(quint8(Input[13])) << 24);
  if (quint32(Expanded.size()) != Announced)
    Mismatch("the expanded size differs from the announced one");
  try {
    if (Expand(SzddCompress(Expanded, Input[9])) != Expanded)
      Mismatch("compressing and expanding again gives other bytes");
  } catch (const EReadError &E) {
    std::fprintf(stderr, "%s\n", E.what());
    Mismatch("the compressed stream does not expand");
  }
  return 0;
}
