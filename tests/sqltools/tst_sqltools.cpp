// The query tools of the designer on a copy of the demo database: the "{"
// list of references, the test and run of a query, the simple SQL builder,
// the database browser, completion, highlighting and the field list's drag
// onto a real section surface.
#include "designer/fdbbrowse.h"
#include "designer/feditsql.h"
#include "designer/ffields.h"
#include "designer/psection.h"
#include "designer/psql.h"
#include "designer/sqlhighlighter.h"
#include "designer/sqlschemacache.h"
#include "designer/sqltextedit.h"
#include "document/item.h"
#include "document/talvodocument.h"
#include "document/userinteraction.h"
#include "platform/connection.h"
#include "platform/recordset.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

class SqlToolsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void referenceList_data();
    void referenceList();
    void testQuery_data();
    void testQuery();
    void runQuery_data();
    void runQuery();
    void simpleSql_data();
    void simpleSql();
    void simpleSqlDialog_data();
    void simpleSqlDialog();
    void browser_data();
    void browser();
    void dragFieldsOntoSection();
    void completion_data();
    void completion();
    void highlighting_data();
    void highlighting();

private:
    // A shown editor of data section `number` of the document.
    std::unique_ptr<pSQL> editorFor(int number);
    // The number of rows of "select … from <from>".
    long countRows(const QString &from);

    QTemporaryDir m_dir;
    QString m_db;
    std::unique_ptr<TalvoDocument> m_doc;
    ScriptedInteraction m_ui;
};

void SqlToolsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_db = m_dir.filePath(QStringLiteral("demo.db"));
    QVERIFY(QFile::copy(QStringLiteral(MIRT_BINARY_DIR "/bin/demo.db"), m_db));
}

void SqlToolsTest::init()
{
    // Customers with their orders: the second section refers to the first.
    m_doc = std::make_unique<TalvoDocument>();
    m_doc->ClearSections();
    m_doc->connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + m_db;
    section *customers = m_doc->AddDataSection();
    customers->sectionName = QStringLiteral("Customers");
    customers->SQL = QStringLiteral("SELECT CustomerID, CompanyName, City FROM Customers");
    section *orders = m_doc->AddDataSection();
    orders->sectionName = QStringLiteral("Orders");
    orders->sectionParent = 1;
    orders->SQL = QStringLiteral("SELECT OrderID, Freight FROM Orders WHERE CustomerID = "
                                 "'{[Customers].[CustomerID]}'");
    m_ui = ScriptedInteraction();
    UserInteraction::setCurrent(&m_ui);
}

void SqlToolsTest::cleanup()
{
    UserInteraction::setCurrent(nullptr);
    m_doc.reset();
}

std::unique_ptr<pSQL> SqlToolsTest::editorFor(int number)
{
    auto editor = std::make_unique<pSQL>();
    editor->setDocument(m_doc.get());
    editor->setNoSection(QString::number(number));
    editor->resize(600, 300);
    editor->show();
    if (!QTest::qWaitForWindowExposed(editor.get()))
        return nullptr;
    return editor;
}

long SqlToolsTest::countRows(const QString &from)
{
    Recordset rs;
    rs.Open(QStringLiteral("select count(*) from ") + from, m_doc->connection());
    return rs.value(0).toLongLong();
}

void SqlToolsTest::referenceList_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("text");

    const QStringList first = {QStringLiteral("[Customers].[CustomerID]"),
                               QStringLiteral("[Customers].[CompanyName]"),
                               QStringLiteral("[Customers].[City]")};
    QTest::newRow("first section: no list") << 1 << "Return" << QStringList() << "x = {";
    QTest::newRow("Enter inserts the first")
        << 2 << "Return" << first << "x = {[Customers].[CustomerID]}";
    QTest::newRow("Down, Enter inserts the second")
        << 2 << "Down Return" << first << "x = {[Customers].[CompanyName]}";
    QTest::newRow("double click inserts")
        << 2 << "DoubleClick" << first << "x = {[Customers].[City]}";
    QTest::newRow("Escape inserts nothing") << 2 << "Escape" << first << "x = {";
    QTest::newRow("another key closes and types") << 2 << "a" << first << "x = {a";
}

