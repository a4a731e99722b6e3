// The PDF writer, read back with real tools: qpdf checks every file,
// poppler gives back the text, pictures, structure and the pages'
// look, which must match the preview's drawing.
#include "../datafixtures.h"
#include "charts/chartrendering.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "engine/printitemoutput.h"
#include "engine/reportrun.h"
#include "output/pageoutput.h"
#include "output/pdfexport.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <sys/mount.h>

namespace {

// A one-page A4 document in centimetres.
std::unique_ptr<ReportDocument> onePage()
{
    auto doc = std::make_unique<ReportDocument>();
    doc->docName = QStringLiteral("Writer test");
    doc->pageWidth = 21;
    doc->pageHeight = 29.7f;
    doc->run().pages.add();
    return doc;
}

// How a text item looks beyond its content.
struct Look
{
    int align = 0;
    bool underline = false;
    bool strike = false;
    int borderStyle = 5; // none
    int borderWidth = 1;
    float h = 1;
    bool grow = true;
    float x = 2;
};

void addText(ReportDocument &doc, const QString &content, float y, float w = 17,
             const Look &look = Look())
{
    TextItem item;
    item.content = content;
    item.x = look.x;
    item.y = y;
    item.w = w;
    item.h = look.h;
    item.fontSize = 14;
    item.CanGrowVertical = look.grow;
    item.AlignH = uchar(look.align);
    item.fontUnderline = look.underline;
    item.fontStrikethrough = look.strike;
    item.borders.setValues(uchar(look.borderWidth), 0x203040, look.borderStyle);
    addItemText(doc, *doc.run().pages.at(0), item, content, y, 0);
}

void addPicture(ReportDocument &doc, const QImage &image, float y, const QString &alt = QString())
{
    PageRecord record;
    record.kind = PageRecord::Picture;
    record.x = 2;
    record.y = y;
    record.w = 4;
    record.h = 4;
    auto picture = std::make_shared<PagePicture>();
    picture->image = image;
    picture->alt = alt;
    record.content = picture;
    doc.run().pages.append(*doc.run().pages.at(0), std::move(record));
}

// Writes the PDF and checks it with qpdf; the error, or empty.
QString write(ReportDocument &doc, const QString &file, const PdfOptions &options = PdfOptions())
{
    QString error;
    if (!exportPdf(doc, file, 0, 0, &error, options))
        return error.isEmpty() ? QStringLiteral("failed without a message") : error;
    const ProgramRun check = runProgram("qpdf", {"--check", file});
    if (check.status != 0)
        return QStringLiteral("qpdf --check: ") + check.out;
    return QString();
}

// Grey levels averaged over blocks of `block` pixels: anti-aliasing and
// hinting differ between renderers, shapes and places may not.
QImage blocks(const QImage &page, int block)
{
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    QImage out(grey.width() / block, grey.height() / block, QImage::Format_Grayscale8);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            int sum = 0;
            for (int dy = 0; dy < block; ++dy) {
                const uchar *row = grey.constScanLine(y * block + dy) + x * block;
                for (int dx = 0; dx < block; ++dx)
                    sum += row[dx];
            }
            out.scanLine(y)[x] = uchar(sum / (block * block));
        }
    }
    return out;
}

} // namespace

// The first and last page, the text, the orientation, and pdfinfo's page size in points.
using PageRange = std::tuple<int, int, QString, int, QString>;

