#include "forms/runtime/conversions.h"
#include "forms/runtime/runtimeerror.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace forms;

namespace {

constexpr int noError = 0;
constexpr int overflowError = 6;
constexpr int divisionByZeroError = 11;
constexpr int typeMismatchError = 13;

// The run-time error number a call raises, or noError when it returns.
template <typename Call>
int errorNumberOf(Call call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return noError;
}

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr long long longMin = std::numeric_limits<Long>::min();

} // namespace

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void cdbl_data();
    void cdbl();
    void cdblRejects_data();
    void cdblRejects();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void cintRange_data();
    void cintRange();
    void clngRange_data();
    void clngRange();
    void intFloors_data();
    void intFloors();
    void cstr_data();
    void cstr();
    void format_data();
    void format();
    void rgb_data();
    void rgb();
    void intDivAndMod_data();
    void intDivAndMod();
    void intDivAndModErrors_data();
    void intDivAndModErrors();
    void checkedInteger_data();
    void checkedInteger();
};

void TestConversions::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "-." << 0.0;
    QTest::newRow("negative") << "-12" << -12.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("second sign ends") << "5-3" << 5.0;
    QTest::newRow("zero then sign") << "0-5" << 0.0;
    QTest::newRow("double sign") << "+-5" << 0.0;
    QTest::newRow("letter ends") << "7abc" << 7.0;
    QTest::newRow("second point ends") << "5.5.5" << 5.5;
    QTest::newRow("comma is no point") << "1,5" << 1.0;
    QTest::newRow("no integer part") << "-.5" << -0.5;
    QTest::newRow("no decimals") << "5." << 5.0;
    QTest::newRow("blanks inside removed") << "1 2 3" << 123.0;
    QTest::newRow("tab and line feed removed") << "\t1\n2 " << 12.0;
    QTest::newRow("carriage return ends") << "12\r\n3" << 12.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent D") << "5D2" << 500.0;
    QTest::newRow("negative exponent") << "5d-1" << 0.5;
    QTest::newRow("exponent with blanks") << "2 E 2" << 200.0;
    QTest::newRow("E without digits") << "5E" << 5.0;
    QTest::newRow("E with sign only") << "5E+" << 5.0;
    QTest::newRow("second exponent ends") << "1e3e4" << 1000.0;
    QTest::newRow("huge exponent") << "1e999" << infinity;
    QTest::newRow("huge negative") << "-1e999" << -infinity;
    QTest::newRow("tiny exponent") << "1e-999" << 0.0;

    QTest::newRow("hex") << "&HFF" << 255.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex with blanks") << " & H 1 0" << 16.0;
    QTest::newRow("hex stops at non-digit") << "&HFFG" << 255.0;
    QTest::newRow("hex without digits") << "&H" << 0.0;
    QTest::newRow("hex with sign") << "&H-1" << 0.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal lower case") << "&o17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O178" << 15.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("unknown radix") << "&Z1" << 0.0;
    QTest::newRow("sign before ampersand") << "-&H10" << 0.0;
    QTest::newRow("16-bit top") << "&H7FFF" << 32767.0;
    QTest::newRow("16-bit wraps") << "&H8000" << -32768.0;
    QTest::newRow("16-bit minus one") << "&HFFFF" << -1.0;
    QTest::newRow("octal 16-bit minus one") << "&O177777" << -1.0;
    QTest::newRow("32-bit positive") << "&H10000" << 65536.0;
    QTest::newRow("32-bit wraps") << "&H80000000" << -2147483648.0;
    QTest::newRow("32-bit minus one") << "&HFFFFFFFF" << -1.0;
    QTest::newRow("beyond 32 bits unsigned") << "&H100000000" << 4294967296.0;
}

void TestConversions::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestConversions::cdbl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole") << "7" << 7.0;
    QTest::newRow("C decimal point") << "7.5" << 7.5;
    QTest::newRow("blanks around") << "  -7.5 " << -7.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
}

void TestConversions::cdbl()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(CDbl(text), expected);
}

