#pragma once

#include "document/paper.h"

#include <QSizeF>

class ReportDocument;
class QPainter;

// Draws page n on the painter (origin at the page's top-left corner) through
// a drawing surface; dest is restored afterwards.
void drawPage(ReportDocument &doc, QPainter &painter, int n);
