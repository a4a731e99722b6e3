// Drawing pages: line breaking, borders and pictures on real pictures, text
// in PDF files, and charts from a real SQLite query.
#include "../datafixtures.h"
#include "charts/chartrendering.h"
#include "document/chartitem.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "engine/printitemoutput.h"
#include "engine/reportrun.h"
#include "output/drawingsurface.h"
#include "output/editmodedrawing.h"
#include "output/pageoutput.h"
#include "output/pdfexport.h"
#include "output/pngexport.h"
#include "output/textlayout.h"
#include "platform/connection.h"
#include "platform/recordset.h"

#include <QChart>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QXmlStreamReader>

namespace {

// A text item of 12 points; place() puts it on a page as the run would.
std::unique_ptr<TextItem> textItem(const QString &content, float x, float y, float w = 6,
                                   float h = 1)
{
    auto item = std::make_unique<TextItem>();
    item->content = content;
    item->x = x;
    item->y = y;
    item->w = w;
    item->h = h;
    item->fontSize = 12;
    return item;
}

const PageRecord &place(ReportDocument &doc, PrintedPage *page, const TextItem &item)
{
    addItemText(doc, *page, item, item.content, item.y,
                item.content.contains(u'%') ? PageRecord::PageVariables : 0);
    return page->records.back();
}

// A one-page A4 document in centimetres, for items added by a test.
std::unique_ptr<ReportDocument> onePage()
{
    auto doc = std::make_unique<ReportDocument>();
    doc->pageWidth = 21;
    doc->pageHeight = 29.7f;
    doc->run().pages.add();
    return doc;
}

// Two pages of one text each.
std::unique_ptr<ReportDocument> twoPages()
{
    auto doc = onePage();
    place(*doc, doc->run().pages.at(0), *textItem("First line of the report", 2, 2, 12));
    place(*doc, doc->run().pages.add(), *textItem("Second page text", 2, 2, 12));
    return doc;
}

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// The share of dark pixels in the area or, `coloured`, of clear colour ones.
double share(const QImage &image, const QRect &area, bool coloured = false)
{
    int hits = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            const int spread =
                std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)});
            hits += coloured ? spread > 60 : qGray(c) < 128;
        }
    }
    return area.isEmpty() ? 0 : double(hits) / (qint64(area.width()) * area.height());
}

// The words of `pdftotext -bbox-layout` and their boxes, in points from the page's top left.
QMultiHash<QString, QRectF> pdfWords(const QString &file)
{
    const QString xhtml = programOutput(
        QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), file, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QMultiHash<QString, QRectF> words;
    for (auto it = word.globalMatch(xhtml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.insert(m.captured(5), QRectF(topLeft, bottomRight));
    }
    return words;
}

constexpr double kPointsPerCm = 72 / 2.54;

// The texts of an SVG picture's text elements, as a reader gets them;
// false when the SVG cannot be read.
bool svgTexts(const QByteArray &svg, QStringList &texts)
{
    QXmlStreamReader xml(svg);
    texts.clear();
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    return !xml.hasError();
}

} // namespace

// The chart type, whether it has a legend, the series, the categories, and how many of them
// show at least.
using Labels = std::tuple<int, bool, QString, QStringList, int>;

class tst_Output : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_chartsDb;

