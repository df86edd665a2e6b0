#pragma once

#include <QString>

// The floating-point conversions of the run-time format. Numbers use "."
// and "," whatever the locale; a precision is at most RtlMaxFloatDigits.
// Not-a-number and infinities are "NAN", "INF" and "-INF".
constexpr int RtlMaxFloatDigits = 18;

// "-d.dddE+ddd": Digits significant digits, at least three exponent digits.
QString RtlFloatExponent(double Value, int Digits);
// "-ddd.dd" with Decimals decimals; "-d,ddd.dd" with bThousands. A value
// that rounds to zero has no sign.
QString RtlFloatFixed(double Value, int Decimals, bool bThousands);
// Fixed when the value has at most Digits digits before the point and is at
// least 0.00001, otherwise "d.dddE+ddd" without the plus sign; Digits
// significant digits, trailing zeros removed.
QString RtlFloatGeneral(double Value, int Digits);
// "$1,234.50", a negative amount in parentheses: "($1,234.50)".
QString RtlFloatMoney(double Value, int Decimals);
