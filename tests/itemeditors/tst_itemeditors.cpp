// The text item and border dialogs driven through their controls: what the
// user changes must reach the item on OK and nowhere on Cancel, and the
// value under the content must be what the demo database holds.
#include "../dialogtesting.h"
#include "designer/feditborders.h"
#include "designer/fedititem.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"
#include "engine/scriptfunctions.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

void clickOk(QWidget *window)
{
    auto *box = child<QDialogButtonBox>(window, "buttonBox");
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void clickCancel(QWidget *window)
{
    auto *box = child<QDialogButtonBox>(window, "buttonBox");
    QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
}

// Everything the dialogs may change, so that "unchanged" means unchanged.
QString describe(const Item &item)
{
    QStringList parts = {item.content,
                         item.fontName,
                         QString::number(item.fontSize),
                         QString::number(item.fontBold),
                         QString::number(item.fontItalic),
                         QString::number(item.fontUnderline),
                         QString::number(item.fontStrikethrough),
                         QString::number(item.fontColor),
                         QString::number(item.AlignH),
                         item.FormatString,
                         QString::number(item.CanGrowVertical),
                         item.visible,
                         QString::number(item.modified)};
    for (const border *b :
         {&item.borders.left, &item.borders.right, &item.borders.top, &item.borders.bottom})
        parts << QStringLiteral("%1/%2/%3").arg(b->Width).arg(b->Color).arg(b->style);
    return parts.join(u'|');
}

QString property(const Item &item, const QString &name)
{
    if (name == QLatin1String("content"))
        return item.content;
    if (name == QLatin1String("fontName"))
        return item.fontName;
    if (name == QLatin1String("fontSize"))
        return QString::number(item.fontSize);
    if (name == QLatin1String("fontColor"))
        return QString::number(item.fontColor);
    if (name == QLatin1String("AlignH"))
        return QString::number(item.AlignH);
    if (name == QLatin1String("FormatString"))
        return item.FormatString;
    if (name == QLatin1String("CanGrowVertical"))
        return QString::number(item.CanGrowVertical);
    if (name == QLatin1String("visible"))
        return item.visible;
    return QString::number(item.fontWhat(name));
}

// Types into a control as a user would: the old text is replaced; "\n"
// presses Return.
void typeInto(QWidget *widget, const QString &text)
{
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(widget, Qt::Key_Return);
        QTest::keyClicks(widget, lines[i]);
    }
}

// The action reached through menu entries by their texts (without "&").
QAction *menuAction(QMenu *menu, const QStringList &path)
{
    for (qsizetype i = 0; menu && i < path.size(); ++i) {
        QAction *found = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text().remove(u'&') == path[i])
                found = action;
        }
        if (!found || i == path.size() - 1)
            return found;
        menu = found->menu();
    }
    return nullptr;
}

QString scalar(const QString &db, const QString &sql)
{
    QString value;
    {
        QSqlDatabase con =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("x"));
        con.setDatabaseName(db);
        if (con.open()) {
            QSqlQuery query(sql, con);
            if (query.next())
                value = query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("x"));
    return value;
}

} // namespace

class ItemEditorsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cancelLeavesItemUnchanged();
    void okWritesControl_data();
    void okWritesControl();
    void formatListStartsEmpty();
    void editItemModal();
    void widthFollowsStyle();
    void applyBorders_data();
    void applyBorders();
    void insertMenu_data();
    void insertMenu();
    void menuFunctionsExist();
    void liveValue_data();
    void liveValue();
    void grabDialogs();

private:
    Item *itemIn(const QString &sectionKey, const QString &content);

    QTemporaryDir m_dir;
    QString m_db;
    TalvoDocument *doc = nullptr;
};

void ItemEditorsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_db = m_dir.filePath(QStringLiteral("demo.db"));
    QVERIFY(QFile::copy(QStringLiteral(MIRT_BINARY_DIR "/bin/demo.db"), m_db));
}

void ItemEditorsTest::init()
{
    doc = new TalvoDocument;
    QVERIFY(doc->loadXML(QStringLiteral(MIRT_SOURCE_DIR "/examples/demo.xml")));
    doc->connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + m_db;
}

