#include "Escaping.h"

namespace {
inline bool IsDigit(char16_t C) {
  return C >= u'0' && C <= u'9';
}
} // namespace

QString EncodeControlChars(QStringView Value) {
  QString Result;
  AppendEncodedControlChars(Result, Value);
  return Result;
}

void AppendEncodedControlChars(QString &Result, QStringView Value) {
  const char16_t *P = Value.utf16();
  const qsizetype N = Value.size();
  qsizetype I = 0;
  while (I < N && P[I] >= 32 && P[I] != u'\\')
    ++I;
  Result.append(Value.first(I));
  for (; I < N; ++I) {
    const char16_t C = P[I];
    switch (C) {
    case u'\t':
      Result.append(u"\\t");
      break;
    case u'\n':
    case u'\r':
      Result.append(u"\\n");
      if (I + 1 < N && P[I + 1] == (C == u'\n' ? u'\r' : u'\n'))
        ++I;
      break;
    case u'\\':
      Result.append(u"\\\\");
      break;
    default:
      if (C < 32) {
        const char16_t Esc[3] = {u'\\', char16_t(u'0' + C / 10), char16_t(u'0' + C % 10)};
        Result.append(QStringView(Esc, 3));
      } else {
        Result.append(QChar(C));
      }
    }
  }
}

QString DecodeControlChars(QStringView Text) {
  const char16_t *P = Text.utf16();
  const qsizetype N = Text.size();
  qsizetype I = 0;
  while (I < N && P[I] != u'\\')
    ++I;
  if (I == N)
    return Text.toString();

  QString Result;
  Result.reserve(N + 8);
  Result.append(Text.first(I));
  while (I < N) {
    const char16_t C = P[I];
    if (C == u'\\' && I + 1 < N) {
      const char16_t Next = P[I + 1];
      if (Next == u'\\') {
        Result.append(QChar(u'\\'));
        I += 2;
        continue;
      }
      if (Next == u'n') {
        Result.append(u"\r\n");
        I += 2;
        continue;
      }
      if (Next == u't') {
        Result.append(QChar(u'\t'));
        I += 2;
        continue;
      }
      if (IsDigit(Next) && I + 2 < N && IsDigit(P[I + 2])) {
        Result.append(QChar(char16_t((Next - u'0') * 10 + (P[I + 2] - u'0'))));
        I += 3;
        continue;
      }
    }
    Result.append(QChar(C));
    ++I;
  }
  return Result;
}
