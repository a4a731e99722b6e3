// The preview window with a long list: how soon page 1 is on screen, what
// the window costs a run against the headless run, how long the event loop
// waits between two ticks of a 10 ms timer while pages come, and how long
// the densest page of the demo report takes to draw. Prints a table;
// asserts nothing. Each run case runs in its own process, as bench_report's.
//   bench_preview                  all cases
//   bench_preview headless N       the run without a window
//   bench_preview preview N        the same run in the preview window
//   bench_preview draw             drawing the demo's densest page
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "document/userinteraction.h"
#include "viewer/previewwindow.h"
#include "viewer/previewpageview.h"
#include "viewer/previewrender.h"

#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include "benchsupport.h"
#include "orderlines.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// The list report over `rows` order lines made in `dir`; null when the
// database cannot be made.
std::unique_ptr<ReportDocument> listReport(const QTemporaryDir &dir, int rows)
{
    const QString db = dir.filePath(QStringLiteral("list.db"));
    if (!makeDatabase(db, rows))
        return nullptr;
    auto doc = std::make_unique<ReportDocument>();
    setUpPage(*doc, db);
    addOrderList(*doc);
    return doc;
}

int headlessCase(int rows)
{
    QTemporaryDir dir;
    auto doc = listReport(dir, rows);
    if (!doc)
        return 1;
    QElapsedTimer timer;
    timer.start();
    if (doc->openDataConnection() != 0)
        return 1;
    doc->initPrint();
    const double run = timer.nsecsElapsed() / 1e9;
    const int pages = doc->pageCount();
    timer.restart();
    doc->deletePages();
    doc->release();
    const double release = timer.nsecsElapsed() / 1e6;
    std::printf("| %-26s | %7d | %6d | %8s | %7.2f | %9s | %9s | %6ld | %10.0f |\n", "headless run",
                rows, pages, "-", run, "-", "-", peakKiB() / 1024, release);
    std::fflush(stdout);
    return 0;
}

// Notes the start of the first paint of the page view that shows page 1.
class FirstPagePaint : public QObject
{
public:
    FirstPagePaint(PreviewPageView *view, QElapsedTimer &clock) : m_view(view), m_clock(clock) {}
    double at = -1;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && at < 0 && m_view->page() == 1)
            at = m_clock.nsecsElapsed() / 1e6;
        return false;
    }

private:
    PreviewPageView *m_view;
    QElapsedTimer &m_clock;
};

int previewCase(int rows)
{
    QTemporaryDir dir;
    auto doc = listReport(dir, rows);
    if (!doc)
        return 1;
    PreviewWindow window;
    // BENCH_NO_THUMBNAILS=1: without the page strip, to see what it costs.
    if (qEnvironmentVariableIsSet("BENCH_NO_THUMBNAILS"))
        window.findChild<QDockWidget *>(QStringLiteral("thumbnailDock"))->hide();
    QElapsedTimer clock;
    FirstPagePaint firstPaint(window.pageView(), clock);
    window.pageView()->viewport()->installEventFilter(&firstPaint);

    // Gaps between the ticks of a 10 ms timer while the run goes on; the
    // first ones fall into the opening of the query, which cannot yield.
    QTimer ticker;
    ticker.setInterval(10);
    ticker.setTimerType(Qt::PreciseTimer);
    qint64 lastTick = -1, longestGap = 0, longestGapAfterPage1 = 0;
    int ticks = 0;
    bool page1Done = false;
    QObject::connect(doc.get(), &ReportDocument::pageFinished, doc.get(), [&](int page) {
        if (page == 1)
            page1Done = true;
    });
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastTick >= 0) {
            longestGap = std::max(longestGap, now - lastTick);
            if (page1Done)
                longestGapAfterPage1 = std::max(longestGapAfterPage1, now - lastTick);
        }
        lastTick = now;
        ++ticks;
    });
    ticker.start();
    bool thenPrint = false, dialog = false, hide = false;
    clock.start();
    window.PrintPreview(doc.get(), thenPrint, dialog, hide);
    const double run = clock.nsecsElapsed() / 1e9;
    ticker.stop();
    const int pages = doc->pageCount();
    // Closing releases the pages; the program ends right after.
    doc->clearModified();
    clock.restart();
    window.close();
    const double close = clock.nsecsElapsed() / 1e6;
    std::printf("| %-26s | %7d | %6d | %8.0f | %7.2f | %9.1f | %9.1f | %6ld | %10.0f |\n",
                qPrintable(QStringLiteral("preview run (%1 ticks)").arg(ticks)), rows, pages,
                firstPaint.at, run, longestGap / 1e6, longestGapAfterPage1 / 1e6, peakKiB() / 1024,
                close);
    std::fflush(stdout);
    return 0;
}