void ItemEditorsTest::cleanup()
{
    delete doc;
    doc = nullptr;
}

Item *ItemEditorsTest::itemIn(const QString &sectionKey, const QString &content)
{
    section *sec = doc->sections.value(sectionKey);
    Item *item = sec ? sec->NewItem() : nullptr;
    if (item) {
        item->content = content;
        item->w = 6;
        item->h = 1;
        item->modified = false;
    }
    return item;
}

void ItemEditorsTest::cancelLeavesItemUnchanged()
{
    Item *item = itemIn(QStringLiteral("d2"), QStringLiteral("[Customers].[City]"));
    item->FormatString = QStringLiteral("0.00");
    const QString before = describe(*item);
    {
        fEditItem dialog(item);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(child<QPlainTextEdit>(&dialog, "Text1"), QStringLiteral("=1+1"));
        for (const char *box : {"Bold", "Italic", "Underline", "Strikethrough", "canGrowV"})
            click(&dialog, box);
        typeInto(child<QComboBox>(&dialog, "fName")->lineEdit(), QStringLiteral("Courier"));
        typeInto(child<QComboBox>(&dialog, "fSize")->lineEdit(), QStringLiteral("20"));
        child<QComboBox>(&dialog, "align")->setCurrentIndex(2);
        child<QComboBox>(&dialog, "FormatString_")->setCurrentIndex(0);
        typeInto(child<QLineEdit>(&dialog, "visible_"), QStringLiteral("false"));
        dialog.setFontColor(255);
        onNextModal([](QWidget *borders) {
            click(borders, "a");
            clickOk(borders);
        });
        click(&dialog, "EditBorders");
        const Item &work = dialog.workingCopy();
        QVERIFY(work.borders.isAnyBorders());
        QVERIFY(work.fontBold && work.fontItalic && work.fontUnderline && work.fontStrikethrough);
        QVERIFY(work.CanGrowVertical);
        QCOMPARE(work.content, QStringLiteral("=1+1"));
        QCOMPARE(work.fontSize, 20.0f);
        QCOMPARE(work.fontColor, 255);
        dialog.updateValue();
        clickCancel(&dialog);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(describe(*item), before);
    // The value's queries are closed again and left nothing in the run's lists.
    for (const section *sec : doc->sections)
        QVERIFY(!sec->rsd);
    QVERIFY(doc->errorLst.isEmpty());
}

void ItemEditorsTest::okWritesControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("expected");

    QTest::newRow("content") << "Text1"
                             << "Total"
                             << "content"
                             << "Total";
    QTest::newRow("content lines are CR LF") << "Text1"
                                             << "a\nb"
                                             << "content"
                                             << "a\r\nb";
    QTest::newRow("bold") << "Bold"
                          << ""
                          << "bold"
                          << "1";
    QTest::newRow("italic") << "Italic"
                            << ""
                            << "italic"
                            << "1";
    QTest::newRow("underline") << "Underline"
                               << ""
                               << "underline"
                               << "1";
    QTest::newRow("strikethrough") << "Strikethrough"
                                   << ""
                                   << "strikethrough"
                                   << "1";
    QTest::newRow("can grow") << "canGrowV"
                              << ""
                              << "CanGrowVertical"
                              << "1";
    QTest::newRow("font name") << "fName"
                               << "DejaVu Serif"
                               << "fontName"
                               << "DejaVu Serif";
    QTest::newRow("size") << "fSize"
                          << "14"
                          << "fontSize"
                          << "14";
    QTest::newRow("size with a fraction") << "fSize"
                                          << "12.5"
                                          << "fontSize"
                                          << "12.5";
    QTest::newRow("size with a unit") << "fSize"
                                      << "16 pt"
                                      << "fontSize"
                                      << "16";
    QTest::newRow("size not a number") << "fSize"
                                       << "big"
                                       << "fontSize"
                                       << "0";
    QTest::newRow("align center") << "align"
                                  << "Center"
                                  << "AlignH"
                                  << "2";
    QTest::newRow("align right") << "align"
                                 << "Right"
                                 << "AlignH"
                                 << "1";
    QTest::newRow("format from the list") << "FormatString_"
                                          << "dd.mm.yyyy"
                                          << "FormatString"
                                          << "dd.mm.yyyy";
    QTest::newRow("format typed") << "FormatString_"
                                  << "#,##0.0"
                                  << "FormatString"
                                  << "#,##0.0";
    QTest::newRow("visible") << "visible_"
                             << "=[Country] = \"UK\""
                             << "visible"
                             << "=[Country] = \"UK\"";
    // Windows RGB keeps red in the low byte.
    QTest::newRow("colour red") << "ChangeColor"
                                << "#ff0000"
                                << "fontColor"
                                << "255";
    QTest::newRow("colour blue") << "ChangeColor"
                                 << "#0000ff"
                                 << "fontColor"
                                 << "16711680";
}