class tst_PdfWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        registerChartRenderer();
        for (const char *tool :
             {"qpdf", "pdftotext", "pdffonts", "pdfimages", "pdfinfo", "pdftoppm"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP("qpdf and poppler-utils are needed");
        }
    }

    // Pictures come back bit for bit.
    void picturesLossless_data()
    {
        QTest::addColumn<QImage>("image");
        QImage colour(37, 23, QImage::Format_RGB32);
        for (int y = 0; y < colour.height(); ++y) {
            for (int x = 0; x < colour.width(); ++x)
                colour.setPixel(x, y, qRgb(x * 7, y * 11, (x * y) % 256));
        }
        QTest::newRow("colour") << colour;
        QTest::newRow("grey") << colour.convertToFormat(QImage::Format_Grayscale8);
        QImage alpha = colour.convertToFormat(QImage::Format_ARGB32);
        for (int x = 0; x < alpha.width(); ++x)
            alpha.setPixel(x, 0, qRgba(10, 20, 30, x * 6));
        QTest::newRow("with transparency") << alpha;
    }
    void picturesLossless()
    {
        QFETCH(QImage, image);
        auto doc = onePage();
        addPicture(*doc, image, 2);
        const QString file = m_dir.filePath(QStringLiteral("picture.pdf"));
        QCOMPARE(write(*doc, file), QString());
        const QString prefix = m_dir.filePath(QStringLiteral("img ") + QTest::currentDataTag());
        QCOMPARE(runProgram("pdfimages", {"-png", file, prefix}).status, 0);
        const QImage back(prefix + QStringLiteral("-000.png"));
        QCOMPARE(back.size(), image.size());
        const bool grey = image.format() == QImage::Format_Grayscale8;
        QCOMPARE(back.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888),
                 image.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888));
        if (image.hasAlphaChannel()) {
            const QImage mask(prefix + QStringLiteral("-001.png"));
            QCOMPARE(mask.convertToFormat(QImage::Format_Grayscale8).pixelColor(20, 0).red(), 120);
        }
    }

    // The structure a screen reader follows: sections of bands, texts as
    // paragraphs, pictures as figures with their words; page headers and
    // footers left out. The report's language, where it is one.
    void structure_data()
    {
        QTest::addColumn<bool>("tagged");
        QTest::addColumn<bool>("archival");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("written"); // empty: the system's
        const QString swiss = QStringLiteral("de-CH");
        QTest::newRow("untagged") << false << false << swiss << swiss;
        QTest::newRow("PDF/A") << true << true << swiss << swiss;
        QTest::newRow("the system's language") << true << false << QString() << QString();
        dataRow("not a language", true, true, "de) /Evil (x", "");
    }
    void structure()
    {
        QFETCH(bool, tagged);
        QFETCH(bool, archival);
        QFETCH(QString, language);
        QFETCH(QString, written);
        if (written.isEmpty())
            written = systemLanguageTag();
        auto doc = onePage();
        doc->run().pages.beginBand(1, QStringLiteral("Page header"));
        addText(*doc, QStringLiteral("Running head"), 1);
        doc->run().pages.beginBand(0, QStringLiteral("Customers"));
        // Texts side by side read as one paragraph, words apart.
        addText(*doc, QStringLiteral("First customer"), 3, 7);
        Look right;
        right.x = 10;
        addText(*doc, QStringLiteral("paid"), 3, 3, right);
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        addPicture(*doc, image, 4, QStringLiteral("Red (square)"));
        doc->run().pages.beginBand(0, QStringLiteral("Customers"));
        addText(*doc, QStringLiteral("Second customer"), 9);
        doc->run().pages.beginBand(2, QStringLiteral("Page footer"));
        addText(*doc, QStringLiteral("Running foot"), 27);
        const QString file = m_dir.filePath(QStringLiteral("structure.pdf"));
        PdfOptions options;
        options.tagged = tagged;
        options.archival = archival;
        options.language = language;
        QCOMPARE(write(*doc, file, options), QString());

        const QString info = programOutput("pdfinfo", {file});
        QVERIFY2(info.contains(QRegularExpression(tagged ? QStringLiteral("Tagged:\\s+yes")
                                                         : QStringLiteral("Tagged:\\s+no"))),
                 qPrintable(info));
        QVERIFY(info.contains(QStringLiteral("Writer test")));
        const QString tree = programOutput("pdfinfo", {"-struct-text", file});
        if (tagged) {
            const QString expected =
                QStringLiteral("Document\n  Sect\n    P (block)\n      \"First "
                               "customer paid\"\n    Figure:\n"
                               "       /BBox [56.7 615.2 170.1 728.6]\n      \"\"\n  Sect\n"
                               "    P (block)\n"
                               "      \"Second customer\"\n");
            QCOMPARE(tree, expected);
        } else {
            QVERIFY2(!tree.contains(QStringLiteral("Document")), qPrintable(tree));
        }
        const QString metadata = programOutput("pdfinfo", {"-meta", file});
        QCOMPARE(metadata.contains(QStringLiteral("<pdfaid:part>2</pdfaid:part>")), archival);
        QCOMPARE(metadata.contains(QStringLiteral("<pdfuaid:part>1</pdfuaid:part>")), tagged);
        QVERIFY(metadata.contains(QStringLiteral("<rdf:li>%1</rdf:li>").arg(written)));
        // The output intent of an archival file takes the sRGB profile along.
        const ProgramRun objects =
            runProgram("qpdf", {"--qdf", "--object-streams=disable", file, "-"});
        QCOMPARE(objects.out.contains(QStringLiteral("/GTS_PDFA1")), archival);
        QVERIFY(objects.out.contains(QStringLiteral("/Lang (%1)").arg(written)));
        QVERIFY(!objects.out.contains(QStringLiteral("/Evil")));
        QCOMPARE(objects.out.contains(QStringLiteral("/Alt (Red \\(square\\))")), tagged);
        QCOMPARE(objects.out.contains(QStringLiteral("/Subtype /Header")), tagged);
    }

    // The first page looks as the preview draws it: examples, scripts, decorations.
    void looksLikePreview_data()
    {
        QTest::addColumn<QString>("report");
        QTest::newRow("demo") << QStringLiteral("demo.xml");
        QTest::newRow("demo graph") << QStringLiteral("demo graph.xml");
        QTest::newRow("scripts") << QString();
        QTest::newRow("decorations") << QStringLiteral("-");
    }
    void looksLikePreview()
    {
        QFETCH(QString, report);
        ReportDocument loaded;
        std::unique_ptr<ReportDocument> built = onePage();
        ReportDocument *doc = report.endsWith(QLatin1String(".xml")) ? &loaded : built.get();
        float y = 2;
        if (report == QLatin1String("-")) {
            // Alignment, decorations, borders of every style, a text clipped to its box.
            for (int style = 0; style <= 6; ++style) {
                Look look;
                look.align = style % 3;
                look.underline = style % 2 == 0;
                look.strike = style % 3 == 1;
                look.borderStyle = style;
                look.borderWidth = 1 + style % 3;
                addText(*doc, QStringLiteral("Border style %1 aligned").arg(style), y, 12, look);
                y += 2;
            }
            Look clipped;
            clipped.h = 0.3f;
            clipped.grow = false;
            addText(*doc, QStringLiteral("A line taller than its box"), y, 12, clipped);
        } else if (report.isEmpty()) {
            for (const QString &text :
                 {QStringLiteral("Latin ffi text, underlined?"), QStringLiteral("中华人民共和国"),
                  QStringLiteral("هذه جملة عربية"), QStringLiteral("ภาษาไทย น้ำใจ"),
                  QStringLiteral("זהו משפט בעברית"), QStringLiteral("Smile 😀 and 👍 done")}) {
                addText(*doc, text, y);
                y += 1.5f;
            }
        } else {
            const QString path = QStringLiteral(MIRT_BINARY_DIR "/bin/") + report;
            QVERIFY(loaded.loadXml(path));
            loaded.fileName = path;
            QCOMPARE(loaded.openDataConnection(), 0);
            loaded.initPrint();
        }
        const QString file = m_dir.filePath(QStringLiteral("look.pdf"));
        QCOMPARE(write(*doc, file), QString());
        if (report == QLatin1String("demo graph.xml")) {
            // A chart's labels and legend are text a reader can find; charts
            // are vectors: the file holds no picture (two heading lines).
            const QString text = programOutput("pdftotext", {"-l", "1", file, "-"});
            for (const char *label : {"Australia", "Bakery", "200000", "2024"})
                QVERIFY2(text.contains(QLatin1String(label)), label);
            QCOMPARE(programOutput("pdfimages", {"-list", file}).count(u'\n'), 2);
        }
        constexpr int dpi = 100;
        const QString prefix = m_dir.filePath(QStringLiteral("look"));
        QCOMPARE(runProgram("pdftoppm",
                            {"-r", QString::number(dpi), "-singlefile", "-png", file, prefix})
                     .status,
                 0);
        const QImage pdf(prefix + QStringLiteral(".png"));
        QImage drawn(pdf.size(), QImage::Format_RGB32);
        drawn.setDotsPerMeterX(qRound(dpi / 0.0254));
        drawn.setDotsPerMeterY(qRound(dpi / 0.0254));
        drawn.fill(Qt::white);
        {
            QPainter painter(&drawn);
            drawPage(*doc, painter, 1);
        }
        const QImage a = blocks(pdf, 4);
        const QImage b = blocks(drawn, 4);
        int differing = 0;
        int inked = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const int pa = a.constScanLine(y)[x], pb = b.constScanLine(y)[x];
                inked += pa < 200 || pb < 200;
                differing += std::abs(pa - pb) > 64;
            }
        }
        QVERIFY(inked > 100);
        QVERIFY2(differing * 50 < inked,
                 qPrintable(QStringLiteral("%1 of %2 blocks differ").arg(differing).arg(inked)));
    }

    // Pages from .. to, written while a run makes them (the command line):
    // as many pages, in their order, the number of pages known at the end;
    // the sheet turned for landscape.
    void pageRange_data()
    {
        QTest::addColumn<PageRange>("row");
        const auto row = [](const char *name, const PageRange &r) { QTest::newRow(name) << r; };
        row("middle, landscape", {2, 2, "page 2 of 3", 2, "84(1\\.89|2) x 595(\\.276)? pts"});
        row("last two", {2, 3, "page 2 of 3 page 3 of 3", 1, "595(\\.276)? x 84(1\\.89|2) pts"});
    }
    void pageRange()
    {
        QFETCH(PageRange, row);
        const auto &[from, to, text, orientation, size] = row;
        auto doc = onePage();
        doc->pageOrientation = uchar(orientation);
        doc->run().pages.add();
        doc->run().pages.add();
        for (int n = 0; n < 3; ++n) {
            TextItem item;
            item.content = QStringLiteral("page %page% of %pages%");
            item.x = 2;
            item.w = 10;
            item.h = 1;
            addItemText(*doc, *doc->run().pages.at(n), item, item.content, 2,
                        PageRecord::PageVariables);
        }
        const QString file = m_dir.filePath(QStringLiteral("range.pdf"));
        QFile::remove(file);
        QString error;
        PdfPageStream stream(*doc, file, from, to, PdfOptions());
        for (int n = 1; n <= 2; ++n)
            stream.pageFinished(n);
        QVERIFY(!QFile::exists(file));
        QVERIFY2(stream.finish(&error), qPrintable(error));
        QCOMPARE(runProgram("qpdf", {"--check", file}).status, 0);
        QCOMPARE(programOutput("pdftotext", {file, "-"}).simplified(), text);
        const QString info = programOutput("pdfinfo", {file});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+") + size)),
                 qPrintable(info));
    }

    // The command line's PDFs, written while the report runs, read as the preview's export.
    void commandLine()
    {
        // Both files of one run have every page.
        const QString streamed = m_dir.filePath(QStringLiteral("streamed.pdf"));
        const QString archived = m_dir.filePath(QStringLiteral("archived.pdf"));
        QCOMPARE(
            runMirt({"/f", MIRT_BINARY_DIR "/bin/demo.xml", "/pdf", streamed, "/pdfa", archived})
                .status,
            0);
        QCOMPARE(runProgram("qpdf", {"--check", streamed}).status, 0);

        ReportDocument doc;
        QVERIFY(doc.loadXml(QStringLiteral(MIRT_BINARY_DIR "/bin/demo.xml")));
        doc.fileName = QStringLiteral(MIRT_BINARY_DIR "/bin/demo.xml");
        QCOMPARE(doc.openDataConnection(), 0);
        doc.initPrint();
        const QString kept = m_dir.filePath(QStringLiteral("kept.pdf"));
        QCOMPARE(write(doc, kept), QString());
        const QString pages = QString::number(doc.pageCount());
        QVERIFY(doc.pageCount() > 1);
        for (int n = 1; n <= doc.pageCount(); ++n) {
            const QString page = QString::number(n);
            auto text = [&](const QString &file) {
                return programOutput("pdftotext", {"-f", page, "-l", page, file, "-"});
            };
            const QString shown = text(streamed);
            QCOMPARE(shown, text(kept));
            QCOMPARE(text(archived), shown);
            QVERIFY2(shown.contains(page + QStringLiteral(" of ") + pages), qPrintable(shown));
        }
    }

    // A full disk: the export fails, says so, and leaves no file behind.
    void fullDisk()
    {
        const QString mountPoint = m_dir.filePath(QStringLiteral("small"));
        QVERIFY(QDir().mkpath(mountPoint));
        if (::mount("tmpfs", mountPoint.toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("a small file system cannot be mounted here");
        auto doc = onePage();
        for (int i = 0; i < 200; ++i)
            doc->run().pages.add();
        addText(*doc, QStringLiteral("人民日报 中华人民共和国 and some more text"), 2);
        // Noise does not compress: more than the file system holds.
        QImage noise(100, 100, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < noise.height(); ++y) {
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, random.generate());
        }
        addPicture(*doc, noise, 5);
        const QString file = mountPoint + QStringLiteral("/full.pdf");
        QString error;
        const bool written = exportPdf(*doc, file, 0, 0, &error);
        const QStringList left = QDir(mountPoint).entryList(QDir::Files | QDir::Hidden);
        ::umount(mountPoint.toLocal8Bit().constData());
        QVERIFY2(!written, qPrintable(left.join(u',')));
        QVERIFY2(error.contains(file), qPrintable(error));
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u',')));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_PdfWriter)
#include "tst_pdfwriter.moc"
