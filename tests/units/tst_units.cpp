// Conversions between the length units and the range checks.
#include "platform/units.h"

#include <QTest>

// The value, the unit codes from and to, and the result.
using Conversion = std::tuple<double, int, int, double>;
// The value, low, high, whether low and high are included, the swap, and the answer.
using Range = std::tuple<double, double, double, bool, bool, bool, bool>;

class tst_Units : public QObject
{
    Q_OBJECT

private slots:
    void convert_data()
    {
        QTest::addColumn<Conversion>("row");
        const auto row = [](const char *name, const Conversion &r) { QTest::newRow(name) << r; };
        row("inch to cm", {1.0, 5, 7, 1440.0 / 567.0});
        row("2.54 cm to inch", {2.54, 7, 5, 1.000125});
        row("10 mm to px", {10.0, 6, 3, 32.0});
        row("1 px to twips", {1.0, 3, 1, 17.71875});
        row("1 mm to twips", {1.0, 6, 1, 56.7});
        row("1440 twips to inch", {1440.0, 1, 5, 1.0});
        row("same unit", {3.3, 7, 7, 3.3});
        row("from code 2", {3.3, 2, 7, 3.3});
        row("to code 4", {3.3, 7, 4, 3.3});
    }
    void convert()
    {
        QFETCH(Conversion, row);
        const auto &[value, from, to, expected] = row;
        QCOMPARE(convertUnit(value, from, to, 32), expected);
    }
    void ranges_data()
    {
        QTest::addColumn<Range>("row");
        const auto row = [](const char *name, const Range &r) { QTest::newRow(name) << r; };
        row("inside", {2.0, 1.0, 3.0, false, false, false, true});
        row("low excluded", {1.0, 1.0, 3.0, false, true, false, false});
        row("low included", {1.0, 1.0, 3.0, true, false, false, true});
        row("high excluded", {3.0, 1.0, 3.0, true, false, false, false});
        row("reversed, no swap", {2.0, 3.0, 1.0, true, true, false, false});
        row("reversed, swap", {2.0, 3.0, 1.0, true, true, true, true});
    }
    void ranges()
    {
        QFETCH(Range, row);
        const auto &[value, low, high, includeLow, includeHigh, autoSwap, expected] = row;
        QCOMPARE(isBetween(value, low, high, includeLow, includeHigh, autoSwap), expected);
        QVERIFY(isNear(21.2, 21, 5));
        QVERIFY(!isNear(22.1, 21, 5));
    }
};

QTEST_GUILESS_MAIN(tst_Units)
#include "tst_units.moc"