void ItemEditorsTest::okWritesControl()
{
    QFETCH(QString, control);
    QFETCH(QString, input);
    QFETCH(QString, property);
    QFETCH(QString, expected);

    Item *item = itemIn(QStringLiteral("d2"), QStringLiteral("Your Text"));
    item->selected = true;
    fEditItem dialog(item);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget *widget = dialog.findChild<QWidget *>(control);
    QVERIFY(widget);
    if (auto *box = qobject_cast<QCheckBox *>(widget)) {
        click(&dialog, qPrintable(control));
        QVERIFY(box->isChecked());
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        const int index = list->findText(input);
        if (index >= 0)
            list->setCurrentIndex(index);
        else
            typeInto(list->lineEdit(), input);
    } else if (qobject_cast<QPushButton *>(widget)) {
        onNextModal([input](QWidget *modal) {
            auto *colors = qobject_cast<QColorDialog *>(modal);
            QVERIFY(colors);
            colors->setCurrentColor(QColor(input));
            colors->accept();
        });
        QTest::mouseClick(widget, Qt::LeftButton);
    } else {
        typeInto(widget, input);
    }
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(::property(*item, property), expected);
    QVERIFY(item->modified);
    QVERIFY(item->selected);
    QCOMPARE(item->Key, QStringLiteral("k%1").arg(item->parent->items.count()));
}

void ItemEditorsTest::formatListStartsEmpty()
{
    Item *item = itemIn(QStringLiteral("d3"), QStringLiteral("[Orders].[Freight]"));
    item->FormatString = QStringLiteral("0.00");
    fEditItem dialog(item);
    auto *formats = child<QComboBox>(&dialog, "FormatString_");
    QStringList entries;
    for (int i = 0; i < formats->count(); ++i)
        entries << formats->itemText(i);
    QCOMPARE(entries, QStringList({"", "Currency", "Standard", "%", "0.00", "<", ">",
                                   "dd mmmm yyyy", "dd.mm.yy", "dd.mm.yyyy", "d mmm yy",
                                   "d mmm yyyy", "hh nn ss", "dd.mm.yyyy hh:nn:ss"}));
    QCOMPARE(formats->currentText(), QStringLiteral("0.00"));
    formats->setCurrentIndex(0);
    clickOk(&dialog);
    QCOMPARE(item->FormatString, QString());
}

void ItemEditorsTest::editItemModal()
{
    Item *item = itemIn(QStringLiteral("d2"), QStringLiteral("Before"));
    onNextModal([](QWidget *modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral("Edit item"));
        typeInto(child<QPlainTextEdit>(modal, "Text1"), QStringLiteral("Cancelled"));
        clickCancel(modal);
    });
    QVERIFY(!EditItem(item));
    QCOMPARE(item->content, QStringLiteral("Before"));
    onNextModal([](QWidget *modal) {
        typeInto(child<QPlainTextEdit>(modal, "Text1"), QStringLiteral("After"));
        clickOk(modal);
    });
    QVERIFY(EditItem(item));
    QCOMPARE(item->content, QStringLiteral("After"));
}

