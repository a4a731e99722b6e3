#pragma once

class QImage;
class QPainter;
class QSizeF;
class QString;
class ReportItem;

// How the designer shows an item in its box: the same fonts, line breaks,
// borders and pictures as a printed page, plus what only the designer
// shows (the selection frame, the colour telling data from static text,
// placeholders for what is known only when the report runs).

// The text a text item shows in the designer: the part after the last
// "].[" (the whole text when there is none), with every "[" and "]"
// removed, so "[Customers].[Name]" shows "Name".
QString editModeText(const QString &content);

// Draws `item` (TextItem, PictureItem or ChartItem) into its box. The painter's origin is
// the box's top-left corner; `boxPixels` is the box's size in the painter's
// (device-independent) pixels and `pixelsPerTwip` the view's scale (screen
// dpi / 1440 × zoom): fonts, border widths and line breaks follow it, so the
// drawing at 200 % is the one at 100 % doubled. `chartSymbol` is the picture
// chart items show under their text (nothing is drawn there when it is
// null). A picture item's picture is loaded at its first drawing and kept
// in the item.
void drawEditMode(QPainter &painter, const ReportItem &item, const QSizeF &boxPixels,
                  double pixelsPerTwip, const QImage &chartSymbol);
