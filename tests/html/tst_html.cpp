#include "document/item.h"
#include "document/ipic.h"
#include "document/talvodocument.h"
#include "output/htmlexport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <QTemporaryDir>
#include <QTest>

namespace {

PrintedPage *addPage(TalvoDocument &doc)
{
    const QString key = QStringLiteral("p%1").arg(doc.Pages.count() + 1);
    return doc.Pages.add(key, std::make_unique<PrintedPage>());
}

Item *addText(PrintedPage *page, const QString &content, float x = 2, float y = 3)
{
    auto item = std::make_unique<Item>();
    item->content = content;
    item->x = x;
    item->y = y;
    item->w = 4;
    item->h = 0.5f;
    const QString key = QStringLiteral("i%1").arg(page->count() + 1);
    return static_cast<Item *>(page->add(key, std::move(item)));
}

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Loads the page in headless Chromium and returns, for every positioned block
// in document order, its box in CSS pixels and its text.
QJsonArray renderedBlocks(const QString &chromium, const QString &htmlFile, QString *failure)
{
    QFile file(htmlFile);
    if (!file.open(QIODevice::Append)) {
        *failure = file.errorString();
        return {};
    }
    file.write("<script>var r=[];document.querySelectorAll('div').forEach(function(d){var b=d.getBoundingClientRect();"
               "r.push({x:b.left+window.scrollX,y:b.top+window.scrollY,w:b.width,h:b.height,t:d.innerText.trim()});});"
               "var p=document.createElement('pre');p.id='boxes';p.textContent=JSON.stringify(r);"
               "document.body.appendChild(p);</script>");
    file.close();
    QProcess browser;
    QTemporaryDir profile;
    browser.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                             QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--dump-dom"),
                             QUrl::fromLocalFile(htmlFile).toString()});
    if (!browser.waitForFinished(120000)) {
        *failure = QStringLiteral("the browser did not finish");
        browser.kill();
        return {};
    }
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    const QRegularExpression boxes(QStringLiteral("<pre id=\"boxes\">(.*)</pre>"));
    const QRegularExpressionMatch match = boxes.match(dom);
    if (!match.hasMatch()) {
        *failure = QStringLiteral("no result from the browser: ") + QString::fromUtf8(browser.readAllStandardError()).left(500);
        return {};
    }
    QString json = match.captured(1);
    json.replace(QLatin1String("&amp;"), QLatin1String("&")).replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">")).replace(QLatin1String("&quot;"), QLatin1String("\""));
    return QJsonDocument::fromJson(json.toUtf8()).array();
}

} // namespace