void ItemEditorsTest::widthFollowsStyle()
{
    Borders borders;
    fEditBorders dialog;
    dialog.load(&borders);
    auto *width = child<QComboBox>(&dialog, "borderWidth");
    auto *style = child<QComboBox>(&dialog, "LineStyle");
    QStringList styles;
    QList<int> codes;
    for (int i = 0; i < style->count(); ++i) {
        styles << style->itemText(i);
        codes << style->itemData(i).toInt();
    }
    QCOMPARE(styles, QStringList({"Invisible", "Solid", "Dash", "DashDot", "DashDotDot", "Dot"}));
    QCOMPARE(codes, QList<int>({5, 0, 1, 3, 4, 2}));
    QCOMPARE(width->count(), 10);

    style->setCurrentIndex(style->findText(QStringLiteral("Solid")));
    width->setCurrentIndex(width->findText(QStringLiteral("4")));
    QVERIFY(width->isEnabled());
    style->setCurrentIndex(style->findText(QStringLiteral("Dash")));
    QCOMPARE(width->currentText(), QStringLiteral("1"));
    QVERIFY(!width->isEnabled());
    width->setCurrentIndex(width->findText(QStringLiteral("3"))); // disabled: stays as it is shown
    style->setCurrentIndex(style->findText(QStringLiteral("Solid")));
    QVERIFY(width->isEnabled());
    QCOMPARE(width->currentText(), QStringLiteral("3"));
    style->setCurrentIndex(style->findText(QStringLiteral("Invisible")));
    QCOMPARE(width->currentText(), QStringLiteral("1"));
    QVERIFY(!width->isEnabled());
}

void ItemEditorsTest::applyBorders_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected"); // left, right, top, bottom as width/colour/style

    QTest::newRow("left") << QStringList{"l"} << true << "3/255/0 1/0/5 1/0/5 1/0/5";
    QTest::newRow("top and bottom")
        << QStringList{"t", "b"} << true << "1/0/5 1/0/5 3/255/0 3/255/0";
    QTest::newRow("right") << QStringList{"r"} << true << "1/0/5 3/255/0 1/0/5 1/0/5";
    QTest::newRow("all") << QStringList{"a"} << true << "3/255/0 3/255/0 3/255/0 3/255/0";
    QTest::newRow("remove all") << QStringList{"a", "RemoveAll"} << true
                                << "0/0/5 0/0/5 0/0/5 0/0/5";
    QTest::newRow("cancel") << QStringList{"a"} << false << "1/0/5 1/0/5 1/0/5 1/0/5";
}

void ItemEditorsTest::applyBorders()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, ok);
    QFETCH(QString, expected);

    Item *item = itemIn(QStringLiteral("d2"), QStringLiteral("[Customers].[City]"));
    fEditBorders dialog;
    dialog.load(&item->borders, item);
    child<QComboBox>(&dialog, "borderWidth")->setCurrentIndex(2);
    dialog.setChosenColor(255);
    for (const QString &name : clicks)
        click(&dialog, qPrintable(name));
    ok ? clickOk(&dialog) : clickCancel(&dialog);
    QStringList sides;
    for (const border *b :
         {&item->borders.left, &item->borders.right, &item->borders.top, &item->borders.bottom})
        sides << QStringLiteral("%1/%2/%3").arg(b->Width).arg(b->Color).arg(b->style);
    QCOMPARE(sides.join(u' '), expected);
}

void ItemEditorsTest::insertMenu_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("selected");

    QTest::newRow("field") << "=Len()" << 5 << QStringList{"Field", "Customers", "City"}
                           << "=Len([Customers].[City])"
                           << "";
    QTest::newRow("child section's field")
        << "" << 0 << QStringList{"Field", "Orders", "Freight"} << "[Orders].[Freight]"
        << "";
    QTest::newRow("page variable")
        << "Page  of" << 5 << QStringList{"Page variable", "%page%"} << "Page %page% of"
        << "";
    QTest::newRow("function in a formula")
        << "=\"Total: \" & " << 13
        << QStringList{"Function", "Numbers", "FormatNumber(value, decimals)"}
        << "=\"Total: \" & FormatNumber(value, decimals)"
        << "value";
    QTest::newRow("function makes an empty content a formula")
        << "" << 0 << QStringList{"Function", "Text", "UCase(text)"} << "=UCase(text)"
        << "text";
}

