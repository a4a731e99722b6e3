// The workbook and CSV exports of a real run over a real SQLite file. The
// workbook is read back by LibreOffice Calc (headless, converted to its flat
// XML, which names each cell's type and shows it as Calc does): every value
// must come back with its type, and show as the report showed it.
#include "../datafixtures.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "output/spreadsheetexport.h"
#include "output/spreadsheetformat.h"
#include "output/spreadsheetgrid.h"
#include "program/commandline.h"
#include "program/headlesscommands.h"

#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

constexpr int kRecords = 60;

QString item(double x, double y, double w, const QString &content, const QString &format = {},
             const QString &more = {})
{
    return QStringLiteral("<ITEM x=\"%1\" y=\"%2\" width=\"%3\" height=\"0.5\" FormatString=\"%4\" "
                          "%5>%6</ITEM>")
        .arg(QString::number(x), QString::number(y), QString::number(w), format.toHtmlEscaped(),
             more, content.toHtmlEscaped());
}

QString sectionXml(const char *name, int type, double height, const QString &items,
                   const QString &sql = {}, int number = 0)
{
    return QStringLiteral("<SECTION name=\"%1\" type=\"%2\" height=\"%3\" SQL=\"%4\" mode=\"0\" "
                          "sectionParent=\"0\" dataSectionNumber=\"%5\" pageBreakAfter=\"false\" "
                          "visible=\"true\">%6</SECTION>")
        .arg(QLatin1String(name), QString::number(type), QString::number(height),
             sql.toHtmlEscaped(), QString::number(number), items);
}

// One cell as Calc read it.
struct CalcCell
{
    QString type; // office:value-type; empty for an empty cell
    QString value;
    QString text; // as Calc shows it
    QString note;
    QString style;
};
using CalcSheet = QList<QList<CalcCell>>;

// The first sheet of a flat ODS file, and each cell style's text and paragraph properties.
bool readFlatOds(const QString &path, CalcSheet &sheet, QString &sheetName,
                 QHash<QString, QHash<QString, QString>> &styles)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    QString styleName;
    CalcCell *cell = nullptr;
    bool inNote = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto attr = [&](const char *name) {
            return xml.attributes().value(QLatin1String(name)).toString();
        };
        if (xml.isStartElement()) {
            const QStringView name = xml.qualifiedName();
            if (name == u"style:style") {
                styleName = attr("style:name");
            } else if (name == u"style:text-properties" || name == u"style:paragraph-properties") {
                for (const QXmlStreamAttribute &a : xml.attributes())
                    styles[styleName][a.qualifiedName().toString()] = a.value().toString();
            } else if (name == u"table:table") {
                if (!sheetName.isEmpty())
                    break;
                sheetName = attr("table:name");
            } else if (name == u"table:table-row") {
                // The rows Calc repeats after the last are all empty.
                if (attr("table:number-rows-repeated").toInt() > 1000)
                    break;
                sheet.append(QList<CalcCell>());
            } else if (name == u"table:table-cell") {
                const int repeated = std::max(1, attr("table:number-columns-repeated").toInt());
                for (int i = 0; i < std::min(repeated, 100); ++i)
                    sheet.last().append(CalcCell{});
                cell = &sheet.last().last();
                cell->type = attr("office:value-type");
                cell->value = attr("office:value") + attr("office:date-value");
                cell->style = attr("table:style-name");
            } else if (name == u"office:annotation") {
                inNote = true;
            } else if (name == u"text:p" && cell) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                QString &into = inNote ? cell->note : cell->text;
                into += (into.isEmpty() ? QString() : QStringLiteral("\n")) + text;
            }
        } else if (xml.isEndElement()) {
            if (xml.qualifiedName() == u"office:annotation")
                inNote = false;
            else if (xml.qualifiedName() == u"table:table-cell")
                cell = nullptr;
        }
    }
    return !xml.hasError();
}

} // namespace

