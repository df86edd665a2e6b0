#pragma once

#include <QString>
#include <QVariantList>

// The run-time text format, shared by every formatting entry point. A
// placeholder is "%" [index ":"] ["-"] [width] ["." precision] type; index,
// width and precision are decimal numbers or "*", which takes the next
// argument (an integer). An index selects the argument, and the following
// placeholders go on after it; "-" aligns left within the width. Types, in
// either case, with what the precision means:
//   d  integer; least number of digits
//   u  integer as unsigned, a negative 32-bit one as its 32-bit pattern
//   x  like u, in upper-case hexadecimal
//   e  floating point "-d.dddE+ddd"; significant digits, 15 by default
//   f  floating point "-ddd.dd"; decimals, 2 by default
//   g  the shorter of f and e without trailing zeros; significant digits,
//      15 by default
//   n  like f with thousands separators
//   m  money, "$1,234.50" and "($1,234.50)"; decimals, 2 by default
//   p  pointer, two upper-case hexadecimal digits per byte
//   s  text (a string or a character); most characters taken
// "%%" is a percent sign. A malformed placeholder, a missing argument, or an
// argument of a type the conversion does not take raises EConvertError.
QString RtlFormat(const QString &Fmt, const QVariantList &Args);
