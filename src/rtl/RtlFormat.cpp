#include "RtlFormat.h"

#include "RtlException.h"
#include "RtlFloatText.h"

#include <QObject>
#include <optional>

namespace {

// Larger widths, precisions and indexes are taken for mistakes.
constexpr int MaxNumber = 100000;

bool IsSigned(const QVariant &Arg) {
  switch (Arg.typeId()) {
  case QMetaType::Int:
  case QMetaType::Short:
  case QMetaType::Long:
  case QMetaType::LongLong:
  case QMetaType::SChar:
    return true;
  default:
    return false;
  }
}

bool IsInteger(const QVariant &Arg) {
  switch (Arg.typeId()) {
  case QMetaType::UInt:
  case QMetaType::UShort:
  case QMetaType::ULong:
  case QMetaType::ULongLong:
  case QMetaType::UChar:
    return true;
  default:
    return IsSigned(Arg);
  }
}

// The state of one formatting: the text, the arguments and where both are.
class TFormatter {
public:
  TFormatter(const QString &Fmt, const QVariantList &Args) : FFmt(Fmt), FArgs(Args) {}
  QString Run();

private:
  [[noreturn]] void Invalid() const { throw EConvertError(FFmt); }
  bool At(char16_t C) const { return FPos < FFmt.size() && FFmt[FPos] == C; }
  const QVariant &NextArg();
  std::optional<int> ReadNumber();
  QString Convert(char16_t Type, const QVariant &Arg, int Precision);
  QString Integer(char16_t Type, const QVariant &Arg, int Precision);
  double Float(const QVariant &Arg);

  const QString &FFmt;
  const QVariantList &FArgs;
  qsizetype FPos = 0;
  qsizetype FArgIndex = 0;
};

const QVariant &TFormatter::NextArg() {
  if (FArgIndex >= FArgs.size())
    Invalid();
  return FArgs.at(FArgIndex++);
}

// Decimal digits or "*"; nothing when neither is there.
std::optional<int> TFormatter::ReadNumber() {
  if (At(u'*')) {
    ++FPos;
    const QVariant &Arg = NextArg();
    if (!IsInteger(Arg))
      Invalid();
    const qint64 N = IsSigned(Arg) ? Arg.toLongLong() : qint64(qMin(Arg.toULongLong(), 1ULL << 62));
    if (N > MaxNumber || N < -MaxNumber)
      Invalid();
    return int(N);
  }
  if (FPos >= FFmt.size() || !FFmt[FPos].isDigit() || FFmt[FPos].unicode() >= 128)
    return std::nullopt;
  int N = 0;
  while (FPos < FFmt.size() && FFmt[FPos].isDigit() && FFmt[FPos].unicode() < 128) {
    N = N * 10 + (FFmt[FPos].unicode() - u'0');
    if (N > MaxNumber)
      Invalid();
    ++FPos;
  }
  return N;
}

QString TFormatter::Run() {
  QString Result;
  Result.reserve(FFmt.size() + 16);
  for (; FPos < FFmt.size(); ++FPos) {
    if (FFmt[FPos] != u'%') {
      Result.append(FFmt[FPos]);
      continue;
    }
    ++FPos;
    if (At(u'%')) {
      Result.append(u'%');
      continue;
    }
    std::optional<int> Number = ReadNumber();
    if (Number && At(u':')) {
      if (*Number < 0)
        Invalid();
      FArgIndex = *Number;
      ++FPos;
      Number.reset();
    }
    bool bLeft = false;
    if (!Number) {
      bLeft = At(u'-');
      if (bLeft)
        ++FPos;
      Number = ReadNumber();
    }
    int Width = Number.value_or(0);
    if (Width < 0) {
      bLeft = true;
      Width = -Width;
    }
    int Precision = -1;
    if (At(u'.')) {
      ++FPos;
      Precision = std::max(ReadNumber().value_or(0), -1);
    }
    if (FPos >= FFmt.size())
      Invalid();
    const char16_t Type = QChar::toLower(FFmt[FPos].unicode());
    QString Field = Convert(Type, NextArg(), Precision);
    if (Field.size() < Width)
      Field = bLeft ? Field.leftJustified(Width) : Field.rightJustified(Width);
    Result.append(Field);
  }
  return Result;
}

QString TFormatter::Convert(char16_t Type, const QVariant &Arg, int Precision) {
  switch (Type) {
  case u'd':
  case u'u':
  case u'x':
    return Integer(Type, Arg, Precision);
  case u'e':
    return RtlFloatExponent(Float(Arg), Precision < 0 ? 15 : Precision);
  case u'f':
    return RtlFloatFixed(Float(Arg), Precision < 0 ? 2 : Precision, false);
  case u'g':
    return RtlFloatGeneral(Float(Arg), Precision < 0 ? 15 : Precision);
  case u'n':
    return RtlFloatFixed(Float(Arg), Precision < 0 ? 2 : Precision, true);
  case u'm':
    return RtlFloatMoney(Float(Arg), Precision < 0 ? 2 : Precision);
  case u'p': {
    const int Kind = Arg.typeId();
    if (Kind != QMetaType::VoidStar && Kind != QMetaType::QObjectStar && Kind != QMetaType::Nullptr)
      Invalid();
    const quintptr Address = Kind == QMetaType::QObjectStar ? quintptr(Arg.value<QObject *>())
                                                            : quintptr(Arg.value<void *>());
    return QString::number(Address, 16).toUpper().rightJustified(int(sizeof(void *)) * 2, u'0');
  }
  case u's': {
    if (Arg.typeId() != QMetaType::QString && Arg.typeId() != QMetaType::QChar)
      Invalid();
    QString Text = Arg.toString();
    if (Precision >= 0)
      Text.truncate(Precision);
    return Text;
  }
  default:
    Invalid();
  }
}

QString TFormatter::Integer(char16_t Type, const QVariant &Arg, int Precision) {
  if (!IsInteger(Arg))
    Invalid();
  bool bNegative = false;
  quint64 Magnitude = Arg.toULongLong();
  if (IsSigned(Arg)) {
    const qint64 V = Arg.toLongLong();
    bNegative = V < 0;
    if (!bNegative)
      Magnitude = quint64(V);
    else if (Type == u'd')
      Magnitude = quint64(-(V + 1)) + 1;
    else // the two's complement pattern, in 32 bits where the value fits
      Magnitude = V >= INT32_MIN ? quint64(quint32(V)) : quint64(V);
  }
  QString Digits = QString::number(Magnitude, Type == u'x' ? 16 : 10).toUpper();
  if (Precision > Digits.size())
    Digits.prepend(QString(Precision - Digits.size(), u'0'));
  return bNegative && Type == u'd' ? QChar(u'-') + Digits : Digits;
}

double TFormatter::Float(const QVariant &Arg) {
  if (Arg.typeId() != QMetaType::Double && Arg.typeId() != QMetaType::Float)
    Invalid();
  return Arg.toDouble();
}

} // namespace

QString RtlFormat(const QString &Fmt, const QVariantList &Args) {
  return TFormatter(Fmt, Args).Run();
}
