#include "Format.h"

#include "Exceptions.h"

namespace {

[[noreturn]] void InvalidFormat(const QString &Fmt) {
  throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Fmt));
}

int ReadNumber(const QString &Fmt, qsizetype &I) {
  int N = 0;
  while (I < Fmt.size() && Fmt[I].isDigit() && Fmt[I].unicode() < 128) {
    N = N * 10 + (Fmt[I].unicode() - u'0');
    if (N > 100000)
      InvalidFormat(Fmt);
    ++I;
  }
  return N;
}

} // namespace

QString ZrLang_Format(const QString &Fmt, const QVariantList &Args) {
  QString Result;
  Result.reserve(Fmt.size() + 16);
  qsizetype ArgIndex = 0;
  for (qsizetype I = 0; I < Fmt.size(); ++I) {
    const QChar C = Fmt[I];
    if (C != u'%') {
      Result.append(C);
      continue;
    }
    if (++I >= Fmt.size())
      InvalidFormat(Fmt);
    if (Fmt[I] == u'%') {
      Result.append(u'%');
      continue;
    }
    const bool LeftAlign = Fmt[I] == u'-';
    if (LeftAlign)
      ++I;
    const int Width = ReadNumber(Fmt, I);
    int Precision = -1;
    if (I < Fmt.size() && Fmt[I] == u'.') {
      ++I;
      Precision = ReadNumber(Fmt, I);
    }
    if (I >= Fmt.size() || ArgIndex >= Args.size())
      InvalidFormat(Fmt);
    const QVariant &Arg = Args.at(ArgIndex++);
    QString Field;
    const char16_t Type = QChar::toLower(Fmt[I].unicode());
    if (Type == u's') {
      Field = Arg.toString();
      if (Precision >= 0)
        Field.truncate(Precision);
    } else if (Type == u'd' || Type == u'u' || Type == u'x') {
      bool Ok = false;
      const qlonglong V = Arg.toLongLong(&Ok);
      if (!Ok || Arg.typeId() == QMetaType::QString)
        InvalidFormat(Fmt);
      const qulonglong Magnitude = V < 0 && Type == u'd' ? qulonglong(-(V + 1)) + 1 : qulonglong(V);
      QString Digits = QString::number(Type != u'd' && V < 0 ? qulonglong(quint32(V)) : Magnitude,
                                       Type == u'x' ? 16 : 10);
      if (Type == u'x')
        Digits = Digits.toUpper();
      if (Precision > Digits.size())
        Digits.prepend(QString(Precision - Digits.size(), u'0'));
      Field = (V < 0 && Type == u'd') ? u'-' + Digits : Digits;
    } else {
      InvalidFormat(Fmt);
    }
    if (Field.size() < Width)
      Field = LeftAlign ? Field.leftJustified(Width) : Field.rightJustified(Width);
    Result.append(Field);
  }
  return Result;
}
