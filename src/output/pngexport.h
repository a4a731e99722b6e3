#pragma once

#include <QString>
#include <QStringList>

class ReportDocument;
class QImage;

// Draws page n (from 1) of a run on a white picture of the page's size at
// `dpi` dots per inch.
QImage renderPage(ReportDocument &doc, int n, int dpi);

// Writes the pages fromPage to toPage (from 1; 0 and 0 for all) of a run as
// "<report name>-page-001.png" … into `dir` (made when missing) at `dpi`;
// `written` receives the files in page order. False with `error` set when a
// file cannot be written.
bool exportPng(ReportDocument &doc, const QString &dir, int dpi, QStringList *written, QString *error,
               int fromPage = 0, int toPage = 0);
