#pragma once

#include <QString>

#include <utility>

// Measurement units. Codes are the drawing surface's scale-mode numbers; a
// document length is a plain number in the document's unit, drawing and
// printing work in twips.
namespace Unit {
enum Code : int {
    Twips = 1,
    Pixels = 3,
    Inches = 5,
    Millimetres = 6,
    Centimetres = 7,
};
}

// Every caller of the program converts pixels with this value.
constexpr float kPixelsPerCm = 32.0f;

// Converts a length between two unit codes. Pairs that are not units of this
// program (codes 2, 4, …) give the value back unchanged.
double convertUnit(double value, int fromUnit, int toUnit, float pixelsPerCm = kPixelsPerCm);

// "cm", "mm", "inches" or ""; cut to maxLength characters when it is not 0.
QString unitName(int unit, int maxLength = 0);
// The CSS length unit of a code ("cm", "mm", "in", "px", or "").
QString unitCssName(int unit);
// "Portrait" (1), "Landscape" (2), "" otherwise.
QString orientationName(int orientation);

bool isBetween(double value, double low, double high, bool includeLow, bool includeHigh,
               bool autoSwap);
bool isNear(double value, double reference, double percent);

template <typename T>
void swapValues(T &a, T &b)
{
    std::swap(a, b);
}

// What the user typed, read in the machine's number format; 0 on failure.
double parseNumber(const QString &text);
