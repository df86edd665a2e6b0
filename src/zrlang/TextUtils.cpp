#include "TextUtils.h"

QStringView ZrLang_Trim(QStringView S) noexcept {
  qsizetype B = 0;
  qsizetype E = S.size();
  while (B < E && S[B].unicode() <= 32)
    ++B;
  while (E > B && S[E - 1].unicode() <= 32)
    --E;
  return S.sliced(B, E - B);
}

bool ZrLang_TryStrToInt(QStringView S, int &Result) noexcept {
  const char16_t *P = S.utf16();
  const char16_t *End = P + S.size();
  bool Negative = false;
  if (P < End && (*P == u'-' || *P == u'+'))
    Negative = *P++ == u'-';
  int Base = 10;
  if (P < End && *P == u'$') {
    Base = 16;
    ++P;
  } else if (End - P >= 2 && P[0] == u'0' && (P[1] == u'x' || P[1] == u'X')) {
    Base = 16;
    P += 2;
  }
  if (P == End)
    return false;
  qint64 Value = 0;
  for (; P < End; ++P) {
    const char16_t C = *P;
    int Digit;
    if (C >= u'0' && C <= u'9')
      Digit = C - u'0';
    else if (Base == 16 && C >= u'a' && C <= u'f')
      Digit = C - u'a' + 10;
    else if (Base == 16 && C >= u'A' && C <= u'F')
      Digit = C - u'A' + 10;
    else
      return false;
    Value = Value * Base + Digit;
    if (Value > qint64(INT32_MAX) + 1)
      return false;
  }
  if (Negative)
    Value = -Value;
  if (Value > INT32_MAX || Value < INT32_MIN)
    return false;
  Result = int(Value);
  return true;
}

void ZrLang_AppendIDText(QString &Out, qint32 iID) {
  char16_t Buffer[16];
  char16_t *End = Buffer + 16;
  char16_t *P = End;
  quint32 Magnitude = iID < 0 ? quint32(0) - quint32(iID) : quint32(iID);
  do {
    *--P = char16_t(u'0' + Magnitude % 10);
    Magnitude /= 10;
  } while (Magnitude != 0);
  while (End - P < 8)
    *--P = u'0';
  if (iID < 0)
    *--P = u'-';
  Out.append(QStringView(P, End - P));
}

QString ZrLang_IDText(qint32 iID) {
  QString Result;
  ZrLang_AppendIDText(Result, iID);
  return Result;
}
