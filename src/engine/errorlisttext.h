#pragma once

#include "document/errorentry.h"

#include <QList>
#include <QString>
#include <QStringList>

class ReportDocument;

// The texts the errors and debug window shows. The window takes a snapshot:
// it shows what these return when it opens and does not follow later entries.

// Caption of the window when it shows the debug list: "Debug list".
QString debugListCaption();
// Caption of the window when it shows the error list: "Errors list".
QString errorListCaption();

// Every line preceded by a line break (CR LF), so the text starts with one.
QString debugListText(const QStringList &debugLines);
// Every entry as a line between two line breaks, entries thus separated by
// an empty line; while a run is still producing pages, a closing note says
// the list is incomplete.
QString errorListText(const QList<ErrorEntry> &errors, bool working);

// The texts the window shows for one document: its debug lines, and its
// error entries with the note while a run is still producing pages.
QString debugListText(const ReportDocument &doc);
QString errorListText(const ReportDocument &doc);
