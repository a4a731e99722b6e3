#include "../datafixtures.h"
#include "../dialogtesting.h"
#include "charts/chartrendering.h"
#include "designer/chartitemdialog.h"
#include "designer/pictureitemdialog.h"
#include "designer/sqlpanel.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/userinteraction.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Pixels of a clear colour (chart bars, a red picture): not text, frames or paper.
int colouredPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            count += std::max({qRed(c), qGreen(c), qBlue(c)}) -
                         std::min({qRed(c), qGreen(c), qBlue(c)}) >
                     60;
        }
    }
    return count;
}

// Remembers how many errors the document had when each message came: the
// preview's reminder must come before its query runs.
class RecordingInteraction : public ScriptedInteraction
{
public:
    const ReportDocument *doc = nullptr;
    QList<qsizetype> errorsAtMessage;

    Button message(const QString &text, int buttons, Icon icon, const QString &title) override
    {
        errorsAtMessage.append(doc ? doc->errorLst.size() : -1);
        return ScriptedInteraction::message(text, buttons, icon, title);
    }
};

// Whether fileName, "...", fieldName and fieldName2 can be used.
QList<bool> sourceControlsEnabled(QWidget *dialog)
{
    QList<bool> out;
    for (const char *name : {"fileName", "bBrowse", "fieldName", "fieldName2"})
        out << child<QWidget>(dialog, name)->isEnabled();
    return out;
}

const QString kCategoryName = QStringLiteral("[Categories].[CategoryName]");
const QString kCategoryPicture = QStringLiteral("[Categories].[Picture]");

} // namespace

class tst_ChartPicture : public QObject
{
    Q_OBJECT

    const QString m_png = scratchPath(QStringLiteral("red.png"));
    RecordingInteraction m_ui;
    std::unique_ptr<ReportDocument> m_doc;
    ReportSection *m_data = nullptr;

private slots:
    void initTestCase()
    {
        registerChartRenderer();
        QImage red(40, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(m_png));
    }

    void init()
    {
        m_doc = std::make_unique<ReportDocument>();
        m_doc->connectionStringData = sqlite(demoDb());
        m_data = m_doc->sections.at(0);
        m_data->sectionName = QStringLiteral("Categories");
        m_data->SQL = QStringLiteral("SELECT CategoryName, Picture FROM Categories");
        m_ui = RecordingInteraction();
        m_ui.doc = m_doc.get();
        UserInteraction::setCurrent(&m_ui);
    }

    void cleanup()
    {
        UserInteraction::setCurrent(nullptr);
        m_doc.reset();
    }

