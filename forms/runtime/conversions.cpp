#include "forms/runtime/conversions.h"

#include "forms/runtime/runtimeerror.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace forms {
namespace {

// ASCII digits only: QChar::isDigit would also take other scripts' digits.
int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isDigitIn(const QString &text, qsizetype pos, int base)
{
    if (pos >= text.size())
        return false;
    const int digit = digitValue(text.at(pos));
    return digit >= 0 && digit < base;
}

qsizetype skipDigits(const QString &text, qsizetype pos, int base)
{
    while (isDigitIn(text, pos, base))
        ++pos;
    return pos;
}

bool isOneOf(const QString &text, qsizetype pos, const char16_t *choices)
{
    return pos < text.size() && QStringView(choices).contains(text.at(pos));
}

QString withoutBlanks(const QString &text)
{
    QString result = text;
    result.remove(u' ').remove(u'\t').remove(u'\n');
    return result;
}

// &H and &O values that fit 16 bits read as a 16-bit signed number, those that
// fit 32 bits as a 32-bit one (&HFFFF and &HFFFFFFFF are both -1), as the
// classic runtime does; anything longer reads as its plain unsigned value.
double asSignedWord(double unsignedValue)
{
    constexpr double wordLimit = 65536.0;
    constexpr double longLimit = 4294967296.0;
    if (unsignedValue < wordLimit)
        return unsignedValue >= wordLimit / 2 ? unsignedValue - wordLimit : unsignedValue;
    if (unsignedValue < longLimit)
        return unsignedValue >= longLimit / 2 ? unsignedValue - longLimit : unsignedValue;
    return unsignedValue;
}

// The text after the "&": an H or O, then digits in that base.
double leadingRadixInteger(const QString &text)
{
    const int base = isOneOf(text, 0, u"Hh") ? 16 : isOneOf(text, 0, u"Oo") ? 8 : 0;
    if (base == 0)
        return 0;
    double value = 0;
    for (qsizetype pos = 1; isDigitIn(text, pos, base); ++pos)
        value = value * base + digitValue(text.at(pos));
    return asSignedWord(value);
}

// The length of an exponent starting at pos, or 0 when no digit follows the
// letter (then the number ends before the letter).
qsizetype exponentLength(const QString &text, qsizetype pos)
{
    if (!isOneOf(text, pos, u"EeDd"))
        return 0;
    qsizetype digitsStart = pos + 1;
    if (isOneOf(text, digitsStart, u"+-"))
        ++digitsStart;
    const qsizetype end = skipDigits(text, digitsStart, 10);
    return end > digitsStart ? end - pos : 0;
}

double leadingDecimal(const QString &text)
{
    const qsizetype digitsStart = isOneOf(text, 0, u"+-") ? 1 : 0;
    const qsizetype integerEnd = skipDigits(text, digitsStart, 10);
    qsizetype end = integerEnd;
    if (isOneOf(text, end, u"."))
        end = skipDigits(text, end + 1, 10);
    const bool hasDigits = integerEnd > digitsStart || end > integerEnd + 1;
    if (!hasDigits)
        return 0;
    end += exponentLength(text, end);
    QString number = text.left(end);
    number.replace(u'D', u'e').replace(u'd', u'e');
    // Only our own scanned characters reach here, so the one failure left is
    // a value out of range: Qt then gives an infinity (or 0 on underflow),
    // which is the result we want for "1e999".
    return QLocale::c().toDouble(number);
}

// Rounds without the floating-point environment: the fraction of a double
// is exact, so the half case is detected exactly.
double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1;
}

template <typename T>
bool withinRange(double wholeValue)
{
    // Written so that NaN fails too.
    return wholeValue >= static_cast<double>(std::numeric_limits<T>::min())
        && wholeValue <= static_cast<double>(std::numeric_limits<T>::max());
}

template <typename T>
T roundedTo(double value)
{
    const double rounded = roundHalfEven(value);
    if (!withinRange<T>(rounded))
        throw RuntimeError::overflow();
    return static_cast<T>(rounded);
}

struct LongOperands
{
    Long dividend;
    Long divisor;
};

LongOperands divisionOperands(double a, double b)
{
    const LongOperands operands{CLng(a), CLng(b)};
    if (operands.divisor == 0)
        throw RuntimeError(11, QStringLiteral("Divisione per zero"));
    return operands;
}

unsigned long long magnitude(long long value)
{
    // Through unsigned so that the most negative value has a magnitude too.
    const auto bits = static_cast<unsigned long long>(value);
    return value < 0 ? 0 - bits : bits;
}

} // namespace

double Val(const QString &text)
{
    const QString compact = withoutBlanks(text);
    if (compact.startsWith(u'&'))
        return leadingRadixInteger(compact.mid(1));
    return leadingDecimal(compact);
}

double CDbl(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale::system().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    // "inf" and "nan" parse, but are no numbers a program can have typed.
    if (!ok || !std::isfinite(value))
        throw RuntimeError::typeMismatch();
    return value;
}

Integer CInt(double value)
{
    return roundedTo<Integer>(value);
}

Long CLng(double value)
{
    return roundedTo<Long>(value);
}

bool fitsInteger(double value)
{
    return withinRange<Integer>(roundHalfEven(value));
}

double Int(double value)
{
    return std::floor(value);
}

QString CStr(long long value)
{
    return QString::number(value);
}

// Every place from the first "0" on is a mandatory digit; the "#" places
// before it add nothing, since a longer number prints all its digits anyway.
QString Format(long long value, const QString &pattern)
{
    const qsizetype firstZero = pattern.indexOf(u'0');
    const qsizetype mandatoryDigits = firstZero < 0 ? 0 : pattern.size() - firstZero;
    const unsigned long long digits = magnitude(value);
    const QString significant = digits == 0 ? QString() : QString::number(digits);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    return sign + significant.rightJustified(mandatoryDigits, u'0');
}

Long RGB(int red, int green, int blue)
{
    const auto component = [](int value) { return std::clamp(value, 0, 255); };
    return component(red) + 256 * component(green) + 65536 * component(blue);
}

Long IntDiv(double a, double b)
{
    const LongOperands operands = divisionOperands(a, b);
    // The one quotient that does not fit: -2147483648 \ -1.
    if (operands.dividend == std::numeric_limits<Long>::min() && operands.divisor == -1)
        throw RuntimeError::overflow();
    return operands.dividend / operands.divisor;
}

Long Mod(double a, double b)
{
    const LongOperands operands = divisionOperands(a, b);
    // Anything Mod -1 is 0; computing it would be undefined for the minimum.
    if (operands.divisor == -1)
        return 0;
    return operands.dividend % operands.divisor;
}

Integer checkedInteger(long long value)
{
    if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
        throw RuntimeError::overflow();
    return static_cast<Integer>(value);
}

} // namespace forms