void ItemEditorsTest::insertMenu()
{
    QFETCH(QString, content);
    QFETCH(int, caret);
    QFETCH(QStringList, path);
    QFETCH(QString, expected);
    QFETCH(QString, selected);

    Item *item = itemIn(QStringLiteral("d3"), content);
    fEditItem dialog(item);
    auto *text = child<QPlainTextEdit>(&dialog, "Text1");
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(caret);
    text->setTextCursor(cursor);
    QAction *action = menuAction(dialog.insertMenu(), path);
    QVERIFY2(action, qPrintable(path.join(QLatin1String(" > "))));
    action->trigger();
    QCOMPARE(text->toPlainText(), expected);
    QCOMPARE(text->textCursor().selectedText(), selected);
    QCOMPARE(dialog.workingCopy().content, expected);
    QVERIFY(doc->errorLst.isEmpty());
}

void ItemEditorsTest::menuFunctionsExist()
{
    // Every function the menu offers is one the evaluator knows, with a
    // number of arguments it accepts.
    Item *item = itemIn(QStringLiteral("d2"), QString());
    fEditItem dialog(item);
    QAction *functions = menuAction(dialog.insertMenu(), {QStringLiteral("Function")});
    QVERIFY(functions && functions->menu());
    static const QRegularExpression call(QStringLiteral(R"(^(\w+)\((.*)\)$)"));
    int count = 0;
    for (QAction *group : functions->menu()->actions()) {
        QVERIFY(group->menu());
        for (QAction *entry : group->menu()->actions()) {
            const QRegularExpressionMatch m = call.match(entry->text());
            QVERIFY2(m.hasMatch(), qPrintable(entry->text()));
            const ScriptFunction *f =
                ScriptFunctions::find(m.captured(1).toLower().toLatin1().constData());
            QVERIFY2(f, qPrintable(entry->text()));
            const int args = m.captured(2).isEmpty() ? 0 : int(m.captured(2).count(u',')) + 1;
            QVERIFY2(args >= f->minArgs && args <= f->maxArgs, qPrintable(entry->text()));
            ++count;
        }
    }
    QVERIFY(count >= 20);
}

void ItemEditorsTest::liveValue_data()
{
    QTest::addColumn<QString>("sectionKey");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("sql");   // the expected value, read straight from the database
    QTest::addColumn<QString>("error"); // a part of the error text instead

    const QString firstCustomer =
        QStringLiteral("(SELECT CustomerID FROM Customers ORDER BY CompanyName LIMIT 1)");
    QTest::newRow("field") << "d2"
                           << "[Customers].[CompanyName]"
                           << ""
                           << "SELECT CompanyName FROM Customers ORDER BY CompanyName LIMIT 1"
                           << "";
    QTest::newRow("field without section") << "d2"
                                           << "[City]"
                                           << ""
                                           << "SELECT City FROM Customers ORDER BY CompanyName "
                                              "LIMIT 1"
                                           << "";
    QTest::newRow("formula") << "d2"
                             << "=UCase([Customers].[City]) & \"!\""
                             << ""
                             << "SELECT upper(City) || '!' FROM Customers ORDER BY CompanyName "
                                "LIMIT 1"
                             << "";
    QTest::newRow("formula with a bare field") << "d2"
                                               << "=Len([CompanyName])"
                                               << ""
                                               << "SELECT length(CompanyName) FROM Customers "
                                                  "ORDER BY CompanyName LIMIT 1"
                                               << "";
    QTest::newRow("child section, its parent's first record")
        << "d3"
        << "[Orders].[OrderID]"
        << ""
        << "SELECT OrderID FROM Orders WHERE CustomerID = " + firstCustomer +
               " ORDER BY OrderDate LIMIT 1"
        << "";
    QTest::newRow("format applied") << "d3"
                                    << "[Orders].[Freight]"
                                    << "0.000"
                                    << "SELECT printf('%.3f', Freight) FROM Orders WHERE "
                                       "CustomerID = " +
                                           firstCustomer + " ORDER BY OrderDate LIMIT 1"
                                    << "";
    QTest::newRow("header naming a section") << "ph"
                                             << "[Categories].[CategoryName]"
                                             << ""
                                             << "SELECT CategoryName FROM Categories ORDER BY "
                                                "CategoryName LIMIT 1"
                                             << "";
    QTest::newRow("function without arguments") << "d2"
                                                << "=Len(CStr(Year(Now())))"
                                                << ""
                                                << "SELECT 4"
                                                << "";
    QTest::newRow("syntax error") << "d2"
                                  << "=UCase("
                                  << ""
                                  << ""
                                  << "Syntax error";
    QTest::newRow("unknown function") << "d2"
                                      << "=Nope(1)"
                                      << ""
                                      << ""
                                      << "undefined";
    QTest::newRow("missing field") << "d2"
                                   << "[Customers].[Nope]"
                                   << ""
                                   << ""
                                   << "has no field \"Nope\"";
    QTest::newRow("missing field in a formula") << "d2"
                                                << "=[Customers].[Nope] + 1"
                                                << ""
                                                << ""
                                                << "has no field \"Nope\"";
}

