// The document's error and debug lists.

#include "document/talvodocument.h"

void TalvoDocument::addError(const talvoError &e)
{
    errorLst.append(e);
}

void TalvoDocument::addDebugList(const QString &line)
{
    if (dbg)
        debugLst.append(line);
}
