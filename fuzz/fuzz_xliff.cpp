// The XLIFF reader, and its writer on whatever was read: the reader's own
// errors are expected outcomes; anything else (a crash, a sanitizer report,
// another exception) is a finding. Units with the library's line breaks, as a
// document's catalogue has them, must come back from the writer unchanged.
#include "XliffExchange.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

TExchangeCatalog Read(QByteArray Bytes, bool &bOk) {
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::ReadOnly);
  bOk = true;
  try {
    return ReadXliff(Buffer);
  } catch (const EExchangeFileError &) {
    bOk = false;
    return {};
  }
}

bool SameUnits(const TExchangeCatalog &A, const TExchangeCatalog &B) {
  if (A.Units.size() != B.Units.size())
    return false;
  for (size_t I = 0; I < A.Units.size(); ++I) {
    const TExchangeUnit &X = A.Units[I], &Y = B.Units[I];
    if (X.Id != Y.Id || X.Source != Y.Source || X.Target != Y.Target || X.State != Y.State)
      return false;
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  bool bOk = false;
  TExchangeCatalog Catalog =
      Read(QByteArray(reinterpret_cast<const char *>(Data), qsizetype(Size)), bOk);
  if (!bOk)
    return 0;
  for (TExchangeUnit &Unit : Catalog.Units) {
    Unit.Source = ToExchangeText(Unit.Source);
    Unit.Target = ToExchangeText(Unit.Target);
  }
  QByteArray Written;
  QBuffer Buffer(&Written);
  Buffer.open(QIODevice::WriteOnly);
  if (!WriteXliff(Buffer, Catalog).isEmpty())
    return 0; // units that XML cannot carry were left out
  const TExchangeCatalog Again = Read(Written, bOk);
  if (!bOk || !SameUnits(Catalog, Again)) {
    std::fprintf(stderr, "the units the XLIFF writer wrote read back otherwise\n");
    std::abort();
  }
  return 0;
}
