#include "errorlisttext.h"

#include "document/reportdocument.h"
#include "engine/reportrun.h"

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

QString errorListText(const QList<ErrorEntry> &errors, bool working)
{
    QString text;
    for (const ErrorEntry &e : errors)
        text += lineBreak + e.pureText() + lineBreak;
    if (working) {
        text += lineBreak + lineBreak +
                QCoreApplication::translate("fDebug", "List incomplete, process still running (to "
                                                      "refresh close this window and open again)");
    }
    return text;
}

QString debugListText(const ReportDocument &doc)
{
    return debugListText(doc.debugLst);
}

QString errorListText(const ReportDocument &doc)
{
    return errorListText(doc.errorLst, doc.run().working);
}
