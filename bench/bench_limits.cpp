// Inputs at the edge of what a report holds, each at two sizes, to show
// that the cost grows with the input and no faster: many items in one band,
// an element with very many attributes, a huge text in a one-line box, a
// growing text of very many lines, and a huge text in the designer. Each
// case runs in its own process; prints a table with the ratio of the two
// sizes' times. Asserts nothing.
//   bench_limits                 every case at both sizes
//   bench_limits CASE SIZE       one case (items, attributes, formula, lines, designer)
// A case still running after BENCH_LIMITS_CAP seconds (default 600) is
// stopped and shown as "> cap".
#include "designer/designerwindow.h"
#include "designer/itembox.h"
#include "designer/sectionsurface.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "output/pdfexport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "benchsupport.h"
#include "orderlines.h"

#include <cstdio>

namespace {

double seconds(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e9;
}

// A page of one data section over a table of one row.
ReportSection *setUpReport(ReportDocument &doc, const QString &dir)
{
    const QString db = dir + QStringLiteral("/one.db");
    if (!QFile::exists(db) && !makeDatabase(db, 1))
        return nullptr;
    doc.init();
    doc.clearSections();
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + db;
    doc.pageHeight = 29.7f;
    doc.pageWidth = 21;
    ReportSection *band = doc.addDataSection();
    band->sectionName = QStringLiteral("Band");
    band->Height = 25;
    band->SQL = QStringLiteral("SELECT ID, Customer FROM Lines");
    return band;
}

TextItem *addText(ReportSection *band, const QString &content, float x, float y, float w, float h)
{
    TextItem *item = band->newTextItem();
    item->content = content;
    item->x = x;
    item->y = y;
    item->w = w;
    item->h = h;
    item->fontSize = 8;
    return item;
}

// Times of one case; a step a case does not have stays negative.
struct Times
{
    double load = -1;
    double run = -1;
    double pdf = -1;
    double open = -1;   // designer: loaded to first painted surface
    double redraw = -1; // designer: one repaint of the surface
    int pages = 0;
};

// Loads the saved report, runs it into a PDF and, with `designer`, opens it
// in the designer and repaints the surface of its band.
Times measure(const QString &file, const QString &dir, bool run, bool designer)
{
    Times t;
    QElapsedTimer clock;
    clock.start();
    ReportDocument doc;
    doc.fileName = file;
    // A refused file counts too: the time to refuse it.
    const bool loaded = doc.loadXml(file);
    t.load = seconds(clock);
    if (!loaded)
        return t;
    if (run) {
        if (doc.openDataConnection() != 0) {
            std::fprintf(stderr, "cannot open: %s\n", qPrintable(doc.connectionError()));
            return t;
        }
        clock.restart();
        doc.initPrint();
        t.run = seconds(clock);
        t.pages = doc.pageCount();
        clock.restart();
        QString error;
        if (!exportPdf(doc, dir + QStringLiteral("/out.pdf"), 0, 0, &error))
            std::fprintf(stderr, "PDF: %s\n", qPrintable(error));
        t.pdf = seconds(clock);
    }
    if (designer) {
        ReportDocument shown;
        shown.fileName = file;
        clock.restart();
        if (!shown.loadXml(file))
            return t;
        DesignerWindow window;
        window.resize(1400, 900);
        window.init(&shown);
        FirstPaint firstPaint(clock);
        SectionSurface *surface = window.surface(0);
        surface->installEventFilter(&firstPaint);
        window.show();
        while (firstPaint.ms < 0 && clock.elapsed() < 1000 * 1000)
            QCoreApplication::processEvents();
        t.open = firstPaint.ms / 1000;
        // The surface, and its first item's box on its own (as a click or
        // a nudge repaints it).
        clock.restart();
        surface->repaint();
        if (surface->count() > 0)
            surface->box(1)->repaint();
        t.redraw = seconds(clock);
    }
    return t;
}

int runCase(const QString &name, int size)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("case.xml"));
    ReportDocument doc;
    ReportSection *band = setUpReport(doc, dir.path());
    if (!band)
        return 1;
    bool run = true;
    bool designer = false;
    if (name == QLatin1String("items")) {
        // Columns of fields, formulas and texts filled one after the
        // other, so the file's order is not top to bottom.
        for (int i = 0; i < size; ++i) {
            const int row = i % 60;
            const int column = i / 60 % 20;
            const QString content = i % 3 == 0   ? QStringLiteral("[Lines].[Customer]")
                                    : i % 3 == 1 ? QStringLiteral("=[Lines].[ID]+%1").arg(i)
                                                 : QStringLiteral("Label %1").arg(i);
            addText(band, content, 0.5f + float(column) * 0.95f, 0.2f + float(row) * 0.4f, 0.9f,
                    0.35f);
        }
        designer = true;
    } else if (name == QLatin1String("attributes")) {
        addText(band, QStringLiteral("Label"), 1, 1, 5, 0.5f);
        run = false;
    } else if (name == QLatin1String("formula")) {
        // `size` characters of words in a box of one line.
        addText(band,
                QStringLiteral("=Replace(String(%1, \"x\"), \"x\", \"abcdefg \")").arg(size / 8), 1,
                1, 10, 0.5f);
    } else if (name == QLatin1String("lines")) {
        QString text;
        for (int i = 1; i <= size; ++i)
            text += QStringLiteral("Line %1 of the growing text\r\n").arg(i);
        text.chop(2);
        TextItem *item = addText(band, text, 1, 1, 10, 0.5f);
        item->CanGrowVertical = true;
        band->Height = 2;
    } else if (name == QLatin1String("designer")) {
        // `size` characters of words and paragraphs in a box of a few lines,
        // beside a small item.
        QString text;
        text.reserve(size + 80);
        for (int i = 0; text.size() < size; ++i)
            text += i % 12 == 11 ? QStringLiteral("paragraph end.\r\n")
                                 : QStringLiteral("words in a long text ");
        text.truncate(size);
        addText(band, text, 1, 1, 10, 3);
        addText(band, QStringLiteral("Beside"), 12, 1, 3, 0.5f);
        run = false;
        designer = true;
    } else {
        std::fprintf(stderr, "unknown case %s\n", qPrintable(name));
        return 2;
    }
    if (!doc.saveXml(file))
        return 1;
    if (name == QLatin1String("attributes")) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        QByteArray xml = f.readAll();
        f.close();
        QByteArray many;
        many.reserve(size * 16);
        for (int i = 0; i < size; ++i)
            many += "a" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\" ";
        xml.replace("<ITEM ", "<ITEM " + many);
        if (!f.open(QIODevice::WriteOnly) || f.write(xml) != xml.size())
            return 1;
        f.close();
    }
    const Times t = measure(file, dir.path(), run, designer);
    // One line for the parent: case, size, the times and the pages.
    std::printf("%s %d %.4f %.4f %.4f %.4f %.4f %d %ld\n", qPrintable(name), size, t.load, t.run,
                t.pdf, t.open, t.redraw, t.pages, peakKiB() / 1024);
    return 0;
}

