#include "module1/gcd.h"

#include <QTest>

class TestGcd : public QObject
{
    Q_OBJECT

private slots:
    void leavesDivisorAndMultiple_data();
    void leavesDivisorAndMultiple();
};

void TestGcd::leavesDivisorAndMultiple_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("firstAfter");
    QTest::addColumn<int>("secondAfter");

    QTest::newRow("12 and 18") << 12 << 18 << 6 << 12 << 6;
    QTest::newRow("again on 12 and 6") << 12 << 6 << 6 << 12 << 6;
    QTest::newRow("18 and 12") << 18 << 12 << 6 << 12 << 6;
    QTest::newRow("6 and 4") << 6 << 4 << 2 << 4 << 2;
    QTest::newRow("7 and 9") << 7 << 9 << 1 << 2 << 1;
    QTest::newRow("5 and 5") << 5 << 5 << 5 << 5 << 5;
    QTest::newRow("21 and 20") << 21 << 20 << 1 << 20 << 1;
    QTest::newRow("13 and 21, the longest loop") << 13 << 21 << 1 << 2 << 1;
    QTest::newRow("-4 and 6") << -4 << 6 << 2 << 4 << 2;
    QTest::newRow("0 and 7") << 0 << 7 << 7 << 0 << 7;
}

void TestGcd::leavesDivisorAndMultiple()
{
    QFETCH(int, first);
    QFETCH(int, second);
    std::int32_t a = first;
    std::int32_t b = second;
    QTEST(static_cast<int>(Gcd(a, b)), "result");
    QTEST(static_cast<int>(a), "firstAfter");
    QTEST(static_cast<int>(b), "secondAfter");
}

QTEST_APPLESS_MAIN(TestGcd)
#include "tst_gcd.moc"
