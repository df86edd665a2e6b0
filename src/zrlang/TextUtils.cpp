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
  qsizetype I = 0;
  bool Negative = false;
  if (I < S.size() && (S[I] == u'-' || S[I] == u'+')) {
    Negative = S[I] == u'-';
    ++I;
  }
  int Base = 10;
  if (I < S.size() && S[I] == u'$') {
    Base = 16;
    ++I;
  } else if (I + 1 < S.size() && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
    Base = 16;
    I += 2;
  }
  if (I >= S.size())
    return false;
  qint64 Value = 0;
  for (; I < S.size(); ++I) {
    const char16_t C = S[I].unicode();
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
