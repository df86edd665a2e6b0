// The language source reader. The library's own errors are expected
// outcomes; anything else is a finding. A source that loads must keep its
// lists in order: components by name in text order, properties by ID.
#include "Exceptions.h"
#include "LangSource.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// Code units compared after folding a-z to upper case.
int CompareFolded(QStringView A, QStringView B) {
  const qsizetype N = std::min(A.size(), B.size());
  for (qsizetype I = 0; I < N; ++I) {
    char16_t CA = A[I].unicode(), CB = B[I].unicode();
    if (CA >= u'a' && CA <= u'z')
      CA -= 32;
    if (CB >= u'a' && CB <= u'z')
      CB -= 32;
    if (CA != CB)
      return CA < CB ? -1 : 1;
  }
  return A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
}

void CheckOrder(const TLangSource &Source) {
  const TComponentSources &Components = Source.ComponentSources();
  for (int C = 0; C < Components.Count(); ++C) {
    if (C > 0 &&
        CompareFolded(Components.Items(C - 1)->CompName(), Components.Items(C)->CompName()) > 0)
      std::abort();
    const TPropertySources &Props = Components.Items(C)->PropertySources();
    for (int I = 1; I < Props.Count(); ++I)
      if (Props.Items(I - 1)->iID > Props.Items(I)->iID)
        std::abort();
  }
  const TZrLang_Constants &Constants = Source.Constants();
  for (int I = 1; I < Constants.Count(); ++I)
    if (CompareFolded(Constants.Items(I - 1)->wsName, Constants.Items(I)->wsName) >= 0)
      std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  QByteArray Input(reinterpret_cast<const char *>(Data), qsizetype(Size));
  QBuffer Buffer(&Input);
  Buffer.open(QIODevice::ReadOnly);
  try {
    const TLangSource Source(Buffer, QStringLiteral("fuzz.zrlang"));
    CheckOrder(Source);
  } catch (const Exception &) {
  }
  return 0;
}
