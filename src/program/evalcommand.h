#pragma once

#include <QString>
#include <QTextStream>

// `mirt /eval EXPRESSION`: evaluates one VBScript expression without a report
// or a record, in the C locale, and writes the result as CStr gives it to
// `out`. An evaluation error writes VBScript's description to `err`.
// Returns the exit status: 0, or 3 on an evaluation error.
int runEvalCommand(const QString &expression, QTextStream &out, QTextStream &err);
