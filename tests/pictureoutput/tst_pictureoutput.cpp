// Pictures of report runs: where a relative picture file is found, how a
// picture that cannot be shown is reported, very large pictures, and which
// pictures a PDF keeps as JPEG (poppler).
#include "../datafixtures.h"
#include "document/pictureitem.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "engine/reportrun.h"
#include "output/pdfexport.h"
#include "output/pngexport.h"

#include <QImage>
#include <QImageReader>
#include <QScopeGuard>
#include <QStandardPaths>

namespace {

// A SQLite file with `records` rows (ID, Pic, Path); every Pic is `blob`
// (a Null when it is null) and every Path `path`.
QString database(const QString &file, int records, const QByteArray &blob = QByteArray(),
                 const QString &path = QString())
{
    const QString pic = blob.isNull()
                            ? QStringLiteral("NULL")
                            : QStringLiteral("X'") + QString::fromLatin1(blob.toHex()) + u'\'';
    return makeSqliteFile(
        file, {QStringLiteral("CREATE TABLE Photos (ID INTEGER, Pic BLOB, Path TEXT)"),
               QStringLiteral("INSERT INTO Photos WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                              "SELECT i + 1 FROM n WHERE i < %1) SELECT i, %2, '%3' FROM n")
                   .arg(QString::number(records), pic, QString(path).replace(u'\'', "''"))});
}

// A one-section report over the Photos table with one picture item `h`
// high in a band 1 higher, its file as if saved at `reportFile`.
struct Report
{
    ReportDocument doc;
    PictureItem *picture = nullptr;
    ReportSection *data = nullptr;

    Report(const QString &databaseFile, const QString &reportFile, int pType,
           const QString &fileName, float h = 0.8f)
    {
        doc.fileName = reportFile;
        doc.connectionStringData = sqlite(databaseFile);
        doc.pageWidth = 21;
        doc.pageHeight = 29.7f;
        data = doc.sections.at(0);
        data->sectionName = QStringLiteral("Photos");
        data->SQL = QStringLiteral("SELECT ID, Pic, Path FROM Photos");
        data->Height = std::ceil(h + 0.2f);
        picture = data->newPicture();
        picture->pType = pType;
        picture->fileName = fileName;
        picture->x = 1;
        picture->w = 4;
        picture->h = h;
    }
    bool run()
    {
        if (doc.openDataConnection() != 0)
            return false;
        doc.initPrint();
        return true;
    }
    QList<const PagePicture *> printedPictures() const
    {
        QList<const PagePicture *> pictures;
        for (const auto &page : doc.run().pages) {
            for (const PageRecord &record : page->records) {
                if (record.picture() && !record.picture()->chart)
                    pictures << record.picture();
            }
        }
        return pictures;
    }
    // The first picture on page 1.
    const PageRecord &drawn() const
    {
        const auto &records = doc.run().pages.page(1)->records;
        return *std::find_if(records.begin(), records.end(),
                             [](const PageRecord &r) { return r.picture() != nullptr; });
    }
};

} // namespace

// The file format, the pixel format, the reader's limit in megabytes (0: its own), the size in the
// PDF, whether it is a JPEG there, and whether it is the file itself.
using KeptPixels = std::tuple<QString, QImage::Format, int, QStringList, bool, bool>;

