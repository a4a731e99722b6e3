// The text item and border dialogs driven through their controls: changes reach the item on
// OK only, and the value under the content is what the demo database holds.
#include "../datafixtures.h"
#include "../dialogtesting.h"
#include "designer/bordersdialog.h"
#include "designer/textitemdialog.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/textitem.h"
#include "engine/reportrun.h"
#include "engine/scriptfunctions.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDebug>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>

namespace {
void finish(QWidget *window, bool ok)
{
    auto *box = child<QDialogButtonBox>(window, "buttonBox");
    QTest::mouseClick(box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                      Qt::LeftButton);
}

// Left, right, top, bottom as width/colour/style.
QString sides(const Borders &borders)
{
    QStringList out;
    for (const BorderLine *b : {&borders.left, &borders.right, &borders.top, &borders.bottom})
        out << QStringLiteral("%1/%2/%3").arg(b->Width).arg(b->Color).arg(b->style);
    return out.join(u' ');
}

// Everything the dialogs may change, so that "unchanged" means unchanged.
QString describe(const TextItem &item)
{
    QString out;
    QDebug(&out) << item.content << item.fontName << item.fontSize << item.fontBold
                 << item.fontItalic << item.fontUnderline << item.fontStrikethrough
                 << item.fontColor << item.AlignH << item.FormatString << item.CanGrowVertical
                 << item.visible << item.modified << sides(item.borders);
    return out;
}

QString property(const TextItem &item, const QString &name)
{
    const QHash<QString, QString> named = {{"content", item.content},
                                           {"fontName", item.fontName},
                                           {"fontSize", QString::number(item.fontSize)},
                                           {"fontColor", QString::number(item.fontColor)},
                                           {"AlignH", QString::number(item.AlignH)},
                                           {"FormatString", item.FormatString},
                                           {"visible", item.visible}};
    return named.value(name);
}

// Types into a control as a user would, replacing its text; "\n" presses Return.
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

using Sides = std::tuple<QStringList, bool, QString>;
// The control, what is put into it, the property and what it holds then.
using Control = std::tuple<QString, QString, QString, QString>;
// The content, the caret, the menu path, the content then and what is selected.
using Insert = std::tuple<QString, int, QStringList, QString, QString>;
// Section, content, format, the SQL giving the expected value, or a part of the error text.
using Live = std::tuple<QString, QString, QString, QString, QString>;

} // namespace

class ItemEditorsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(demoDb(), m_db));
        // Where the expected values are read, by a name of its own.
        QSqlDatabase expected = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "expected");
        expected.setDatabaseName(m_db);
        QVERIFY(expected.open());
    }

    void init()
    {
        doc = new ReportDocument;
        QVERIFY(doc->loadXml(QStringLiteral(MIRT_SOURCE_DIR "/examples/demo.xml")));
        doc->connectionStringData = sqlite(m_db);
    }

    void cleanup()
    {
        delete doc;
        doc = nullptr;
    }

    void cancelLeavesItemUnchanged()
    {
        TextItem *item = itemIn(QStringLiteral("d2"), QStringLiteral("[Customers].[City]"));
        item->FormatString = QStringLiteral("0.00");
        const QString before = describe(*item);
        {
            TextItemDialog dialog(item);
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
                finish(borders, true);
            });
            click(&dialog, "EditBorders");
            // The changes did reach the working copy, so Cancel has something to drop.
            const TextItem &work = dialog.workingCopy();
            QVERIFY(work.borders.isAnyBorders() && work.CanGrowVertical && work.fontBold &&
                    work.fontItalic && work.fontUnderline && work.fontStrikethrough);
            dialog.updateValue();
            finish(&dialog, false);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(describe(*item), before);
        verifyRunClean();
    }

    void okWritesControl_data()
    {
        QTest::addColumn<Control>("row");
        const auto row = [](const char *name, const Control &r) { QTest::newRow(name) << r; };
        row("content lines are CR LF", {"Text1", "a\nb", "content", "a\r\nb"});
        row("font name", {"fName", "DejaVu Serif", "fontName", "DejaVu Serif"});
        row("size with a fraction and a unit", {"fSize", "12.5 pt", "fontSize", "12.5"});
        row("size not a number", {"fSize", "big", "fontSize", "0"});
        row("align center", {"align", "Center", "AlignH", "2"});
        row("format typed", {"FormatString_", "#,##0.0", "FormatString", "#,##0.0"});
        // The empty entry comes first, so a format can be taken away again.
        row("format taken away", {"FormatString_", "", "FormatString", ""});
        row("visible", {"visible_", "=[Country] = \"UK\"", "visible", "=[Country] = \"UK\""});
        // Windows RGB keeps red in the low byte.
        row("colour red", {"ChangeColor", "#ff0000", "fontColor", "255"});
    }
    void okWritesControl()
    {
        QFETCH(Control, row);
        const auto &[control, input, property, expected] = row;
        TextItem *item = itemIn(QStringLiteral("d2"), QStringLiteral("Your Text"));
        item->selected = true;
        item->FormatString = QStringLiteral("0.00");
        TextItemDialog dialog(item);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QWidget *widget = dialog.findChild<QWidget *>(control);
        QVERIFY(widget);
        if (auto *list = qobject_cast<QComboBox *>(widget)) {
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
        finish(&dialog, true);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(::property(*item, property), expected);
        QVERIFY(item->modified && item->selected);
        QCOMPARE(item->Key, QStringLiteral("k%1").arg(item->parent->items.count()));
    }

    void editItemModal()
    {
        TextItem *item = itemIn(QStringLiteral("d2"), QStringLiteral("Before"));
        for (const bool ok : {false, true}) {
            onNextModal([ok](QWidget *modal) {
                typeInto(child<QPlainTextEdit>(modal, "Text1"), QStringLiteral("After"));
                finish(modal, ok);
            });
            QCOMPARE(EditItem(item), ok);
            QCOMPARE(item->content, ok ? QStringLiteral("After") : QStringLiteral("Before"));
        }
    }

    void widthFollowsStyle()
    {
        Borders borders;
        BordersDialog dialog;
        dialog.load(&borders);
        auto *width = child<QComboBox>(&dialog, "borderWidth");
        auto *style = child<QComboBox>(&dialog, "LineStyle");
        // The codes are what the report files store.
        QStringList styles;
        for (int i = 0; i < style->count(); ++i)
            styles << style->itemText(i) + u'=' + style->itemData(i).toString();
        QCOMPARE(styles.join(u' '),
                 QStringLiteral("Invisible=5 Solid=0 Dash=1 DashDot=3 DashDotDot=4 Dot=2"));
        auto choose = [](QComboBox *box, const char *text) {
            box->setCurrentIndex(box->findText(QLatin1String(text)));
        };
        choose(style, "Solid");
        choose(width, "4");
        QVERIFY(width->isEnabled());
        choose(style, "Dash");
        QCOMPARE(width->currentText(), QStringLiteral("1"));
        QVERIFY(!width->isEnabled());
        choose(width, "3"); // disabled: stays as it is shown
        choose(style, "Solid");
        QVERIFY(width->isEnabled());
        QCOMPARE(width->currentText(), QStringLiteral("3"));
    }

    void applyBorders_data()
    {
        // Buttons clicked, OK or Cancel, then left, right, top, bottom as width/colour/style.
        QTest::addColumn<Sides>("row");
        const auto row = [](const char *name, const Sides &r) { QTest::newRow(name) << r; };
        row("left", {{"l"}, true, "3/255/0 1/0/5 1/0/5 1/0/5"});
        row("all", {{"a"}, true, "3/255/0 3/255/0 3/255/0 3/255/0"});
        row("remove all", {{"a", "RemoveAll"}, true, "0/0/5 0/0/5 0/0/5 0/0/5"});
        row("cancel", {{"a"}, false, "1/0/5 1/0/5 1/0/5 1/0/5"});
    }
    void applyBorders()
    {
        QFETCH(Sides, row);
        const auto &[clicks, ok, expected] = row;
        TextItem *item = itemIn(QStringLiteral("d2"), QStringLiteral("[Customers].[City]"));
        BordersDialog dialog;
        dialog.load(&item->borders, item);
        child<QComboBox>(&dialog, "borderWidth")->setCurrentIndex(2);
        dialog.setChosenColor(255);
        for (const QString &name : clicks)
            click(&dialog, qPrintable(name));
        finish(&dialog, ok);
        QCOMPARE(sides(item->borders), expected);
    }

    void insertMenu_data()
    {
        QTest::addColumn<Insert>("row");
        const auto row = [](const char *name, const Insert &r) { QTest::newRow(name) << r; };
        row("field", {"=Len()", 5, {"Field", "Customers", "City"}, "=Len([Customers].[City])", ""});
        const QStringList formatNumber = {"Function", "Numbers", "FormatNumber(value, decimals)"};
        row("function in a formula",
            {"=1+", 3, formatNumber, "=1+FormatNumber(value, decimals)", "value"});
        row("function makes an empty content a formula",
            {"", 0, {"Function", "Text", "UCase(text)"}, "=UCase(text)", "text"});
    }
    void insertMenu()
    {
        QFETCH(Insert, row);
        const auto &[content, caret, path, expected, selected] = row;
        TextItem *item = itemIn(QStringLiteral("d3"), content);
        TextItemDialog dialog(item);
        auto *text = child<QPlainTextEdit>(&dialog, "Text1");
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(caret);
        text->setTextCursor(cursor);
        QAction *action = menuAction(dialog.insertMenu(), path);
        QVERIFY2(action, qPrintable(path.join(QLatin1String(" > "))));
        action->trigger();
        QCOMPARE(dialog.workingCopy().content, expected);
        QCOMPARE(text->textCursor().selectedText(), selected);
        QVERIFY(doc->errorLst.isEmpty());
    }

    void menuFunctionsExist()
    {
        // Each function the menu offers is known to the evaluator, with an accepted arity.
        TextItem *item = itemIn(QStringLiteral("d2"), QString());
        TextItemDialog dialog(item);
        QAction *functions = menuAction(dialog.insertMenu(), {QStringLiteral("Function")});
        QVERIFY(functions && functions->menu());
        static const QRegularExpression call(QStringLiteral(R"(^(\w+)\((.*)\)$)"));
        int count = 0;
        for (QAction *group : functions->menu()->actions()) {
            QVERIFY(group->menu());
            for (QAction *entry : group->menu()->actions()) {
                const QRegularExpressionMatch m = call.match(entry->text());
                const ScriptFunction *f =
                    ScriptFunctions::find(m.captured(1).toLower().toLatin1().constData());
                const int args = m.captured(2).isEmpty() ? 0 : int(m.captured(2).count(u',')) + 1;
                QVERIFY2(m.hasMatch() && f && args >= f->minArgs && args <= f->maxArgs,
                         qPrintable(entry->text()));
                ++count;
            }
        }
        QVERIFY(count >= 20);
    }

    void liveValue_data()
    {
        QTest::addColumn<Live>("row");
        const auto row = [](const char *name, const Live &r) { QTest::newRow(name) << r; };
        const QString firstCustomer =
            QStringLiteral("(SELECT CustomerID FROM Customers ORDER BY CompanyName LIMIT 1)");
        const QString firstOrder = QStringLiteral(" FROM Orders WHERE CustomerID = ") +
                                   firstCustomer + QStringLiteral(" ORDER BY OrderDate LIMIT 1");
        const QString fromCustomers =
            QStringLiteral(" FROM Customers ORDER BY CompanyName LIMIT 1");
        row("field",
            {"d2", "[Customers].[CompanyName]", "", "SELECT CompanyName" + fromCustomers, ""});
        row("field without section", {"d2", "[City]", "", "SELECT City" + fromCustomers, ""});
        row("formula", {"d2", "=UCase([Customers].[City]) & \"!\"", "",
                        "SELECT upper(City) || '!'" + fromCustomers, ""});
        row("child section, format applied", {"d3", "[Orders].[Freight]", "0.000",
                                              "SELECT printf('%.3f', Freight)" + firstOrder, ""});
        row("header naming a section",
            {"ph", "[Categories].[CategoryName]", "",
             "SELECT CategoryName FROM Categories ORDER BY CategoryName LIMIT 1", ""});
        row("syntax error", {"d2", "=UCase(", "", "", "Syntax error"});
        row("missing field", {"d2", "[Customers].[Nope]", "", "", "has no field \"Nope\""});
    }
    void liveValue()
    {
        QFETCH(Live, row);
        const auto &[sectionKey, content, format, sql, error] = row;
        TextItem *item = itemIn(sectionKey, QStringLiteral("Plain"));
        item->FormatString = format;
        const int varsBefore = doc->run().vars.count();
        {
            TextItemDialog dialog(item);
            dialog.updateValue();
            QCOMPARE(dialog.valueText(), QStringLiteral("Plain text, printed as: Plain"));
            // Typed, as the user does; the value follows.
            typeInto(child<QPlainTextEdit>(&dialog, "Text1"), content);
            dialog.updateValue();
            const QString text = dialog.valueText();
            QCOMPARE(dialog.valueFailed(), !error.isEmpty());
            if (error.isEmpty()) {
                QSqlQuery expected(sql, QSqlDatabase::database(QStringLiteral("expected")));
                QVERIFY2(expected.next(), qPrintable(expected.lastError().text()));
                QCOMPARE(text, "On the first record: " + expected.value(0).toString());
            } else {
                QVERIFY2(text.startsWith(QLatin1String("Error: ")) &&
                             text.contains(error, Qt::CaseInsensitive),
                         qPrintable(text));
            }
        }
        // What the run holds is as it was, the variables too.
        verifyRunClean();
        QCOMPARE(doc->run().vars.count(), varsBefore);
    }

private:
    TextItem *itemIn(const QString &sectionKey, const QString &content)
    {
        TextItem *item = doc->sections.value(sectionKey)->newTextItem();
        item->content = content;
        std::tie(item->w, item->h, item->modified) = std::tuple(6.0f, 1.0f, false);
        return item;
    }
    // No open queries and no error entries left behind by the dialog.
    void verifyRunClean()
    {
        for (const ReportSection *sec : doc->sections)
            QVERIFY(!sec->rsd);
        QVERIFY(doc->errorLst.isEmpty());
    }

    const QString m_db = scratchPath(QStringLiteral("demo.db"));
    ReportDocument *doc = nullptr;
};

QTEST_MAIN(ItemEditorsTest)
#include "tst_itemeditors.moc"
