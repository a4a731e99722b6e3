#pragma once

#include <QString>

// Reports name the fonts of the machine they were made on ("Tahoma",
// "MS Sans Serif"). Where such a font is not installed, text is drawn in a
// font of the same kind that always is: Liberation Sans, Serif or Mono,
// which also keep the widths of Arial, Times New Roman and Courier New.

enum class FontKind
{
    Sans,
    Serif,
    Mono
};

// The kind a family name suggests (sans serif when nothing says otherwise).
FontKind fontKind(const QString &family);
// The family to draw `requested` with: itself when it is installed,
// otherwise the Liberation family of its kind. Without a running
// QGuiApplication nothing counts as installed.
QString fallbackFamily(const QString &requested);

class QRawFont;

// Whether the font draws its glyphs as colour pictures (emoji fonts such as
// Noto Color Emoji) rather than outlines. Printers and scaled painters may
// leave such glyphs blank; they are drawn as images instead.
bool isColourFont(const QRawFont &font);
