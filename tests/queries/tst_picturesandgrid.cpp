// Pictures read from binary fields, and recordset rows copied into the
// browser's grid.
#include "querysupport.h"

#include "data/dataaccess.h"
#include "data/recordsetgrid.h"
#include "document/talvodocument.h"
#include "platform/connection.h"
#include "platform/recordset.h"

#include <QDir>
#include <QStandardItemModel>
#include <QTest>

using namespace QuerySupport;

class tst_PicturesAndGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void pictureFromTheFieldsBytes();
    void pictureInsideAnOleWrapper();
    void noPicture_data();
    void noPicture();
    void pictureLeavesNoTemporaryFile();

    void gridRows_data();
    void gridRows();
    void gridCellsAreTheValuesText();

private:
    std::unique_ptr<Recordset> open(const QString &sql);
    Connection m_demo;
    Connection m_fixture;
};

void tst_PicturesAndGrid::initTestCase()
{
    m_demo.Open(sqliteConnection(demoDb()));
    m_fixture.Open(sqliteConnection(fixtureDb()));
}

void tst_PicturesAndGrid::cleanupTestCase()
{
    m_demo.Close();
    m_fixture.Close();
}

std::unique_ptr<Recordset> tst_PicturesAndGrid::open(const QString &sql)
{
    auto rs = std::make_unique<Recordset>();
    rs->Open(sql, sql.contains(QStringLiteral("People")) ? m_fixture : m_demo,
             Recordset::adOpenStatic);
    return rs;
}

void tst_PicturesAndGrid::pictureFromTheFieldsBytes()
{
    auto rs = open(QStringLiteral("SELECT CategoryID, Picture FROM Categories ORDER BY 1"));
    int pictures = 0;
    for (; !rs->Eof(); rs->MoveNext()) {
        QString why = QStringLiteral("stale");
        const QImage image = pictureFromField(*rs, QStringLiteral("Picture"), &why);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() > 0 && image.height() > 0);
        QVERIFY(why.isEmpty());
        ++pictures;
    }
    QCOMPARE(pictures, 8);
}

void tst_PicturesAndGrid::pictureInsideAnOleWrapper()
{
    auto rs = open(QStringLiteral("SELECT Picture FROM Categories WHERE CategoryID = 1"));
    const QByteArray png = rs->value(0).toByteArray();
    const QImage expected = QImage::fromData(png);

    // A wrapped copy: an OLE-style header, then the file's bytes.
    const QString hex = QString::fromLatin1(
        (QByteArray("\x15\x1c\x2f\x00\x02\x00\x00\x00Paint.Picture\x00", 22) + png).toHex());
    auto wrapped = std::make_unique<Recordset>();
    wrapped->Open(QStringLiteral("SELECT X'%1' AS Picture FROM People LIMIT 1").arg(hex),
                  m_fixture);
    const QImage image = pictureFromField(*wrapped, QStringLiteral("Picture"));
    QCOMPARE(image.size(), expected.size());
    QCOMPARE(image.pixel(0, 0), expected.pixel(0, 0));
}

void tst_PicturesAndGrid::noPicture_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("reason");

    QTest::newRow("bytes that are no picture")
        << "SELECT Photo FROM People WHERE ID = 1" << "Photo" << "no picture";
    QTest::newRow("null") << "SELECT Photo FROM People WHERE ID = 2" << "Photo" << "Null";
    QTest::newRow("text field") << "SELECT Name FROM People WHERE ID = 1" << "Name"
                                << "not a binary";
    QTest::newRow("missing field") << "SELECT Name FROM People WHERE ID = 1" << "Photo"
                                   << "cannot be read";
    QTest::newRow("no current row") << "SELECT Photo FROM People WHERE ID = 99" << "Photo"
                                    << "cannot be read";
}

void tst_PicturesAndGrid::noPicture()
{
    QFETCH(QString, sql);
    QFETCH(QString, field);
    QFETCH(QString, reason);
    auto rs = open(sql);
    QString why;
    QVERIFY(pictureFromField(*rs, field, &why).isNull());
    QVERIFY2(why.contains(reason), qPrintable(why));
    QVERIFY(why.contains(field));
}

void tst_PicturesAndGrid::pictureLeavesNoTemporaryFile()
{
    const QStringList before = QDir::temp().entryList(QDir::Files);
    auto rs = open(QStringLiteral("SELECT Picture FROM Categories"));
    QVERIFY(!pictureFromField(*rs, QStringLiteral("Picture")).isNull());
    QCOMPARE(QDir::temp().entryList(QDir::Files), before);
}

void tst_PicturesAndGrid::gridRows_data()
{
    QTest::addColumn<long>("firstRow");
    QTest::addColumn<long>("maxRows");
    QTest::addColumn<long>("maxAfter");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("all rows") << 1L << 0L << 4L << QStringList{"1", "2", "3"};
    QTest::newRow("from the second") << 2L << 0L << 4L << QStringList{"2", "3"};
    QTest::newRow("two rows") << 1L << 2L << 2L << QStringList{"1", "2"};
    QTest::newRow("beyond the last") << 4L << 0L << 4L << QStringList{};
    QTest::newRow("row 0 means the first") << 0L << 1L << 1L << QStringList{"1"};
}

void tst_PicturesAndGrid::gridRows()
{
    QFETCH(long, firstRow);
    QFETCH(long, maxRows);
    QFETCH(long, maxAfter);
    QFETCH(QStringList, ids);
    auto rs = open(QStringLiteral("SELECT ID, Name, City FROM People ORDER BY ID"));
    QStandardItemModel grid;
    grid.appendRow(new QStandardItem(QStringLiteral("stale")));
    fillGridFromRecordset(*rs, grid, firstRow, maxRows, true);
    QCOMPARE(maxRows, maxAfter);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Name"));
    QStringList got;
    for (int r = 0; r < grid.rowCount(); ++r)
        got << grid.item(r, 0)->text();
    QCOMPARE(got, ids);
}

void tst_PicturesAndGrid::gridCellsAreTheValuesText()
{
    auto rs = open(QStringLiteral("SELECT ID, Name, City, Score, Photo FROM People ORDER BY ID"));
    QStandardItemModel grid;
    long maxRows = 0;
    fillGridFromRecordset(*rs, grid, 1, maxRows, false);
    QCOMPARE(grid.rowCount(), 3);
    QVERIFY(!grid.horizontalHeaderItem(0) || grid.horizontalHeaderItem(0)->text() != "ID");
    QCOMPARE(grid.item(0, 1)->text(), QStringLiteral("O'Brien"));
    QCOMPARE(grid.item(0, 3)->text(), QStringLiteral("2.5"));
    QCOMPARE(grid.item(0, 4)->text(), QStringLiteral("(binary, 4 bytes)"));
    QCOMPARE(grid.item(1, 2)->text(), QString()); // Null
    QCOMPARE(grid.item(1, 4)->text(), QString());
    QCOMPARE(grid.item(2, 3)->text(), QStringLiteral("1.25"));

    // Memo text keeps its line feeds; carriage returns go.
    auto notes = open(QStringLiteral("SELECT Notes FROM Orders WHERE Notes LIKE '%' || char(13) || '%'"));
    if (notes->RecordCount() > 0) {
        long all = 0;
        fillGridFromRecordset(*notes, grid, 1, all, true);
        QVERIFY(!grid.item(0, 0)->text().contains(u'\r'));
        QVERIFY(grid.item(0, 0)->text().contains(u'\n'));
    }
}

MIRT_REGISTER_QUERY_TEST(tst_PicturesAndGrid)
#include "tst_picturesandgrid.moc"
