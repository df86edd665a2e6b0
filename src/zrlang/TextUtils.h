#pragma once

#include <QString>
#include <QStringView>

// Removes leading and trailing code units of U+0020 and below.
QStringView ZrLang_Trim(QStringView S) noexcept;

// Integer conversion of the file formats: optional sign, decimal digits, or
// hexadecimal after "$" or "0x"; no blanks. Text that does not convert or
// lies outside the 32-bit signed range fails.
bool ZrLang_TryStrToInt(QStringView S, int &Value) noexcept;
inline int ZrLang_StrToIntDef(QStringView S, int Default) noexcept {
  int Value;
  return ZrLang_TryStrToInt(S, Value) ? Value : Default;
}

// "%.8d": at least eight digits, zero-padded after the sign (12 gives
// "00000012").
QString ZrLang_IDText(qint32 iID);
void ZrLang_AppendIDText(QString &Out, qint32 iID);

// Calls Fn(QStringView Line) for every line of Text. A line ends at CR LF, a
// lone CR or a lone LF; a final line without a break counts, an empty text has
// no lines.
template <typename F> void ZrLang_ForEachLine(QStringView Text, F &&Fn) {
  const char16_t *P = Text.utf16();
  const qsizetype N = Text.size();
  qsizetype Start = 0;
  for (qsizetype I = 0; I < N; ++I) {
    const char16_t C = P[I];
    if (C > u'\r') // one comparison for nearly every character
      continue;
    if (C == u'\r' || C == u'\n') {
      Fn(Text.sliced(Start, I - Start));
      if (C == u'\r' && I + 1 < N && P[I + 1] == u'\n')
        ++I;
      Start = I + 1;
    }
  }
  if (Start < N)
    Fn(Text.sliced(Start));
}
