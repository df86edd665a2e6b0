// The translation file reader, with both bParamsOnly values, and the writer in
// both encodings on whatever was read. The library's own errors are expected
// outcomes; anything else (a crash, a sanitizer report, another exception) is
// a finding.
//
// A file written in UTF-16 and read back is also checked to be stable: the
// first rewrite may still differ from it (values lose their outer blanks, an
// empty section name is written as "[]", which the reader skips), but writing
// what the rewrite reads must give the same bytes again.
#include "Exceptions.h"
#include "Translations.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray Save(TZrLang_CompTranslations &T, bool bUnicode, bool bSkipUntranslated) {
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  T.Text_SaveToStream(Buffer, bUnicode, bSkipUntranslated);
  return Bytes;
}

// False when the library rejects the text.
bool Load(TZrLang_CompTranslations &T, QByteArray Bytes, bool bParamsOnly) {
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::ReadOnly);
  try {
    T.Text_LoadFromStream(Buffer, bParamsOnly);
    return true;
  } catch (const Exception &) {
    return false;
  }
}

// Marks every third record and constant untranslated, so that the skip option
// of the writer has something to leave out.
void MarkSomeUntranslated(TZrLang_CompTranslations &T) {
  int N = 0;
  for (int C = 0; C < T.Count(); ++C)
    for (int I = 0; I < T.Items(C)->Count(); ++I)
      if (++N % 3 == 0)
        T.Items(C)->Items(I)->TranStates.Include(zrtsUntranslated);
  for (int I = 0; I < T.Constants().Count(); ++I)
    if (++N % 3 == 0)
      T.Constants().Items(I)->TranStates.Include(zrtsUntranslated);
}

void CheckStableRewrite(const QByteArray &Written) {
  TZrLang_CompTranslations Second;
  if (!Load(Second, Written, false))
    return; // the first rewrite can merge sections into duplicate IDs
  const QByteArray Rewritten = Save(Second, true, false);
  TZrLang_CompTranslations Third;
  if (!Load(Third, Rewritten, false)) {
    std::fprintf(stderr, "a rewritten translation no longer loads\n");
    std::abort();
  }
  if (Save(Third, true, false) != Rewritten) {
    std::fprintf(stderr, "writing a translation read back from its own output changed it\n");
    std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  const QByteArray Input(reinterpret_cast<const char *>(Data), qsizetype(Size));
  for (const bool bParamsOnly : {false, true}) {
    TZrLang_CompTranslations T;
    if (!Load(T, Input, bParamsOnly))
      continue;
    const QByteArray Unicode = Save(T, true, false);
    if (!T.IsStreamUnicode() || !Unicode.startsWith("\xFF\xFE"))
      std::abort();
    if (bParamsOnly) {
      Save(T, false, false);
      continue;
    }
    CheckStableRewrite(Unicode);
    // Every save costs the writer's whole block buffer, so the ANSI pass
    // doubles as the one with the skip option.
    MarkSomeUntranslated(T);
    Save(T, false, true);
  }
  return 0;
}
