#include "designer/designericons.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "output/editmodedrawing.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr double kPixelsPerTwip = 96.0 / 1440; // 96 dpi at 100 %
const QColor kCanvas(200, 210, 220);

// `ratio`: device pixels per logical pixel.
QImage draw(const ReportItem &item, const QSize &box, double pixelsPerTwip = kPixelsPerTwip,
            const QImage &symbol = QImage(), int ratio = 1)
{
    QImage image(box * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kCanvas);
    QPainter painter(&image);
    drawEditMode(painter, item, QSizeF(box), pixelsPerTwip, symbol);
    return image;
}

// The bounding box of pixels matching `ink`, inside `area` (all the image when null).
template <typename Ink> QRect inkBox(const QImage &image, Ink ink, QRect area = QRect())
{
    if (area.isNull())
        area = image.rect();
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (ink(image.pixelColor(x, y)))
                found |= QRect(x, y, 1, 1);
    return found;
}

// Where pixels of exactly `color` are, inside `area`.
QRect colorBox(const QImage &image, const QColor &color, const QRect &area)
{
    return inkBox(
        image, [&](const QColor &c) { return c.rgb() == color.rgb(); }, area);
}

const auto dark = [](const QColor &c) { return qGray(c.rgb()) < 110; };
const auto saturated = [](const QColor &c) { return c.hsvSaturation() > 150 && c.value() > 80; };

std::unique_ptr<TextItem> textItem(const QString &content, int align = 0, bool bold = false)
{
    auto item = std::make_unique<TextItem>();
    item->content = content;
    item->AlignH = align;
    item->fontBold = bold;
    return item;
}

} // namespace

class EditDrawingTest : public QObject
{
    Q_OBJECT
private slots:
    void editModeText_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("shown");
        QTest::newRow("bare field") << QStringLiteral("[Name]") << QStringLiteral("Name");
        QTest::newRow("last of several") << QStringLiteral("[a].[b].[c]") << QStringLiteral("c");
    }
    void editModeText()
    {
        QFETCH(QString, content);
        QTEST(::editModeText(content), "shown");
    }

    void background_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QColor>("color");
        const QColor white(Qt::white), yellow(255, 255, 192);
        QTest::newRow("field") << "[Customers].[Name]" << yellow;
        QTest::newRow("formula") << "  =1+2 " << yellow;
        QTest::newRow("bracket inside text") << "[a] b" << white;
    }
    void background()
    {
        QFETCH(QString, content);
        QTEST(draw(*textItem(content), QSize(200, 60)).pixelColor(150, 40), "color");
    }

    void selectionFrame()
    {
        // A picture filling its box must not hide that it is selected.
        QTemporaryDir dir;
        QImage red(40, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(dir.filePath("red.png")));
        PictureItem picture;
        picture.fileName = dir.filePath("red.png");
        picture.stretch = true;
        const QPalette palette = QGuiApplication::palette();
        for (bool selected : {false, true}) {
            picture.selected = selected;
            const QImage image = draw(picture, QSize(100, 50));
            QCOMPARE(image.pixelColor(50, 25), QColor(Qt::red));
            const QColor frame = selected ? palette.color(QPalette::Highlight) : QColor(Qt::red);
            QVERIFY(colorBox(image, frame, QRect(0, 0, 100, 1)).width() > 80);
        }
        const QImage unselected = draw(*textItem("Hello"), QSize(100, 50));
        const QColor quiet = palette.color(QPalette::Inactive, QPalette::Mid);
        QVERIFY(colorBox(unselected, quiet, QRect(0, 49, 100, 1)).width() > 80);
    }

    void picturePlaceholder()
    {
        PictureItem missing;
        missing.fileName = QStringLiteral("/nonexistent/logo.png");
        const QImage image = draw(missing, QSize(200, 80));
        QCOMPARE(image.pixelColor(190, 70), QColor(236, 236, 236));
        QVERIFY(!inkBox(image, dark).isEmpty()); // the sign and the name
    }

    void textAlignment()
    {
        const QRect leftInk =
            inkBox(draw(*textItem("[Customers].[Name]", 0, true), {300, 40}), dark);
        QVERIFY(leftInk.left() < 10 && leftInk.top() < 10 && leftInk.right() < 150);
        const QRect rightInk =
            inkBox(draw(*textItem("[Customers].[Name]", 1, true), {300, 40}), dark);
        QVERIFY(rightInk.right() > 285 && rightInk.left() > 150);
        QCOMPARE(rightInk.width(), leftInk.width());
    }

    // A huge text is drawn as its start alone would be: the designer takes
    // the fixed-box path (its kinds of text are checked in tst_output).
    void hugeTextShowsItsStart()
    {
        QString words;
        for (int i = 0; words.size() < 1000000; ++i)
            words += i % 12 == 11 ? QStringLiteral("end.\r\n") : QStringLiteral("words %1 ").arg(i);
        const QImage huge = draw(*textItem(words, 1), QSize(200, 90));
        QVERIFY(!inkBox(huge, dark, QRect(0, 0, 200, 15)).isEmpty());
        QCOMPARE(huge, draw(*textItem(words.left(3000), 1), QSize(200, 90)));
    }

    void zoomDoublesTheDrawing()
    {
        // Wrapped lines break at the same words at 200 % and at twice the pixel density.
        auto item = textItem("The quick brown fox jumps over the lazy dog, twice over.");
        const QRect normal = inkBox(draw(*item, QSize(120, 80)), dark);
        QVERIFY(normal.height() > 25); // more than one line
        const QRect zoomed = inkBox(draw(*item, QSize(240, 160), 2 * kPixelsPerTwip), dark);
        const QRect dense = inkBox(draw(*item, QSize(120, 80), kPixelsPerTwip, QImage(), 2), dark);
        const QRect doubled(normal.topLeft() * 2, normal.size() * 2);
        for (const QRect &ink : {zoomed, dense}) {
            QVERIFY(qAbs(ink.left() - doubled.left()) <= 2 &&
                    qAbs(ink.top() - doubled.top()) <= 2 &&
                    qAbs(ink.right() - doubled.right()) <= 3 &&
                    qAbs(ink.bottom() - doubled.bottom()) <= 3);
        }
    }

    void chartSymbolUnderText()
    {
        ChartItem chart;
        const QImage image = draw(chart, QSize(200, 150), kPixelsPerTwip, designerChartSymbol(64));
        const QRect text = inkBox(image, dark, QRect(0, 0, 200, 30));
        QVERIFY(!text.isEmpty() && text.left() < 10);
        const QRect symbol = inkBox(image, saturated);
        QVERIFY(symbol.top() > text.bottom() && symbol.height() > 60);
        const QImage bare = draw(chart, QSize(200, 150));
        QVERIFY(inkBox(bare, saturated).isEmpty());
        // A chart covers its whole box: nothing beneath it shows through.
        QCOMPARE(bare.pixelColor(150, 100), QColor(Qt::white));
    }

    void icons()
    {
        QVERIFY(designerIcon(QStringLiteral("no-such-icon")).isNull());
        for (const QString &key : designerIconKeys()) {
            const QIcon icon = designerIcon(key);
            for (int side : {16, 32}) {
                const QImage image = icon.pixmap(side).toImage();
                QCOMPARE(image.width(), side);
                const auto opaque = [](const QColor &c) { return c.alpha() > 128; };
                QVERIFY2(!inkBox(image, opaque).isEmpty(), qPrintable(key));
            }
        }
    }
};

QTEST_MAIN(EditDrawingTest)
#include "tst_editdrawing.moc"
