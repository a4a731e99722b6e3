#pragma once

#include <QString>

class ReportDocument;

// Writes the pages fromPage to toPage (from 1; 0 and 0 for all) of a run as
// one PDF page each, at the report's paper size and orientation, with text
// as text (fonts embedded). The file is replaced only when complete; false
// with `error` set when it cannot be written.
bool exportPdf(ReportDocument &doc, const QString &file, int fromPage, int toPage, QString *error);
