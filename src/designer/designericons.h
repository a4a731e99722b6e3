#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

// The designer's toolbar and menu icons, drawn for the program in one style
// (dark grey lines, blue accents) from SVG, so they are sharp at any size
// and screen density whatever icon theme the desktop has.

// The icon for `key`: "new", "open", "save", "preview", "field", "picture",
// "graph", "delete", "bold", "italic", "underline", "left", "center",
// "right", "help", "undo", "redo", "cut", "copy", "paste", "zoom-in",
// "zoom-out", "grid", "align-left", "align-right", "align-top",
// "align-bottom", "align-hcenter", "align-vcenter", "same-width",
// "same-height", "same-size", "distribute-h", "distribute-v" or
// "chart-symbol". A null icon for any other key.
QIcon designerIcon(const QString &key);
// Every key designerIcon knows.
QStringList designerIconKeys();

// The picture chart items show in the designer (a small coloured bar
// chart), `side` pixels wide, transparent around it.
QImage designerChartSymbol(int side);