// "{" lists the fields of the sections above; the list inserts a complete
// reference or goes away without a trace.
void SqlToolsTest::referenceList()
{
    QFETCH(int, number);
    QFETCH(QString, action);
    QFETCH(QStringList, listed);
    QFETCH(QString, text);

    auto editor = editorFor(number);
    QVERIFY(editor);
    auto *list = editor->findChild<QListWidget *>(QStringLiteral("List1"));
    QVERIFY(list);
    QTest::keyClicks(editor->editor(), QStringLiteral("x = {"));
    QCOMPARE(list->isVisible(), !listed.isEmpty());
    if (list->isVisible()) {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, listed);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(list->width(), editor->editor()->width());
        for (const QString &step : action.split(u' ')) {
            if (step == QStringLiteral("Return")) {
                QTest::keyClick(list, Qt::Key_Return);
            } else if (step == QStringLiteral("Down")) {
                QTest::keyClick(list, Qt::Key_Down);
            } else if (step == QStringLiteral("Escape")) {
                QTest::keyClick(list, Qt::Key_Escape);
            } else if (step == QStringLiteral("DoubleClick")) {
                const QRect r = list->visualItemRect(list->item(2));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
            } else {
                QTest::keyClicks(list, step);
            }
        }
        QVERIFY(!list->isVisible());
    }
    QCOMPARE(editor->sql(), text);
}

void SqlToolsTest::testQuery_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");

    const QString demo = QStringLiteral("demo");
    QTest::newRow("references replaced by 0")
        << demo
        << "SELECT * FROM Orders WHERE OrderID > {[Customers].[CustomerID]} AND "
           "ShipCity <> '{City}'"
        << true << "Test successful !" << int(UserInteraction::Information);
    QTest::newRow("unknown column")
        << demo << "SELECT Nope FROM Customers" << false << "Test Failed (no such column: Nope)"
        << int(UserInteraction::Exclamation);
    QTest::newRow("not a SELECT") << demo << "DELETE FROM Customers" << false << "Test Failed (*)"
                                  << int(UserInteraction::Exclamation);
    QTest::newRow("missing database")
        << "missing"
        << "SELECT * FROM Customers" << false << "Test Failed (*nowhere.db*)"
        << int(UserInteraction::Exclamation);
    // Only a server that accepts a SELECT without columns can give no fields.
    QTest::newRow("no fields (PostgreSQL)")
        << "postgres"
        << "SELECT  FROM pg_catalog.pg_am" << false
        << "Test failed, no error but no fields in the recordset !"
        << int(UserInteraction::Exclamation);
}

// The three outcomes of Test, each with its message, icon and title; the
// failure carries the data source's own words.
void SqlToolsTest::testQuery()
{
    QFETCH(QString, source);
    QFETCH(QString, sql);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    QFETCH(int, icon);

    if (source == QStringLiteral("postgres")) {
        const QString pg = qEnvironmentVariable("MIRT_PG_CONN");
        if (pg.isEmpty())
            QSKIP("MIRT_PG_CONN is not set: no PostgreSQL test server");
        m_doc->connectionStringData = pg;
    } else if (source == QStringLiteral("missing")) {
        m_doc->connectionStringData =
            QStringLiteral("Provider=SQLite;Data Source=") + m_dir.filePath("nowhere.db");
    }
    auto editor = editorFor(2);
    QVERIFY(editor);
    editor->setSql(sql);
    QVERIFY(!editor->TEST(true) == !ok);
    QVERIFY(m_ui.shown.isEmpty());
    QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("bTest")), Qt::LeftButton);
    QCOMPARE(m_ui.shown.size(), 1);
    const ScriptedInteraction::Shown &shown = m_ui.shown.first();
    // "*" stands for the data source's own words.
    const QStringList parts = message.split(u'*');
    QVERIFY2(shown.text.startsWith(parts.first()) && shown.text.endsWith(parts.last()),
             qPrintable(shown.text));
    for (const QString &part : parts)
        QVERIFY2(shown.text.contains(part), qPrintable(shown.text));
    QCOMPARE(int(shown.icon), icon);
    QCOMPARE(shown.title, QStringLiteral("Test"));
}