QString figure(double value, bool capped)
{
    if (capped)
        return QStringLiteral("> cap");
    return value < 0 ? QStringLiteral("–") : QString::number(value, 'f', 3);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2)
        return runCase(args[0], args[1].toInt());

    const int cap = qEnvironmentVariableIsSet("BENCH_LIMITS_CAP")
                        ? qEnvironmentVariableIntValue("BENCH_LIMITS_CAP")
                        : 600;
    struct Case
    {
        const char *name;
        int small;
        int large;
    };
    const Case cases[] = {{"items", 5000, 20000},
                          {"attributes", 40000, 80000},
                          {"formula", 1000000, 8000000},
                          {"lines", 25000, 100000},
                          {"designer", 250000, 1000000}};
    std::printf(
        "| case | size | load s | run s | PDF s | designer open s | redraw s | pages | MiB |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    for (const Case &c : cases) {
        double total[2] = {0, 0};
        bool capped[2] = {false, false};
        for (int which = 0; which < 2; ++which) {
            const int size = which == 0 ? c.small : c.large;
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QString::fromLatin1(c.name), QString::number(size)});
            const QStringList f =
                child.waitForFinished(cap * 1000)
                    ? QString::fromLatin1(child.readAllStandardOutput()).split(u' ')
                    : QStringList();
            if (f.size() < 9) {
                child.kill();
                child.waitForFinished();
                capped[which] = true;
                std::printf("| %s | %d | > cap | | | | | | |\n", c.name, size);
                std::fflush(stdout);
                continue;
            }
            for (int i = 2; i <= 6; ++i)
                total[which] += qMax(0.0, f[i].toDouble());
            std::printf("| %s | %d | %s | %s | %s | %s | %s | %s | %s |\n", c.name, size,
                        qPrintable(figure(f[2].toDouble(), false)),
                        qPrintable(figure(f[3].toDouble(), false)),
                        qPrintable(figure(f[4].toDouble(), false)),
                        qPrintable(figure(f[5].toDouble(), false)),
                        qPrintable(figure(f[6].toDouble(), false)), qPrintable(f[7]),
                        qPrintable(f[8].trimmed()));
            std::fflush(stdout);
        }
        if (capped[0] || capped[1])
            std::printf("| %s | ratio | – |\n", c.name);
        else
            std::printf("| %s | ratio %.1f× for %.0f× the input | total %.3f s → %.3f s |\n",
                        c.name, total[1] / total[0], double(c.large) / c.small, total[0], total[1]);
        std::fflush(stdout);
    }
    return 0;
}