class tst_Html : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void colors_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QString>("html");
        QTest::newRow("black") << 0 << "000000";
        QTest::newRow("red") << 255 << "FF0000";
        QTest::newRow("green") << 0xFF00 << "00FF00";
        QTest::newRow("blue") << 16711680 << "0000FF";
        QTest::newRow("mixed") << 0x123456 << "563412";
    }
    void colors()
    {
        QFETCH(int, color);
        QFETCH(QString, html);
        QCOMPARE(htmlColor(color), html);
    }

    void padding()
    {
        QCOMPARE(padText(QStringLiteral("FF"), 6, QLatin1Char('0'), true), QStringLiteral("0000FF"));
        QCOMPARE(padText(QStringLiteral("ab"), 4, QLatin1Char('.'), false), QStringLiteral("ab.."));
        QCOMPARE(padText(QStringLiteral("toolong"), 3, QLatin1Char('0'), true), QStringLiteral("toolong"));
    }

    void itemStyle_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expectedStart");
        QTest::addColumn<QString>("expectedText");

        QTest::newRow("centimetres") << 7 << "Hello"
            << "<div style=\"position: absolute;  top: 1.5cm;  left: 0.5cm;  width: 4cm;  height: 0.5cm;  font-size: 10pt; "
               " font-family: 'Arial';  text-align: Left;  color: #000000;  white-space: nowrap; \">\r\n"
            << "Hello";
        QTest::newRow("twips have no suffix") << 1 << "x"
            << "<div style=\"position: absolute;  top: 1.5;  left: 0.5;  width: 4;  height: 0.5; " << "x";
        QTest::newRow("spaces only") << 7 << "   "
            << "<div style=\"position: absolute;  top: 1.5cm;  left: 0.5cm;  width: 4cm;  height: 0.5cm;  font-size: 1pt; font-family:"
            << "";
        QTest::newRow("markup is escaped") << 7 << "<script>alert(\"x\")</script> & co"
            << "<div style=" << "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; co";
        QTest::newRow("line breaks") << 7 << "one\r\ntwo\nthree" << "<div style=" << "one<br>two<br>three";
    }
    void itemStyle()
    {
        QFETCH(int, unit);
        QFETCH(QString, content);
        QFETCH(QString, expectedStart);
        QFETCH(QString, expectedText);

        TalvoDocument doc;
        doc.setUnit(unit);
        doc.topMargin = 1.5f;
        doc.leftMargin = 1.5f;
        PrintedPage *page = addPage(doc);
        Item *item = addText(page, content);
        const QString html = item->ExportHTML(doc);
        QVERIFY2(html.startsWith(expectedStart), qPrintable(html));
        QVERIFY2(html.endsWith(QStringLiteral("\">\r\n") + expectedText + QStringLiteral("\r\n</div>")), qPrintable(html));
    }

    void fontAndBorders()
    {
        TalvoDocument doc;
        PrintedPage *page = addPage(doc);
        Item *item = addText(page, QStringLiteral("t"));
        item->fontName = QStringLiteral("Liberation \"Sans\"");
        item->fontBold = true;
        item->fontItalic = true;
        item->AlignH = 2;
        item->fontColor = 255;
        item->borders.left.setValues(2, 16711680, border::Solid);
        item->borders.top.setValues(1, 0, border::Dot);
        const QString html = item->ExportHTML(doc);
        QVERIFY2(html.contains(QStringLiteral(" font-family: 'Liberation &quot;Sans&quot;'; ")), qPrintable(html));
        QVERIFY(html.contains(QStringLiteral(" text-align: Center;  font-style: Italic;  font-weight: bold;  color: #FF0000; "
                                             " border-left: #0000FF 2px solid;  border-top: #000000 1px dotted;  white-space: nowrap; \">")));

        Item *plain = addText(page, QStringLiteral("t"));
        QVERIFY(plain->ExportHTML(doc).contains(QStringLiteral("color: #000000;  white-space: nowrap; \">")));
    }

    void germanLocaleWritesPeriods()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TalvoDocument doc;
        PrintedPage *page = addPage(doc);
        Item *item = addText(page, QStringLiteral("t"), 2.25f, 3.75f);
        item->fontSize = 10.5f;
        const QString html = item->ExportHTML(doc);
        QLocale::setDefault(saved);
        QVERIFY2(html.contains(QStringLiteral(" left: 0.75cm; ")), qPrintable(html));
        QVERIFY(html.contains(QStringLiteral(" font-size: 10.5pt; ")));
        QVERIFY(!html.contains(QLatin1Char(',')));
    }

    void pageFile()
    {
        TalvoDocument doc;
        doc.docName = QStringLiteral("Sales <2026>");
        PrintedPage *first = addPage(doc);
        addText(first, QStringLiteral("Page %page% of %pages%"));
        first->add(QStringLiteral("pic"), std::make_unique<iPic>());
        PrintedPage *second = addPage(doc);
        Item *field = addText(second, QStringLiteral("%page% stays"));
        field->typeContent = 1;

        const QString path = m_dir.filePath(QStringLiteral("page.html"));
        int page = 1;
        QVERIFY(doc.ExportHTMLPage(path, page));
        const QString html = readAll(path);
        const QStringList lines = html.split(QStringLiteral("\r\n"));
        QVERIFY2(lines.first().startsWith(QStringLiteral("<HTML><HEAD><TITLE>Sales &lt;2026&gt; (page 1)</TITLE>")), qPrintable(lines.first()));
        QVERIFY(lines.first().contains(QStringLiteral("<meta charset='utf-8'>")));
        QVERIFY(html.contains(QStringLiteral("\r\nPage 1 of 2\r\n</div>\r\n\r\n</BODY></HTML>\r\n")));

        page = 9; // beyond the last page: the last one
        QVERIFY(doc.ExportHTMLPage(path, page));
        QCOMPARE(page, 2);
        QVERIFY(readAll(path).contains(QStringLiteral("\r\n%page% stays\r\n")));

        const QString untouched = m_dir.filePath(QStringLiteral("zero.html"));
        page = 0;
        QVERIFY(doc.ExportHTMLPage(untouched, page));
        QVERIFY(!QFile::exists(untouched));
    }

    void allPagesInOneFile()
    {
        TalvoDocument doc;
        for (int i = 0; i < 3; ++i)
            addText(addPage(doc), QStringLiteral("Page %page%"));
        const QString path = m_dir.filePath(QStringLiteral("all.html"));
        QVERIFY(doc.ExportHTMLAllPages(path));
        const QString html = readAll(path);
        QCOMPARE(html.count(QStringLiteral("<div class=\"page\"")), 3);
        QVERIFY(html.contains(QStringLiteral("page-break-after: always")));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(html.contains(QStringLiteral("\r\nPage %1\r\n").arg(i)));
    }

    // A run of the demo report exported and opened in a real browser: every
    // text block sits where the layout put it, with the layout's text.
    void browserPlacesBlocksOfARun()
    {
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty())
            QSKIP("chromium is not installed (scripts/install-deps.sh installs it)");
        TalvoDocument doc;
        const QString report = QStringLiteral(MIRT_BINARY_DIR "/bin/demo.xml");
        QVERIFY(doc.loadXML(report));
        doc.fileName = report;
        QCOMPARE(doc.openDataConnection(), 0);
        doc.initPrint();
        QVERIFY(doc.NbPages() > 1);

        for (int pageNumber : {1, 2}) {
            const QString path = m_dir.filePath(QStringLiteral("run-%1.html").arg(pageNumber));
            int page = pageNumber;
            QVERIFY(doc.ExportHTMLPage(path, page));
            QString failure;
            const QJsonArray blocks = renderedBlocks(chromium, path, &failure);
            QVERIFY2(!blocks.isEmpty(), qPrintable(failure));

            const PrintedPage &items = *doc.Pages.at(pageNumber - 1);
            const double pxPerUnit = 96 / 2.54; // the demo is in centimetres
            int block = 0;
            for (int i = 0; i < items.count(); ++i) {
                const auto *item = dynamic_cast<const Item *>(items.at(i));
                if (!item)
                    continue;
                QVERIFY2(block < blocks.size(), "fewer blocks than text items");
                const QJsonObject box = blocks.at(block++).toObject();
                const QString where = QStringLiteral("page %1 item %2 \"%3\"").arg(pageNumber).arg(i).arg(item->content);
                QVERIFY2(qAbs(box.value("x").toDouble() - (item->x - doc.leftMargin) * pxPerUnit) < 1, qPrintable(where));
                QVERIFY2(qAbs(box.value("y").toDouble() - (item->y - doc.topMargin) * pxPerUnit) < 1, qPrintable(where));
                QVERIFY2(qAbs(box.value("w").toDouble() - item->w * pxPerUnit) < 1, qPrintable(where));
                QCOMPARE(box.value("t").toString().simplified(),
                         item->typeContent == 0 ? box.value("t").toString().simplified() : item->content.simplified());
            }
            QCOMPARE(block, blocks.size());
        }
    }

    void unwritableFileFails()
    {
        TalvoDocument doc;
        addText(addPage(doc), QStringLiteral("x"));
        int page = 1;
        QVERIFY(!doc.ExportHTMLPage(m_dir.filePath(QStringLiteral("missing/dir/x.html")), page));
        QVERIFY(doc.errorString().contains(QStringLiteral("missing/dir/x.html")));
    }
};

// The run measures text, which needs the GUI application.
QTEST_MAIN(tst_Html)
#include "tst_html.moc"