void SqlToolsTest::runQuery_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("status");

    QTest::newRow("more rows than shown")
        << "SELECT OrderID, Freight FROM Orders WHERE OrderID > {[Customers].[CustomerID]}"
        << "runGrid" << 100 << "The first 100 rows";
    QTest::newRow("a few rows") << "SELECT CompanyName FROM Customers WHERE Country = 'Germany'"
                                << "runGrid" << -1 << "%1 rows";
    QTest::newRow("no rows") << "SELECT * FROM Customers WHERE 1 = 0"
                             << "runGrid" << 0 << "0 rows";
    QTest::newRow("error") << "SELECT Nope FROM Customers"
                           << "runError" << 0 << "no such column: Nope";
}

void SqlToolsTest::runQuery()
{
    QFETCH(QString, sql);
    QFETCH(QString, page);
    QFETCH(int, rows);
    QFETCH(QString, status);

    auto editor = editorFor(2);
    QVERIFY(editor);
    editor->setSql(sql);
    QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("bRun")), Qt::LeftButton);
    auto *pages = editor->findChild<QStackedWidget *>(QStringLiteral("runPages"));
    QVERIFY(pages->isVisible());
    QCOMPARE(pages->currentWidget()->objectName(), page);
    if (page == QStringLiteral("runError")) {
        QCOMPARE(editor->findChild<QPlainTextEdit *>(QStringLiteral("runError"))->toPlainText(),
                 status);
        return;
    }
    if (rows < 0) {
        rows = int(countRows(QStringLiteral("Customers WHERE Country = 'Germany'")));
        QVERIFY(rows > 1 && rows < 100);
        status = status.arg(rows);
    }
    const QAbstractItemModel *grid =
        editor->findChild<QTableView *>(QStringLiteral("runGrid"))->model();
    QCOMPARE(grid->rowCount(), rows);
    QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("runStatus"))->text(), status);
    if (rows > 0)
        QVERIFY(!grid->headerData(0, Qt::Horizontal).toString().isEmpty());
}

void SqlToolsTest::simpleSql_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("aliases"); // field=alias, typed after F2
    QTest::addColumn<QString>("expected");

    QTest::newRow("fields in list order")
        << "Customers" << QStringList{"City", "CustomerID"} << QStringList()
        << "SELECT [CustomerID], [City] FROM [Customers]";
    QTest::newRow("alias equal to the name")
        << "Customers" << QStringList{"City"} << QStringList{"City=City"}
        << "SELECT [City] FROM [Customers]";
    QTest::newRow("alias differing in case")
        << "Customers" << QStringList{"City"} << QStringList{"City=city"}
        << "SELECT [City] as [city] FROM [Customers]";
    QTest::newRow("alias of an unchecked field")
        << "Customers" << QStringList{"City"} << QStringList{"Phone=Tel"}
        << "SELECT [City] FROM [Customers]";
    QTest::newRow("emptied alias keeps the name")
        << "Customers" << QStringList{"City"} << QStringList{"City="}
        << "SELECT [City] FROM [Customers]";
    QTest::newRow("none checked") << "Customers" << QStringList() << QStringList()
                                  << "SELECT  FROM [Customers]";
    QTest::newRow("view with a blank")
        << "Order Totals" << QStringList{"Total"} << QStringList{"Total=Order Total"}
        << "SELECT [Total] as [Order Total] FROM [Order Totals]";
}

void SqlToolsTest::simpleSql()
{
    QFETCH(QString, table);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, aliases);
    QFETCH(QString, expected);

    fEditSQL dialog(m_doc.get(), QStringLiteral("SELECT * FROM Old"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.builtSql(), QStringLiteral("SELECT * FROM Old"));
    QVERIFY(dialog.chooseTable(table));
    auto *lv1 = dialog.findChild<QTreeWidget *>(QStringLiteral("lv1"));
    auto row = [&](const QString &name) {
        const QList<QTreeWidgetItem *> found = lv1->findItems(name, Qt::MatchExactly, 1);
        return found.isEmpty() ? nullptr : found.first();
    };
    for (const QString &name : checked) {
        QVERIFY(row(name));
        row(name)->setCheckState(0, Qt::Checked);
    }
    for (const QString &pair : aliases) {
        QTreeWidgetItem *item = row(pair.section(u'=', 0, 0));
        QVERIFY(item);
        lv1->setCurrentItem(item);
        QTest::keyClick(lv1, Qt::Key_F2);
        auto *edit = lv1->findChild<QLineEdit *>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, pair.section(u'=', 1));
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits the edit queued
    }
    QCOMPARE(dialog.builtSql(), expected);
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("sql"))->text(), expected);
}

