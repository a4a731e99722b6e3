#pragma once

#include <QIcon>
#include <QStyle>

class QWidget;

// The icon of the freedesktop theme in force (its full-colour name, then its
// symbolic one), else the style's standard pixmap.
QIcon previewThemeIcon(const QWidget *widget, const char *themeName,
                       QStyle::StandardPixmap fallback);

// Zoom in (+1) or out (-1): the theme's, else a magnifier drawn as vectors,
// so it is crisp at any scale.
QIcon previewZoomIcon(int direction);
