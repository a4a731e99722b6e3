// The designer with a large report: 20 sections and 1,000 items. How long
// from loading the file to the first painted window, and how long each
// mouse move takes while 200 selected items are dragged (the move handled
// and the surface repainted). Prints a table; asserts nothing.
#include "designer/designdocument.h"
#include "designer/designerwindow.h"
#include "designer/itembox.h"
#include "designer/sectionsurface.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "benchsupport.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// 20 data sections of 50 text items each: fields, formulas and texts in
// rows of five, as a dense form would have them.
bool writeReport(const QString &path)
{
    ReportDocument doc;
    doc.init();
    for (int s = 0; s < 20; ++s) {
        ReportSection *sec = doc.addDataSection();
        sec->Height = 6;
        for (int i = 0; i < 50; ++i) {
            TextItem *item = sec->newTextItem();
            item->x = 0.5f + float(i % 5) * 3.6f;
            item->y = 0.2f + float(i / 5) * 0.55f;
            item->w = 3.4f;
            item->h = 0.5f;
            item->content = i % 3 == 0   ? QStringLiteral("[Orders].[Field%1]").arg(i)
                            : i % 3 == 1 ? QStringLiteral("=[Price]*[Qty]+%1").arg(i)
                                         : QStringLiteral("Label %1").arg(i);
        }
    }
    return doc.saveXml(path);
}

void send(QWidget *to, QEvent::Type type, const QPoint &at, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.xml"));
    if (!writeReport(path))
        return 1;

    QElapsedTimer clock;
    clock.start();
    ReportDocument doc;
    doc.fileName = path;
    if (!doc.loadXml(path))
        return 1;
    const double loaded = clock.nsecsElapsed() / 1e6;
    DesignerWindow window;
    window.resize(1400, 900);
    window.init(&doc);
    FirstPaint firstPaint(clock);
    // The first surface is painted once the window is.
    window.surface(0)->installEventFilter(&firstPaint);
    window.show();
    while (firstPaint.ms < 0 && clock.elapsed() < 20000)
        QCoreApplication::processEvents();
    std::printf("| step | time |\n|---|---|\n");
    std::printf("| load the file (20 sections, 1,000 items) | %.0f ms |\n", loaded);
    std::printf("| load to first painted window | %.0f ms |\n", firstPaint.ms);

    // 200 items selected on one surface (its first 50 plus 150 pasted
    // copies), then dragged by the mouse in 100 steps.
    SectionSurface *surface = window.surface(2);
    DesignDocument *design = window.design();
    ReportSection &band = *surface->sectionRef();
    design->selectAll(band);
    for (int i = 0; i < 3; ++i) {
        design->copy(band);
        design->paste(band);
    }
    design->selectAll(band);
    const int selected = surface->count();
    ItemBox *pressed = surface->box(1);
    QPoint at(5, 5);
    send(pressed, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    const QPoint start = pressed->mapTo(surface, at);
    std::vector<double> moves;
    for (int step = 1; step <= 100; ++step) {
        QElapsedTimer one;
        one.start();
        // Back and forth over 20 grid steps, so that every move moves.
        const QPoint onSurface = start + QPoint(8 * (step % 20), 4 * (step % 10));
        send(pressed, QEvent::MouseMove, pressed->mapFrom(surface, onSurface), Qt::NoButton,
             Qt::LeftButton);
        // The move counts until the surface has been repainted.
        surface->repaint();
        moves.push_back(one.nsecsElapsed() / 1e6);
    }
    send(pressed, QEvent::MouseButtonRelease, pressed->mapFrom(surface, start), Qt::LeftButton,
         Qt::NoButton);
    std::sort(moves.begin(), moves.end());
    std::printf("| drag of %d selected items: median move | %.2f ms |\n", selected,
                moves[moves.size() / 2]);
    std::printf("| drag of %d selected items: slowest move | %.2f ms |\n", selected, moves.back());
    std::printf("| peak resident memory | %ld MB |\n", peakKiB() / 1024);
    return 0;
}
