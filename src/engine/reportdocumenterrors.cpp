// The document's error and debug lists.

#include "document/reportdocument.h"

void ReportDocument::addError(const ErrorEntry &e)
{
    errorLst.append(e);
}

void ReportDocument::addDebugList(const QString &line)
{
    if (dbg)
        debugLst.append(line);
}