void TestConversions::cdblRejects_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("trailing letters") << "7abc";
    QTest::newRow("blank inside") << "1 2";
    QTest::newRow("hex") << "&H10";
    QTest::newRow("infinity word") << "inf";
    QTest::newRow("nan word") << "nan";
    QTest::newRow("too large") << "1e999";
}

void TestConversions::cdblRejects()
{
    QFETCH(QString, text);
    QCOMPARE(errorNumberOf([&] { CDbl(text); }), typeMismatchError);
}

void TestConversions::roundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("below half") << 2.4999 << 2;
    QTest::newRow("above half") << 2.5001 << 3;
    QTest::newRow("negative above half") << -2.6 << -3;
    QTest::newRow("whole") << -7.0 << -7;
}

void TestConversions::roundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(CInt(value)), expected);
    QCOMPARE(int(CLng(value)), expected);
}

void TestConversions::cintRange_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("top rounds down") << 32767.4 << true << 32767;
    QTest::newRow("top half rounds out") << 32767.5 << false << 0;
    QTest::newRow("past top") << 32768.0 << false << 0;
    QTest::newRow("bottom") << -32768.0 << true << -32768;
    QTest::newRow("bottom half to even") << -32768.5 << true << -32768;
    QTest::newRow("past bottom") << -32768.6 << false << 0;
    QTest::newRow("infinity") << infinity << false << 0;
    QTest::newRow("minus infinity") << -infinity << false << 0;
    QTest::newRow("nan") << notANumber << false << 0;
}

void TestConversions::cintRange()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    QCOMPARE(fitsInteger(value), fits);
    if (!fits) {
        QCOMPARE(errorNumberOf([&] { CInt(value); }), overflowError);
        return;
    }
    QCOMPARE(int(CInt(value)), expected);
}

void TestConversions::clngRange_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<long long>("expected");

    QTest::newRow("beyond Integer") << 40000.5 << true << 40000LL;
    QTest::newRow("top rounds down") << 2147483647.4 << true << 2147483647LL;
    QTest::newRow("top half rounds out") << 2147483647.5 << false << 0LL;
    QTest::newRow("bottom half to even") << -2147483648.5 << true << longMin;
    QTest::newRow("past bottom") << -2147483649.0 << false << 0LL;
    QTest::newRow("infinity") << infinity << false << 0LL;
    QTest::newRow("nan") << notANumber << false << 0LL;
}

void TestConversions::clngRange()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(long long, expected);
    if (!fits) {
        QCOMPARE(errorNumberOf([&] { CLng(value); }), overflowError);
        return;
    }
    QCOMPARE(static_cast<long long>(CLng(value)), expected);
}

void TestConversions::intFloors_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("positive") << 2.9 << 2.0;
    QTest::newRow("negative") << -2.1 << -3.0;
    QTest::newRow("negative whole") << -2.0 << -2.0;
    QTest::newRow("beyond Long") << 1e12 + 0.5 << 1e12;
}

void TestConversions::intFloors()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(Int(value), expected);
}

void TestConversions::cstr_data()
{
    QTest::addColumn<long long>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0LL << "0";
    QTest::newRow("positive has no blank") << 42LL << "42";
    QTest::newRow("negative") << -42LL << "-42";
}

void TestConversions::cstr()
{
    QFETCH(long long, value);
    QFETCH(QString, expected);
    QCOMPARE(CStr(value), expected);
}

void TestConversions::format_data()
{
    QTest::addColumn<long long>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("leading zero") << 7LL << "00"
                                  << "07";
    QTest::newRow("zero by #0") << 0LL << "#0"
                                << "0";
    QTest::newRow("zero by 00") << 0LL << "00"
                                << "00";
    QTest::newRow("zero by ####0") << 0LL << "####0"
                                   << "0";
    QTest::newRow("# adds no zero") << 42LL << "###0"
                                    << "42";
    QTest::newRow("more digits than places") << 12345LL << "#0"
                                             << "12345";
    QTest::newRow("no thousands separator") << 1234567LL << "####0"
                                            << "1234567";
    QTest::newRow("negative padded") << -5LL << "00"
                                     << "-05";
    QTest::newRow("negative long") << -12345LL << "00"
                                   << "-12345";
    QTest::newRow("most negative") << std::numeric_limits<long long>::min() << "#0"
                                   << "-9223372036854775808";
    QTest::newRow("zero by # alone") << 0LL << "#"
                                     << "";
}

