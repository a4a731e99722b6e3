// The designer's query tools on a copy of the demo database: the "{" list, Test and Run, the
// SQL builder, the browser, completion, highlighting and dragging fields onto a section.
#include "designer/databasebrowser.h"
#include "designer/designdocument.h"
#include "designer/fieldspanel.h"
#include "designer/sectionsurface.h"
#include "designer/sqleditordialog.h"
#include "designer/sqlhighlighter.h"
#include "designer/sqlpanel.h"
#include "designer/sqlschemacache.h"
#include "designer/sqltextedit.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "document/userinteraction.h"
#include "platform/connection.h"
#include "platform/recordset.h"

#include "../datafixtures.h"
#include "../dialogtesting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTreeWidget>

#include <memory>

// Whether on PostgreSQL, the text, Test's message, the rows Run shows (-1:
// an error) and its status.
using Outcome = std::tuple<bool, QString, QString, int, QString>;

class SqlToolsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QFile::copy(demoDb(), scratchPath(QStringLiteral("demo.db")))); }
    void init()
    {
        // Customers with their orders: the second section refers to the first.
        m_doc = std::make_unique<ReportDocument>();
        m_doc->clearSections();
        m_doc->connectionStringData = sqlite(scratchPath(QStringLiteral("demo.db")));
        ReportSection *customers = m_doc->addDataSection();
        customers->sectionName = QStringLiteral("Customers");
        customers->SQL = QStringLiteral("SELECT CustomerID, CompanyName, City FROM Customers");
        ReportSection *orders = m_doc->addDataSection();
        orders->sectionName = QStringLiteral("Orders");
        orders->sectionParent = 1;
        orders->SQL = QStringLiteral("SELECT OrderID, Freight FROM Orders WHERE CustomerID = "
                                     "'{[Customers].[CustomerID]}'");
        m_ui = ScriptedInteraction();
        UserInteraction::setCurrent(&m_ui);
    }
    void cleanup()
    {
        UserInteraction::setCurrent(nullptr);
        m_doc.reset();
    }
    void referenceList_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("text");
        const QList<int> enter{Qt::Key_Return};
        dataRow("first section: no list", 1, enter, "x = {");
        dataRow("Enter inserts the first", 2, enter, "x = {[Customers].[CustomerID]}");
        dataRow("Down, Enter inserts the second", 2, QList<int>{Qt::Key_Down, Qt::Key_Return},
                "x = {[Customers].[CompanyName]}");
        dataRow("Escape inserts nothing", 2, QList<int>{Qt::Key_Escape}, "x = {");
    }
    // "{" lists the fields of the sections above; it inserts a whole reference or nothing.
    void referenceList()
    {
        QFETCH(int, number);
        QFETCH(QList<int>, keys);
        QFETCH(QString, text);

        auto editor = editorFor(number);
        QVERIFY(editor);
        auto *list = child<QListWidget>(editor.get(), "List1");
        QVERIFY(list);
        QTest::keyClicks(editor->editor(), QStringLiteral("x = {"));
        QCOMPARE(list->isVisible(), number > 1);
        if (list->isVisible()) {
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            QCOMPARE(shown, QStringList({"[Customers].[CustomerID]", "[Customers].[CompanyName]",
                                         "[Customers].[City]"}));
            for (int key : keys)
                QTest::keyClick(list, Qt::Key(key));
            QVERIFY(!list->isVisible());
        }
        QCOMPARE(editor->sql(), text);
    }
    void testAndRun_data()
    {
        QTest::addColumn<Outcome>("row");
        const auto row = [](const char *name, const Outcome &r) { QTest::newRow(name) << r; };
        row("references replaced by 0, more rows than shown",
            {false,
             "SELECT OrderID, Freight FROM Orders WHERE OrderID > "
             "{[Customers].[CustomerID]} AND ShipCity <> '{City}'",
             "Test successful !", 100, "The first 100 rows"});
        row("no rows",
            {false, "SELECT * FROM Customers WHERE 1 = 0", "Test successful !", 0, "0 rows"});
        row("error", {false, "SELECT Nope FROM Customers", "Test Failed (no such column: Nope)", -1,
                      "no such column: Nope"});
        // Only a server that accepts a SELECT without columns can give no fields.
        row("no fields (PostgreSQL)",
            {true, "SELECT  FROM pg_catalog.pg_am",
             "Test failed, no error but no fields in the recordset !", -2, ""});
    }
    // The three outcomes of Test, and the grid or the data source's error Run shows.
    void testAndRun()
    {
        QFETCH(Outcome, row);
        const auto &[postgres, sql, message, rows, status] = row;
        if (postgres) {
            m_doc->connectionStringData = qEnvironmentVariable("MIRT_PG_CONN");
            if (m_doc->connectionStringData.isEmpty())
                QSKIP("MIRT_PG_CONN is not set: no PostgreSQL test server");
        }
        auto editor = editorFor(2);
        QVERIFY(editor);
        editor->setSql(sql);
        const bool ok = message.startsWith(QStringLiteral("Test successful"));
        QCOMPARE(editor->TEST(true), ok);
        QVERIFY(m_ui.shown.isEmpty());
        click(editor.get(), "bTest");
        QCOMPARE(m_ui.shown.size(), 1);
        QCOMPARE(m_ui.shown.first().text, message);
        QCOMPARE(m_ui.shown.first().icon,
                 ok ? UserInteraction::Information : UserInteraction::Exclamation);
        if (rows < -1)
            return;
        click(editor.get(), "bRun");
        auto *pages = child<QStackedWidget>(editor.get(), "runPages");
        QVERIFY(pages->isVisible());
        if (rows < 0) {
            QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("runError"));
            QCOMPARE(child<QPlainTextEdit>(editor.get(), "runError")->toPlainText(), status);
            return;
        }
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("runGrid"));
        QCOMPARE(child<QTableView>(editor.get(), "runGrid")->model()->rowCount(), rows);
        QCOMPARE(child<QLabel>(editor.get(), "runStatus")->text(), status);
    }
    void simpleSql_data()
    {
        QTest::addColumn<QString>("table"); // empty: OK before a table is chosen
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QStringList>("aliases"); // field=alias, typed after F2
        QTest::addColumn<QString>("expected");
        const QStringList none;
        dataRow("list order, alias differing in case", "Customers",
                QStringList{"City", "CustomerID"}, QStringList{"City=city"},
                "SELECT [CustomerID], [City] as [city] FROM [Customers]");
        dataRow("emptied alias keeps the name", "Customers", QStringList{"City"},
                QStringList{"City="}, "SELECT [City] FROM [Customers]");
        dataRow("none checked", "Customers", none, none, "SELECT  FROM [Customers]");
        dataRow("built text comes back ticked", "", none, none,
                "SELECT [CustomerID], [City] as [Town] FROM [Customers]");
        dataRow("OK before a table: text unchanged", "", none, none,
                "SELECT * FROM Customers WHERE 1");
    }
    // The builder as the editor calls it, modally: the text that OK returns.
    void simpleSql()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, checked);
        QFETCH(QStringList, aliases);
        QFETCH(QString, expected);

        onNextModal([&](QWidget *window) {
            // A failed check returns early: the dialog must still close.
            const auto closeWithOk = qScopeGuard([window] { click(window, "bOK"); });
            auto *dialog = qobject_cast<SqlEditorDialog *>(window);
            QVERIFY(dialog);
            if (!table.isEmpty())
                QVERIFY(dialog->chooseTable(table));
            auto *lv1 = child<QTreeWidget>(dialog, "lv1");
            auto row = [&](const QString &name) {
                return lv1->findItems(name, Qt::MatchExactly, 1).value(0);
            };
            for (const QString &name : checked) {
                QVERIFY(row(name));
                row(name)->setCheckState(0, Qt::Checked);
            }
            for (const QString &pair : aliases) {
                lv1->setCurrentItem(row(pair.section(u'=', 0, 0)));
                QTest::keyClick(lv1, Qt::Key_F2);
                auto *edit = lv1->findChild<QLineEdit *>();
                QVERIFY(edit);
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                QTest::keyClicks(edit, pair.section(u'=', 1));
                QTest::keyClick(edit, Qt::Key_Return);
                QCoreApplication::processEvents(); // the view commits the edit queued
            }
            if (!table.isEmpty())
                QCOMPARE(child<QLabel>(dialog, "sql")->text(), expected);
        });
        const QString given =
            table.isEmpty() ? expected : QStringLiteral("SELECT [Nope] FROM [Customers]");
        QCOMPARE(SqlEditorDialog::getSQL(given, m_doc.get(), nullptr), expected);
    }
    void browser_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("firstColumn");
        dataRow("table with a picture", "Categories", "CategoryID");
        dataRow("view", "Order Totals", "OrderID");
    }
    // A click on a table or view fills the grid with every row; the current cell is copied.
    void browser()
    {
        QFETCH(QString, name);

        QCOMPARE(m_doc->openDataConnection(), 0);
        DatabaseBrowser dialog;
        dialog.setConnection(&m_doc->connection());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *tree = child<QTreeWidget>(&dialog, "TreeView1");
        QTreeWidgetItem *node =
            tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(node).center());
        QStandardItemModel *grid = dialog.grid();
        Recordset count;
        count.open(QStringLiteral("SELECT count(*) FROM [%1]").arg(name), m_doc->connection());
        QCOMPARE(grid->rowCount(), count.value(0).toInt());
        QTEST(grid->headerData(0, Qt::Horizontal).toString(), "firstColumn");

        const QModelIndex cell = grid->index(grid->rowCount() - 1, 1);
        child<QTableView>(&dialog, "datagrid1")->setCurrentIndex(cell);
        QVERIFY(!cell.data().toString().isEmpty());
        dialog.copyCurrent();
        QCOMPARE(QGuiApplication::clipboard()->text(), cell.data().toString());
    }
    // Fields dragged onto a section surface become one item each, in list order.
    void dragFieldsOntoSection()
    {
        FieldsPanel fields;
        fields.setDocument(m_doc.get());
        FieldListView *list = fields.list();
        QCOMPARE(list->topLevelItemCount(), 5);
        // Selected bottom-up: the drop still follows the list.
        list->topLevelItem(4)->setSelected(true);
        list->topLevelItem(0)->setSelected(true);
        std::unique_ptr<QMimeData> data(list->mimeData(list->selectedItems()));

        DesignDocument design(*m_doc);
        QWidget host;
        host.resize(700, 400);
        auto *surface = new SectionSurface(&host);
        surface->setDesignDocument(&design);
        surface->setScale(0.1);
        surface->setPageWidthTwips(6000);
        surface->initMargin(0.5, 0.5, 0.5, 0.5);
        ReportSection *target = m_doc->sections.value(QStringLiteral("d2"));
        surface->init(target);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        const int before = target->items.count();
        const QPoint at(40, 20);
        QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent over(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &over);
        QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &drop);
        QVERIFY(drop.isAccepted());
        QStringList added;
        for (int i = before; i < target->items.count(); ++i)
            added << static_cast<TextItem *>(target->items.at(i))->content;
        QCOMPARE(added, (QStringList{"[Customers].[CustomerID]", "[Orders].[Freight]"}));
        QCOMPARE(list->topLevelItemCount(), 5);
    }
    void completion_data()
    {
        QTest::addColumn<QString>("typed");  // "|" marks the caret
        QTest::addColumn<QString>("chosen"); // from the list; empty: one candidate or none
        QTest::addColumn<QString>("completed");
        dataRow("only the named table's fields", "SELECT Freig| FROM Customers", "",
                "SELECT Freig FROM Customers");
        dataRow("field of the table named", "SELECT Freig| FROM Orders", "",
                "SELECT Freight FROM Orders");
        dataRow("inside brackets, with a blank", "SELECT * FROM [Order D|", "",
                "SELECT * FROM [Order Details]");
        dataRow("chosen name gets brackets", "SELECT * FROM Order|", "Order Totals",
                "SELECT * FROM [Order Totals]");
        dataRow("keyword", "SELECT * FROM Orders GRO|", "", "SELECT * FROM Orders GROUP");
    }
    void completion()
    {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);

        auto editor = editorFor(1);
        QVERIFY(editor);
        auto *edit = static_cast<SqlTextEdit *>(editor->editor());
        const int caret = int(typed.indexOf(u'|'));
        editor->setSql(typed.remove(u'|'));
        QTextCursor tc = edit->textCursor();
        tc.setPosition(caret);
        edit->setTextCursor(tc);
        QTest::keyClick(edit, Qt::Key_Space, Qt::ControlModifier);
        QAbstractItemView *popup = edit->completer()->popup();
        QCOMPARE(popup->isVisible(), !chosen.isEmpty());
        if (!chosen.isEmpty()) {
            const QModelIndexList hits = popup->model()->match(
                popup->model()->index(0, 0), Qt::DisplayRole, chosen, 1, Qt::MatchExactly);
            QCOMPARE(hits.size(), 1);
            popup->setCurrentIndex(hits.first());
            QTest::keyClick(popup, Qt::Key_Return);
        }
        QTEST(editor->sql(), "completed");
    }
    void highlighting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("marked"); // the part whose kind is checked (first occurrence)
        QTest::addColumn<int>("kind");       // -1: plain

        auto row = [](const char *text, const char *marked, int kind) {
            QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(marked) << kind;
        };
        row("x = 'it''s -- no' AND y", "-- no", SqlHighlighter::String);
        row("x -- select", "select", SqlHighlighter::Comment);
        row("/* a\nselect */ from", "select", SqlHighlighter::Comment);
        row("/* a\nb */ from", "from", SqlHighlighter::Keyword);
        row("'a\nwhere' and", "where", SqlHighlighter::String);
        row("x > 12.5", "12.5", SqlHighlighter::Number);
        row("x > 2x", "2x", -1);
        row("[from]", "from", -1);
        row("x = '{[Customers].[ID]}'", "Customers", SqlHighlighter::Reference);
    }
    void highlighting()
    {
        QFETCH(QString, text);
        QFETCH(QString, marked);
        QFETCH(int, kind);

        QTextDocument document;
        SqlHighlighter highlighter(&document);
        document.setPlainText(text);
        highlighter.rehighlight(); // it waits for the event loop otherwise
        const int at = int(text.indexOf(marked));
        const QTextBlock block = document.findBlock(at);
        const int inBlock = at - block.position();
        QTextCharFormat found;
        for (const QTextLayout::FormatRange &r : block.layout()->formats()) {
            if (r.start <= inBlock && inBlock + marked.size() <= r.start + r.length)
                found = r.format;
        }
        const QTextCharFormat expected =
            kind < 0 ? QTextCharFormat() : highlighter.format(SqlHighlighter::Kind(kind));
        QCOMPARE(found.foreground(), expected.foreground());
        QCOMPARE(found.background(), expected.background());
    }

private:
    // A shown editor of data section `number` of the document.
    std::unique_ptr<SqlPanel> editorFor(int number)
    {
        auto editor = std::make_unique<SqlPanel>();
        editor->setDocument(m_doc.get());
        editor->setNoSection(QString::number(number));
        editor->resize(600, 300);
        editor->show();
        if (!QTest::qWaitForWindowExposed(editor.get()))
            return nullptr;
        return editor;
    }

    std::unique_ptr<ReportDocument> m_doc;
    ScriptedInteraction m_ui;
};

QTEST_MAIN(SqlToolsTest)
#include "tst_sqltools.moc"