void SqlToolsTest::simpleSqlDialog_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("returned");

    const QString built = QStringLiteral("SELECT [CustomerID], [City] as [Town] FROM [Customers]");
    QTest::newRow("built text comes back ticked") << built << "bOK"
                                                  << "Customers" << built;
    QTest::newRow("other text: OK keeps it") << "SELECT * FROM Customers WHERE 1"
                                             << "bOK"
                                             << ""
                                             << "SELECT * FROM Customers WHERE 1";
    QTest::newRow("Cancel keeps the given text") << "SELECT [Nope] FROM [Customers]"
                                                 << "bCancel"
                                                 << ""
                                                 << "SELECT [Nope] FROM [Customers]";
}

// getSQL as the editor calls it, modally.
void SqlToolsTest::simpleSqlDialog()
{
    QFETCH(QString, given);
    QFETCH(QString, button);
    QFETCH(QString, table);
    QFETCH(QString, returned);

    QString chosenTable = QStringLiteral("-");
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<fEditSQL *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        chosenTable = dialog->findChild<QComboBox *>(QStringLiteral("table"))->currentText();
        QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
    });
    QCOMPARE(fEditSQL::getSQL(given, m_doc.get(), nullptr), returned);
    QCOMPARE(chosenTable, table);
}

void SqlToolsTest::browser_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("firstColumn");

    QTest::newRow("table") << "Customers"
                           << "Customersta"
                           << "CustomerID";
    QTest::newRow("table with a picture") << "Categories"
                                          << "Categoriesta"
                                          << "CategoryID";
    QTest::newRow("view") << "Order Totals"
                          << "Order Totalsvi"
                          << "OrderID";
}

void SqlToolsTest::browser()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(QString, firstColumn);

    QCOMPARE(m_doc->openDataConnection(), 0);
    fDBBrowse dialog;
    dialog.setConnection(&m_doc->connection());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *tree = dialog.findChild<QTreeWidget *>(QStringLiteral("TreeView1"));
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Tables"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("Views"));
    QTreeWidgetItem *node = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QVERIFY(node);
    QCOMPARE(node->data(0, Qt::UserRole).toString(), key);

    // A click on the node fills the grid with every row and a header.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    QStandardItemModel *grid = dialog.grid();
    QCOMPARE(grid->rowCount(), int(countRows(u'[' + name + u']')));
    QCOMPARE(grid->headerData(0, Qt::Horizontal).toString(), firstColumn);

    auto *view = dialog.findChild<QTableView *>(QStringLiteral("datagrid1"));
    const QModelIndex cell = grid->index(grid->rowCount() - 1, 1);
    view->setCurrentIndex(cell);
    QVERIFY(!cell.data().toString().isEmpty());
    QCOMPARE(view->toolTip(), cell.data().toString());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    dialog.copyCurrent();
    QCOMPARE(QGuiApplication::clipboard()->text(), cell.data().toString());
}