void TestConversions::format()
{
    QFETCH(long long, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, pattern), expected);
}

void TestConversions::rgb_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<int>("expected");

    QTest::newRow("black") << 0 << 0 << 0 << 0;
    QTest::newRow("white") << 255 << 255 << 255 << 0xFFFFFF;
    QTest::newRow("component order") << 1 << 2 << 3 << 0x030201;
    QTest::newRow("red clamped") << 300 << 0 << 0 << 255;
    QTest::newRow("blue clamped") << 120 << 80 << 300 << 120 + 80 * 256 + 255 * 65536;
    QTest::newRow("negatives to zero") << -5 << -1 << 256 << 255 * 65536;
}

void TestConversions::rgb()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(int, expected);
    QCOMPARE(RGB(red, green, blue), expected);
}

void TestConversions::intDivAndMod_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("quotient");
    QTest::addColumn<int>("remainder");

    QTest::newRow("exact") << 8.0 << 2.0 << 4 << 0;
    QTest::newRow("positive") << 7.0 << 2.0 << 3 << 1;
    QTest::newRow("negative dividend") << -7.0 << 2.0 << -3 << -1;
    QTest::newRow("negative divisor") << 7.0 << -2.0 << -3 << 1;
    QTest::newRow("both negative") << -7.0 << -2.0 << 3 << -1;
    QTest::newRow("dividend rounded up") << 7.5 << 2.0 << 4 << 0;
    QTest::newRow("dividend rounded to even") << 6.5 << 4.0 << 1 << 2;
    QTest::newRow("divisor rounded") << 9.0 << 2.6 << 3 << 0;
    QTest::newRow("beyond Integer") << 100000.0 << 3.0 << 33333 << 1;
}

void TestConversions::intDivAndMod()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, quotient);
    QFETCH(int, remainder);
    QCOMPARE(IntDiv(a, b), quotient);
    QCOMPARE(Mod(a, b), remainder);
}

void TestConversions::intDivAndModErrors_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("intDivError");
    QTest::addColumn<int>("modError");

    QTest::newRow("by zero") << 7.0 << 0.0 << divisionByZeroError << divisionByZeroError;
    QTest::newRow("divisor rounds to zero") << 7.0 << 0.4 << divisionByZeroError << divisionByZeroError;
    QTest::newRow("zero by zero") << 0.0 << -0.5 << divisionByZeroError << divisionByZeroError;
    QTest::newRow("dividend too large") << 3e9 << 2.0 << overflowError << overflowError;
    QTest::newRow("divisor too large") << 1.0 << -3e9 << overflowError << overflowError;
    QTest::newRow("minimum by minus one") << double(longMin) << -1.0 << overflowError << noError;
}

void TestConversions::intDivAndModErrors()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, intDivError);
    QFETCH(int, modError);
    QCOMPARE(errorNumberOf([&] { IntDiv(a, b); }), intDivError);
    QCOMPARE(errorNumberOf([&] { Mod(a, b); }), modError);
}

void TestConversions::checkedInteger_data()
{
    QTest::addColumn<long long>("value");
    QTest::addColumn<int>("error");

    QTest::newRow("top") << 32767LL << noError;
    QTest::newRow("past top") << 32768LL << overflowError;
    QTest::newRow("bottom") << -32768LL << noError;
    QTest::newRow("past bottom") << -32769LL << overflowError;
    QTest::newRow("far beyond 32 bits") << (1LL << 40) << overflowError;
}

void TestConversions::checkedInteger()
{
    QFETCH(long long, value);
    QFETCH(int, error);
    QCOMPARE(errorNumberOf([&] { forms::checkedInteger(value); }), error);
    if (error == noError)
        QCOMPARE(static_cast<long long>(forms::checkedInteger(value)), value);
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
