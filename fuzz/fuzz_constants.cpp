// The constants stream reader (every layout). When a stream loads, it is
// written in the current layout and read back, which must give the same
// flag, names and values, with every default equal to its value, and write
// the same bytes again. The library's own errors are expected outcomes;
// anything else is a finding.
#include "Constants.h"
#include "Exceptions.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Mismatch(const char *What) {
  std::fprintf(stderr, "constants round trip: %s\n", What);
  std::abort();
}

void CheckRoundTrip(const TZrLang_Constants &Loaded, quint16 LangID) {
  const QByteArray Written = Loaded.AsRawString();
  TZrLang_Constants Reloaded([LangID] { return LangID; });
  try {
    Reloaded.SetAsRawString(Written);
  } catch (const Exception &E) {
    std::fprintf(stderr, "%s\n", E.what());
    Mismatch("the written stream does not load");
  }
  if (Reloaded.AutoSaveLangSource() != Loaded.AutoSaveLangSource())
    Mismatch("AutoSaveLangSource differs");
  if (Reloaded.Count() != Loaded.Count())
    Mismatch("the number of constants differs");
  for (int I = 0; I < Loaded.Count(); ++I) {
    const PZrLang_Constant A = Loaded.Items(I);
    const PZrLang_Constant B = Reloaded.Items(I);
    if (A->wsName != B->wsName)
      Mismatch("a name differs");
    if (A->wsValue != B->wsValue)
      Mismatch("a value differs");
    if (B->wsDefValue != B->wsValue || !B->TranStates.IsEmpty())
      Mismatch("a reloaded constant has a default or states of its own");
  }
  if (Reloaded.AsRawString() != Written)
    Mismatch("writing the reloaded list gives other bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  QByteArray Input(reinterpret_cast<const char *>(Data), qsizetype(Size));
  // The language decides the code page of old-layout values: a single-byte
  // and a multi-byte one.
  for (const quint16 LangID : {quint16(1049), quint16(1041)}) {
    TZrLang_Constants Constants([LangID] { return LangID; });
    QBuffer Buffer(&Input);
    Buffer.open(QIODevice::ReadOnly);
    try {
      Constants.LoadFromStream(Buffer);
    } catch (const Exception &) {
      continue;
    }
    CheckRoundTrip(Constants, LangID);
  }
  return 0;
}