// The field list's drag, delivered to a section surface, becomes one item
// per field in list order; the list keeps its rows.
void SqlToolsTest::dragFieldsOntoSection()
{
    fFields fields;
    fields.setDocument(m_doc.get());
    FieldListView *list = fields.list();
    QCOMPARE(list->topLevelItemCount(), 5);
    QCOMPARE(list->topLevelItem(3)->text(0), QStringLiteral("[Orders].[OrderID]"));
    QCOMPARE(list->topLevelItem(3)->text(1), QStringLiteral("2"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Level"));

    // Selected bottom-up: the drop still follows the list.
    list->topLevelItem(4)->setSelected(true);
    list->topLevelItem(0)->setSelected(true);
    std::unique_ptr<QMimeData> data(list->mimeData(list->selectedItems()));
    QCOMPARE(data->text(), QStringLiteral("[Customers].[CustomerID];[Orders].[Freight]"));

    QWidget host;
    host.resize(700, 400);
    auto *surface = new pSection(&host);
    surface->setScale(0.1);
    surface->setPageWidthTwips(6000);
    surface->initMargin(0.5, 0.5, 0.5, 0.5);
    section *target = m_doc->sections.value(QStringLiteral("d2"));
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
    QCOMPARE(target->items.count(), before + 2);
    QCOMPARE(static_cast<Item *>(target->items.at(before))->content,
             QStringLiteral("[Customers].[CustomerID]"));
    QCOMPARE(static_cast<Item *>(target->items.at(before + 1))->content,
             QStringLiteral("[Orders].[Freight]"));
    QCOMPARE(list->topLevelItemCount(), 5);
}

void SqlToolsTest::completion_data()
{
    QTest::addColumn<QString>("typed");  // "|" marks the caret
    QTest::addColumn<QString>("chosen"); // from the list; empty: one candidate or none
    QTest::addColumn<QString>("completed");

    QTest::newRow("field of the table named") << "SELECT Comp| FROM Customers"
                                              << ""
                                              << "SELECT CompanyName FROM Customers";
    QTest::newRow("only the named table's fields") << "SELECT Freig| FROM Customers"
                                                   << ""
                                                   << "SELECT Freig FROM Customers";
    QTest::newRow("another table") << "SELECT Freig| FROM Orders"
                                   << ""
                                   << "SELECT Freight FROM Orders";
    QTest::newRow("inside brackets, with a blank") << "SELECT * FROM [Order D|"
                                                   << ""
                                                   << "SELECT * FROM [Order Details]";
    QTest::newRow("chosen name gets brackets") << "SELECT * FROM Order|"
                                               << "Order Totals"
                                               << "SELECT * FROM [Order Totals]";
    QTest::newRow("keyword") << "SELECT * FROM Orders GRO|"
                             << ""
                             << "SELECT * FROM Orders GROUP";
}

void SqlToolsTest::completion()
{
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(QString, completed);

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
    QCOMPARE(editor->sql(), completed);
}

void SqlToolsTest::highlighting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marked"); // the part whose kind is checked (first occurrence)
    QTest::addColumn<int>("kind");       // -1: plain

    const int plain = -1;
    QTest::newRow("keyword") << "select x from t"
                             << "from" << int(SqlHighlighter::Keyword);
    QTest::newRow("keyword in a literal") << "x = 'a from b'"
                                          << "from" << int(SqlHighlighter::String);
    QTest::newRow("doubled quote stays in the literal") << "x = 'it''s -- no' AND y"
                                                        << "-- no" << int(SqlHighlighter::String);
    QTest::newRow("line comment") << "x -- select"
                                  << "select" << int(SqlHighlighter::Comment);
    QTest::newRow("comment over lines") << "/* a\nselect */ from"
                                        << "select" << int(SqlHighlighter::Comment);
    QTest::newRow("after the comment") << "/* a\nb */ from"
                                       << "from" << int(SqlHighlighter::Keyword);
    QTest::newRow("literal over lines") << "'a\nwhere' and"
                                        << "where" << int(SqlHighlighter::String);
    QTest::newRow("number") << "x > 12.5"
                            << "12.5" << int(SqlHighlighter::Number);
    QTest::newRow("name starting with a digit") << "x > 2x"
                                                << "2x" << plain;
    QTest::newRow("bracketed keyword") << "[from]"
                                       << "from" << plain;
    QTest::newRow("reference") << "x = {[Customers].[ID]}"
                               << "Customers" << int(SqlHighlighter::Reference);
    QTest::newRow("reference in a literal") << "x = '{[Customers].[ID]}'"
                                            << "Customers" << int(SqlHighlighter::Reference);
}

void SqlToolsTest::highlighting()
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

QTEST_MAIN(SqlToolsTest)
#include "tst_sqltools.moc"
