// The document model: sections and their keys, the modified logic, saving.
#include "../datafixtures.h"
#include "document/chartitem.h"
#include "document/itemclipboard.h"
#include "document/pictureitem.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "document/userinteraction.h"
#include "platform/units.h"

namespace {

// "key:number:name:parent" of every section, in collection order.
QStringList layout(const ReportDocument &doc)
{
    QStringList out;
    for (int i = 0; i < doc.sections.count(); ++i) {
        const ReportSection *s = doc.sections.at(i);
        out << QStringLiteral("%1:%2:%3:%4")
                   .arg(doc.sections.keyAt(i), QString::number(s->dataSectionNumber),
                        s->sectionName, QString::number(s->sectionParent));
    }
    return out;
}

// Where each call adds (after the new document's section), a key removed before
// the last call, and "key:number:name:parent" of the sections afterwards.
using Adding = std::tuple<QList<int>, QString, QStringList>;
// The section's type and number, its key and its sorting key.
using Keys = std::tuple<int, int, QString, QString>;

} // namespace

class tst_Document : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_ui = ScriptedInteraction();
        UserInteraction::setCurrent(&m_ui);
    }
    void cleanup() { UserInteraction::setCurrent(nullptr); }

    // Document
    void newDocumentAndInit()
    {
        ReportDocument doc;
        QCOMPARE(layout(doc), QStringList{"d1:1:Data 1:0"});
        QCOMPARE(doc.sections.at(0)->parent, &doc);
        QVERIFY(!doc.modified() && !doc.pageHeader() && !doc.pageFooter() && !doc.reportHeader() &&
                !doc.reportFooter());

        // init() resets all but the page size.
        doc.setUnit(Unit::Inches);
        std::tie(doc.pageWidth, doc.pageHeight) = std::tuple(8.5f, 11.0f);
        doc.docName = "x";
        doc.fileName = "/tmp/x.xml";
        doc.setPageHeader(true);
        doc.errorLst.append(ErrorEntry("TalvoDocument", "RunSQL", "m", "i"));
        doc.init();
        QCOMPARE(doc.nbSections(), 0);
        QCOMPARE(doc.unit(), 7);
        // The page size is kept, but converted to centimetres.
        QCOMPARE(QList<float>({doc.pageWidth, doc.pageHeight, doc.leftMargin}),
                 QList<float>({float(8.5 * 1440 / 567), float(11.0 * 1440 / 567), 1.5f}));
        QVERIFY(doc.docName.isEmpty() && doc.fileName.isEmpty() && doc.errorLst.isEmpty());
        QVERIFY(!doc.modified());
    }
    void unitChangeConvertsPageLengthsOnly_data()
    {
        QTest::addColumn<int>("to");
        QTest::addColumn<double>("factor");
        QTest::newRow("cm to inches") << 5 << 567.0 / 1440.0;
        QTest::newRow("cm to cm") << 7 << 1.0;
    }
    void unitChangeConvertsPageLengthsOnly()
    {
        QFETCH(int, to);
        QFETCH(double, factor);
        ReportDocument doc;
        doc.pageWidth = 21;
        doc.pageHeight = 29.7f;
        ReportSection *s = doc.sections.at(0);
        TextItem *item = s->newTextItem();
        item->x = 3;
        doc.setUnit(to);
        QCOMPARE(doc.unit(), to);
        QCOMPARE(QList<float>({doc.leftMargin, doc.bottomMargin, doc.pageWidth, doc.pageHeight}),
                 QList<float>({float(1.5 * factor), float(2 * factor), float(21 * factor),
                               float(double(29.7f) * factor)}));
        // Grid, sections and items stay as they are.
        QCOMPARE(QList<float>({doc.gridSize, s->Height, item->x}), QList<float>({0.2f, 2, 3}));
    }
    void addDataSection_data()
    {
        QTest::addColumn<Adding>("row");
        const auto row = [](const char *name, const Adding &r) { QTest::newRow(name) << r; };
        row("append", {{-1, -1}, "", {"d1:1:Data 1:0", "d2:2:Data 2:1", "d3:3:Data 3:0"}});
        // Inserting at 1 renumbers the others and keeps keys equal to numbers,
        // so the engine's "d" + number lookups find the right sections.
        row("insert first", {{-1, 1}, "", {"d2:2:Data 1:0", "d3:3:Data 2:2", "d1:1:Data 3:0"}});
        row("insert middle", {{-1, 2}, "", {"d1:1:Data 1:0", "d3:3:Data 2:1", "d2:2:Data 3:0"}});
        row("insert past end", {{3}, "", {"d1:1:Data 1:0", "d3:3:Data 2:0"}});
        // After a removal the next number is still free, and the name unique.
        row("append after removal", {{-1, -1}, "d1", {"d2:2:Data 2:1", "d3:3:Data 3:0"}});
    }
    void addDataSection()
    {
        QFETCH(Adding, row);
        const auto &[calls, removeFirst, expected] = row;

        ReportDocument doc;
        for (int i = 0; i < calls.size(); ++i) {
            if (i == calls.size() - 1 && !removeFirst.isEmpty())
                doc.sections.remove(removeFirst);
            ReportSection *added = doc.addDataSection(calls[i]);
            QVERIFY(added);
            QCOMPARE(added->parent, &doc);
            // The second section is the child of the first in these rows.
            if (i == 0 && doc.sections.value("d2"))
                doc.sections.value("d2")->sectionParent = 1;
        }
        QCOMPARE(layout(doc), expected);
        QCOMPARE(doc.nbDataSections, expected.size());
    }
    void headerFooterSwitches_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("page header") << 1 << QString("ph") << QString("Page Header");
        QTest::newRow("page footer") << 2 << QString("pf") << QString("Page Footer");
        QTest::newRow("report header") << 3 << QString("rh") << QString("Report Header");
        QTest::newRow("report footer") << 4 << QString("rf") << QString("Report Footer");
    }
    void headerFooterSwitches()
    {
        QFETCH(int, type);
        QFETCH(QString, key);
        using Get = bool (ReportDocument::*)() const;
        using Set = void (ReportDocument::*)(bool);
        const Get get =
            QList<Get>{&ReportDocument::pageHeader, &ReportDocument::pageFooter,
                       &ReportDocument::reportHeader, &ReportDocument::reportFooter}[type - 1];
        const Set set = QList<Set>{&ReportDocument::setPageHeader, &ReportDocument::setPageFooter,
                                   &ReportDocument::setReportHeader,
                                   &ReportDocument::setReportFooter}[type - 1];
        ReportDocument doc;
        (doc.*set)(false); // removing an absent section changes nothing
        QVERIFY(!doc.modified());
        (doc.*set)(true);
        QVERIFY((doc.*get)());
        QVERIFY(doc.modified());
        const ReportSection *s = doc.sections.value(key);
        QTEST(s->sectionName, "name");
        QCOMPARE(s->parent, &doc);
        (doc.*set)(true); // a second "on" adds nothing
        QCOMPARE(doc.nbSections(), 2);
        QCOMPARE(doc.countDataSections(), 1);
        (doc.*set)(false);
        QVERIFY(!(doc.*get)());
        QCOMPARE(doc.nbSections(), 1);
        QVERIFY(doc.modified()); // on and off still counts as a change
        // A section under the key but of another kind does not count.
        doc.sections.add(key, std::make_unique<ReportSection>());
        QVERIFY(!(doc.*get)());
    }
    void orderSections()
    {
        ReportDocument doc;
        doc.addDataSection()->sectionName = "Orders";
        doc.setReportFooter(true);
        doc.addDataSection(1);
        doc.setPageHeader(true);
        doc.orderSections();
        QCOMPARE(layout(doc), (QStringList{"rf:0:Report Footer:0", "ph:0:Page Header:0",
                                           "d1:1:Data 3:0", "d2:2:Data 1:0", "d3:3:Orders:0"}));
        // Lookup by name: the letter case matters.
        ReportSection *fallback = doc.sections.value("d1");
        QCOMPARE(doc.findSection("Orders", fallback), doc.sections.value("d3"));
        QCOMPARE(doc.findSection("orders", fallback), fallback);
        QCOMPARE(doc.getKeySection("Orders"), QStringLiteral("d3"));
        QCOMPARE(doc.getKeySection("ORDERS"), QString());
    }
    void modifiedFollowsSectionsAndItems()
    {
        ReportDocument doc;
        ReportSection *s = doc.sections.at(0);
        TextItem *item = s->newTextItem();
        s->newPicture();
        s->newChart();
        QVERIFY(!s->modified() && !doc.modified()); // new items are not changes yet
        item->modified = true;
        QVERIFY(s->modified() && doc.modified());
        doc.clearModified();
        QVERIFY(!item->modified && !doc.modified());
        s->modified_ = true;
        QVERIFY(doc.modified());
    }

    // Saving
    // Yes, No and Cancel are driven through the designer and the preview; here: after Yes
    // the report without a name asks for one, and the changes stay when nothing was saved.
    void checkIfToSave_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("chosen"); // "" cancels the file dialog
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged") << false << QString() << false;
        QTest::newRow("yes, saved") << true << m_dir.filePath("chosen.xml") << true;
        QTest::newRow("yes, dialog cancelled") << true << QString() << false;
        QTest::newRow("yes, write failed")
            << true << m_dir.filePath("missing/folder/x.xml") << false;
    }
    void checkIfToSave()
    {
        QFETCH(bool, modified);
        QFETCH(QString, chosen);
        QFETCH(bool, saved);
        ReportDocument doc;
        if (modified)
            doc.setReportHeader(true);
        m_ui.answers << UserInteraction::Yes;
        if (!chosen.isEmpty())
            m_ui.fileNames << chosen;
        QCOMPARE(doc.checkIfToSave_MustStopIsAnswer(), modified && !saved);
        if (!modified) {
            QVERIFY(m_ui.shown.isEmpty());
            return;
        }
        const auto &question = m_ui.shown.first();
        QCOMPARE(question.text,
                 QStringLiteral("Changes were made, do you want to save your current "
                                "file before to continue ?"));
        QCOMPARE(question.buttons,
                 int(UserInteraction::Yes | UserInteraction::No | UserInteraction::Cancel));
        QCOMPARE(m_ui.fileDialogs, 1);
        if (saved) {
            QVERIFY(!doc.modified());
            QCOMPARE(doc.fileName, chosen);
            ReportDocument back;
            QVERIFY(back.loadXml(chosen) && back.reportHeader());
            return;
        }
        if (!chosen.isEmpty()) // the failed write is reported as an error
            QCOMPARE(m_ui.shown.last().icon, UserInteraction::Critical);
        QVERIFY(doc.modified() && doc.fileName.isEmpty() && !QFile::exists(chosen));
    }

    // Sections
    void sectionKeys_data()
    {
        QTest::addColumn<Keys>("row");
        const auto row = [](const char *name, const Keys &r) { QTest::newRow(name) << r; };
        row("report header", {3, 7, "rh", "0000"});
        row("data 12", {0, 12, "d12", "0120"});
        row("data 1234", {0, 1234, "d1234", "12340"});
        row("before data 2", {5, 2, "d2", "0019"});
        row("after data 2", {6, 2, "d2", "0021"});
    }
    void sectionKeys()
    {
        QFETCH(Keys, row);
        const auto &[type, number, key, sortingKey] = row;
        ReportSection s;
        s.section_Type = type;
        s.dataSectionNumber = number;
        QCOMPARE(s.Key(), key);
        QCOMPARE(s.sortingKey(), sortingKey);
    }
    void itemKeysAreNeverReused()
    {
        ReportSection s;
        QCOMPARE(QStringList({s.newTextItem()->Key, s.newPicture()->Key, s.newChart()->Key}),
                 QStringList({"k1", "k2", "k3"}));
        s.items.remove("k3");
        TextItem *next = s.newTextItem();
        QCOMPARE(next->Key, QStringLiteral("k4"));
        QCOMPARE(next->parent, &s);
        QCOMPARE(s.items.value("K4"), next); // keys compare without case
    }

    // Items and borders
    void alignAndFontFlags()
    {
        TextItem item;
        QList<int> aligned;
        for (const char *where : {"CENTER", "right", "centre"}) { // an unknown word is left
            item.align(where);
            aligned << item.AlignH;
        }
        QCOMPARE(aligned, (QList<int>{2, 1, 0}));

        for (const char *flag : {"Bold", "italic", "UNDERLINE", "strikethrough"}) {
            QVERIFY(!item.fontWhat(flag));
            item.setFontWhat(flag, true);
            QVERIFY(item.fontWhat(QString::fromLatin1(flag).toLower()));
        }
        QVERIFY(item.fontBold && item.fontItalic && item.fontUnderline && item.fontStrikethrough);
        item.setFontWhat("shadow", true);
        QVERIFY(!item.fontWhat("shadow"));
    }
    void twipsFollowTheDocumentUnit()
    {
        ReportDocument doc;
        doc.setUnit(Unit::Inches);
        PictureItem *pic = doc.sections.at(0)->newPicture();
        std::tie(pic->x, pic->y, pic->w, pic->h) = std::tuple(1.0f, 2.0f, 3.0f, 0.5f);
        QCOMPARE(QList<double>({pic->xt(), pic->yt(), pic->wt(), pic->ht()}),
                 QList<double>({1440, 2880, 4320, 720}));
        QCOMPARE(doc.sections.at(0)->HeightT(), 2880.0);
        // No document or section: no conversion.
        PictureItem loose;
        loose.x = 4;
        QCOMPARE(loose.xt(), 4.0);
        ReportSection looseSection;
        looseSection.Height = 3;
        QCOMPARE(looseSection.HeightT(), 3.0);
    }
    void copyCopiesEveryKind()
    {
        ReportSection target;
        TextItem text;
        text.content = "=[a]+1";
        text.fontBold = text.CanGrowHorizontal = text.HideDuplicates = text.runningSum = true;
        text.alignV = 1;
        text.Key = "k9";
        text.selected = true;
        text.borders.top.setValues(3, 255, 1);
        TextItem copy;
        copy.copy(text, &target);
        QCOMPARE(copy.content, text.content);
        QVERIFY(copy.fontBold && copy.CanGrowHorizontal && copy.HideDuplicates && copy.runningSum);
        QCOMPARE(copy.alignV, (unsigned char)1);
        QVERIFY(copy.borders.top.Equal(text.borders.top));
        // The caller gives the key; the copy is a change, not a selection.
        QVERIFY(copy.Key.isEmpty() && copy.parent == &target && copy.modified && !copy.selected);

        PictureItem pic;
        pic.fileName = "a.png";
        pic.pType = 1;
        pic.stretch = true;
        pic.altText = "Logo";
        pic.pic = QImage(2, 3, QImage::Format_RGB32);
        auto picCopy = pic.clone();
        QCOMPARE(picCopy->kind(), ReportItem::PictureKind);
        const auto &p = static_cast<const PictureItem &>(*picCopy);
        QCOMPARE(QStringList({p.fileName, p.altText}), QStringList({pic.fileName, pic.altText}));
        QVERIFY(p.pType == 1 && p.stretch && p.pic.size() == QSize(2, 3));

        ChartItem graph;
        graph.SQL = "SELECT 1";
        graph.gType = 16;
        graph.legend = graph.stack = graph.dataInLine = true;
        graph.altText = "Sales";
        graph.borders.setValues(2, 9, 0);
        ChartItem graphCopy;
        graphCopy.copy(graph, nullptr);
        QCOMPARE(QStringList({graphCopy.SQL, graphCopy.altText}),
                 QStringList({graph.SQL, graph.altText}));
        QVERIFY(graphCopy.gType == 16 && graphCopy.legend && graphCopy.stack &&
                graphCopy.dataInLine);
        QVERIFY(graphCopy.borders.allEqual() && graphCopy.borders.left.Width == 2);
    }
    void borderRules()
    {
        Borders b;
        QVERIFY(!b.isAnyBorders() && b.allEqual());
        b.bottom.style = 0;
        QVERIFY(b.isAnyBorders() && !b.allEqual());
        b.setValues(1, 0, 5);
        QVERIFY(!b.isAnyBorders());
        b.setValues(3, 255, 0);
        QVERIFY(b.allEqual());
        b.right.Color = 1;
        QVERIFY(!b.allEqual());
        BorderLine one;
        QCOMPARE(one.wt(), 8.859375f);
        one.Width = 4;
        QCOMPARE(one.wt(), 35.4375f);
    }
    void clipboardOutlivesTheItems()
    {
        ReportDocument doc;
        ReportSection *s = doc.sections.at(0);
        TextItem *copied = s->newTextItem();
        copied->content = "copied";
        TextItem *cut = s->newTextItem();
        cut->content = "cut";

        ItemClipboard clip;
        clip.addCopyOf(*copied);
        clip.add(s->items.take(cut->Key));
        // The copy is a snapshot: later edits and removals do not reach it.
        copied->content = "edited";
        s->items.remove(copied->Key);
        doc.clearSections();
        QCOMPARE(clip.count(), 2);

        ReportSection *other = doc.addDataSection();
        for (int i = 0; i < clip.count(); ++i) {
            const ReportItem *entry = clip.at(i);
            QCOMPARE(entry->whatIs(), QStringLiteral("item"));
            QCOMPARE(entry->parent, nullptr);
            other->newTextItem()->copy(*entry, other);
        }
        QCOMPARE(QStringList({static_cast<TextItem *>(other->items.at(0))->content,
                              static_cast<TextItem *>(other->items.at(1))->content}),
                 QStringList({"copied", "cut"}));
        QCOMPARE(other->items.at(1)->parent, other);
    }

private:
    QTemporaryDir m_dir;
    ScriptedInteraction m_ui;
};

QTEST_MAIN(tst_Document)
#include "tst_document.moc"