    // Every control is changed, then OK or Cancel: Cancel must leave the
    // item as it was, OK must store what the controls show and load the
    // picture so the designer shows it. Only the chosen source's controls
    // can be used.
    void pictureOkAndCancel_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("stored");
        dataRow("cancel", int(PictureItem::FromPathField), false, "");
        dataRow("ok file", int(PictureItem::FromFile), true, "png");
        dataRow("ok picture field", int(PictureItem::FromBinaryField), true, kCategoryPicture);
        dataRow("ok file name field", int(PictureItem::FromPathField), true, kCategoryName);
    }
    void pictureOkAndCancel()
    {
        QFETCH(int, source);
        QFETCH(bool, ok);
        QFETCH(QString, stored);
        if (stored == QLatin1String("png"))
            stored = m_png;
        PictureItem *pic = m_data->newPicture();
        pic->fileName = QStringLiteral("old.png");
        pic->w = 4;
        pic->h = 2;

        PictureItemDialog dialog;
        dialog.load(pic);
        m_ui.fileNames << m_png;
        click(&dialog, "bBrowse");
        QCOMPARE(child<QLineEdit>(&dialog, "fileName")->text(), m_png);
        // The sample shows the chosen file at once.
        QVERIFY(colouredPixels(child<QLabel>(&dialog, "Sample")->pixmap().toImage()) > 100);
        click(&dialog, "AspectRatio");
        const char *options[] = {"optFile", "optField", "optFieldFile"};
        click(&dialog, "optField");
        auto *field = child<QComboBox>(&dialog, "fieldName");
        field->setCurrentIndex(field->findText(kCategoryPicture));
        click(&dialog, "optFieldFile");
        auto *field2 = child<QComboBox>(&dialog, "fieldName2");
        field2->setCurrentIndex(field2->findText(kCategoryName));
        click(&dialog, options[source]);
        QCOMPARE(sourceControlsEnabled(&dialog),
                 (QList<bool>{source == 0, source == 0, source == 1, source == 2}));
        QTest::keyClicks(child<QLineEdit>(&dialog, "altText"), QStringLiteral(" Our logo "));
        click(&dialog, ok ? "bOK" : "bCancel");

        QCOMPARE(dialog.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(pic->pType, ok ? source : int(PictureItem::FromFile));
        QCOMPARE(pic->fileName, ok ? stored : QStringLiteral("old.png"));
        QCOMPARE(pic->stretch, ok);
        QCOMPARE(pic->altText, ok ? QStringLiteral("Our logo") : QString());
        QVERIFY(pic->Key == QLatin1String("k1") && pic->parent == m_data); // the same item
        QCOMPARE(!pic->pic.isNull(), ok && source == PictureItem::FromFile);
        if (!pic->pic.isNull())
            QCOMPARE(pic->pic.pixelColor(0, 0), QColor(Qt::red));
    }

    // A stored field no data section delivers any more stays stored after OK;
    // the loaded source's controls alone can be used.
    void pictureKeepsUnlistedField()
    {
        PictureItem *pic = m_data->newPicture();
        pic->pType = PictureItem::FromBinaryField;
        pic->fileName = QStringLiteral("[Gone].[Photo]");
        PictureItemDialog dialog;
        dialog.load(pic);
        auto *field = child<QComboBox>(&dialog, "fieldName");
        QCOMPARE(field->currentText(), pic->fileName);
        QVERIFY(child<QRadioButton>(&dialog, "optField")->isChecked());
        QCOMPARE(sourceControlsEnabled(&dialog), (QList<bool>{false, false, true, false}));
        QVERIFY(field->findText(kCategoryPicture) >= 0);
        click(&dialog, "bOK");
        QVERIFY(pic->fileName == QLatin1String("[Gone].[Photo]") &&
                pic->pType == PictureItem::FromBinaryField);
    }

    void chartOkAndCancel_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }
    void chartOkAndCancel()
    {
        QFETCH(bool, ok);
        ChartItem *chart = m_data->newChart();
        chart->SQL = QStringLiteral("SELECT 1");
        ChartItemDialog dialog;
        dialog.load(chart);
        auto *styles = child<QComboBox>(&dialog, "fListStyles");
        styles->setCurrentIndex(styles->findText(QStringLiteral("3D step")));
        QPlainTextEdit *sql = child<SqlPanel>(&dialog, "sql")->editor();
        sql->selectAll();
        QTest::keyClicks(sql, QStringLiteral("SELECT CategoryName, CategoryID FROM Categories"));
        click(&dialog, "fDataInRow");
        click(&dialog, "fShowLegend");
        click(&dialog, "fStack");
        QTest::keyClicks(child<QLineEdit>(&dialog, "altText"), QStringLiteral("Sales"));
        click(&dialog, ok ? "bOK" : "bCancel");

        QCOMPARE(chart->gType, ok ? int(ChartItem::Step3D) : int(ChartItem::Bar2D));
        QCOMPARE(chart->SQL, ok ? QStringLiteral("SELECT CategoryName, CategoryID FROM Categories")
                                : QStringLiteral("SELECT 1"));
        QCOMPARE((QList<bool>{chart->dataInLine, chart->legend, chart->stack}), QList<bool>(3, ok));
        QCOMPARE(chart->altText, ok ? QStringLiteral("Sales") : QString());
        QCOMPARE(chart->Key, QStringLiteral("k1"));
    }

    // The preview draws the chart of the typed query with the run's chart
    // code; a query that fails draws nothing and shows the driver's reason.
    // The reminder about references comes before the query runs, and only
    // for a query that has references.
    void chartPreview_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("error"); // empty: a chart is drawn
        QTest::addColumn<bool>("reminded");
        dataRow("products per category",
                "select CategoryName, count(*) from Categories c join Products p "
                "on p.CategoryID = c.CategoryID group by CategoryName",
                "", false);
        dataRow("missing table", "select x from NoSuchTable", "NoSuchTable", false);
        dataRow("reference", "select x from Products where CategoryID = {[Data 1].[ID]}",
                "unrecognized token", true);
    }
    void chartPreview()
    {
        QFETCH(QString, sql);
        QFETCH(QString, error);
        QFETCH(bool, reminded);
        ChartItem *chart = m_data->newChart();
        chart->SQL = QStringLiteral("SELECT 1");
        ChartItemDialog dialog;
        dialog.load(chart);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QPlainTextEdit *editor = child<SqlPanel>(&dialog, "sql")->editor();
        editor->selectAll();
        QTest::keyClicks(editor, sql);
        click(&dialog, "bPreview");

        QCOMPARE(m_ui.shown.size(), reminded ? 1 : 0);
        if (reminded) {
            QCOMPARE(m_ui.shown[0].text,
                     QStringLiteral("When you want preview a graph, don't forget to enter real "
                                    "values instead of parameters like {[Section name].[Field "
                                    "name]}"));
            QCOMPARE(m_ui.shown[0].icon, UserInteraction::Information);
            QCOMPARE(m_ui.errorsAtMessage, QList<qsizetype>{0});
        }
        QCOMPARE(dialog.workingCopy()->SQL, sql);

        auto *preview = child<ChartPreview>(&dialog, "MSChart1");
        const int coloured = colouredPixels(preview->grab().toImage());
        if (error.isEmpty()) {
            QVERIFY(m_doc->errorLst.isEmpty());
            QVERIFY(preview->hasChart());
            QVERIFY2(coloured > 500, qPrintable(QString::number(coloured)));
        } else {
            QCOMPARE(m_doc->errorLst.size(), 1);
            QVERIFY(!preview->hasChart());
            QCOMPARE(coloured, 0);
            QVERIFY2(preview->message().contains(error), qPrintable(preview->message()));
        }
        // The preview changes nothing in the item before OK.
        QCOMPARE(chart->SQL, QStringLiteral("SELECT 1"));
    }
};

QTEST_MAIN(tst_ChartPicture)
#include "tst_chartpicture.moc"