private slots:
    // Sales(Region, Q1, Q2, Q3, Note) of two rows and Words(A, B) of one.
    void initTestCase()
    {
        m_chartsDb = makeSqliteFile(
            m_dir.filePath(QStringLiteral("charts.db")),
            {"CREATE TABLE Sales (Region TEXT, Q1 REAL, Q2 REAL, Q3 REAL, Note TEXT)",
             "INSERT INTO Sales VALUES ('North', 10, 20, 30, 'a'), ('South', 5, 15, 25, 'b')",
             "CREATE TABLE Words (A TEXT, B TEXT)", "INSERT INTO Words VALUES ('x', 'y')"});
        QVERIFY(!m_chartsDb.isEmpty());
    }

    // Wrapped to a width or cut to a box's height; the first line always stays.
    void wrapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("widthInChars"); // in widths of "n"
        QTest::addColumn<double>("boxLines");     // the box's height in lines; < 0: it grows
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("wraps keeping the space")
            << "aaa bbb ccc" << 8.5 << -1.0 << QStringList{"aaa bbb ", "ccc"};
        const QString word = QString(QStringLiteral("n")).repeated(19);
        // Broken at the edge, not left whole with an empty line before it.
        QTest::newRow("long first word")
            << QStringLiteral("x\r\n") + word + QStringLiteral(" y") << 5.5 << -1.0
            << QStringList{"x", "nnnnn", "nnnnn", "nnnnn", "nnnn ", "y"};
        QTest::newRow("long word after others")
            << QStringLiteral("a ") + word << 5.5 << -1.0
            << QStringList{"a ", "nnnnn", "nnnnn", "nnnnn", "nnnn"};
        QTest::newRow("narrower than a letter")
            << "abc" << 0.5 << -1.0 << QStringList{"a", "b", "c"};
        QTest::newRow("broken word wraps again the same")
            << "nnnnn\r\nnnnnn\r\nnn" << 5.5 << -1.0 << QStringList{"nnnnn", "nnnnn", "nn"};
        QTest::newRow("blank line kept")
            << "a\r\n\r\nb" << 5.0 << -1.0 << QStringList{"a", "", "b"};
        QTest::newRow("no width, no wrap")
            << "aaa bbb ccc ddd" << 0.0 << -1.0 << QStringList{"aaa bbb ccc ddd"};
        QTest::newRow("trailing spaces dropped") << "aaa   " << 20.0 << -1.0 << QStringList{"aaa"};
        QTest::newRow("cut, first line stays")
            << "a b c\r\nd" << 0.0 << 0.5 << QStringList{"a b c"};
        QTest::newRow("no height, no cut")
            << "a\r\nb\r\nc" << 0.0 << 0.0 << QStringList{"a", "b", "c"};
    }
    void wrapping()
    {
        QFETCH(QString, text);
        QFETCH(double, widthInChars);
        QFETCH(double, boxLines);
        QFETCH(QStringList, lines);
        DrawingSurface surface(nullptr, 7);
        surface.setFontName(QStringLiteral("Liberation Mono"));
        const double n = surface.TextWidth(QStringLiteral("n"));
        double height = qMax(boxLines, 0.0) * surface.TextHeight(QStringLiteral("x"));
        const QString wrapped = wrapText(surface, text, widthInChars * n, height, boxLines < 0);
        QVERIFY2(wrapped.split(QStringLiteral("\r\n")) == lines,
                 qPrintable(QString(wrapped).replace(QStringLiteral("\r\n"), QStringLiteral("|"))));
        if (boxLines < 0)
            QCOMPARE(height, surface.TextHeight(wrapped));
    }

    // A fixed box looks only at a huge text's start, showing the lines the whole gives.
    void hugeTextInAFixedBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width"); // cm
        QTest::addColumn<double>("lines"); // box height in lines

        const QString words = QStringLiteral("abcdefg ").repeated(4000);
        QTest::newRow("words, three lines") << words << 5.0 << 3.2;
        QTest::newRow("one long word of narrow letters") << QString(30000, u'i') << 8.0 << 1.0;
        QTest::newRow("short paragraphs") << QStringLiteral("ab\r\n").repeated(10000) << 5.0 << 3.0;
        // Spaces hang over the end of a line however many there are.
        QTest::newRow("long run of spaces")
            << QStringLiteral("a") + QString(20000, u' ') + QStringLiteral("b c") << 3.0 << 2.0;
        QTest::newRow("marks take no room")
            << QStringLiteral("e") + QString(20000, QChar(0x301)) + QStringLiteral(" next word")
            << 3.0 << 2.0;
        QTest::newRow("no wrapping") << QStringLiteral("line\r\n").repeated(5000) << 0.0 << 4.0;
    }
    void hugeTextInAFixedBox()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(double, lines);
        DrawingSurface surface(nullptr, 7);
        surface.setFontName(QStringLiteral("Liberation Sans"));
        double height = lines * surface.TextHeight(QString());
        const QString shown = wrapText(surface, text, width, height, false);
        // What the box shows of the whole text, wrapped in full.
        const QStringList all =
            wrapToWidth(surface, withoutTrailingSpaces(text), width).split(QStringLiteral("\r\n"));
        const QString expected = all.mid(0, int(lines)).join(QStringLiteral("\r\n"));
        QCOMPARE(shown, expected);

        // Drawn, the same.
        QImage drawn(400, 200, QImage::Format_RGB32);
        QImage reference = drawn;
        for (QImage *image : {&drawn, &reference}) {
            image->fill(Qt::white);
            QPainter painter(image);
            DrawingSurface on(&painter, 7);
            on.setFontName(QStringLiteral("Liberation Sans"));
            printTextBlock(on, 0, image == &drawn ? text : expected, 0, 0, width, height, false);
        }
        QCOMPARE(drawn, reference);
    }

    // A line taller than its box is drawn clipped, never left out; underline and
    // strike-through lie across their text only; centred ink lies about the box's
    // middle: on a page and in the designer (left and right: tst_editdrawing).
    void drawnText_data()
    {
        QTest::addColumn<bool>("designer");
        QTest::addColumn<QString>("look"); // "tall": 24 points in a box of 0.6 cm
        for (bool designer : {false, true})
            for (const char *look : {"tall", "plain", "underline", "strike-through", "centred"})
                QTest::addRow("%s, %s", designer ? "designer" : "page", look) << designer << look;
    }
    void drawnText()
    {
        QFETCH(bool, designer);
        QFETCH(QString, look);
        const bool tall = look == QLatin1String("tall");
        auto doc = onePage();
        auto item = textItem(tall ? "Typography" : "MMMMMMMMMM", 2, 2, 8, tall ? 0.6f : 1);
        item->fontSize = tall ? 24 : 12;
        item->fontBold = tall;
        item->fontUnderline = look == QLatin1String("underline");
        item->fontStrikethrough = look == QLatin1String("strike-through");
        item->AlignH = look == QLatin1String("centred") ? 2 : 0;
        constexpr int dpi = 100;
        const int cm = qRound(dpi / 2.54);
        QImage box(8 * cm, 2 * cm, QImage::Format_RGB32);
        if (designer) {
            box.fill(Qt::white);
            QPainter painter(&box);
            drawEditMode(painter, *item, QSizeF(8 * cm, item->h * cm), dpi / 1440.0, QImage());
        } else {
            const PageRecord &record = place(*doc, doc->run().pages.at(0), *item);
            QCOMPARE(record.h, item->h);
            QCOMPARE(record.textLines(), item->content);
            const QImage page = renderPage(*doc, 1, dpi);
            QCOMPARE(page.size(), QSize(qRound(21 / 2.54 * dpi), qRound(29.7 / 2.54 * dpi)));
            // Nothing strays above or left of the box.
            QCOMPARE(share(page, QRect(0, 0, page.width(), 2 * cm - 2)), 0.0);
            QCOMPARE(share(page, QRect(0, 0, 2 * cm - 2, page.height())), 0.0);
            box = page.copy(2 * cm, 2 * cm, 8 * cm, 2 * cm);
        }
        const int boxBottom = qRound(item->h * cm);
        QVERIFY(share(box, QRect(2, 2, 6 * cm, boxBottom - 4)) > 0.02);
        QCOMPARE(share(box, QRect(0, boxBottom + 1, 8 * cm, cm).intersected(box.rect())), 0.0);
        if (item->AlignH == 2) {
            int left = 0, right = box.width() - 1;
            while (left < right && share(box, QRect(left, 0, 1, boxBottom)) == 0)
                ++left;
            while (right > left && share(box, QRect(right, 0, 1, boxBottom)) == 0)
                --right;
            QVERIFY2(qAbs(left + right - box.width()) < cm / 2, qPrintable(QString::number(left)));
        }
        // Ten M's of 12 points are about 3.5 cm: a decoration is a row of
        // ink across them, which the letters alone never make.
        int fullRows = 0, firstFull = -1;
        for (int y = 0; y < box.height(); ++y) {
            if (share(box, QRect(cm / 10, y, 3 * cm, 1)) > 0.95) {
                ++fullRows;
                if (firstFull < 0)
                    firstFull = y;
            }
        }
        QCOMPARE(fullRows > 0, item->fontUnderline || item->fontStrikethrough);
        const int baseline = qRound(12.0 / 72 * dpi * 0.9); // about the ascent of 12 points
        if (item->fontUnderline)
            QVERIFY2(firstFull >= baseline - 2, qPrintable(QString::number(firstFull)));
        if (item->fontStrikethrough)
            QVERIFY2(firstFull > 2 && firstFull < baseline - 2,
                     qPrintable(QString::number(firstFull)));
    }

    // Colour (emoji) glyphs are drawn, not blanks, on every output and resolution.
    void colourGlyphsAreDrawn_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("dpi");
        for (int dpi : {96, 600})
            QTest::newRow(qPrintable(QStringLiteral("png %1").arg(dpi))) << "png" << dpi;
        QTest::newRow("pdf") << "pdf" << 1200;
        QTest::newRow("printer 300 dpi") << "printer" << 300;
    }
    void colourGlyphsAreDrawn()
    {
        QFETCH(QString, output);
        QFETCH(int, dpi);
        auto doc = onePage();
        place(*doc, doc->run().pages.at(0), *textItem("Party \U0001F389\U0001F355 time", 2, 2, 8));
        QImage page;
        if (output == QLatin1String("png")) {
            page = renderPage(*doc, 1, dpi);
        } else {
            if (!havePoppler())
                QSKIP("poppler-utils are not installed");
            const QString file = m_dir.filePath(output + QStringLiteral("-emoji.pdf"));
            if (output == QLatin1String("pdf")) {
                QString error;
                QVERIFY2(exportPdf(*doc, file, 0, 0, &error), qPrintable(error));
            } else {
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(file);
                printer.setResolution(dpi);
                printer.setFullPage(true);
                QPainter painter(&printer);
                drawPage(*doc, painter, 1);
            }
            // The words around stay text.
            const QString text =
                programOutput(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
            QVERIFY2(text.contains(QStringLiteral("Party")) &&
                         text.contains(QStringLiteral("time")),
                     qPrintable(text));
            dpi = 150;
            programOutput(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), file, file});
            page = QImage(file + QStringLiteral(".png"));
            QVERIFY(!page.isNull());
        }
        const double cm = dpi / 2.54;
        const QRect line(int(2 * cm), int(2 * cm), int(8 * cm), int(cm));
        // Two emoji of 12 points hold about 1/6 cm² of colour.
        QVERIFY2(share(page, line, true) > 1 / 96.0,
                 qPrintable(QString::number(share(page, line, true))));
        QVERIFY(share(page, line) > 0.01); // the words around them
    }

    void borders_data()
    {
        QTest::addColumn<int>("leftStyle");
        QTest::addColumn<int>("rightStyle");
        QTest::addColumn<bool>("leftInk");
        QTest::addColumn<bool>("rightInk");
        QTest::newRow("four equal: a box") << 0 << 0 << true << true;
        QTest::newRow("one differs: segments") << 0 << 5 << true << false;
        QTest::newRow("all invisible") << 5 << 5 << false << false;
    }
    void borders()
    {
        QFETCH(int, leftStyle);
        QFETCH(int, rightStyle);
        ReportDocument doc;
        doc.pageWidth = 10;
        doc.pageHeight = 10;
        PrintedPage *page = doc.run().pages.add();
        auto item = textItem(QString(), 2, 2, 6, 6);
        item->borders.setValues(3, 0, leftStyle);
        item->borders.right.style = rightStyle;
        place(doc, page, *item);
        const QImage image = renderPage(doc, 1, 100);
        const int l = qRound(2 / 2.54 * 100), r = qRound(8 / 2.54 * 100),
                  mid = qRound(5 / 2.54 * 100);
        QTEST(share(image, QRect(l - 2, mid - 20, 5, 40)) > 0.2, "leftInk");
        QTEST(share(image, QRect(r - 2, mid - 20, 5, 40)) > 0.2, "rightInk");
        // The top follows the left border's style in every row.
        QCOMPARE(share(image, QRect(mid - 20, l - 2, 40, 5)) > 0.2, leftStyle != 5);
    }

    void exportsFailClearly()
    {
        auto doc = twoPages();
        QString error;
        QVERIFY(
            !exportPdf(*doc, m_dir.filePath(QStringLiteral("no/such/dir/x.pdf")), 0, 0, &error));
        QVERIFY2(error.contains(QStringLiteral("x.pdf")), qPrintable(error));
        QVERIFY(!exportPdf(*doc, m_dir.filePath(QStringLiteral("x.pdf")), 5, 6, &error));
        QVERIFY(error.contains(QStringLiteral("2 pages")));
        ReportDocument empty;
        QVERIFY(!exportPdf(empty, m_dir.filePath(QStringLiteral("e.pdf")), 0, 0, &error));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("e.pdf"))));
        const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        QVERIFY(!exportPng(*doc, blocker + QStringLiteral("/sub"), 150, nullptr, &error));
    }

    void chartData_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("inRows");
        QTest::addColumn<QStringList>("series");
        QTest::addColumn<QStringList>("categories");
        QTest::newRow("columns are series")
            << "SELECT Region, Q1, Q2, Q3, Note FROM Sales" << false
            << QStringList{"Q1", "Q2", "Q3"} << QStringList{"North", "South"};
        QTest::newRow("rows are series")
            << "SELECT Region, Q1, Q2, Q3, Note FROM Sales" << true << QStringList{"North", "South"}
            << QStringList{"Q1", "Q2", "Q3"};
        QTest::newRow("text only")
            << "SELECT A, B FROM Words" << false << QStringList{} << QStringList{"x"};
        QTest::newRow("no rows") << "SELECT Region, Q1 FROM Sales WHERE 1 = 0" << false
                                 << QStringList{} << QStringList{};
    }
    void chartData()
    {
        QFETCH(QString, sql);
        QFETCH(bool, inRows);
        Connection connection;
        connection.open(QStringLiteral("Provider=SQLite;Data Source=") + m_chartsDb);
        Recordset rs;
        rs.open(sql, connection);
        const ChartData data = readChartData(rs, inRows);
        QStringList names;
        for (const ChartData::Series &s : data.series)
            names << s.name;
        QTEST(names, "series");
        QTEST(data.categories, "categories");
    }

    // Every type renders; stacking and legend reach the chart.
    void charts_data()
    {
        QTest::addColumn<int>("gType");
        for (int type : {1, 3, 5, 7, 9, 14, 16}) // a 3D type is drawn as its 2D one
            QTest::newRow(qPrintable(QString::number(type))) << type;
    }
    void charts()
    {
        QFETCH(int, gType);
        ChartData data;
        data.categories = QStringList{"a", "b", "c"};
        data.series = {{QStringLiteral("one"), {1, 2, 3}}, {QStringLiteral("two"), {3, 2, 1}}};
        data.xValues = {1, 2, 4};
        ChartItem item;
        item.gType = gType;
        item.legend = true;
        item.stack = true;
        const std::unique_ptr<QChart> chart = buildChart(item, data);
        QVERIFY(!chart->series().isEmpty());
        QVERIFY(chart->legend()->isVisible());
        if (gType == ChartItem::Bar2D)
            QCOMPARE(chart->series().first()->type(), QAbstractSeries::SeriesTypeStackedBar);
        item.stack = item.legend = false;
        const std::unique_ptr<QChart> plain = buildChart(item, data);
        QVERIFY(!plain->legend()->isVisible());
        if (gType == ChartItem::Bar2D)
            QCOMPARE(plain->series().first()->type(), QAbstractSeries::SeriesTypeBar);
        // Empty data draws an empty chart.
        QVERIFY(buildChart(item, ChartData())->series().isEmpty());
    }

    // Category labels are whole when they fit, upright when they do not, thinned when
    // even upright ones would touch; never cut to "...". Labels, legends and slices
    // show markup in data as its characters, not bold or a link.
    void categoryLabels_data()
    {
        QTest::addColumn<Labels>("row");
        const auto row = [](const char *name, const Labels &r) { QTest::newRow(name) << r; };
        const int bar = ChartItem::Bar2D;
        const QStringList countries{"UK", "FR", "DE", "IT", "ES", "PT", "NL", "BE", "LU", "AT",
                                    "CH", "DK", "SE", "NO", "FI", "IE", "PL", "CZ", "GR"};
        row("19 countries", {bar, false, "Sales", countries, 19});
        QStringList names;
        for (const QString &code : countries)
            names << QStringLiteral("Country ") + code;
        row("19 long names, upright", {bar, false, "Sales", names, 19});
        QStringList many;
        for (int i = 1; i <= 60; ++i)
            many << QStringLiteral("Item %1").arg(i);
        row("60, thinned", {bar, false, "Sales", many, 10});
        const QStringList plain{"UK", "FR"};
        row("bar category", {bar, false, "Sales", QStringList{"<b>UK</b>", "FR"}, 2});
        row("bar legend", {bar, true, "<a href=\"http://example.com/\">link</a>", plain, 2});
        row("line legend", {int(ChartItem::Line2D), true, "<i>Sales</i> & co", plain, 2});
        row("area legend", {int(ChartItem::Area2D), true, "<u>Area</u>", plain, 2});
        // A pie's legend shows the slices' labels.
        row("pie slice",
            {int(ChartItem::Pie2D), false, "Sales", QStringList{"<b>Tea</b>", "FR"}, 2});
    }
    void categoryLabels()
    {
        QFETCH(Labels, row);
        const auto &[gType, legend, series, categories, shownAtLeast] = row;
        ChartData data;
        data.categories = categories;
        QList<double> values;
        for (qsizetype i = 0; i < categories.size(); ++i)
            values << double(i % 7 + 1);
        data.series = {{series, values}};
        ChartItem item;
        item.gType = gType;
        item.legend = legend;
        // 10.6 cm by 6 cm
        QStringList texts;
        QVERIFY(svgTexts(renderChart(item, data, QSizeF(300, 170)), texts));
        QVERIFY2(!texts.contains(QStringLiteral("...")), qPrintable(texts.join(u'|')));
        int shown = 0;
        for (const QString &category : categories)
            shown += texts.contains(category);
        QVERIFY2(shown >= shownAtLeast && (!legend || texts.contains(series)),
                 qPrintable(texts.join(u'|')));
        // One label too long for the chart is shortened with an ellipsis, not dropped.
        item.gType = ChartItem::Bar2D;
        item.legend = false;
        data = {{QStringLiteral("A rather long name of a category")},
                {{QStringLiteral("Sales"), {1}}},
                {}};
        QVERIFY(svgTexts(renderChart(item, data, QSizeF(60, 60)), texts));
        QVERIFY(texts.join(u'|').contains(u'…'));
    }

    // Texts of every script break inside the box at places where a line may
    // end, lose no character and wrap again to the same lines.
    void scriptsWrapInTheBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width"); // centimetres
        QTest::addColumn<QStringList>(
            "mayEndLine"); // each line but the last ends with one of these

        QTest::newRow("chinese, no spaces")
            << QStringLiteral(
                   "中华人民共和国是世界上人口最多的国家之一，拥有悠久的历史和灿烂的文化。")
            << 3.0 << QStringList();
        // Thai words run together; lines end between words, never between
        // a consonant and its vowel or tone mark.
        QTest::newRow("thai, no spaces")
            << QStringLiteral("ภาษาไทยเขียนติดกันโดยไม่มีช่องว่างระหว่างคำ") << 2.0
            << QStringList{"ภาษา", "ไทย", "เขียน", "ติด",  "กัน",    "โดย",
                           "ไม่",   "มี",   "ช่อง",  "ว่าง", "ระหว่าง"};
        QTest::newRow("arabic at spaces")
            << QStringLiteral("هذه جملة عربية طويلة تلتف داخل المربع بين الكلمات") << 3.0
            << QStringList{" "};
    }
    void scriptsWrapInTheBox()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(QStringList, mayEndLine);
        DrawingSurface surface(nullptr, 7);
        surface.setFontSize(12);
        double height = 0;
        const QString wrapped = wrapText(surface, text, width, height, true);
        const QStringList lines = wrapped.split(QStringLiteral("\r\n"));
        const QString shown = QString(wrapped).replace(QStringLiteral("\r\n"), QStringLiteral("|"));
        QVERIFY2(lines.size() >= 3, qPrintable(shown));
        QCOMPARE(lines.join(QString()), text);
        // No character is split from its marks.
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
        qsizetype at = 0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            graphemes.setPosition(at);
            QVERIFY2(graphemes.isAtBoundary(), qPrintable(shown));
            at += lines.at(i).size();
            const QString &line = lines.at(i);
            QVERIFY2(!line.isEmpty(), qPrintable(shown));
            QVERIFY2(surface.TextWidth(line.trimmed()) < width, qPrintable(line));
            if (i + 1 < lines.size() && !mayEndLine.isEmpty()) {
                const bool atWordEnd =
                    std::any_of(mayEndLine.cbegin(), mayEndLine.cend(),
                                [&](const QString &end) { return line.endsWith(end); });
                QVERIFY2(atWordEnd, qPrintable(shown));
            }
        }
        QCOMPARE(wrapToWidth(surface, wrapped, width), wrapped);
        // Line breaks come from the reference metric: the same on any device.
        for (int dpi : {72, 150, 1200}) {
            QImage image(10, 10, QImage::Format_RGB32);
            image.setDotsPerMeterX(qRound(dpi / 0.0254));
            image.setDotsPerMeterY(qRound(dpi / 0.0254));
            QPainter painter(&image);
            DrawingSurface on(&painter, 7);
            on.setFontSize(12);
            height = 0;
            QCOMPARE(wrapText(on, text, width, height, true), wrapped);
        }
    }

    // Every script is real text in its box, in logical order, CJK in an embedded CJK
    // font; a Latin word ending a right-to-left line stands at its left. A growing
    // item's last line (blank lines counted) ends at its bottom edge. A font the
    // machine lacks is drawn in the Liberation font of its kind. Every font is an
    // embedded subset.
    void textInPdf_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("font"); // embedded in the PDF; empty: any
        QTest::addColumn<int>("lines");    // 0: two or more, height not checked
        QTest::addColumn<QString>("lastWord");
        QTest::addColumn<QString>("fontName"); // "-": the item's own
        auto row = [](const char *name, const char *content, const char *font, int lines = 0,
                      const char *lastWord = "", const char *fontName = "-") {
            QTest::newRow(name) << QString::fromUtf8(content) << QString::fromUtf8(font) << lines
                                << QString::fromUtf8(lastWord) << QString::fromUtf8(fontName);
        };
        const char *cjk = "NotoSansCJK";
        row("chinese", "中文报表测试：今日大山小水，一二三四五六七八九十。", cjk);
        row("korean", "한국어 보고서는 단어 사이에 공백이 있습니다", cjk);
        row("arabic", "هذه جملة عربية طويلة تلتف داخل المربع\r\nسنة Mirt", "");
        row("thai", "ภาษาไทยเขียนติดกันโดยไม่มีช่องว่างระหว่างคำ", "");
        // Broken at the box's edge: no ink past it.
        row("over-wide word",
            "Law: Rindfleischetikettierungsueberwachungsaufgabenuebertragungsgesetz ok", "");
        row("two blank lines, lone line feeds", "first\n\n\nfourth", "", 4, "fourth");
        row("wrapped after a blank line",
            "top\r\n\r\nalpha beta gamma delta epsilon zeta eta theta", "", 5, "theta");
        row("blank line after wrapped chinese",
            "中华人民共和国是世界上人口最多的国家之一\r\n\r\nend", "", 5, "end");
        // Copied out as written: ligatures, marks, contextual forms and
        // ideographs that share a glyph with a radical.
        row("latin", "Quarterly report, 1,234.50 € – naïve café", "", 1);
        row("ligatures", "office affluent flow fjord", "DejaVu Serif", 1, "", "DejaVu Serif");
        row("combining marks", "Ám̃ ẹ́ q̣̇ Zoë", "DejaVu Sans", 1, "", "DejaVu Sans");
        row("cjk and a radical", "人民日报 中华人民共和国 ⺠民", cjk, 1);
        row("arabic ligature", "هذه جملة عربية لا إله", "", 1);
        row("thai vowels", "ภาษาไทย น้ำใจ กำลัง", "", 1);
        row("colour emoji", "Smile 😀 and 👍 done", "", 1);
        for (const auto &[name, family] : {std::pair{"Courier New", "Liberation Mono"},
                                           {"", "Liberation Sans"},
                                           {"liberation serif", "liberation serif"}})
            row(*name ? name : "empty font name", "Fallback", family, 1, "Fallback", name);
    }
    void textInPdf()
    {
        QFETCH(QString, content);
        QFETCH(QString, font);
        QFETCH(int, lines);
        QFETCH(QString, lastWord);
        QFETCH(QString, fontName);
        const bool fallback = fontName != QLatin1String("-");
        if (!havePoppler())
            QSKIP("poppler-utils are not installed");
        auto doc = onePage();
        auto design = textItem(content, 2, 2,
                               lines == 1 ? 17
                               : lines    ? 4
                                          : 3.5f,
                               lines ? 0.2f : 0.5f);
        design->CanGrowVertical = true;
        if (fallback)
            design->fontName = fontName;
        const PageRecord *item = &place(*doc, doc->run().pages.at(0), *design);
        DrawingSurface measure(nullptr, 7);
        design->initFont(measure);
        const double line = measure.TextHeight(QStringLiteral("x")); // in centimetres
        if (lines) {
            QCOMPARE(int(item->lineCount), lines);
            QVERIFY2(qAbs(item->h - lines * line) < 1e-4,
                     qPrintable(QString::number(item->h / line)));
        } else {
            QVERIFY(item->lineCount >= 2);
        }
        const QString file = m_dir.filePath(QStringLiteral("script.pdf"));
        QString error;
        QVERIFY2(exportPdf(*doc, file, 0, 0, &error), qPrintable(error));

        // Letters only: pdftotext adds direction controls and spaces as it sees fit.
        auto letters = [](QString text) {
            static const QRegularExpression controls(
                QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}\\s]"));
            return text.normalized(QString::NormalizationForm_C).remove(controls);
        };
        const QString text =
            programOutput(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        QCOMPARE(letters(text), letters(content));

        // Boxes of words come from the fonts' ascent and descent: those of a
        // fallback font reach a little further than the item's font.
        const double bottom = (item->y + item->h) * kPointsPerCm;
        const double slack = line * kPointsPerCm / 4;
        const QMultiHash<QString, QRectF> words = pdfWords(file);
        for (auto w = words.cbegin(); w != words.cend(); ++w) {
            QVERIFY2(w->left() >= 2 * kPointsPerCm - 0.5, qPrintable(w.key()));
            QVERIFY2(w->right() <= (2 + design->w) * kPointsPerCm + 0.5, qPrintable(w.key()));
            QVERIFY2(w->bottom() <= bottom + slack, qPrintable(w.key()));
        }
        // The last line ends at the bottom (a word not found has no bottom).
        const double last = words.value(lastWord).bottom();
        QVERIFY2(lastWord.isEmpty() ||
                     (last <= bottom + 0.5 && last > bottom - line * kPointsPerCm),
                 qPrintable(QStringLiteral("%1 vs %2").arg(last).arg(bottom)));
        const QString mirt = QStringLiteral("Mirt");
        QCOMPARE(words.contains(mirt), content.contains(mirt));
        int neighbours = 0;
        for (auto w = words.cbegin(); w != words.cend() && words.contains(mirt); ++w) {
            if (w.key() != mirt && qAbs(w->center().y() - words.value(mirt).center().y()) < 2) {
                QVERIFY2(w->left() >= words.value(mirt).right(), qPrintable(w.key()));
                ++neighbours;
            }
        }
        QCOMPARE(neighbours > 0, words.contains(mirt));
        const QString fonts = programOutput(QStringLiteral("pdffonts"), {file});
        QVERIFY2(fonts.contains(QString(font).remove(u' '), Qt::CaseInsensitive),
                 qPrintable(fonts));
        // Every font a subset, embedded, with its text.
        for (const QString &line : fonts.split(u'\n', Qt::SkipEmptyParts).mid(2)) {
            QVERIFY2(line.contains(
                         QRegularExpression(QStringLiteral("^[A-Z]{6}\\+.*yes\\s+yes\\s+yes"))),
                     qPrintable(line));
        }
        if (fallback) // nothing else
            QCOMPARE(fonts.split(u'\n', Qt::SkipEmptyParts).size(), 3);
    }
};

QTEST_MAIN(tst_Output)
#include "tst_output.moc"
