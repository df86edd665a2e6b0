#include "TextOrder.h"

namespace {
inline char16_t UpperAscii(char16_t C) {
  return (C >= u'a' && C <= u'z') ? char16_t(C - 32) : C;
}
} // namespace

int ZrLang_CompareText(QStringView A, QStringView B) noexcept {
  const qsizetype N = std::min(A.size(), B.size());
  const char16_t *PA = A.utf16();
  const char16_t *PB = B.utf16();
  for (qsizetype I = 0; I < N; ++I) {
    const int D = int(UpperAscii(PA[I])) - int(UpperAscii(PB[I]));
    if (D != 0)
      return D;
  }
  return A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
}

QString ZrLang_TextOrderKey(QStringView Name) {
  QString Key = Name.toString();
  for (QChar &C : Key)
    C = QChar(UpperAscii(C.unicode()));
  return Key;
}
