#pragma once

class QTextStream;
class ReportDocument;

// Exit statuses of /check.
enum CheckStatus
{
    CheckPassed = 0,
    CheckNoConnection = 2,
    CheckSectionFailed = 3,
};

// /check: opens the report's connection and runs the query of every data
// section, in section number order, as the report run would, a child's
// references taken from the first record of its parent. Prints one block per
// section to `out`: key and name, then "OK" with the number of records and
// every field's name and ADO type, or the error entries with the driver's
// description. Nothing is written to the database.
// Ends early when doc.stopRequested is set (by the document's runCheck).
// Returns CheckPassed, CheckNoConnection or CheckSectionFailed.
int runCheckCommand(ReportDocument &doc, QTextStream &out, QTextStream &err);
