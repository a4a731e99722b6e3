// Conversions between the length units and the range checks.
#include "platform/units.h"

#include <QTest>

class tst_Units : public QObject
{
    Q_OBJECT

private slots:
    void convert_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<double>("expected");

        QTest::newRow("inch to cm") << 1.0 << 5 << 7 << 1440.0 / 567.0;
        QTest::newRow("2.54 cm to inch") << 2.54 << 7 << 5 << 1.000125;
        QTest::newRow("10 mm to px") << 10.0 << 6 << 3 << 32.0;
        QTest::newRow("1 px to twips") << 1.0 << 3 << 1 << 17.71875;
        QTest::newRow("1 mm to twips") << 1.0 << 6 << 1 << 56.7;
        QTest::newRow("1440 twips to inch") << 1440.0 << 1 << 5 << 1.0;
        QTest::newRow("same unit") << 3.3 << 7 << 7 << 3.3;
        QTest::newRow("from code 2") << 3.3 << 2 << 7 << 3.3;
        QTest::newRow("to code 4") << 3.3 << 7 << 4 << 3.3;
    }
    void convert()
    {
        QFETCH(double, value);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(double, expected);
        QCOMPARE(convertUnit(value, from, to, 32), expected);
    }
    void ranges_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("includeLow");
        QTest::addColumn<bool>("includeHigh");
        QTest::addColumn<bool>("autoSwap");
        QTest::addColumn<bool>("expected");

        QTest::newRow("inside") << 2.0 << 1.0 << 3.0 << false << false << false << true;
        QTest::newRow("low excluded") << 1.0 << 1.0 << 3.0 << false << true << false << false;
        QTest::newRow("low included") << 1.0 << 1.0 << 3.0 << true << false << false << true;
        QTest::newRow("high excluded") << 3.0 << 1.0 << 3.0 << true << false << false << false;
        QTest::newRow("reversed, no swap") << 2.0 << 3.0 << 1.0 << true << true << false << false;
        QTest::newRow("reversed, swap") << 2.0 << 3.0 << 1.0 << true << true << true << true;
    }
    void ranges()
    {
        QFETCH(double, value);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(bool, includeLow);
        QFETCH(bool, includeHigh);
        QFETCH(bool, autoSwap);
        QFETCH(bool, expected);
        QCOMPARE(isBetween(value, low, high, includeLow, includeHigh, autoSwap), expected);
        QVERIFY(isNear(21.2, 21, 5));
        QVERIFY(!isNear(22.1, 21, 5));
    }
};

QTEST_GUILESS_MAIN(tst_Units)
#include "tst_units.moc"