class tst_spreadsheet : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_report;
    // What the report showed in each cell of the grid, and what Calc read.
    QList<QStringList> m_shown;
    CalcSheet m_calc;
    QString m_sheetName;
    QHash<QString, QHash<QString, QString>> m_styles;
    QString m_calcError;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    const CalcCell &calcCell(int row, int column)
    {
        static const CalcCell none;
        return row < m_calc.size() && column < m_calc.at(row).size() ? m_calc.at(row).at(column)
                                                                     : none;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Record 2's name needs quotes, record 3's looks like a formula,
        // record 4 has no name and no day, record 5's note has two lines.
        QVERIFY(!makeSqliteFile(
                     path(QStringLiteral("sales.db")),
                     {QStringLiteral("CREATE TABLE Sales (id INTEGER, Name TEXT, Amount REAL, Qty "
                                     "INTEGER, Day DATE, Flag BOOLEAN, Stamp DATETIME, Note TEXT)"),
                      QStringLiteral(
                          "INSERT INTO Sales WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + "
                          "1 FROM n WHERE i < %1) SELECT i, CASE i WHEN 2 THEN 'Say \"hi\", there' "
                          "WHEN 3 THEN '=1+1' WHEN 4 THEN NULL ELSE 'Item ' || i END, i * 37.25 - "
                          "100, i - 10, CASE i WHEN 4 THEN NULL ELSE date('2024-01-01', '+' || i "
                          "|| ' days') END, i % 2, datetime('2024-03-05 14:30:15', '+' || i || ' "
                          "hours'), CASE i WHEN 5 THEN 'First line' || char(10) || 'second line' "
                          "ELSE 'Note ' || i END FROM n")
                          .arg(kRecords)})
                     .isEmpty());
        QImage logo(8, 8, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        QVERIFY(logo.save(path(QStringLiteral("logo.png"))));
        const QString bold = QStringLiteral(
            "fontBold=\"true\" fontItalic=\"true\" fontColor=\"255\" fontUnderline=\"true\"");
        const QString right = QStringLiteral("HAlign=\"1\"");
        const QString header =
            item(0.5, 0, 10, QStringLiteral("Sales of page %page%"), {}, bold) +
            QStringLiteral("<PICTURE x=\"12\" y=\"0\" width=\"1\" height=\"1\" "
                           "fileName=\"logo.png\" pType=\"0\" stretch=\"false\"/>") +
            item(4, 1.2, 2.5, QStringLiteral("Amount"), {}, right);
        // Two lines a record; the note starts a little right of the amount
        // above it and shares its column.
        const QString data =
            item(0.5, 0, 3.4, QStringLiteral("[Sales].[Name]")) +
            item(4, 0, 2.5, QStringLiteral("[Sales].[Amount]"), QStringLiteral("#,##0.00"), right) +
            item(7, 0, 1.5, QStringLiteral("[Sales].[Qty]")) +
            item(9, 0, 2.5, QStringLiteral("[Sales].[Day]"), QStringLiteral("yyyy-mm-dd")) +
            item(12, 0, 1.5, QStringLiteral("=[Sales].[Qty] / 100"), QStringLiteral("0%")) +
            item(14, 0, 1.5, QStringLiteral("[Sales].[Flag]")) +
            item(16, 0, 3, QStringLiteral("[Sales].[Amount]"), QStringLiteral("Currency"), right) +
            item(0.5, 0.6, 3.4, QStringLiteral("[Sales].[Stamp]"),
                 QStringLiteral("dd/mm/yyyy hh:nn")) +
            item(4.05, 0.6, 4.5, QStringLiteral("[Sales].[Note]"), {},
                 QStringLiteral("canGrowVertically=\"true\"")) +
            item(9, 0.6, 2.5, QStringLiteral("[Sales].[Day]"), QStringLiteral("\"week\" ww"));
        const QString xml =
            QStringLiteral(
                "<MIRTDOCUMENT xmlns=\"http://mirt.talvo.org/schemas/mirt1\" docName=\"Sales: "
                "2024/Q1\" connectionString=\"Provider=SQLite;Data Source=%1\" unit=\"7\" "
                "pageWidth=\"21\" pageHeight=\"29.7\" topMargin=\"1\" bottomMargin=\"1\" "
                "leftMargin=\"0.5\" rightMargin=\"0.5\" pageOrientation=\"1\">")
                .arg(path(QStringLiteral("sales.db"))) +
            sectionXml("Head", 3, 1.8, header) +
            sectionXml("Running", 1, 0.8, item(0.5, 0, 10, QStringLiteral("Running head %page%"))) +
            sectionXml("Sales", 0, 1.3, data, QStringLiteral("SELECT * FROM Sales ORDER BY id"),
                       1) +
            sectionXml("Foot", 2, 0.8, item(4, 0, 10, QStringLiteral("Page %page% of %pages%"))) +
            sectionXml("End", 4, 0.8, item(0.5, 0, 5, QStringLiteral("End of sales"))) +
            QStringLiteral("</MIRTDOCUMENT>");
        m_report = path(QStringLiteral("sales.xml"));
        QVERIFY(saveBytes(m_report, xml.toUtf8()));

        // Run once here; the workbook written and read back by Calc.
        ReportDocument doc;
        QVERIFY(doc.loadXml(m_report));
        doc.fileName = m_report;
        doc.run().pages.setKeepValues(true);
        QCOMPARE(doc.openDataConnection(), 0);
        doc.initPrint();
        for (const ErrorEntry &error : std::as_const(doc.errorLst))
            QFAIL(qPrintable(error.pureText()));
        QVERIFY(doc.pageCount() >= 3);
        const SpreadsheetGrid grid(doc);
        grid.forEachRow([&](int page, const std::vector<GridCell> &cells) {
            QStringList row(grid.columnCount());
            for (const GridCell &cell : cells) {
                if (cell.record->kind == PageRecord::Text)
                    row[cell.column] = SpreadsheetGrid::cellText(doc, *cell.record, page);
            }
            m_shown << row;
            return true;
        });
        QString error;
        const QString workbook = path(QStringLiteral("sales.xlsx"));
        QVERIFY2(exportXlsx(doc, workbook, &error), qPrintable(error));

        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty()) {
            m_calcError = QStringLiteral("LibreOffice (soffice) is not installed");
            return;
        }
        const ProgramRun calc =
            runProgram(soffice,
                       {QStringLiteral("-env:UserInstallation=file://") + path("profile"),
                        QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                        QStringLiteral("fods"), QStringLiteral("--outdir"), m_dir.path(), workbook},
                       QString(), QProcessEnvironment::systemEnvironment(), 180);
        QVERIFY(calc.status != -1);
        QVERIFY2(readFlatOds(path(QStringLiteral("sales.fods")), m_calc, m_sheetName, m_styles),
                 qPrintable(calc.out + calc.err));
    }

    // Each record column: the type Calc gives every value, and the report's text shown.
    void workbookColumns_data()
    {
        QTest::addColumn<int>("line"); // of a record: 0 or 1
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("shownAlike");
        QTest::newRow("name") << 0 << 0 << "string" << true;
        QTest::newRow("amount #,##0.00") << 0 << 1 << "float" << true;
        QTest::newRow("quantity, no format") << 0 << 2 << "float" << true;
        QTest::newRow("date yyyy-mm-dd") << 0 << 3 << "date" << true;
        QTest::newRow("formula 0%") << 0 << 4 << "percentage" << true;
        // Calc keeps a truth value as a number shown TRUE or FALSE.
        QTest::newRow("truth value") << 0 << 5 << "float" << false;
        QTest::newRow("currency") << 0 << 6 << "float" << true;
        QTest::newRow("date and time dd/mm/yyyy hh:nn") << 1 << 0 << "date" << true;
        QTest::newRow("note under the amount") << 1 << 1 << "string" << true;
        QTest::newRow("week number: the report's text") << 1 << 3 << "string" << true;
    }
    void workbookColumns()
    {
        if (!m_calcError.isEmpty())
            QSKIP(qPrintable(m_calcError));
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, type);
        QFETCH(bool, shownAlike);
        for (int i = 1; i <= kRecords; ++i) {
            const int row = 2 + 2 * (i - 1) + line;
            const CalcCell &cell = calcCell(row, column);
            const QString where = QStringLiteral("record %1: %2 %3 \"%4\"")
                                      .arg(i)
                                      .arg(cell.type, cell.value, cell.text);
            const bool null = i == 4 && ((line == 0 && (column == 0 || column == 3)) ||
                                         (line == 1 && column == 3));
            QVERIFY2(cell.type == (null ? QString() : type), qPrintable(where));
            if (shownAlike)
                QVERIFY2(cell.text == m_shown.at(row).at(column), qPrintable(where));
            else
                QVERIFY2(cell.text == (i % 2 ? "TRUE" : "FALSE"), qPrintable(where));
        }
    }

    void workbookShape()
    {
        if (!m_calcError.isEmpty())
            QSKIP(qPrintable(m_calcError));
        QCOMPARE(m_sheetName, QStringLiteral("Sales_ 2024_Q1"));
        // As many rows as the grid (csvRows counts them).
        QCOMPARE(m_calc.size(), m_shown.size());
        QStringList title;
        for (const char *key :
             {"fo:font-weight", "fo:font-style", "fo:color", "style:text-underline-style"})
            title << m_styles.value(calcCell(0, 0).style).value(QLatin1String(key));
        QCOMPARE(title, (QStringList{"bold", "italic", "#ff0000", "solid"}));
        QCOMPARE(calcCell(0, 4).note, QStringLiteral("Picture"));
        QCOMPARE(calcCell(0, 4).type, QString());
        // The header's label, the amounts and the notes share a column.
        QCOMPARE(calcCell(1, 1).text, QStringLiteral("Amount"));
        QCOMPARE(m_styles.value(calcCell(1, 1).style).value("fo:text-align"),
                 QStringLiteral("end"));
        QCOMPARE(calcCell(2 + 2 * 4 + 1, 1).text, QStringLiteral("First line\nsecond line"));
        QCOMPARE(calcCell(2 + 2 * 2, 0).type, QStringLiteral("string"));
        QCOMPARE(calcCell(2 + 2 * 2, 0).text, QStringLiteral("=1+1"));
        QCOMPARE(calcCell(m_shown.size() - 1, 0).text, QStringLiteral("End of sales"));
        double sum = 0, expected = 0;
        for (int i = 1; i <= kRecords; ++i) {
            sum += calcCell(2 + 2 * (i - 1), 1).value.toDouble();
            expected += i * 37.25 - 100; // as the database holds it
        }
        QCOMPARE(sum, expected);
        QCOMPARE(calcCell(2 + 2 * 9, 3).value, QStringLiteral("2024-01-11"));
        QCOMPARE(calcCell(2 + 2 * 9 + 1, 0).value, QStringLiteral("2024-03-06T00:30:15"));
    }

    // The CSV of a command-line run: every row has every column, fields are
    // quoted only when they must be, numbers and dates read the same in
    // every locale.
    void csvRows_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        const QStringList comma{QStringLiteral("/csv")};
        QTest::newRow("header, variables filled, picture empty")
            << comma << 0 << "Sales of page 1,,,,,,";
        QTest::newRow("quoted, negatives") << comma << 4
                                           << "\"Say \"\"hi\"\", there\",-25.5,-8,2024-01-03,-0.08,"
                                              "FALSE,-25.5";
        QTest::newRow("formula-like text marked")
            << comma << 6 << "'=1+1,11.75,-7,2024-01-04,-0.07,TRUE,11.75";
        QTest::newRow("null") << comma << 8 << ",49,-6,,-0.06,FALSE,49";
        QTest::newRow("line break kept in quotes, date and time, text as shown")
            << comma << 11 << "2024-03-05 19:30:15,\"First line\nsecond line\",,week 1,,,";
        QTest::newRow("semicolon") << QStringList{"/csv", "/csvsep", ";"} << 4
                                   << "\"Say \"\"hi\"\", there\";-25.5;-8;2024-01-03;-0.08;FALSE;"
                                      "-25.5";
        QTest::newRow("tab") << QStringList{"/csv", "/csvsep", "tab"} << 5
                             << "2024-03-05 16:30:15\tNote 2\t\tweek 1\t\t\t";
    }
    void csvRows()
    {
        QFETCH(QStringList, options);
        QFETCH(int, line);
        const QString csv = path(QStringLiteral("out.csv"));
        QStringList arguments{QStringLiteral("/f"), m_report};
        for (const QString &option : std::as_const(options)) {
            arguments << option;
            if (option == QLatin1String("/csv"))
                arguments << csv;
        }
        ReportDocument doc;
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        QCOMPARE(runHeadlessCommand(CommandLine::fromArguments(arguments), doc, outStream,
                                    errStream, m_dir.path()),
                 0);
        // Header, two lines a record, footer (no row of a page header or footer),
        // every line ending with CR LF, the last too.
        const QStringList lines = QString::fromUtf8(bytesIn(csv)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 2 + 2 * kRecords + 2);
        QTEST(lines.value(line), "expected");
    }

    void sheetNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, const QString &title, const QString &file,
                      const QString &expected) {
            QTest::newRow(name) << title << file << expected;
        };
        row("forbidden characters", "a[b]c:d*e?f/g\\h", "", "a_b_c_d_e_f_g_h");
        row("apostrophes and spaces", " 'Q1' ", "", "Q1");
        row("31 characters", QString(40, 'x'), "", QString(31, 'x'));
        row("no title: the file", "", "/r/orders.2024.xml", "orders.2024");
        row("nothing left", "''", "", "Sheet1");
        row("reserved", "history", "", "history_");
        row("pair not split", QString(30, 'x') + QStringLiteral("\U0001F600"), "",
            QString(30, 'x'));
    }
    void sheetNames()
    {
        QFETCH(QString, title);
        QFETCH(QString, file);
        QTEST(spreadsheetSheetName(title, file), "expected");
    }
};

QTEST_MAIN(tst_spreadsheet)
#include "tst_spreadsheet.moc"