void ItemEditorsTest::liveValue()
{
    QFETCH(QString, sectionKey);
    QFETCH(QString, content);
    QFETCH(QString, format);
    QFETCH(QString, sql);
    QFETCH(QString, error);

    Item *item = itemIn(sectionKey, QStringLiteral("Plain"));
    item->FormatString = format;
    const int varsBefore = doc->vars.count();
    {
        fEditItem dialog(item);
        dialog.updateValue();
        QCOMPARE(dialog.valueText(), QStringLiteral("Plain text, printed as: Plain"));
        // Typed, as the user does; the value follows.
        typeInto(child<QPlainTextEdit>(&dialog, "Text1"), content);
        dialog.updateValue();
        if (error.isEmpty()) {
            const QString expected = scalar(m_db, sql);
            QVERIFY(!expected.isEmpty());
            QVERIFY2(!dialog.valueFailed(), qPrintable(dialog.valueText()));
            QCOMPARE(dialog.valueText(), QStringLiteral("On the first record: ") + expected);
        } else {
            QVERIFY2(dialog.valueFailed(), qPrintable(dialog.valueText()));
            QVERIFY2(dialog.valueText().startsWith(QLatin1String("Error: ")),
                     qPrintable(dialog.valueText()));
            QVERIFY2(dialog.valueText().contains(error, Qt::CaseInsensitive),
                     qPrintable(dialog.valueText()));
        }
    }
    // What the run holds is as it was: no open queries, no entries, the same
    // variables.
    for (const section *sec : doc->sections)
        QVERIFY(!sec->rsd);
    QVERIFY(doc->errorLst.isEmpty());
    QCOMPARE(doc->vars.count(), varsBefore);
}

void ItemEditorsTest::grabDialogs()
{
    // MIRT_GRAB_DIR=<folder> writes pictures of the dialogs to look at.
    const QString dir = qEnvironmentVariable("MIRT_GRAB_DIR");
    if (dir.isEmpty())
        QSKIP("MIRT_GRAB_DIR not set");
    Item *item = itemIn(QStringLiteral("d2"), QStringLiteral("[Customers].[CompanyName]"));
    item->fontBold = true;
    item->fontSize = 12;
    item->borders.bottom.setValues(2, 0, 0);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    {
        fEditItem dialog(item);
        dialog.show();
        dialog.updateValue();
        QTest::qWait(50);
        QVERIFY(dialog.grab().save(QDir(dir).filePath("fedititem-" + scale + ".png")));
        typeInto(child<QPlainTextEdit>(&dialog, "Text1"), QStringLiteral("=UCase([City]"));
        dialog.updateValue();
        QTest::qWait(50);
        QVERIFY(dialog.grab().save(QDir(dir).filePath("fedititem-error-" + scale + ".png")));
    }
    {
        fEditBorders dialog;
        dialog.load(&item->borders, item);
        child<QComboBox>(&dialog, "LineStyle")->setCurrentIndex(2);
        dialog.setChosenColor(255);
        click(&dialog, "l");
        dialog.show();
        QTest::qWait(50);
        QVERIFY(dialog.grab().save(QDir(dir).filePath("feditborders-" + scale + ".png")));
    }
}

QTEST_MAIN(ItemEditorsTest)
#include "tst_itemeditors.moc"
