#include "../datafixtures.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "engine/printitemoutput.h"
#include "engine/reportrun.h"
#include "output/htmlexport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>

using Setup = std::function<void(TextItem &)>;
Q_DECLARE_METATYPE(Setup)

namespace {

std::unique_ptr<TextItem> textItem(const QString &content, float x = 2, float y = 3)
{
    auto item = std::make_unique<TextItem>();
    item->content = content;
    item->x = x;
    item->y = y;
    item->w = 4;
    item->h = 0.5f;
    return item;
}

// The item's text on the page as it stands, not wrapped; page numbers are
// filled in when written unless the item shows a field.
const PageRecord &place(ReportDocument &doc, PrintedPage *page, const TextItem &item,
                        bool field = false)
{
    const TextStyle style{item.fontName,   item.fontSize,      item.fontBold,
                          item.fontItalic, item.fontUnderline, item.fontStrikethrough,
                          item.fontColor};
    const bool variables = !field && item.content.contains(u'%');
    PageRecord &record = addTextRecord(doc.run().pages, *page, runMetrics(doc.unit()), style,
                                       item.content, item.x, item.y, item.w, item.h, item.AlignH,
                                       variables ? PageRecord::PageVariables : 0);
    if (item.borders.isAnyBorders())
        record.frame = doc.run().pages.bordersIndex(item.borders);
    return record;
}

// A picture, 3 down, of the image or the SVG; a chart fills its box.
const PageRecord &addPicture(PrintedPage *page, const QImage &image, const QByteArray &svg, float x,
                             float w, float h, bool stretch = false, bool chart = false)
{
    PagePicture picture;
    picture.image = image;
    picture.svg = svg;
    picture.stretch = stretch || chart;
    picture.chart = chart;
    PageRecord record;
    record.kind = PageRecord::Picture;
    record.x = x;
    record.y = 3;
    record.w = w;
    record.h = h;
    record.content = std::make_shared<const PagePicture>(std::move(picture));
    page->records.push_back(std::move(record));
    return page->records.back();
}

QString chromium()
{
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

// Loads the page in headless Chromium and returns, for every positioned block
// in document order, its box in CSS pixels, its text and its font families.
// Events are handled while the browser runs, so a listener can answer.
QJsonArray renderedBlocks(const QString &htmlFile, QString *failure,
                          const QString &selector = QStringLiteral("div"))
{
    QFile file(htmlFile);
    if (!file.open(QIODevice::Append)) {
        *failure = file.errorString();
        return {};
    }
    file.write("<script>var r=[];document.querySelectorAll('" + selector.toUtf8() +
               "').forEach(function(d){var b=d.getBoundingClientRect();"
               "r.push({x:b.left+window.scrollX,y:b.top+window.scrollY,w:b.width,h:b.height,"
               "t:(d.innerText||'').trim(),f:getComputedStyle(d).fontFamily,l:d.complete==="
               "undefined||(d.complete&&d.naturalWidth>0)});});"
               "var p=document.createElement('pre');p.id='boxes';"
               "p.textContent=encodeURIComponent(JSON.stringify(r));"
               "document.body.appendChild(p);</script>");
    file.close();
    QProcess browser;
    QTemporaryDir profile;
    browser.start(chromium(),
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                   QStringLiteral("--disable-gpu"),
                   QStringLiteral("--user-data-dir=") + profile.path(),
                   QStringLiteral("--dump-dom"), QUrl::fromLocalFile(htmlFile).toString()});
    QSignalSpy finished(&browser, &QProcess::finished);
    if (!finished.wait(120000)) {
        *failure = QStringLiteral("the browser did not finish");
        browser.kill();
        return {};
    }
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    const QRegularExpression boxes(QStringLiteral("<pre id=\"boxes\">(.*)</pre>"));
    const QRegularExpressionMatch match = boxes.match(dom);
    if (!match.hasMatch()) {
        *failure = QStringLiteral("no result from the browser: ") +
                   QString::fromUtf8(browser.readAllStandardError()).left(500);
        return {};
    }
    const QString json = QUrl::fromPercentEncoding(match.captured(1).toLatin1());
    return QJsonDocument::fromJson(json.toUtf8()).array();
}

} // namespace

