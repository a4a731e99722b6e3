// A confined run refuses pictures and data outside the report's folder and servers not
// allowed; SVG pictures never read files they name.
#include "../datafixtures.h"
#include "document/errorentry.h"
#include "document/pictureitem.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "engine/reportrun.h"
#include "platform/accesspolicy.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "program/accessoptions.h"

#include <QImage>

namespace {

QByteArray svgWithImage(const QString &attribute, const QString &href)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                          "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"8\" height=\"8\">"
                          "<image %1=\"%2\" x=\"0\" y=\"0\" width=\"8\" height=\"8\"/></svg>")
        .arg(attribute, href)
        .toUtf8();
}

void makeDatabase(const QString &file, const QByteArray &blob, const QString &path)
{
    QFile::remove(file);
    const QString error =
        createSqlite(file, {QStringLiteral("CREATE TABLE Photos (ID INTEGER, Pic BLOB, Path TEXT)"),
                            QStringLiteral("INSERT INTO Photos VALUES (1, X'%1', '%2')")
                                .arg(QString::fromLatin1(blob.toHex()), path)});
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

// A one-section report over the Photos table with one picture item.
void buildReport(ReportDocument &doc, const QString &reportFile, const QString &connection,
                 int pType, const QString &fileName)
{
    doc.clearSections();
    doc.fileName = reportFile;
    doc.connectionStringData = connection;
    doc.pageWidth = 21;
    doc.pageHeight = 29.7f;
    ReportSection *data = doc.addDataSection();
    data->sectionName = QStringLiteral("Photos");
    data->SQL = QStringLiteral("SELECT ID, Pic, Path FROM Photos");
    data->Height = 1;
    PictureItem *picture = data->newPicture();
    picture->pType = pType;
    picture->fileName = fileName;
    picture->x = 1;
    picture->w = 4;
    picture->h = 0.8f;
    doc.orderSections();
}

// The picture source, the picture file or field content, the bytes written
// to that file inside when set, whether it is shown confined and free, and
// what the refusal names.
using Picture = std::tuple<int, QString, QByteArray, bool, bool, QString>;
// The connection, the picture, the options, the status and a part of the
// error output.
using Program = std::tuple<QString, QString, QStringList, int, QString>;

} // namespace

