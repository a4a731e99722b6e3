// The report file as written and read: element and attribute order, value
// encodings, round trips through real files, and every kind of bad input.
#include "../datafixtures.h"
#include "../germanlocale.h"

#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "document/userinteraction.h"
#include "document/xmlformat.h"
#include "platform/units.h"
#include "platform/xmldom.h"

namespace {

// Loads `xml` into `doc` through a real file in `dir`.
bool loadBytes(ReportDocument &doc, const QTemporaryDir &dir, const QByteArray &xml)
{
    const QString path = dir.filePath(QStringLiteral("in.xml"));
    return saveBytes(path, xml) && doc.loadXml(path);
}

// A document with every stored property away from its default.
void fillRichDocument(ReportDocument &doc)
{
    doc.setUnit(Unit::Millimetres);
    doc.docName = QStringLiteral("Sales <2024> & \"friends\" – Überblick");
    doc.DocPrinterName = QStringLiteral("Office Printer");
    doc.paperType = 256;
    std::tie(doc.pageWidth, doc.pageHeight) = std::tuple(123.25f, 301.5f);
    // A margin converted from inches, written with all its digits.
    std::tie(doc.leftMargin, doc.rightMargin, doc.topMargin, doc.bottomMargin) =
        std::tuple(float(1.5 * 567 / 1440), 7.75f, 0.1f, 33.3f);
    doc.pageOrientation = 2;
    doc.copies = 3;
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=demo.db");
    doc.gridSize = 0.25f;
    doc.language = QStringLiteral("de-CH");
    doc.setPageHeader(true);
    doc.setReportFooter(true);

    ReportSection *d1 = doc.sections.value(QStringLiteral("d1"));
    d1->SQL = QStringLiteral("SELECT *\r\nFROM\t[Order Details]\r\nWHERE Name = 'O''Brien'");
    d1->Height = 1.25f;
    d1->pageBreakAfter = true;

    ReportSection *d2 = doc.addDataSection();
    d2->sectionParent = 1;
    d2->mode = 1;
    d2->visible = QStringLiteral("false");

    TextItem *text = d1->newTextItem();
    std::tie(text->x, text->y, text->w, text->h) = std::tuple(1.5f, 0.2f, 1234567.0f, 5.5f);
    text->content =
        QStringLiteral("First line\r\nSecond <line> & 'more'\r\n\r\n  indented — ünïcödé");
    text->fontName = QStringLiteral("Times New Roman");
    text->fontSize = 11.5f;
    text->fontBold = text->fontItalic = text->fontUnderline = text->fontStrikethrough = true;
    text->fontColor = 16711680;
    text->fontCharset = 238;
    text->AlignH = 2;
    text->visible = QStringLiteral("=[me]<>\"\"");
    text->FormatString = QStringLiteral("#,##0.00");
    text->CanGrowVertical = true;
    text->borders.left.setValues(2, 255, 0);
    text->borders.bottom.setValues(3, 65280, 2);

    PictureItem *pic = d1->newPicture();
    pic->x = 3;
    pic->fileName = QStringLiteral("pictures/logo.png");
    pic->pType = 2;
    pic->stretch = true;
    pic->altText = QStringLiteral("Company logo, a blue \"M\"");
    pic->borders.setValues(1, 0, 0);

    ChartItem *graph = d2->newChart();
    graph->y = 4;
    graph->SQL = QStringLiteral("SELECT a, b FROM t WHERE id = {[Data 1].[id]}");
    graph->gType = ChartItem::Pie2D;
    graph->legend = graph->dataInLine = graph->stack = true;
    graph->altText = QStringLiteral("Sales & returns per month");
    d2->newPicture(); // no visible border, no words: neither is written

    TextItem *plain = doc.sections.value(QStringLiteral("ph"))->newTextItem();
    plain->content = QStringLiteral("Page %page% of %pages%");
    plain->borders.setValues(4, 123, 5); // wide but invisible: not written
}

} // namespace