class tst_Html : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // An item's block in the document's unit, its text escaped, the CSS of its font,
    // colours, decoration, direction and borders. Every line the page draws has a
    // border that shows; a font missing here is followed by the family the page was
    // drawn with, then the generic family of its kind.
    void styles_data()
    {
        QTest::addColumn<QString>("css");
        QTest::addColumn<QString>("absent"); // empty: not checked
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("text"); // as written, ending the block
        QTest::addColumn<int>("unit");
        auto row = [](const char *name, const QString &css, const char *absent, Setup setup,
                      const char *text = "t", int unit = 7) {
            QTest::newRow(name) << css << QString::fromUtf8(absent) << setup
                                << QString::fromUtf8(text) << unit;
        };
        auto content = [](const char *text) {
            return Setup([=](TextItem &i) { i.content = QString::fromUtf8(text); });
        };
        row("centimetres",
            "<div style=\"position: absolute;  top: 1.5cm;  left: 0.5cm;  width: 4cm;  height: "
            "0.5cm;  font-size: 10pt;  font-family: 'Arial', 'Liberation Sans', sans-serif;  "
            "text-align: Left;  color: #000000;  white-space: pre; \">",
            "", content("Hello"), "Hello");
        row("twips have no suffix",
            "<div style=\"position: absolute;  top: 1.5;  left: 0.5;  width: 4;  height: 0.5; ", "",
            content("x"), "x", 1);
        row("spaces only", " height: 0.5cm;  font-size: 1pt; font-family:", "", content("   "), "");
        row("markup is escaped", "<div style=", "", content("<script>alert(\"x\")</script> & co"),
            "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; co");
        row("line breaks", "<div style=", "", content("one\r\ntwo\nthree"), "one<br>two<br>three");
        row("leading and inner spaces are kept", "<div style=", "", content("  a   b  "),
            "  a   b");
        row("underline", " text-decoration: underline; ", "line-through",
            [](TextItem &i) { i.fontUnderline = true; });
        row("both", " text-decoration: underline line-through; ", "nowrap",
            [](TextItem &i) { i.fontUnderline = i.fontStrikethrough = true; });
        row("plain", " white-space: pre; ", "text-decoration", [](TextItem &) {});
        const char *rtl = "<div dir=\"rtl\" style=\"";
        const char *arabic = "مرحبا بالعالم 2026", *hebrew = "12 שלום", *latin = "Hello مرحبا";
        row("arabic reads from the right", rtl, "dir=\"ltr\"", content(arabic), arabic);
        row("hebrew after a number", rtl, "<div style", content(hebrew), hebrew);
        row("latin stays left to right", "<div style=\"", "dir=", content(latin), latin);
        auto border = [](int style, int width) {
            return Setup([=](TextItem &i) { i.borders.left.setValues(width, 255, style); });
        };
        const QString b = QStringLiteral(" border-left: #FF0000 %1; ");
        // CSS has no dash-dot line; solid and dotted are in the last row.
        row("dash-dot", b.arg("1px dashed"), "", border(3, 1));
        row("width 0 draws one pixel", b.arg("1px solid"), "", border(0, 0));
        const QList<QPair<const char *, const char *>> fonts{
            {"Times New Roman", "'Times New Roman', 'Liberation Serif', serif"},
            {"Liberation Serif", "'Liberation Serif', serif"},
            {"Nothing Like It", "'Nothing Like It', 'Liberation Sans', sans-serif"},
            {"A\n1'\\\x7f<", "'A\\a 1\\'\\\\\\7f &lt;', 'Liberation Sans', sans-serif"},
            {"Liberation \"Sans\"",
             "'Liberation &quot;Sans&quot;', 'Liberation Sans', sans-serif"}};
        for (const auto &[font, css] : fonts)
            row(font, QStringLiteral(" font-family: %1; ").arg(css), "",
                [font = QString(font)](TextItem &i) { i.fontName = font; });
        // Colours are stored blue first.
        row("bold italic centred, colours",
            " text-align: Center;  font-style: Italic;  font-weight: bold;  color: #FF0000;  "
            "border-left: "
            "#0000FF 2px solid;  border-top: #000000 1px dotted;  white-space: pre; \">",
            "", [](TextItem &i) {
                i.fontBold = i.fontItalic = true;
                i.AlignH = 2;
                i.fontColor = 255;
                i.borders.left.setValues(2, 16711680, BorderLine::Solid);
                i.borders.top.setValues(1, 0, BorderLine::Dot);
            });
        row("german locale writes periods",
            " left: 0.75cm;  width: 4cm;  height: 0.5cm;  font-size: 10.5pt; ", "",
            [](TextItem &i) {
                QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
                i.x = 2.25f;
                i.fontSize = 10.5f;
            });
    }
    void styles()
    {
        QFETCH(QString, css);
        QFETCH(QString, absent);
        QFETCH(Setup, setup);
        QFETCH(QString, text);
        QFETCH(int, unit);
        ReportDocument doc;
        doc.setUnit(unit);
        doc.topMargin = doc.leftMargin = 1.5f; // as many units: setUnit converted them
        auto item = textItem(QStringLiteral("t"));
        setup(*item);
        const QString html = pageRecordHtml(doc, place(doc, doc.run().pages.add(), *item));
        QLocale::setDefault(QLocale::c());
        QVERIFY2(html.contains(css), qPrintable(html));
        QVERIFY2(absent.isEmpty() || !html.contains(absent), qPrintable(html));
        QVERIFY(!html.contains(QRegularExpression(QStringLiteral("\\d,\\d"))));
        QVERIFY2(html.endsWith(QStringLiteral("\">") + text + QStringLiteral("</div>")),
                 qPrintable(html));
    }

    void pageFile()
    {
        ReportDocument doc;
        doc.docName = QStringLiteral("Sales <2026>");
        PrintedPage *first = doc.run().pages.add();
        place(doc, first, *textItem(QStringLiteral("Page %page% of %pages%")));
        addPicture(first, QImage(), QByteArray(), 2, 4, 4);
        PrintedPage *second = doc.run().pages.add();
        place(doc, second, *textItem(QStringLiteral("%page% stays")), true);

        const QString path = m_dir.filePath(QStringLiteral("page.html"));
        int page = 1;
        QVERIFY(doc.exportHtmlPage(path, page));
        const QString html = QString::fromUtf8(bytesIn(path));
        QVERIFY2(html.startsWith(
                     QStringLiteral("<HTML><HEAD><TITLE>Sales &lt;2026&gt; (page 1)</TITLE>")),
                 qPrintable(html));
        QVERIFY(html.section(QStringLiteral("\r\n"), 0, 0).contains("<meta charset='utf-8'>"));
        QVERIFY2(html.contains(QStringLiteral("\">Page 1 of 2</div>\r\n\r\n</BODY></HTML>\r\n")),
                 qPrintable(html));

        page = 9; // beyond the last page: the last one
        QVERIFY(doc.exportHtmlPage(path, page));
        QCOMPARE(page, 2);
        QVERIFY(QString::fromUtf8(bytesIn(path)).contains(QStringLiteral("\">%page% stays</div>")));

        const QString untouched = m_dir.filePath(QStringLiteral("zero.html"));
        page = 0;
        QVERIFY(doc.exportHtmlPage(untouched, page));
        QVERIFY(!QFile::exists(untouched));

        page = 1;
        QVERIFY(!doc.exportHtmlPage(m_dir.filePath(QStringLiteral("missing/dir/x.html")), page));
        QVERIFY(doc.errorString().contains(QStringLiteral("missing/dir/x.html")));

        // All pages in one file, each numbered.
        const QString all = m_dir.filePath(QStringLiteral("all.html"));
        QVERIFY(doc.exportHtmlAllPages(all));
        const QString allHtml = QString::fromUtf8(bytesIn(all));
        QCOMPARE(allHtml.count(QStringLiteral("<div class=\"page\"")), 2);
        QVERIFY(allHtml.contains(QStringLiteral("page-break-after: always")));
        QVERIFY(allHtml.contains(QStringLiteral("\">Page 1 of 2</div>")));
        QVERIFY(allHtml.contains(QStringLiteral("\">%page% stays</div>")));
    }

    // Pictures are embedded PNGs in their boxes, stretched or at their proportions, top-left.
    void pictures_data()
    {
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("vector");
        QTest::addColumn<QString>("size");
        QTest::newRow("at its proportions") << false << false << " width: 4cm;  height: 2cm; ";
        QTest::newRow("stretched") << true << false << " width: 4cm;  height: 4cm; ";
        QTest::newRow("svg at its proportions") << false << true << " width: 4cm;  height: 2cm; ";
    }
    void pictures()
    {
        QFETCH(bool, stretch);
        QFETCH(bool, vector);
        QFETCH(QString, size);
        QImage source(40, 20, QImage::Format_RGB32);
        source.fill(Qt::white);
        QPainter(&source).fillRect(0, 0, 20, 20, QColor(200, 0, 0));
        ReportDocument doc;
        const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
                               "<rect width='20' height='20' fill='#C80000'/></svg>";
        const PageRecord &picture = addPicture(doc.run().pages.add(), vector ? QImage() : source,
                                               vector ? svg : QByteArray(), 2, 4, 4, stretch);
        const QString html = pageRecordHtml(doc, picture);
        QVERIFY2(
            html.startsWith(
                QStringLiteral("<img style=\"position: absolute;  top: 1.5cm;  left: 0.5cm; ") +
                size),
            qPrintable(html.left(200)));
        const QRegularExpression uri(
            QStringLiteral("src=\"data:image/png;base64,([A-Za-z0-9+/=]+)\""));
        const QRegularExpressionMatch match = uri.match(html);
        QVERIFY(match.hasMatch());
        const QImage embedded =
            QImage::fromData(QByteArray::fromBase64(match.captured(1).toLatin1()), "PNG");
        QVERIFY(!embedded.isNull());
        if (!vector)
            QCOMPARE(embedded.convertToFormat(QImage::Format_RGB32), source);
        // Red on the left half, white on the right, whatever the scale.
        QCOMPARE(QColor(embedded.pixel(embedded.width() / 4, embedded.height() / 2)),
                 QColor(200, 0, 0));
        const QColor right = embedded.pixelColor(embedded.width() * 3 / 4, embedded.height() / 2);
        QVERIFY2(right.alpha() == 0 || right == QColor(Qt::white),
                 qPrintable(right.name(QColor::HexArgb)));

        // A picture that could not be loaded writes nothing.
        QCOMPARE(pageRecordHtml(doc, addPicture(doc.run().pages.add(), {}, {}, 2, 4, 4)),
                 QString());
    }

    // Charts are their SVG inline, filling their boxes.
    void charts()
    {
        ReportDocument doc;
        const PageRecord &graph =
            addPicture(doc.run().pages.add(), QImage(),
                       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                       "<svg width=\"60mm\" height=\"40mm\" viewBox=\"0 0 170 113\" "
                       "xmlns=\"http://www.w3.org/2000/svg\">\n"
                       "<defs><linearGradient id=\"g1\"><stop offset=\"0\" "
                       "stop-color=\"red\"/></linearGradient></defs>\n"
                       "<rect width=\"170\" height=\"113\" fill=\"url(#g1)\"/><text x=\"5\" "
                       "y=\"20\">North &amp; South, url(#g1)</text>\n"
                       "</svg>\n",
                       2, 6, 4, true, true);
        const QString html = pageRecordHtml(doc, graph);
        QVERIFY2(html.startsWith(QStringLiteral(
                     "<svg style=\"position: absolute;  top: 1.5cm;  left: 0.5cm;  width: 6cm;  "
                     "height: 4cm; \" preserveAspectRatio=\"none\"")),
                 qPrintable(html));
        QVERIFY(html.endsWith(QStringLiteral("</svg>")));
        QVERIFY(!html.contains(QStringLiteral("<?xml")));
        QVERIFY(!html.contains(QStringLiteral("60mm")));
        QVERIFY(html.contains(QStringLiteral("viewBox=\"0 0 170 113\"")));
        QVERIFY(html.contains(QStringLiteral(">North &amp; South, url(#g1)</text>")));
        // Ids stay unique when a page holds several charts.
        const QRegularExpressionMatch id =
            QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).match(html);
        QVERIFY(id.hasMatch() && id.captured(1) != QLatin1String("g1"));
        QVERIFY(html.contains(QStringLiteral("url(#%1)").arg(id.captured(1))));
        QVERIFY(pageRecordHtml(doc, graph) != html);

        QCOMPARE(
            pageRecordHtml(doc, addPicture(doc.run().pages.add(), {}, {}, 2, 6, 4, true, true)),
            QString());
    }

    // A browser shows the picture, the chart and the text in their boxes.
    void browserPlacesPicturesAndCharts()
    {
        if (chromium().isEmpty())
            QSKIP("chromium is not installed (scripts/install-deps.sh installs it)");
        ReportDocument doc;
        PrintedPage *page = doc.run().pages.add();
        QImage green(40, 20, QImage::Format_RGB32);
        green.fill(Qt::darkGreen);
        addPicture(page, green, QByteArray(), 2, 4, 4);
        addPicture(page, QImage(),
                   "<svg width=\"100\" height=\"50\" viewBox=\"0 0 100 50\" "
                   "xmlns=\"http://www.w3.org/2000/svg\">"
                   "<rect width=\"100\" height=\"50\" fill=\"blue\"/></svg>",
                   7, 6, 2, true, true);
        place(doc, page, *textItem(QStringLiteral("  indented"), 2, 8));
        const QString path = m_dir.filePath(QStringLiteral("pictures.html"));
        int number = 1;
        QVERIFY(doc.exportHtmlPage(path, number));
        QString failure;
        const QJsonArray boxes = renderedBlocks(path, &failure, QStringLiteral("img, svg, div"));
        QVERIFY2(boxes.size() == 3, qPrintable(failure));
        // Each box within a pixel of its place in centimetres.
        auto near = [&](int i, const QRectF &cm) {
            const QJsonObject box = boxes.at(i).toObject();
            const QRectF px(box.value("x").toDouble(), box.value("y").toDouble(),
                            box.value("w").toDouble(), box.value("h").toDouble());
            const QRectF expected(cm.topLeft() * 96 / 2.54, cm.size() * 96 / 2.54);
            return qAbs(px.left() - expected.left()) < 1 && qAbs(px.top() - expected.top()) < 1 &&
                   qAbs(px.width() - expected.width()) < 1 &&
                   qAbs(px.height() - expected.height()) < 1;
        };
        QVERIFY(boxes.at(0).toObject().value("l").toBool()); // the data URI decoded
        QVERIFY(near(0, QRectF(0.5, 1.5, 4, 2)));
        QVERIFY(near(1, QRectF(5.5, 1.5, 6, 2)));
        QVERIFY(near(2, QRectF(0.5, 6.5, 4, 0.5)));
        QCOMPARE(boxes.at(2).toObject().value("t").toString(), QStringLiteral("indented"));
    }

    // Report strings cannot leave the CSS string or the attribute they are
    // written into: the browser opening the page requests nothing from the
    // listener, reads the whole font list and shows the text as written.
    // The control row references the listener on purpose, to show that a
    // request would be seen.
    void browserRequestsNothing_data()
    {
        QTest::addColumn<QString>("attack"); // %1: an address of the listener
        QTest::newRow("control") << QString();
        // Every control character takes the same escape: CR, LF and FF end a line.
        QTest::newRow("control characters")
            << QStringLiteral("Arial\x01\x1f\x7f\r\f\n;background-image:url(%1);") + QChar(0) +
                   QStringLiteral("\n;background:url(%1)");
        QTest::newRow("quote") << QStringLiteral("Arial'; background-image:url(%1); x:'");
        QTest::newRow("escaped quote") << QStringLiteral("Arial\\'; background-image:url(%1); x:'");
        QTest::newRow("attribute ends")
            << QStringLiteral("Arial\"><img src=\"%1\"><div style=\"background:url(%1)");
        QTest::newRow("markup") << QStringLiteral("</div><img src=%1></title><img src=%1>");
    }
    void browserRequestsNothing()
    {
        QFETCH(QString, attack);
        if (chromium().isEmpty())
            QSKIP("chromium is not installed (scripts/install-deps.sh installs it)");
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        int requests = 0;
        auto take = [&] {
            while (QTcpSocket *socket = listener.nextPendingConnection()) {
                ++requests; // closed unanswered: the page's loading ends at once
                socket->abort();
                socket->deleteLater();
            }
        };
        connect(&listener, &QTcpServer::newConnection, this, take);
        const QString url = QStringLiteral("http://127.0.0.1:%1/x").arg(listener.serverPort());
        const bool control = attack.isEmpty();
        const QString text = control ? QStringLiteral("Arial") : attack.arg(url);

        ReportDocument doc;
        doc.docName = text;
        auto item = textItem(text);
        item->fontName = text;
        place(doc, doc.run().pages.add(), *item);
        const QString path = m_dir.filePath(QStringLiteral("attack.html"));
        int page = 1;
        QVERIFY(doc.exportHtmlPage(path, page));
        if (control) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write(
                QStringLiteral("<p style=\"background-image:url(%1)\">x</p>").arg(url).toUtf8());
        }
        QString failure;
        const QJsonArray blocks = renderedBlocks(path, &failure);
        QCoreApplication::processEvents();
        take();
        QCOMPARE(requests > 0, control);
        QVERIFY2(blocks.size() == 1, qPrintable(failure));
        const QJsonObject block = blocks.first().toObject();
        QString shown = text;
        shown.remove(QChar(0));
        QCOMPARE(block.value("t").toString().simplified(), shown.simplified());
        // The whole declaration was read: it ends with the generic family.
        QVERIFY2(block.value("f").toString().endsWith(QStringLiteral(", sans-serif")),
                 qPrintable(block.value("f").toString()));
    }
};

// The run measures text, which needs the GUI application.
QTEST_MAIN(tst_Html)
#include "tst_html.moc"
