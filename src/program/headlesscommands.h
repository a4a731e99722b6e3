#pragma once

#include "commandline.h"

class QTextStream;
class ReportDocument;

// Options that do their work and exit without opening a window: /help, /?,
// /info, /saveas, /check, /eval and the exports.
bool isHeadlessCommand(const CommandLine &commandLine);

// Runs the headless option of the command line. Messages the document would
// show in a box go to `err`. Returns the exit status.
int runHeadlessCommand(const CommandLine &commandLine, ReportDocument &document, QTextStream &out,
                       QTextStream &err, const QString &programDir);

// Checks what can be checked before a report is read: unknown options
// beside an output (or /dhp), options without their value and values that
// cannot be used. Returns 0, or ExitUsage with a message naming the option
// on `err`.
int checkCommandLineUsage(const CommandLine &commandLine, QTextStream &err);

// The option list and the exit statuses /help prints.
QString helpText();

// The readable summary /info prints: document properties, then every
// section in collection order with its items.
QString reportSummary(const ReportDocument &document);
