#pragma once

#include <QImage>
#include <QSizeF>

class QPainter;
class ReportDocument;

// The page's size in inches, in its orientation.
QSizeF pageSizeInches(const ReportDocument &doc);

// Draws stored page n through the engine's drawing code, scaled so that an
// inch is `pixelsPerInch` of the painter's logical pixels; the painter's
// origin is the page's top-left corner. The document's CurrentPage (which
// a run in progress counts on) is left as it was.
void paintPreviewPage(ReportDocument &doc, QPainter &painter, int n, double pixelsPerInch);

// Page n on a white picture of pixelsPerInch logical pixels per inch, made
// for a screen of device pixel ratio `dpr` (the picture has dpr times as
// many pixels and says so, so it is drawn crisp at its logical size).
QImage renderPreviewPage(ReportDocument &doc, int n, double pixelsPerInch, qreal dpr);