class tst_XmlFormat : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_ui = ScriptedInteraction();
        UserInteraction::setCurrent(&m_ui);
    }
    void cleanup() { UserInteraction::setCurrent(nullptr); }

    // Elements, attributes and their order, and the values' encoding, under
    // a German locale too; what was written reads back as the same document.
    void goldenRoundTrip_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("golden");
        QTest::newRow("new document") << false << false << "golden/new-document.xml";
        // Every stored property away from its default; sections in collection
        // order (d1, ph, rf, d2); BORDERS only for items with a visible border.
        QTest::newRow("rich document") << true << false << "golden/rich-document.xml";
        QTest::newRow("rich, German locale") << true << true << "golden/rich-document.xml";
    }
    void goldenRoundTrip()
    {
        QFETCH(bool, rich);
        QFETCH(bool, german);
        QFETCH(QString, golden);
        ReportDocument doc;
        if (rich)
            fillRichDocument(doc);
        std::unique_ptr<GermanLocale> locale;
        if (german) {
            locale = std::make_unique<GermanLocale>();
            QVERIFY(locale->cLibraryActive());
        }
        const QString first = m_dir.filePath(QStringLiteral("first.xml"));
        QVERIFY2(doc.saveXml(first), qPrintable(doc.errorString()));
        const QByteArray expected = bytesIn(QStringLiteral(MIRT_TEST_DIR "/") + golden);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(QString::fromUtf8(bytesIn(first)), QString::fromUtf8(expected));

        ReportDocument loaded;
        QVERIFY(loaded.loadXml(first));
        QVERIFY(m_ui.shown.isEmpty());
        QVERIFY(!loaded.modified());
        const QString second = m_dir.filePath(QStringLiteral("second.xml"));
        QVERIFY(loaded.saveXml(second));
        QCOMPARE(bytesIn(second), expected);
    }
    void booleanReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        for (const char *t :
             {"true", "True", "TRUE", "t", "yes", "Y", "y", "vrai", "V", "oui", "O", "on"})
            QTest::newRow(t) << QString::fromLatin1(t) << true;
        for (const char *t : {"false", "no", "n", "f", "1", "0", "-1", "", " true", "x", "non"})
            QTest::newRow(*t ? t : "empty") << QString::fromLatin1(t) << false;
    }
    void booleanReading()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        ReportDocument doc;
        QVERIFY(loadBytes(
            doc, m_dir,
            "<MIRTDOCUMENT><SECTION name=\"Data 1\" type=\"0\" dataSectionNumber=\"1\""
            " pageBreakAfter=\"" +
                text.toUtf8() + "\"><ITEM fontBold=\"" + text.toUtf8() + "\" canGrowVertically=\"" +
                text.toUtf8() + "\"/></SECTION></MIRTDOCUMENT>"));
        const ReportSection *s = doc.sections.value("d1");
        const auto *item = static_cast<const TextItem *>(s->items.value("k1"));
        QCOMPARE((QList<bool>{item->fontBold, item->CanGrowVertical, s->pageBreakAfter}),
                 QList<bool>(3, expected));
    }
    void numberReading_data()
    {
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        const auto row = [](const char *name, const char *attribute, const QString &text,
                            double expected) {
            QTest::newRow(name) << attribute << text << expected;
        };
        // Singles: the leading number; no number keeps the default.
        row("plain", "leftMargin", "-2.25", -2.25);
        row("blanks inside", "leftMargin", " 1 . 7 5", 1.75);
        row("exponent", "leftMargin", "1.5E2", 150.0);
        row("lone exponent mark", "leftMargin", "4e", 4.0);
        row("leading period", "leftMargin", ".5", 0.5);
        row("comma stops", "leftMargin", "1,5", 1.0);
        row("garbage", "leftMargin", "abc", 1.5);
        row("too big for a single", "leftMargin", "1e39", 1.5);
        row("too big for anything", "leftMargin", "1e99999", 1.5);
        row("tiny", "leftMargin", "1e-99999", 0.0);
        // Bytes and integers round half to even and keep the default outside
        // their range.
        row("copies rounded", "copies", "2.5", 2.0);
        row("copies 255", "copies", "255", 255.0);
        row("copies 256", "copies", "256", 1.0);
        row("copies negative", "copies", "-1", 1.0);
        row("paper big", "paperType", "2147483647", 2147483647.0);
        row("paper too big", "paperType", "2147483648", 9.0);
        row("unit unknown", "unit", "2", 7.0);
    }
    void numberReading()
    {
        QFETCH(QString, attribute);
        QFETCH(QString, text);
        QFETCH(double, expected);

        for (bool german : {false, true}) {
            std::unique_ptr<GermanLocale> locale;
            if (german)
                locale = std::make_unique<GermanLocale>();
            ReportDocument doc;
            QVERIFY(loadBytes(doc, m_dir,
                              QStringLiteral("<MIRTDOCUMENT %1=\"%2\"/>")
                                  .arg(attribute, text.toHtmlEscaped())
                                  .toUtf8()));
            if (attribute == "leftMargin")
                QCOMPARE(doc.leftMargin, float(expected));
            else
                QCOMPARE(attribute == "copies"      ? double(doc.copies)
                         : attribute == "paperType" ? double(doc.paperType)
                                                    : double(doc.unit()),
                         expected);
            // No section in the file: the document has none.
            QCOMPARE(doc.nbSections(), 0);
        }
    }
    void missingAttributesKeepDefaults()
    {
        ReportDocument doc;
        doc.leftMargin = 9; // init resets what the file does not say
        doc.language = QStringLiteral("fr");
        QVERIFY(
            loadBytes(doc, m_dir,
                      "<MIRTDOCUMENT><SECTION><ITEM/><PICTURE/><GRAPH/></SECTION></MIRTDOCUMENT>"));
        const ReportSection *s = doc.sections.value("d1");
        QVERIFY(s);
        const auto *item = static_cast<const TextItem *>(s->items.value("k1"));
        const auto *chart = static_cast<const ChartItem *>(s->items.value("k3"));
        QCOMPARE(QList<float>({doc.leftMargin, doc.bottomMargin, s->Height, item->fontSize, item->w,
                               item->h, item->x, s->items.value("k2")->w}),
                 QList<float>({1.5f, 2, 2, 10, 2, 2, 0, 1}));
        QCOMPARE(QList<int>({doc.paperType, doc.unit(), chart->gType}), QList<int>({9, 7, 1}));
        QCOMPARE(QStringList({doc.language, s->sectionName, s->visible, item->content,
                              item->fontName, item->visible, chart->altText,
                              static_cast<const PictureItem *>(s->items.value("k2"))->altText}),
                 QStringList({"", "Data", "true", "", "Arial", "true", "", ""}));
        QCOMPARE(doc.connectionStringData, ReportDocument().connectionStringData);
        QVERIFY(!s->pageBreakAfter && !item->borders.isAnyBorders());
    }
    void lineBreaksBecomeCrLf_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mixed") << QByteArray("a&#13;&#10;b\nc&#13;d") << "a\r\nb\r\nc\r\nd";
        QTest::newRow("cdata") << QByteArray("<![CDATA[x<y]]> &amp; z") << "x<y & z";
    }
    void lineBreaksBecomeCrLf()
    {
        QFETCH(QByteArray, raw);
        ReportDocument doc;
        QVERIFY(loadBytes(doc, m_dir,
                          "<MIRTDOCUMENT><SECTION dataSectionNumber=\"1\"><ITEM>" + raw +
                              "</ITEM></SECTION></MIRTDOCUMENT>"));
        QTEST(static_cast<const TextItem *>(doc.sections.value("d1")->items.value("k1"))->content,
              "expected");
    }
    void handWrittenSections_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QStringList>("expected"); // key:name:first item's text
        QTest::addColumn<QString>("message");

        // A data section without a number gets the next free one.
        QTest::newRow("numbering")
            << QByteArray("<MIRTDOCUMENT>"
                          "<SECTION name=\"A\" type=\"0\" dataSectionNumber=\"1\"/>"
                          "<SECTION name=\"H\" type=\"1\"/>"
                          "<SECTION name=\"B\" type=\"0\"/>"
                          "<SECTION name=\"C\" type=\"0\"/>"
                          "</MIRTDOCUMENT>")
            << QStringList{"d1:A:", "ph:H:", "d2:B:", "d3:C:"} << "";
        // Declaration, comment and processing instruction before the root.
        QTest::newRow("prolog") << QByteArray(
                                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<!-- hand edited -->\n<?mirt hint?>\n<MIRTDOCUMENT>\n"
                                       "  <SECTION name=\"Data 1\" dataSectionNumber=\"1\">\n"
                                       "    <ITEM>Hello</ITEM>\n  </SECTION>\n</MIRTDOCUMENT>\n")
                                << QStringList{"d1:Data 1:Hello"} << "";
        // A second header is dropped with a warning; a second data section
        // keeps its items under a free number.
        QTest::newRow("duplicates")
            << QByteArray(
                   "<MIRTDOCUMENT>"
                   "<SECTION name=\"Header\" type=\"1\"/>"
                   "<SECTION name=\"Second header\" type=\"1\"/>"
                   "<SECTION name=\"A\" type=\"0\" dataSectionNumber=\"1\"><ITEM>a</ITEM></SECTION>"
                   "<SECTION name=\"B\" type=\"0\" dataSectionNumber=\"1\"><ITEM>b</ITEM></SECTION>"
                   "</MIRTDOCUMENT>")
            << QStringList{"ph:Header:", "d1:A:a", "d2:B:b"} << "Second header";
    }
    void handWrittenSections()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QStringList, expected);
        QFETCH(QString, message);
        ReportDocument doc;
        QVERIFY(loadBytes(doc, m_dir, xml));
        QStringList got;
        for (int i = 0; i < doc.sections.count(); ++i) {
            const ReportSection *s = doc.sections.at(i);
            const auto *first = static_cast<const TextItem *>(s->items.value("k1"));
            got << doc.sections.keyAt(i) + ':' + s->sectionName + ':' +
                       (first ? first->content : QString());
        }
        QCOMPARE(got, expected);
        QCOMPARE(doc.nbDataSections,
                 int(std::count_if(expected.cbegin(), expected.cend(),
                                   [](const QString &e) { return e.startsWith('d'); })));
        QCOMPARE(m_ui.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY(m_ui.shown[0].text.contains(message) &&
                    m_ui.shown[0].icon == UserInteraction::Exclamation);
    }
    void unwritableCharactersAreDropped()
    {
        ReportDocument doc;
        TextItem *item = doc.sections.value("d1")->newTextItem();
        item->content = QStringLiteral("a") + QChar(0x01) + QStringLiteral("b") + QChar(0xD800) +
                        QStringLiteral("c\U0001F600");
        doc.docName = QStringLiteral("x") + QChar(0x1B) + QStringLiteral("y");
        const QString path = m_dir.filePath(QStringLiteral("controls.xml"));
        QVERIFY(doc.saveXml(path));
        ReportDocument loaded;
        QVERIFY(loaded.loadXml(path));
        QCOMPARE(loaded.docName, QStringLiteral("xy"));
        QCOMPARE(
            static_cast<const TextItem *>(loaded.sections.value("d1")->items.value("k1"))->content,
            QStringLiteral("abc\U0001F600"));
    }

    void badFilesLeaveDocumentUnchanged_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reasonPart");
        QDir bad(QStringLiteral(MIRT_TEST_DIR "/bad"));
        QTest::newRow("empty") << bad.filePath("empty.xml") << "";
        QTest::newRow("binary") << bad.filePath("binary.bin") << "";
        QTest::newRow("html") << bad.filePath("other-kind.xml") << "\"html\"";
        QTest::newRow("undeclared entity") << bad.filePath("entity.xml") << "";
        QTest::newRow("entity bomb") << bad.filePath("entity-bomb.xml") << "";
        QTest::newRow("deep nesting") << bad.filePath("deep.xml") << "256";
        QTest::newRow("too many attributes")
            << bad.filePath("many-attributes.xml") << "256 attributes. (3, <ITEM";
        // The parser's reason, then the line and its text.
        QTest::newRow("mismatched tag")
            << bad.filePath("mismatched-tag.xml") << "(3, <ITEM x=\"1\">text</ITEN>)";
        QTest::newRow("missing file") << bad.filePath("no-such-file.xml") << "no-such-file.xml";
        QTest::newRow("directory") << bad.path() << "";
    }
    void badFilesLeaveDocumentUnchanged()
    {
        QFETCH(QString, file);
        QFETCH(QString, reasonPart);

        ReportDocument doc;
        fillRichDocument(doc);
        doc.fileName = QStringLiteral("/somewhere/report.xml");
        XmlDocument before;
        before.setDocumentElement(doc.toXmlNode(before));
        const bool wasModified = doc.modified();

        QVERIFY(!doc.loadXml(file));
        QCOMPARE(m_ui.shown.size(), 1);
        const auto &shown = m_ui.shown.first();
        QVERIFY2(shown.text.startsWith(
                     QStringLiteral("Unable to open the document, the format is not correct\r\n")),
                 qPrintable(shown.text));
        QVERIFY2(shown.text.contains(reasonPart), qPrintable(shown.text));
        QCOMPARE(shown.icon, UserInteraction::Exclamation);

        XmlDocument after;
        after.setDocumentElement(doc.toXmlNode(after));
        QCOMPARE(after.toByteArray(), before.toByteArray());
        QCOMPARE(doc.fileName, QStringLiteral("/somewhere/report.xml"));
        QCOMPARE(doc.modified(), wasModified);
    }
    void largeInputsLoad()
    {
        // Thousands of sections with items, a 4 MB text, huge and negative numbers.
        QByteArray xml =
            "<MIRTDOCUMENT pageWidth=\"3e38\" pageHeight=\"-5\" copies=\"99999999999\">";
        const int sectionCount = 3000;
        for (int i = 0; i < sectionCount; ++i) {
            xml += "<SECTION type=\"0\" height=\"-2\" sectionParent=\"" + QByteArray::number(i) +
                   "\"><ITEM width=\"-1\" height=\"1e30\" x=\"" + QByteArray::number(i) +
                   "\">t</ITEM></SECTION>";
        }
        xml += "<SECTION name=\"long\" type=\"0\" dataSectionNumber=\"30000\"><ITEM>" +
               QByteArray(4 * 1024 * 1024, 'x') + "</ITEM></SECTION>";
        xml += "</MIRTDOCUMENT>";
        ReportDocument doc;
        QVERIFY(loadBytes(doc, m_dir, xml));
        QCOMPARE(QList<int>({doc.nbSections(), doc.countDataSections()}),
                 QList<int>(2, sectionCount + 1));
        QCOMPARE(QList<float>({doc.pageWidth, doc.pageHeight}), QList<float>({3e38f, -5}));
        QCOMPARE(doc.copies, (unsigned char)1);
        QCOMPARE(doc.sections.value("d3000")->items.value("k1")->x, 2999.0f);
        QCOMPARE(static_cast<const TextItem *>(doc.sections.value("d30000")->items.value("k1"))
                     ->content.size(),
                 4 * 1024 * 1024);

        const QString again = m_dir.filePath(QStringLiteral("large2.xml"));
        QVERIFY(doc.saveXml(again));
        ReportDocument reloaded;
        QVERIFY(reloaded.loadXml(again));
        QCOMPARE(reloaded.nbSections(), sectionCount + 1);
    }
    void fuzzRegressionsLoad_data()
    {
        QTest::addColumn<QString>("file");
        const QDir dir(QStringLiteral(MIRT_TEST_DIR "/fuzz-regressions"));
        const QStringList files = dir.entryList(QDir::Files);
        for (const QString &f : files)
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
        if (files.isEmpty())
            QTest::newRow("none") << QString();
    }
    void fuzzRegressionsLoad()
    {
        QFETCH(QString, file);
        if (file.isEmpty())
            QSKIP("no fuzz regression inputs are stored");
        ReportDocument doc;
        const bool loaded = doc.loadXml(file);
        // Loaded or refused with the message: the document can be saved and read again.
        if (!loaded)
            QVERIFY(!m_ui.shown.isEmpty() && m_ui.shown.first().text.startsWith("Unable"));
        const QString path = m_dir.filePath(QStringLiteral("fuzz-out.xml"));
        QVERIFY(doc.saveXml(path));
        ReportDocument reloaded;
        QVERIFY(reloaded.loadXml(path));
        QCOMPARE(reloaded.nbSections(), doc.nbSections());
    }

private:
    QTemporaryDir m_dir;
    ScriptedInteraction m_ui;
};

QTEST_MAIN(tst_XmlFormat)
#include "tst_xmlformat.moc"