class tst_Confine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_report;  // the report's folder
    QString m_outside; // a folder beside it
    QByteArray m_png;
    QByteArray m_svgOutside;
    QByteArray m_svgzOutside; // the same, compressed

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_report = m_dir.filePath(QStringLiteral("report"));
        m_outside = m_dir.filePath(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(m_report + QStringLiteral("/sub")));
        QVERIFY(QDir().mkpath(m_outside));
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(m_report + QStringLiteral("/inside.png")));
        m_png = bytesIn(m_report + QStringLiteral("/inside.png"));
        QVERIFY(saveBytes(m_outside + QStringLiteral("/outside.png"), m_png));
        QVERIFY(QFile::link(m_outside + QStringLiteral("/outside.png"),
                            m_report + QStringLiteral("/link.png")));
        makeDatabase(m_outside + QStringLiteral("/data.db"), m_png, QString());
        QVERIFY(QFile::link(m_outside + QStringLiteral("/data.db"),
                            m_report + QStringLiteral("/link.db")));
        m_svgOutside = svgWithImage(QStringLiteral("xlink:href"),
                                    QStringLiteral("file://") + m_outside + "/outside.png");
        const QString svg = m_dir.filePath(QStringLiteral("outside.svg"));
        QVERIFY(saveBytes(svg, m_svgOutside));
        QCOMPARE(runProgram(QStringLiteral("gzip"), {QStringLiteral("-k"), svg}).status, 0);
        m_svgzOutside = bytesIn(svg + QStringLiteral(".gz"));
        makeDatabase(m_report + QStringLiteral("/link-free.db"), QByteArray("x"), QString());
    }
    void cleanup() { AccessPolicy::setCurrent(AccessPolicy()); }

    // A file outside the report's folder is refused when confined, an SVG naming one always.
    void pictures_data()
    {
        QTest::addColumn<Picture>("row");
        const auto row = [](const char *name, const Picture &r) { QTest::newRow(name) << r; };

        const QString outsidePng = m_outside + QStringLiteral("/outside.png");
        const QString data =
            QStringLiteral("data:image/png;base64,") + QString::fromLatin1(m_png.toBase64());
        const int file = PictureItem::FromFile, pathField = PictureItem::FromPathField;
        const QByteArray none;
        row("inside, through ..", {file, "sub/../inside.png", none, true, true, ""});
        row("outside, ../..", {file, "../outside/outside.png", none, false, true, "outside.png"});
        row("link inside to a file outside", {file, "link.png", none, false, true, "link.png"});
        row("path field naming a file outside",
            {pathField, outsidePng, none, false, true, outsidePng});
        row("SVG with an image path",
            {file, "path.svg", svgWithImage("xlink:href", outsidePng), false, false, outsidePng});
        row("SVG with a plain href",
            {file, "plain.svg", svgWithImage("href", outsidePng), false, false, outsidePng});
        row("compressed SVG with an image outside",
            {file, "zipped.svgz", m_svgzOutside, false, false, outsidePng});
        row("SVG with the image written into it",
            {file, "inline.svg", svgWithImage("xlink:href", data), true, true, ""});
        row("binary field holding an SVG with an image outside",
            {PictureItem::FromBinaryField, "Pic", m_svgOutside, false, false, outsidePng});
    }
    void pictures()
    {
        QFETCH(Picture, row);
        const auto &[pType, name, fileBytes, shownConfined, shownFree, refusalNames] = row;

        const bool binary = pType == PictureItem::FromBinaryField;
        makeDatabase(m_report + QStringLiteral("/pictures.db"),
                     binary ? fileBytes : QByteArray("x"),
                     pType == PictureItem::FromPathField ? name : QString());
        if (!fileBytes.isEmpty() && !binary)
            QVERIFY(saveBytes(m_report + QLatin1Char('/') + name, fileBytes));
        for (const bool confined : {true, false}) {
            AccessPolicy::setCurrent(confined ? AccessPolicy::confined(m_report, {})
                                              : AccessPolicy());
            ReportDocument doc;
            buildReport(doc, m_report + QStringLiteral("/report.xml"),
                        sqlite(QStringLiteral("pictures.db")), pType,
                        binary                                ? QStringLiteral("Pic")
                        : pType == PictureItem::FromPathField ? QStringLiteral("Path")
                                                              : name);
            QCOMPARE(doc.openDataConnection(), 0);
            doc.initPrint();
            const PagePicture *picture = nullptr;
            for (const auto &page : doc.run().pages) {
                for (const PageRecord &record : page->records) {
                    if (record.picture() && !record.picture()->chart)
                        picture = record.picture();
                }
            }
            QVERIFY(picture);
            const QString error = doc.errorLst.value(0).message;
            const bool shown = confined ? shownConfined : shownFree;
            QVERIFY2(picture->hasPicture() == shown, qPrintable(error));
            // Refused: one error naming the file.
            QVERIFY2(shown ? doc.errorLst.isEmpty()
                           : doc.errorLst.size() == 1 && error.contains(refusalNames),
                     qPrintable(error));
        }
    }

    // Data sources and servers: refused when confined, naming the file or host.
    void connections_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QStringList>("hosts");
        QTest::addColumn<QString>("refusalNames"); // "" when confinement lets it through
        QTest::addColumn<bool>("opensFree");

        const QStringList none;
        const QString pg = QStringLiteral("Provider=PostgreSQL;Server=127.0.0.1;Port=1;Database=x");
        dataRow("SQLite inside", "Provider=SQLite;Data Source=link-free.db", none, "", true);
        dataRow("SQLite outside, ../", "Data Source=../outside/data.db", none, "data.db", true);
        dataRow("SQLite link inside to a file outside", "Data Source=link.db", none, "link.db",
                true);
        dataRow("missing file outside: refused, not reported missing",
                "Data Source=" + m_outside + "/none.db", none, "none.db", false);
        dataRow("PostgreSQL host not allowed", pg, none, "127.0.0.1:1", false);
        dataRow("PostgreSQL host allowed on another port",
                "Provider=PostgreSQL;Server=127.0.0.1:1;Database=x", QStringList{"127.0.0.1:5432"},
                "127.0.0.1:1", false);
        dataRow("PostgreSQL host allowed", pg, QStringList{"db.example.org", "127.0.0.1"}, "",
                false);
        dataRow("PostgreSQL without host is this machine", "Provider=PostgreSQL;Port=1;Database=x",
                none, "localhost", false);
        dataRow("MySQL host not allowed", "Provider=MySQL;Server=127.0.0.1;Port=1;Database=x",
                QStringList{"other"}, "127.0.0.1:1", false);
        dataRow("ODBC server not allowed", "DSN=Sales;Servername=127.0.0.1;Port=1;Database=x", none,
                "127.0.0.1", false);
    }
    void connections()
    {
        QFETCH(QString, connection);
        QFETCH(QStringList, hosts);
        QFETCH(QString, refusalNames);
        QFETCH(bool, opensFree);

        auto open = [&](const AccessPolicy &policy) {
            AccessPolicy::setCurrent(policy);
            Connection cn;
            cn.setBaseDir(m_report);
            try {
                cn.open(connection);
            } catch (const DatabaseError &e) {
                return e.description();
            }
            return QString();
        };
        const QString confined = open(AccessPolicy::confined(m_report, hosts));
        const QString free = open(AccessPolicy());
        const QString policyWords = QStringLiteral("(/");
        QVERIFY2(refusalNames.isEmpty()
                     ? !confined.contains(policyWords)
                     : confined.contains(policyWords) && confined.contains(refusalNames),
                 qPrintable(confined));
        QVERIFY2(!free.contains(policyWords), qPrintable(free));
        if (opensFree)
            QVERIFY2(free.isEmpty(), qPrintable(free));
    }

    // The options: /confine and /allowhost confine to the folder of /f.
    void options_data()
    {
        QTest::addColumn<QStringList>("options"); // after "/f" and the report
        QTest::addColumn<bool>("confined");
        QTest::addColumn<QStringList>("hosts");
        dataRow("none", QStringList{"/pdf", "x.pdf"}, false, QStringList());
        dataRow("/confine", QStringList{"/confine", "/pdf", "x.pdf"}, true, QStringList());
        dataRow("/allowhost twice, a socket folder",
                QStringList{"/allowhost", "db.example.org:5432", "/ALLOWHOST",
                            "/var/run/postgresql", "/pdf", "x.pdf"},
                true, QStringList{"db.example.org:5432", "/var/run/postgresql"});
    }
    void options()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, confined);
        const QString report = m_report + QStringLiteral("/options.xml");
        QVERIFY(saveBytes(report, "x"));
        const AccessPolicy policy = accessPolicyFor(
            CommandLine::fromArguments(QStringList{QStringLiteral("/f"), report} + options),
            QString());
        QCOMPARE(policy.isConfined(), confined);
        QTEST(policy.hosts(), "hosts");
        QCOMPARE(policy.rootFolder(),
                 confined ? QFileInfo(m_report).canonicalFilePath() : QString());
    }

    // The program: a refused picture is status 3, a refused data source status 2.
    void program_data()
    {
        QTest::addColumn<Program>("row");
        const auto row = [](const char *name, const Program &r) { QTest::newRow(name) << r; };
        const QString outsidePng = m_outside + QStringLiteral("/outside.png");
        const QString inside = sqlite(QStringLiteral("link-free.db"));
        const QStringList confine{"/confine"};
        row("picture outside, confined", {inside, outsidePng, confine, 3, outsidePng});
        row("picture inside, confined", {inside, "inside.png", confine, 0, ""});
        row("server not allowed",
            {"Provider=PostgreSQL;Server=127.0.0.1;Port=1;Database=x", "inside.png",
             QStringList{"/allowhost", "db.example.org"}, 2, "127.0.0.1:1"});
    }
    void program()
    {
        QFETCH(Program, row);
        const auto &[connection, picture, options, status, stderrHas] = row;
        const QString report = m_report + QStringLiteral("/program.xml");
        ReportDocument doc;
        buildReport(doc, report, connection, PictureItem::FromFile, picture);
        QVERIFY(doc.saveXml(report));
        const ProgramRun mirt =
            runMirt(QStringList{QStringLiteral("/f"), report, QStringLiteral("/pdf"),
                                m_dir.filePath(QStringLiteral("out.pdf"))} +
                    options);
        QVERIFY2(mirt.status == status, qPrintable(mirt.err));
        if (!stderrHas.isEmpty()) {
            QVERIFY2(mirt.err.contains(stderrHas) && mirt.err.contains(QLatin1String("(/")),
                     qPrintable(mirt.err));
        }
    }
};

QTEST_MAIN(tst_Confine)
#include "tst_confine.moc"
