// Report runs on real SQLite files: pages, master/detail walks, stops, failures.
#include "../datafixtures.h"
#include "charts/chartrendering.h"
#include "document/chartitem.h"
#include "document/errorentry.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/textitem.h"
#include "engine/reportrun.h"
#include "output/htmlexport.h"
#include "output/pageoutput.h"
#include "platform/connection.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using Setup = std::function<void(ReportDocument &)>;
Q_DECLARE_METATYPE(Setup)

namespace {

// Rows(ID, Name, Grp) with IDs 1..500 and Lines(RowID, Info): rows 1 to 3
// have two lines each.
QString fixtureDb()
{
    static const QString path = makeSqliteFile(
        scratchPath(QStringLiteral("run.db")),
        {QStringLiteral("CREATE TABLE Rows AS WITH RECURSIVE c(ID) AS (SELECT 1 UNION ALL SELECT "
                        "ID + 1 FROM c WHERE ID < 500) SELECT ID, 'Row ' || ID AS Name, ID % 3 AS "
                        "Grp FROM c"),
         QStringLiteral("CREATE TABLE Lines AS SELECT ID AS RowID, 'Line ' || ID || s AS Info FROM "
                        "Rows, (SELECT 'a' AS s UNION SELECT 'b') WHERE ID <= 3")});
    return path;
}

TextItem *textItem(ReportSection *sec, const QString &content, float y = 0, float h = 0.5f)
{
    TextItem *item = sec->newTextItem();
    item->content = content;
    item->x = 0;
    item->y = y;
    item->w = 10;
    item->h = h;
    return item;
}

// A data section under the one numbered `parent`, with a text when given.
ReportSection *addChild(ReportDocument &doc, int parent, const char *sql, const QString &text = {},
                        int mode = 0, float height = 1)
{
    ReportSection *sec = doc.addDataSection();
    sec->sectionParent = parent;
    sec->mode = ReportSection::Mode(mode);
    sec->Height = height;
    sec->SQL = QString::fromUtf8(sql);
    if (!text.isEmpty())
        textItem(sec, text);
    return sec;
}

// A page of length 10 with margins of 1; every band is 1 high and holds one
// text naming it. The root "S1" lists the first `rows` rows.
std::unique_ptr<ReportDocument> smallReport(int rows, bool pageFooter = true)
{
    auto doc = std::make_unique<ReportDocument>();
    doc->clearSections();
    doc->connectionStringData = sqlite(fixtureDb());
    doc->pageHeight = 10;
    doc->pageWidth = 8;
    doc->topMargin = 1;
    doc->bottomMargin = 1;
    doc->setPageHeader(true);
    doc->setReportHeader(true);
    doc->setReportFooter(true);
    doc->setPageFooter(pageFooter);
    for (const char *key : {"ph", "rh", "rf", "pf"}) {
        if (ReportSection *s = doc->sections.value(QLatin1String(key))) {
            s->Height = 1;
            textItem(s, QLatin1String(key));
        }
    }
    ReportSection *root = doc->addDataSection();
    root->sectionName = QStringLiteral("S1");
    root->Height = 1;
    root->SQL =
        QStringLiteral("SELECT ID, Name, Grp FROM Rows WHERE ID <= %1 ORDER BY ID").arg(rows);
    textItem(root, QStringLiteral("[Name]"));
    doc->orderSections();
    return doc;
}

// The texts of page n (from 1), in creation order.
QStringList pageTexts(const ReportDocument &doc, int n)
{
    QStringList out;
    const PrintedPage *page = doc.run().pages.page(n);
    if (!page)
        return out;
    for (const PageRecord &record : page->records) {
        if (record.kind == PageRecord::Text)
            out << record.textLines();
    }
    return out;
}

QStringList allTexts(const ReportDocument &doc)
{
    QStringList out;
    for (int n = 1; n <= doc.run().pages.count(); ++n)
        out << pageTexts(doc, n);
    return out;
}

const PageRecord *printItem(const ReportDocument &doc, int page, const QString &content)
{
    for (const PageRecord &record : doc.run().pages.page(page)->records) {
        if (record.kind == PageRecord::Text && record.textLines() == content)
            return &record;
    }
    return nullptr;
}

void run(ReportDocument &doc)
{
    QCOMPARE(doc.openDataConnection(), 0);
    doc.initPrint();
}

// Every print item of every page ends above that page's footer.
void verifyNothingCrossesTheFooter(const ReportDocument &doc)
{
    for (int p = 1; p <= doc.run().pages.count(); ++p) {
        const PageRecord *footer = printItem(doc, p, QStringLiteral("pf"));
        QVERIFY2(footer, qPrintable(QStringLiteral("page %1 has no footer").arg(p)));
        for (const PageRecord &item : doc.run().pages.page(p)->records) {
            if (&item != footer)
                QVERIFY2(item.y + item.h <= footer->y + 1e-4f,
                         qPrintable(QStringLiteral("page %1: %2").arg(p).arg(item.textLines())));
        }
    }
}

} // namespace