double millisecondsPerCall(const std::function<void()> &call)
{
    call(); // warm: fonts, glyph caches
    QElapsedTimer timer;
    int n = 0;
    timer.start();
    while (timer.elapsed() < 500 || n < 3) {
        call();
        ++n;
    }
    return timer.nsecsElapsed() / 1e6 / n;
}

int drawCase()
{
    const QString file = QCoreApplication::applicationDirPath() + QStringLiteral("/demo.xml");
    ReportDocument doc;
    if (!doc.loadXml(file))
        return 1;
    doc.fileName = file;
    if (doc.openDataConnection() != 0) {
        std::fprintf(stderr, "demo: %s\n", qPrintable(doc.connectionError()));
        return 1;
    }
    doc.initPrint();
    int densest = 1, most = -1;
    for (int n = 1; n <= doc.pageCount(); ++n) {
        if (doc.run().pages.at(n - 1)->count() > most) {
            most = doc.run().pages.at(n - 1)->count();
            densest = n;
        }
    }
    std::printf("\nDemo report: %d pages; densest page %d with %d print items.\n\n",
                int(doc.pageCount()), densest, most);
    std::printf("| %-44s | %8s |\n", "drawing", "ms");
    std::printf("|----------------------------------------------|----------|\n");
    for (qreal dpr : {1.0, 2.0}) {
        const double whole100 =
            millisecondsPerCall([&] { renderPreviewPage(doc, densest, 96, dpr); });
        std::printf("| %-44s | %8.2f |\n",
                    qPrintable(QStringLiteral("whole page at 100 %, pixel ratio %1").arg(dpr)),
                    whole100);
        // At 400 % the view draws only what it shows: a 1600 x 1000 window.
        QImage view(QSize(1600, 1000) * dpr, QImage::Format_ARGB32_Premultiplied);
        view.setDevicePixelRatio(dpr);
        const double visible400 = millisecondsPerCall([&] {
            view.fill(Qt::white);
            QPainter painter(&view);
            painter.setClipRect(QRect(0, 0, 1600, 1000));
            painter.translate(-400, -600);
            paintPreviewPage(doc, painter, densest, 96 * 4);
        });
        std::printf("| %-44s | %8.2f |\n",
                    qPrintable(QStringLiteral("1600x1000 view at 400 %, pixel ratio %1").arg(dpr)),
                    visible400);
    }
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    StderrInteraction quiet;
    UserInteraction::setCurrent(&quiet);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("headless"))
        return headlessCase(args.value(1).toInt());
    if (args.value(0) == QLatin1String("preview"))
        return previewCase(args.value(1).toInt());
    if (args.value(0) == QLatin1String("draw"))
        return drawCase();

    std::printf("| %-26s | %7s | %6s | %8s | %7s | %9s | %9s | %6s | %10s |\n", "case", "records",
                "pages", "page 1 ms", "run s", "gap ms", "gap p2+ ms", "MiB", "release ms");
    std::printf("|----------------------------|---------|--------|----------|---------|-----------|"
                "-----------|--------|------------|\n");
    std::fflush(stdout);
    const int rows = args.value(0).toInt() > 0 ? args.value(0).toInt() : 100000;
    const QList<QStringList> cases{
        {"headless", QString::number(rows)}, {"preview", QString::number(rows)}, {"draw"}};
    for (const QStringList &c : cases) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), c);
        child.waitForFinished(-1);
    }
    return 0;
}
