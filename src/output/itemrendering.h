#pragma once

class Borders;
class DrawingSurface;
class QImage;
class QPainter;
class QSizeF;

// The scale that fits a picture into a box keeping its proportions; 0 when
// the picture has no width or height.
double fitScale(double pictureWidth, double pictureHeight, double boxWidth, double boxHeight);
// Paints the picture at (x, y): stretched to the box, or scaled by fitScale
// and anchored at the top-left corner.
void paintPictureFit(DrawingSurface &surface, const QImage &picture, double x, double y, double width, double height,
                     bool stretch);

// The designer's drawing on an item's own box of `boxPixels` screen pixels:
// its borders, each line moved inwards by half its width (all in blue when
// `selection`), their widths (pixels of 1/96 inch) scaled to the view's
// `pixelsPerTwip`; and the dotted outline every item shows, one pixel wide
// at any scale, in the highlight colour when `selected`.
void drawBorders(QPainter &painter, const Borders &borders, const QSizeF &boxPixels, bool selection,
                 double pixelsPerTwip = 96.0 / 1440);
void drawEditFrame(QPainter &painter, const QSizeF &boxPixels, bool selected);