class tst_PictureOutput : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // A relative picture name: beside the report, then the program's folder; never the cwd.
    void relativePictureFiles_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("shown");
        QTest::newRow("in the program's folder") << "program" << true;
        QTest::newRow("beside the report before the program's folder") << "both" << true;
        QTest::newRow("only in the current directory") << "current" << false;
    }
    void relativePictureFiles()
    {
        QFETCH(QString, where);
        QFETCH(bool, shown);
        const QString name = QStringLiteral("mirt-test-logo-%1.png").arg(where);
        QDir base(m_dir.path());
        QVERIFY(base.mkpath(where + QStringLiteral("/report")) &&
                base.mkpath(where + QStringLiteral("/elsewhere")));
        const QString reportDir = base.filePath(where + QStringLiteral("/report"));
        const QString elsewhere = base.filePath(where + QStringLiteral("/elsewhere"));
        const QString programFile = QDir(QCoreApplication::applicationDirPath()).filePath(name);

        QImage black(20, 10, QImage::Format_RGB32);
        black.fill(Qt::black);
        QImage white(20, 10, QImage::Format_RGB32);
        white.fill(Qt::white);
        // What should be found is black; anything else found would be white.
        QVERIFY(white.save(QDir(elsewhere).filePath(name)));
        if (where == QLatin1String("both"))
            QVERIFY(black.save(QDir(reportDir).filePath(name)) && white.save(programFile));
        if (where == QLatin1String("program"))
            QVERIFY(black.save(programFile));
        const QString saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere));

        Report report(database(base.filePath(where + QStringLiteral("/photos.db")), 3),
                      QDir(reportDir).filePath(QStringLiteral("report.xml")), PictureItem::FromFile,
                      name);
        const bool ran = report.run();
        QDir::setCurrent(saved);
        QFile::remove(programFile);
        QVERIFY(ran);

        const QList<const PagePicture *> pictures = report.printedPictures();
        QCOMPARE(pictures.size(), 3);
        for (const PagePicture *picture : pictures) {
            QCOMPARE(picture->hasPicture(), shown);
            if (shown)
                QCOMPARE(picture->image.pixel(5, 5), QColor(Qt::black).rgb());
        }
        QCOMPARE(report.doc.errorLst.size(), shown ? 0 : 1);
        if (!shown)
            QVERIFY(report.doc.errorLst.first().message.contains(QDir(reportDir).filePath(name)));
    }

    // Pictures from a file or a field, SVG kept as vectors, drawn into a
    // 4 x 4 box without stretching: 4 x 2, top-left. A picture that cannot
    // be shown is one error entry naming the item and the cause, however
    // many records repeat it. A picture beyond the reader's allocation limit is
    // decoded for its box, not refused (the limit is lowered so that a small
    // file is "huge").
    void pictureSources_data()
    {
        QTest::addColumn<int>("pType");
        QTest::addColumn<QString>("fileName"); // "pic.png" and "pic.svg" are black pictures
        QTest::addColumn<QByteArray>("blob");  // "png", "svg": that picture
        QTest::addColumn<QString>("cause");    // empty: shown
        QTest::addColumn<int>("limit");        // megabytes; 0: the reader's own
        auto row = [](const char *name, int pType, const char *fileName, const QByteArray &blob,
                      const char *cause = "", int limit = 0) {
            QTest::newRow(name) << pType << QString::fromLatin1(fileName) << blob
                                << QString::fromLatin1(cause) << limit;
        };
        row("png file", PictureItem::FromFile, "pic.png", "png");
        row("svg file", PictureItem::FromFile, "pic.svg", "png");
        row("huge png file", PictureItem::FromFile, "pic.png", "png", "", 2);
        row("binary field", PictureItem::FromBinaryField, "[Photos].[Pic]", "png");
        row("svg in a binary field", PictureItem::FromBinaryField, "Pic", "svg");
        row("path in a field", PictureItem::FromPathField, "Path", "png");
        row("missing file", PictureItem::FromFile, "missing.png", "png", "is not found");
        row("not a picture", PictureItem::FromFile, "notes.png", "png", "notes.png");
        row("empty binary field", PictureItem::FromBinaryField, "[Photos].[Pic]", "",
            "\"Pic\" is empty");
        row("Null binary field", PictureItem::FromBinaryField, "[Photos].[Pic]", QByteArray(),
            "\"Pic\" is Null");
        row("no picture in the field", PictureItem::FromBinaryField, "Pic",
            "plain text, no picture", "no picture");
        row("no such field", PictureItem::FromBinaryField, "[Photos].[Photo]", "png",
            "no field \"Photo\"");
        row("path field naming a missing file", PictureItem::FromPathField, "Path", "gone",
            "gone.png\" is not found");
    }
    void pictureSources()
    {
        QFETCH(int, pType);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, blob);
        QFETCH(QString, cause);
        QFETCH(int, limit);
        const QDir folder(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        QImage black(limit ? 1200 : 40, limit ? 600 : 20, QImage::Format_RGB32);
        black.fill(Qt::black);
        QVERIFY(black.save(folder.filePath(QStringLiteral("pic.png"))));
        const int savedLimit = QImageReader::allocationLimit();
        if (limit)
            QImageReader::setAllocationLimit(limit);
        const auto restore =
            qScopeGuard([savedLimit] { QImageReader::setAllocationLimit(savedLimit); });
        // Too large for a whole decode.
        QCOMPARE(QImage(folder.filePath(QStringLiteral("pic.png"))).isNull(), limit > 0);
        const QByteArray png = bytesIn(folder.filePath(QStringLiteral("pic.png")));
        const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
                               "<rect width='40' height='20' fill='black'/></svg>";
        QVERIFY(saveBytes(folder.filePath(QStringLiteral("pic.svg")), svg) &&
                saveBytes(folder.filePath(QStringLiteral("notes.png")), "these are notes"));
        const bool shown = cause.isEmpty();
        const QString path = folder.filePath(blob == "gone" ? QStringLiteral("gone.png")
                                                            : QStringLiteral("pic.png"));
        const int records = shown ? 1 : 1000;
        Report report(database(folder.filePath(QStringLiteral("photos.db")), records,
                               blob == "png"   ? png
                               : blob == "svg" ? svg
                                               : blob,
                               path),
                      folder.filePath(QStringLiteral("report.xml")), pType, fileName, 4);
        QVERIFY(report.run());
        QCOMPARE(report.printedPictures().size(), records);
        if (!shown) {
            QCOMPARE(report.doc.errorLst.size(), 1);
            const ErrorEntry &entry = report.doc.errorLst.first();
            QVERIFY2(entry.message.contains(cause), qPrintable(entry.message));
            QVERIFY2(entry.message.contains(QStringLiteral("\"Photos\"")),
                     qPrintable(entry.message));
            QVERIFY2(entry.message.contains(report.picture->Key), qPrintable(entry.message));
            QCOMPARE(entry.additionalInfo, fileName);
            return;
        }
        QVERIFY2(report.doc.errorLst.isEmpty(), qPrintable(report.doc.errorLst.value(0).message));
        const bool vector = fileName.endsWith(QLatin1String(".svg")) || blob == "svg";
        QCOMPARE(!report.printedPictures().first()->svg.isEmpty(), vector);
        if (limit) // decoded for the box at 300 dpi
            QCOMPARE(report.printedPictures().first()->image.size(), QSize(473, 236));
        // Without words of its own a picture is named by its file, never by its field.
        QCOMPARE(report.printedPictures().first()->alt, pType == PictureItem::FromFile
                                                            ? QStringLiteral("Picture: ") + fileName
                                                            : QStringLiteral("Picture"));
        const QImage page = renderPage(report.doc, 1, 100);
        const PageRecord &drawn = report.drawn();
        const auto dark = [&](double x, double y) { // centimetres into the box
            return qGray(page.pixel(qRound((drawn.x + x) / 2.54 * 100),
                                    qRound((drawn.y + y) / 2.54 * 100))) < 128;
        };
        QVERIFY(dark(0.2, 0.2) && dark(3.8, 1.8) && dark(2, 1));
        QVERIFY(!dark(2, 2.5) && !dark(0.2, 3.8)); // below the picture
    }

    // Drawings are not made JPEG in a PDF; a JPEG photo goes in as the file it
    // came in, unless it was decoded smaller (too large to decode whole: the
    // reader's limit is lowered so that a small file is "huge").
    void pdfKeepsPixels_data()
    {
        QTest::addColumn<KeptPixels>("row");
        const auto row = [](const char *name, const KeptPixels &r) { QTest::newRow(name) << r; };
        const QStringList drawn{"64", "32"};
        row("png", {"png", QImage::Format_RGB32, 0, drawn, false, false});
        row("jpeg", {"jpg", QImage::Format_RGB32, 0, drawn, true, true});
        row("grey jpeg", {"jpg", QImage::Format_Grayscale8, 0, drawn, true, true});
        // 4 x 0.8 cm at 300 dpi.
        row("jpeg decoded smaller",
            {"jpg", QImage::Format_RGB32, 1, QStringList{"473", "95"}, true, false});
    }
    void pdfKeepsPixels()
    {
        QFETCH(KeptPixels, row);
        const auto &[format, pixels, limit, size, jpeg, whole] = row;
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("poppler-utils are not installed (scripts/install-deps.sh installs them)");
        QImage drawing(limit ? 640 : 64, limit ? 320 : 32, QImage::Format_RGB32);
        for (int y = 0; y < drawing.height(); ++y) {
            for (int x = 0; x < drawing.width(); ++x)
                drawing.setPixel(x, y, qRgb(200, x % 256, y % 256));
        }
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        const QString file = m_dir.filePath(tag + u'.' + format);
        QVERIFY(drawing.convertToFormat(pixels).save(file));
        const int savedLimit = QImageReader::allocationLimit();
        if (limit)
            QImageReader::setAllocationLimit(limit);
        const auto restore =
            qScopeGuard([savedLimit] { QImageReader::setAllocationLimit(savedLimit); });

        Report report(database(m_dir.filePath(tag + QStringLiteral(".db")), 1),
                      m_dir.filePath(QStringLiteral("drawing.xml")), PictureItem::FromFile, file);
        report.picture->stretch = true;
        QVERIFY(report.run());
        QVERIFY(report.doc.errorLst.isEmpty());
        const QString pdf = m_dir.filePath(tag + QStringLiteral(".pdf"));
        QString error;
        QVERIFY2(exportPdf(report.doc, pdf, 1, 1, &error), qPrintable(error));

        const QStringList list =
            programOutput("pdfimages", {"-list", pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(list.size(), 3); // two heading lines and the picture
        const QStringList columns = list.at(2).simplified().split(QLatin1Char(' '));
        QCOMPARE(columns.mid(3, 2), size); // width, height
        QCOMPARE(columns.value(8) == QLatin1String("jpeg"), jpeg);
        const QString prefix = m_dir.filePath(tag);
        QCOMPARE(runProgram("pdfimages", {"-j", pdf, prefix}).status, 0);
        QCOMPARE(bytesIn(prefix + QStringLiteral("-000.jpg")) == bytesIn(file), whole);
    }
};

QTEST_MAIN(tst_PictureOutput)
#include "tst_pictureoutput.moc"