// The fault, the most pages, the error entries, what the first entry's message or function names,
// and the rows shown (-1: not checked).
using BadReport = std::tuple<QString, int, int, QString, int>;

class tst_Run : public QObject
{
    Q_OBJECT

private slots:
    // Bands and items in print order: a closing band even after no rows, details
    // after their master, items by y (ties in order); the design keeps its order.
    void onePageInOrder_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("footer");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("texts");
        const Setup closing = [](ReportDocument &doc) {
            addChild(doc, 1, "SELECT 'closing' AS T FROM Rows WHERE ID = 1", "[T]",
                     ReportSection::OnceAfter);
        };
        QTest::newRow("no rows") << 0 << true << closing
                                 << QStringList{"ph", "rh", "closing", "rf", "pf"};
        // Lines of each row, closing bands after each row's lines and after all rows.
        QTest::newRow("master and detail") << 3 << false << Setup([](ReportDocument &doc) {
            doc.pageHeight = 100;
            addChild(doc, 1, "SELECT Info FROM Lines WHERE RowID = {[S1].[ID]} ORDER BY Info",
                     "[Info]")
                ->sectionName = QStringLiteral("Lines");
            addChild(doc, 1, "SELECT COUNT(*) AS N FROM Rows WHERE ID <= 3", "=\"rows: \" & [N]",
                     ReportSection::OnceAfter);
            addChild(doc, 2, "SELECT {[S1].[ID]} AS R FROM Rows WHERE ID = 1", "=\"end of \" & [R]",
                     ReportSection::OnceAfter);
        }) << QStringList{"ph",      "rh",       "Row 1",   "Line 1a",  "Line 1b", "end of 1",
                          "Row 2",   "Line 2a",  "Line 2b", "end of 2", "Row 3",   "Line 3a",
                          "Line 3b", "end of 3", "rows: 3", "rf"};
        QTest::newRow("items sorted by y, ties kept")
            << 1 << true << Setup([](ReportDocument &doc) {
                   ReportSection *sec = doc.sections.value(QStringLiteral("d1"));
                   sec->Height = 3;
                   for (const auto &[text, y] :
                        {std::pair{"c", 2.0f}, {"a1", 1.0f}, {"top", 0.0f}, {"a2", 1.0f}})
                       textItem(sec, QString::fromLatin1(text), y);
               })
            << QStringList{"ph", "rh", "Row 1", "top", "a1", "a2", "c", "rf", "pf"};
    }
    void onePageInOrder()
    {
        QFETCH(int, rows);
        QFETCH(bool, footer);
        QFETCH(Setup, setup);
        auto doc = smallReport(rows, footer);
        setup(*doc);
        const ReportSection *root = doc->sections.value(QStringLiteral("d1"));
        auto designOrder = [root] {
            QStringList keys;
            for (int i = 0; i < root->items.count(); ++i)
                keys << root->items.keyAt(i);
            return keys;
        };
        const QStringList before = designOrder();
        QStringList events;
        connect(doc.get(), &ReportDocument::startWorking, [&] { events << "start"; });
        connect(doc.get(), &ReportDocument::pageFinished,
                [&](int p) { events << QStringLiteral("page %1").arg(p); });
        connect(doc.get(), &ReportDocument::finishedWorking, [&] { events << "finished"; });
        QSignalSpy progress(doc.get(), &ReportDocument::updateScrollBar);
        run(*doc);
        QVERIFY2(doc->errorLst.isEmpty(), qPrintable(doc->errorLst.value(0).pureText()));
        QCOMPARE(events, (QStringList{"start", "page 0", "finished"}));
        QCOMPARE(progress.count(), rows);
        QCOMPARE(doc->pageCount(), qint16(1));
        QTEST(pageTexts(*doc, 1), "texts");
        QCOMPARE(designOrder(), before);
    }

    // Pages fill up to the footer (without one, 2 units above the bottom edge stay
    // free): with it page 1 holds 5 rows (3..8), later pages 6; without it 4 and 5.
    // A page size never set (0) is the paper code's, in the PDF too.
    void pagination_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("footer");
        QTest::addColumn<QList<int>>("rowsPerPage"); // of the first pages
        QTest::addColumn<int>("pages");              // 0: not checked
        QTest::addColumn<Setup>("setup");
        auto row = [](
                       const char *name, int rows, bool footer, const QList<int> &perPage,
                       int pages, Setup setup = [](ReportDocument &) {}) {
            QTest::newRow(name) << rows << footer << perPage << pages << setup;
        };
        auto section = [](const char *key, float height, bool breakAfter) {
            return Setup([=](ReportDocument &doc) {
                ReportSection *s = doc.sections.value(QLatin1String(key));
                s->Height = height;
                s->pageBreakAfter = breakAfter;
            });
        };
        auto paper = [](int code, int orientation) {
            return Setup([=](ReportDocument &doc) {
                doc.pageWidth = doc.pageHeight = 0;
                doc.paperType = code;
                doc.pageOrientation = uchar(orientation);
            });
        };
        row("footer, report footer moves on", 5, true, {5, 0}, 2);
        row("row a little over the limit", 5, true, {4, 1}, 2, section("d1", 1.01f, false));
        row("no footer, report footer moves on", 4, false, {4, 0}, 2);
        row("no footer, 100 rows", 100, false, {4, 5}, 21);
        row("page break after each record", 3, true, {1, 1, 1, 0}, 4, section("d1", 1, true));
        // On a page header it means nothing: the rows still fill the pages.
        row("page break after the page header", 11, true, {5, 6, 0}, 3, section("ph", 1, true));
        // A4 (the paper when no code is set) is 29.7 long: rows from 3 to 27.7
        // (24); landscape 21: to 19 (16).
        row("A4 landscape", 100, true, {16}, 0, paper(9, 2));
        row("no paper code", 100, true, {24}, 0, paper(0, 1));
    }
    void pagination()
    {
        QFETCH(int, rows);
        QFETCH(bool, footer);
        QFETCH(QList<int>, rowsPerPage);
        QFETCH(int, pages);
        QFETCH(Setup, setup);
        auto doc = smallReport(rows, footer);
        setup(*doc);
        QSignalSpy finished(doc.get(), &ReportDocument::pageFinished);
        run(*doc);
        QVERIFY(doc->errorLst.isEmpty());
        const int count = doc->run().pages.count();
        if (pages)
            QCOMPARE(count, pages);
        QCOMPARE(finished.count(), count);
        QCOMPARE(finished.last().at(0).toInt(), count - 1);
        const QStringList texts = allTexts(*doc);
        QCOMPARE(texts.filter(QStringLiteral("Row ")).size(), rows);
        QCOMPARE(texts.count(QStringLiteral("rh")), 1);
        QVERIFY(pageTexts(*doc, count).contains(QStringLiteral("rf")));
        QCOMPARE(pageTexts(*doc, count).last(),
                 footer ? QStringLiteral("pf") : QStringLiteral("rf"));
        // Every page opens with its header; the footer sits once at its place.
        const float footerTop = doc->pageLength() - doc->bottomMargin - 1;
        for (int p = 1; p <= count; ++p) {
            const QStringList onPage = pageTexts(*doc, p);
            QCOMPARE(onPage.first(), QStringLiteral("ph"));
            QCOMPARE(onPage.count(QStringLiteral("pf")), int(footer));
            if (footer)
                QVERIFY(qAbs(printItem(*doc, p, QStringLiteral("pf"))->y - footerTop) < 1e-4f);
            if (p <= rowsPerPage.size())
                QCOMPARE(onPage.filter(QStringLiteral("Row ")).size(), rowsPerPage.at(p - 1));
        }
        if (footer)
            verifyNothingCrossesTheFooter(*doc);
        // The first row of page 2 sits below its page header.
        const QString first = pageTexts(*doc, 2).filter(QStringLiteral("Row ")).value(0);
        if (!first.isEmpty())
            QCOMPARE(printItem(*doc, 2, first)->y, 2.0f);
        QCOMPARE(float(pageSizeO(*doc).height()), doc->pageLength());
    }

    void growingTextPushesItemsBelow()
    {
        auto doc = smallReport(2);
        doc->pageHeight = 12; // room for both grown rows on page 1
        ReportSection *root = doc->sections.value(QStringLiteral("d1"));
        root->Height = 2;
        textItem(root, QStringLiteral("a\r\nb\r\nc"), 0.5f)->CanGrowVertical = true;
        TextItem *other = textItem(root, QStringLiteral("one\r\ntwo"), 0.5f);
        other->x = 5;
        other->CanGrowVertical = true;
        textItem(root, QStringLiteral("below"), 1.2f);
        run(*doc);
        const PageRecord *grown = printItem(*doc, 1, QStringLiteral("a\r\nb\r\nc"));
        QVERIFY(grown);
        const float growth = grown->h - 0.5f;
        QVERIFY2(growth > 0.5f, qPrintable(QString::number(grown->h)));
        // Only the larger growth counts, for the item below and for the band.
        QCOMPARE(printItem(*doc, 1, QStringLiteral("below"))->y - grown->y, 0.7f + growth);
        const PageRecord *firstRow = printItem(*doc, 1, QStringLiteral("Row 1"));
        const PageRecord *secondRow = printItem(*doc, 1, QStringLiteral("Row 2"));
        QVERIFY(secondRow);
        QVERIFY(qAbs(secondRow->y - firstRow->y - (2 + growth)) < 1e-4f);
        // The design items never left where they were drawn.
        QCOMPARE(root->items.value(QStringLiteral("k4"))->y, 1.2f);
    }

    void hiddenItems_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("shown");
        QTest::newRow("true") << "true" << true;
        QTest::newRow("-1") << "=-1" << true;
        QTest::newRow("other number") << "=1" << false;
        QTest::newRow("failing condition") << "=1+" << false;
        QTest::newRow("me compared") << "=[me]=\"Row 2\"" << true;
    }
    void hiddenItems()
    {
        QFETCH(QString, condition);
        auto doc = smallReport(2);
        ReportSection *root = doc->sections.value(QStringLiteral("d1"));
        static_cast<TextItem *>(root->items.at(0))->visible = condition;
        textItem(root, QStringLiteral("below"), 0.5f);
        run(*doc);
        QTEST(bool(printItem(*doc, 1, QStringLiteral("Row 2"))), "shown");
        // Nothing closes the gap of a hidden item.
        QCOMPARE(printItem(*doc, 1, QStringLiteral("below"))->y, 3.5f);
    }

    void stopEndsTheRunEarly()
    {
        auto doc = smallReport(500);
        int yields = 0;
        int pagesAtFirstYield = 0;
        doc->run().yieldHook = [&] {
            if (++yields == 1)
                pagesAtFirstYield = doc->run().pages.count();
            if (yields == 3)
                doc->run().stopRequested = true;
        };
        QSignalSpy finished(doc.get(), &ReportDocument::finishedWorking);
        run(*doc);
        QCOMPARE(pagesAtFirstYield, 2);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!doc->run().working);
        QCOMPARE(doc->run().rootRecords, qint64(500));
        // Rows 1-5 fill page 1, row 6 starts page 2; the yields come before
        // rows 7, 8 and 9, and row 9 is still finished.
        QCOMPARE(doc->run().recordsDone, qint64(9));
        const QStringList texts = allTexts(*doc);
        QCOMPARE(texts.filter(QStringLiteral("Row ")).size(), 9);
        QCOMPARE(texts.count(QStringLiteral("rf")), 1);
        QCOMPARE(texts.last(), QStringLiteral("pf"));
        QVERIFY(!doc->sections.value(QStringLiteral("d1"))->rsd);
    }

    // The demos run without errors, twice alike; every chart is drawn.
    void demoReports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("texts"); // each in some printed text
        QTest::addColumn<int>("charts");
        QTest::newRow("demo") << "demo.xml"
                              << QStringList{"Alpha Delicatessen",
                                             "Contact: ", "Orders: ", "Page %page% of %pages%"}
                              << 0;
        QTest::newRow("chart demo") << "demo graph.xml" << QStringList{} << 6 + 2 * 30;
    }
    void demoReports()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, texts);
        registerChartRenderer();
        ReportDocument doc;
        doc.fileName = QStringLiteral(MIRT_BINARY_DIR "/bin/") + file;
        QVERIFY(doc.loadXml(doc.fileName));
        run(doc);
        QVERIFY2(doc.errorLst.isEmpty(), qPrintable(doc.errorLst.value(0).pureText()));
        QVERIFY(doc.run().pages.count() > 2);
        const QStringList printed = allTexts(doc);
        for (const QString &text : texts)
            QVERIFY2(!printed.filter(text).isEmpty(), qPrintable(text));
        int drawnCharts = 0;
        for (const auto &page : doc.run().pages) {
            for (const PageRecord &record : page->records) {
                const PagePicture *chart = record.picture();
                if (!chart || !chart->chart)
                    continue;
                drawnCharts += !chart->svg.isEmpty();
                // A chart without words of its own is named by its kind.
                QVERIFY2(chart->alt.endsWith(QLatin1String(" chart")), qPrintable(chart->alt));
            }
        }
        QTEST(drawnCharts, "charts");
        doc.initPrint();
        QCOMPARE(allTexts(doc), printed);
    }

    // Reports no layout can satisfy, or whose parts fail, still end in few pages;
    // where no row fits one error entry names the culprit.
    void badReportsFinish_data()
    {
        QTest::addColumn<BadReport>("row");
        const auto row = [](const char *name, const BadReport &r) { QTest::newRow(name) << r; };
        row("items outside the page", {"outside", 5, 0, "", -1});
        row("zero and negative sizes", {"negativeSizes", 5, 0, "", -1});
        row("10,000 child sections", {"children", 2000, 0, "", -1});
        row("sections nested 500 deep", {"deep", 200, 0, "", -1});
        row("page header fills the page", {"ph", 1, 1, "page header", 0});
        row("margins meet", {"margins", 1, 1, "margins", 0});
        row("negative page size", {"negativePage", 1, 1, "page size", 20});
        row("data section taller than a page", {"section", 22, 1, "\"S1\"", 20});
        row("report header taller than a page", {"rh", 5, 1, "is 30", 20});
        // Per record a formula and a query fail; a missing field once for its item.
        row("failing formula, query and field", {"failures", 5, 41, "", 20});
        row("failing chart query", {"chart", 5, 20, "Nothing", 20});
        // A root naming itself as parent would be walked without end.
        row("section is its own parent", {"ownParent", 5, 20, "printDataSection", 20});
    }
    void badReportsFinish()
    {
        QFETCH(BadReport, row);
        const auto &[fault, maxPages, entries, named, rowsShown] = row;
        auto doc = smallReport(20);
        ReportSection *root = doc->sections.value(QStringLiteral("d1"));
        auto child = [&](ReportSection *parent, const char *sql, float height) {
            return addChild(*doc, parent->dataSectionNumber, sql, {}, 0, height);
        };
        if (fault == QLatin1String("outside")) {
            TextItem *far = textItem(root, QStringLiteral("far away"));
            far->x = 500;
            far->y = 300;
            textItem(root, QStringLiteral("above"), -50);
        } else if (fault == QLatin1String("negativeSizes")) {
            root->Height = -3;
            TextItem *odd = textItem(root, QStringLiteral("odd box"), 0, 0);
            odd->w = -4;
            odd->CanGrowVertical = true;
        } else if (fault == QLatin1String("children")) {
            root->SQL = QStringLiteral("SELECT ID, Name FROM Rows WHERE ID <= 3");
            for (int i = 0; i < 10000; ++i) {
                if (i % 1000)
                    child(root, "SELECT Info FROM Lines WHERE 1 = 0", 0.2f);
                else
                    textItem(child(root, "SELECT Info FROM Lines WHERE RowID = {[S1].[ID]}", 0.2f),
                             QStringLiteral("[Info]"));
            }
        } else if (fault == QLatin1String("deep")) {
            root->SQL = QStringLiteral("SELECT ID, Name FROM Rows WHERE ID <= 2");
            for (ReportSection *parent = root; parent->dataSectionNumber <= 500;)
                parent = child(parent, "SELECT ID FROM Rows WHERE ID = 1", 0.3f);
        } else if (fault == QLatin1String("ph")) {
            doc->sections.value(QStringLiteral("ph"))->Height = 7;
        } else if (fault == QLatin1String("margins")) {
            doc->topMargin = doc->bottomMargin = 5;
        } else if (fault == QLatin1String("negativePage")) {
            doc->pageHeight = -10;
        } else if (fault == QLatin1String("section")) {
            root->Height = 25;
        } else if (fault == QLatin1String("rh")) {
            doc->sections.value(QStringLiteral("rh"))->Height = 30;
        } else if (fault == QLatin1String("failures")) {
            textItem(root, QStringLiteral("[NoSuchField]"), 0.5f);
            textItem(root, QStringLiteral("=1/0"), 0.5f);
            textItem(child(root, "SELECT x FROM NoSuchTable WHERE y = {[S1].[ID]}", 1),
                     QStringLiteral("never"));
        } else if (fault == QLatin1String("chart")) {
            registerChartRenderer();
            ChartItem *chart = root->newChart();
            chart->SQL = QStringLiteral("SELECT Nothing FROM Missing");
            chart->w = 5;
            chart->h = 0.5f;
        } else if (fault == QLatin1String("ownParent")) {
            root->sectionParent = 1;
        }
        doc->orderSections();
        QSignalSpy finished(doc.get(), &ReportDocument::finishedWorking);
        run(*doc);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!doc->run().working);
        QVERIFY2(doc->run().pages.count() >= 1 && doc->run().pages.count() <= maxPages,
                 qPrintable(QString::number(doc->run().pages.count())));
        QCOMPARE(pageTexts(*doc, doc->run().pages.count()).last(), QStringLiteral("pf"));
        QVERIFY2(doc->errorLst.size() == entries,
                 qPrintable(QString::number(doc->errorLst.size()) + u' ' +
                            doc->errorLst.value(0).pureText()));
        if (!named.isEmpty()) {
            const ErrorEntry &first = doc->errorLst.first();
            QVERIFY2(first.message.contains(named) || first.function_ == named,
                     qPrintable(first.message));
        }
        if (rowsShown >= 0)
            QCOMPARE(allTexts(*doc).filter(QStringLiteral("Row ")).size(), rowsShown);
        QVERIFY(!allTexts(*doc).contains(QStringLiteral("never")));
    }

    // A grown record that does not fit goes to the next page; one taller than a
    // page is split between lines over as many pages as it needs.
    void grownRecordsNeverCrossTheFooter_data()
    {
        QTest::addColumn<QString>("growing");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<int>("words");
        // Row 5 grows to 3 lines: page 1 can no longer hold it.
        QTest::newRow("last row of the page grows")
            << "=IIf([ID]=5, \"one two three\", \"x\")" << 2 << 0 << 3;
        // 150 words, three a line: 50 lines of about 0.4 need several pages.
        QTest::newRow("record taller than a page")
            << "=IIf([ID]=2, Replace(Space(149), \" \", \"w \") & \"w\", \"x\")" << 6 << 4 << 150;
    }
    void grownRecordsNeverCrossTheFooter()
    {
        QFETCH(QString, growing);
        QFETCH(int, pages);
        QFETCH(int, pieces);
        QFETCH(int, words);
        auto doc = smallReport(5);
        TextItem *text = textItem(doc->sections.value(QStringLiteral("d1")), growing, 0.5f);
        text->x = 2;
        text->w = 1; // one of "one two three" a line
        text->CanGrowVertical = true;
        run(*doc);
        QVERIFY(doc->errorLst.isEmpty());
        QCOMPARE(doc->run().pages.count(), pages);
        verifyNothingCrossesTheFooter(*doc);
        // Every record belongs to a band mark of its kind ("ph" in the page header,
        // "Row n" in the data section ...); a piece of a text continued on the next
        // page keeps the number of the occurrence it came from.
        QHash<QString, int> kinds{{QStringLiteral("ph"), ReportSection::PageHeader},
                                  {QStringLiteral("pf"), ReportSection::PageFooter},
                                  {QStringLiteral("rh"), ReportSection::ReportHeader},
                                  {QStringLiteral("rf"), ReportSection::ReportFooter}};
        quint32 lastData = 0;
        for (const auto &page : doc->run().pages) {
            QVERIFY(!page->bands.empty());
            QCOMPARE(page->bands.front().firstRecord, 0u);
            for (size_t m = 1; m < page->bands.size(); ++m)
                QVERIFY(page->bands[m].firstRecord > page->bands[m - 1].firstRecord);
            for (int r = 0; r < page->count(); ++r) {
                const BandMark *band = page->bandOf(r);
                QVERIFY(band);
                const QString shown = page->records[size_t(r)].textLines();
                QCOMPARE(int(band->kind), kinds.value(shown, ReportSection::DataSection));
                if (band->kind == ReportSection::DataSection) {
                    QVERIFY(band->occurrence >= lastData);
                    lastData = band->occurrence;
                    QCOMPARE(doc->run().pages.bandName(band->name), QStringLiteral("d1"));
                }
            }
        }
        // Nothing is lost: the pieces hold all the lines, in order.
        QStringList lines;
        int seen = 0;
        for (int p = 1; p <= pages; ++p) {
            QCOMPARE(pageTexts(*doc, p).first(), QStringLiteral("ph"));
            for (const QString &t : pageTexts(*doc, p)) {
                if (t.startsWith(u'w') || t.startsWith(QLatin1String("one"))) {
                    lines << t.split(QStringLiteral("\r\n"));
                    ++seen;
                }
            }
        }
        if (pieces > 0) {
            QCOMPARE(seen, pieces);
            QCOMPARE(lines.join(QString()).remove(u' '), QString(words, u'w'));
            // It starts on page 2 (with its other items) and goes on right below
            // the later pages' headers.
            QVERIFY(printItem(*doc, 2, QStringLiteral("Row 2")));
            QVERIFY(!printItem(*doc, 3, QStringLiteral("Row 2")));
            QCOMPARE(doc->run().pages.page(3)->records.at(1).y, 2.0f);
        } else {
            QCOMPARE(printItem(*doc, 2, QStringLiteral("Row 5"))->y, 2.0f);
            QCOMPARE(pageTexts(*doc, 1).last(), QStringLiteral("pf"));
        }
    }

    // Numbers print whole or as "#" marks, never broken into another number;
    // field references are filled in; the HTML shows the same.
    void printedTexts_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<float>("width"); // cm
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("printed"); // "#": "#" marks only
        QTest::addColumn<int>("fieldEntries");
        QTest::addColumn<QVariant>("value"); // kept for the spreadsheets; invalid: none
        auto row = [](const char *name, const char *content, float width, const char *format,
                      const char *printed, int entries = 0, const QVariant &value = QVariant()) {
            QTest::newRow(name) << QString::fromUtf8(content) << width << QString::fromUtf8(format)
                                << QString::fromUtf8(printed) << entries << value;
        };
        row("wide number", "[T].[Big]", 1.5f, "", "#", 0, 12345678.91);
        row("billion", "[T].[Billion]", 0.5f, "#,##0", "#", 0, 1000000000);
        row("formula", "=[T].[Big] * 1", 1.5f, "", "#", 0, 12345678.91);
        row("grows, still one line", "[T].[Big]", 1.2f, "", "#", 0, 12345678.91);
        row("number that fits", "[T].[Big]", 6, "#,##0.00", "12,345,678.91", 0, 12345678.91);
        row("small number", "[T].[Small]", 0.5f, "", "42", 0, 42);
        row("date", "=DateSerial(2026, 12, 8)", 6, "yyyy-mm-dd", "2026-12-08", 0,
            QDateTime(QDate(2026, 12, 8), QTime(0, 0)));
        row("truth value", "=[T].[Small] > 1", 6, "", "True", 0, true);
        row("two fields", "[T].[Txt] has [T].[Small]", 6, "", "Ann has 42");
        row("bare name", "Hello [Txt]!", 6, "", "Hello Ann!");
        row("not a field", "See [note] below", 6, "", "See [note] below");
        row("missing field", "Name: [T].[Nope]", 6, "", "Name: [T].[Nope]", 1);
    }
    void printedTexts()
    {
        QFETCH(QString, content);
        QFETCH(float, width);
        QFETCH(QString, format);
        QFETCH(QString, printed);
        QFETCH(int, fieldEntries);
        QFETCH(QVariant, value);
        ReportDocument doc;
        doc.run().pages.setKeepValues(true);
        doc.clearSections();
        doc.connectionStringData = sqlite(fixtureDb());
        ReportSection *data = doc.addDataSection();
        data->sectionName = QStringLiteral("T");
        data->Height = 1;
        data->SQL = QStringLiteral("SELECT 'Ann' AS Txt, 12345678.91 AS Big, "
                                   "1000000000 AS Billion, 42 AS Small FROM Rows WHERE ID = 1");
        TextItem *item = textItem(data, content);
        item->x = 2;
        item->w = width;
        item->FormatString = format;
        item->CanGrowVertical = QByteArray(QTest::currentDataTag()).startsWith("grows");
        doc.orderSections();
        run(doc);
        const QStringList texts = allTexts(doc);
        QCOMPARE(texts.size(), 1);
        const QString text = texts.first();
        if (printed == QLatin1String("#"))
            QVERIFY2(text.size() >= 1 && text.count(u'#') == text.size(), qPrintable(text));
        else
            QCOMPARE(text, printed);
        QCOMPARE(doc.errorLst.size(), fieldEntries);
        if (fieldEntries)
            QCOMPARE(doc.errorLst.first().function_, QStringLiteral("GetField"));
        const PageRecord *shown = printItem(doc, 1, text);
        QVERIFY(shown);
        const TypedValue *kept = shown->text()->value.get();
        QCOMPARE(kept != nullptr, value.isValid());
        if (kept) {
            // A wide number keeps its value: only the page shows "#" marks.
            QCOMPARE(kept->value.toString(), value.toString());
            QCOMPARE(kept->format, format);
        }
        QVERIFY(pageRecordHtml(doc, *shown).contains(text));
    }
};

QTEST_MAIN(tst_Run)
#include "tst_run.moc"
