#pragma once

#include <QSizeF>

class TalvoDocument;
class QPainter;

// The page as it is drawn: width and height in the document unit for its
// orientation (a landscape page is the portrait sheet turned).
QSizeF pageSizeO(const TalvoDocument &doc);
// The page in millimetres, portrait (paper as it is fed).
QSizeF pageSizeMillimetres(const TalvoDocument &doc);

// Draws page n on the painter (origin at the page's top-left corner) through
// a drawing surface; dest is restored afterwards.
void drawPage(TalvoDocument &doc, QPainter &painter, int n);
