#include "errorlisttext.h"

#include "document/talvodocument.h"

#include <QCoreApplication>

namespace {
const QString lineBreak = QStringLiteral("\r\n");
}

QString debugListCaption()
{
    return QCoreApplication::translate("fDebug", "Debug list");
}

QString errorListCaption()
{
    return QCoreApplication::translate("fDebug", "Errors list");
}

QString debugListText(const QStringList &debugLines)
{
    QString text;
    for (const QString &line : debugLines)
        text += lineBreak + line;
    return text;
}

QString errorListText(const QList<talvoError> &errors, bool working)
{
    QString text;
    for (const talvoError &e : errors)
        text += lineBreak + e.GetPureText() + lineBreak;
    if (working) {
        text += lineBreak + lineBreak +
                QCoreApplication::translate("fDebug", "List incomplete, process still running (to "
                                                      "refresh close this window and open again)");
    }
    return text;
}

QString debugListText(const TalvoDocument &doc)
{
    return debugListText(doc.debugLst);
}

QString errorListText(const TalvoDocument &doc)
{
    return errorListText(doc.errorLst, doc.working);
}
