#pragma once

#include <QString>
#include <cstdint>

// The number types and conversions of the forms runtime. Every function here
// is pure; the ones that can fail throw forms::RuntimeError.
namespace forms {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

// The number at the start of a text. Blanks, tabs and line feeds are removed
// from the whole text first; then the longest leading number is read: a sign,
// digits with an optional "." and decimals, an optional exponent (E or D), or
// an integer written &H (hex) or &O (octal). "." is always the decimal point.
// A text that begins with no number gives 0; it is never an error.
double Val(const QString &text);

// Strict conversion by the locale's rules: a text that is not wholly a number
// (blanks around it allowed) throws a type mismatch.
double CDbl(const QString &text);

// Nearest whole number, an exact half to the even neighbour; a result outside
// the type's range throws an overflow.
Integer CInt(double value);
Long CLng(double value);

// Whether CInt would accept the value.
bool fitsInteger(double value);

// The largest whole number not greater than the value.
double Int(double value);

// The decimal digits of a whole number, "-" before a negative one.
QString CStr(long long value);

// A whole number written by the digit places of a pattern made of "#" and
// "0": "0" always gives a digit, "#" only where the number has one.
QString Format(long long value, const QString &pattern);

// The colour value red + 256 * green + 65536 * blue; a component above 255
// counts as 255, one below 0 as 0.
Long RGB(int red, int green, int blue);

// Integer division and remainder: both operands converted as by CLng, the
// quotient truncated towards zero, the remainder with the sign of a.
// Division by zero throws error 11.
Long IntDiv(double a, double b);
Long Mod(double a, double b);

// Integer arithmetic that throws an overflow outside -32768..32767.
Integer checkedInteger(long long value);

} // namespace forms
