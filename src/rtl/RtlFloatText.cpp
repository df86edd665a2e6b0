#include "RtlFloatText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// The value rounded to Digits significant digits: exactly Digits decimal
// digits without sign or point, and the power of ten of the first one.
struct TDecimal {
  std::string Digits;
  int Exponent;
};

TDecimal Decompose(double Magnitude, int Digits) {
  char Buffer[64];
  const auto R = std::to_chars(Buffer, Buffer + sizeof Buffer, Magnitude,
                               std::chars_format::scientific, Digits - 1);
  const std::string Text(Buffer, R.ptr);
  const size_t E = Text.find('e');
  TDecimal D;
  for (size_t I = 0; I < E; ++I)
    if (Text[I] != '.')
      D.Digits += Text[I];
  D.Exponent = std::stoi(Text.substr(E + 1));
  return D;
}

QString ExponentText(int Exponent, bool bPlus) {
  QString Text = QString::number(std::abs(Exponent)).rightJustified(3, u'0');
  if (Exponent < 0)
    return u'-' + Text;
  return bPlus ? u'+' + Text : Text;
}

QString Mantissa(const std::string &Digits) {
  QString Text = QString::fromLatin1(Digits.substr(0, 1));
  if (Digits.size() > 1)
    Text += u'.' + QString::fromLatin1(Digits.substr(1));
  return Text;
}

bool NotFinite(double Value, QString &Text) {
  if (std::isnan(Value))
    Text = QStringLiteral("NAN");
  else if (std::isinf(Value))
    Text = Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
  else
    return false;
  return true;
}

int Clamp(int Digits, int Least) {
  return std::clamp(Digits, Least, RtlMaxFloatDigits);
}

QString GroupThousands(const QString &Integer) {
  QString Result;
  for (qsizetype I = 0; I < Integer.size(); ++I) {
    if (I > 0 && (Integer.size() - I) % 3 == 0)
      Result += u',';
    Result += Integer[I];
  }
  return Result;
}

// The magnitude with Decimals decimals, and whether it rounds to zero.
QString FixedMagnitude(double Magnitude, int Decimals, bool bThousands, bool &bZero) {
  char Buffer[400];
  const auto R =
      std::to_chars(Buffer, Buffer + sizeof Buffer, Magnitude, std::chars_format::fixed, Decimals);
  QString Text = QString::fromLatin1(Buffer, R.ptr - Buffer);
  bZero = Text.count(u'0') + Text.count(u'.') == Text.size();
  if (bThousands) {
    const qsizetype Point = Text.indexOf(u'.');
    const qsizetype End = Point < 0 ? Text.size() : Point;
    Text = GroupThousands(Text.left(End)) + Text.mid(End);
  }
  return Text;
}

} // namespace

QString RtlFloatExponent(double Value, int Digits) {
  QString Text;
  if (NotFinite(Value, Text))
    return Text;
  const TDecimal D = Decompose(std::fabs(Value), Clamp(Digits, 1));
  Text = Mantissa(D.Digits) + u'E' + ExponentText(Value == 0 ? 0 : D.Exponent, true);
  return std::signbit(Value) && Value != 0 ? u'-' + Text : Text;
}

QString RtlFloatFixed(double Value, int Decimals, bool bThousands) {
  QString Text;
  if (NotFinite(Value, Text))
    return Text;
  bool bZero = false;
  Text = FixedMagnitude(std::fabs(Value), Clamp(Decimals, 0), bThousands, bZero);
  return Value < 0 && !bZero ? u'-' + Text : Text;
}

QString RtlFloatGeneral(double Value, int Digits) {
  QString Text;
  if (NotFinite(Value, Text))
    return Text;
  if (Value == 0)
    return QStringLiteral("0");
  const int Precision = Clamp(Digits, 1);
  TDecimal D = Decompose(std::fabs(Value), Precision);
  while (D.Digits.size() > 1 && D.Digits.back() == '0')
    D.Digits.pop_back();
  const int Count = int(D.Digits.size());
  if (D.Exponent >= Precision || D.Exponent < -5) {
    Text = Mantissa(D.Digits) + u'E' + ExponentText(D.Exponent, false);
  } else if (D.Exponent < 0) {
    Text = QStringLiteral("0.") + QString(-D.Exponent - 1, u'0') + QString::fromLatin1(D.Digits);
  } else {
    const int IntegerDigits = D.Exponent + 1;
    Text = QString::fromLatin1(D.Digits.substr(0, size_t(std::min(IntegerDigits, Count))));
    if (Count > IntegerDigits)
      Text += u'.' + QString::fromLatin1(D.Digits.substr(size_t(IntegerDigits)));
    else
      Text += QString(IntegerDigits - Count, u'0');
  }
  return Value < 0 ? u'-' + Text : Text;
}

QString RtlFloatMoney(double Value, int Decimals) {
  QString Text;
  if (NotFinite(Value, Text))
    return Text;
  bool bZero = false;
  Text = u'$' + FixedMagnitude(std::fabs(Value), Clamp(Decimals, 0), true, bZero);
  return Value < 0 && !bZero ? u'(' + Text + u')' : Text;
}
