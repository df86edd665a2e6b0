#include "Escaping.h"

namespace {

inline bool IsDigit(char16_t C) {
  return C >= u'0' && C <= u'9';
}
inline bool NeedsEscape(char16_t C) {
  return C < 32 || C == u'\\';
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
  while (I < N) {
    // Ordinary characters are copied a run at a time.
    const qsizetype RunStart = I;
    while (I < N && !NeedsEscape(P[I]))
      ++I;
    if (I > RunStart)
      Result.append(QStringView(P + RunStart, I - RunStart));
    if (I == N)
      break;
    const char16_t C = P[I++];
    switch (C) {
    case u'\t':
      Result.append(u"\\t");
      break;
    case u'\n':
    case u'\r':
      Result.append(u"\\n");
      if (I < N && P[I] == (C == u'\n' ? u'\r' : u'\n'))
        ++I;
      break;
    case u'\\':
      Result.append(u"\\\\");
      break;
    default: {
      const char16_t Esc[3] = {u'\\', char16_t(u'0' + C / 10), char16_t(u'0' + C % 10)};
      Result.append(QStringView(Esc, 3));
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

  // The result is never longer than the text but for "\n", which grows by
  // nothing either (two units become CR LF): write straight into a buffer.
  QString Result(N, Qt::Uninitialized);
  char16_t *Out = reinterpret_cast<char16_t *>(Result.data());
  std::copy(P, P + I, Out);
  qsizetype O = I;
  while (I < N) {
    const char16_t C = P[I];
    if (C != u'\\' || I + 1 == N) {
      Out[O++] = C;
      ++I;
      continue;
    }
    const char16_t Next = P[I + 1];
    if (Next == u'\\') {
      Out[O++] = u'\\';
      I += 2;
    } else if (Next == u'n') {
      Out[O++] = u'\r';
      Out[O++] = u'\n';
      I += 2;
    } else if (Next == u't') {
      Out[O++] = u'\t';
      I += 2;
    } else if (IsDigit(Next) && I + 2 < N && IsDigit(P[I + 2])) {
      Out[O++] = char16_t((Next - u'0') * 10 + (P[I + 2] - u'0'));
      I += 3;
    } else {
      Out[O++] = C;
      ++I;
    }
  }
  Result.truncate(O);
  return Result;
}
