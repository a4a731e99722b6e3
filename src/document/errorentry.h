#pragma once

#include <QDateTime>
#include <QString>

// One entry of a document's error list: a failure met during a report run
// (a query that did not open, a formula the evaluator rejected, …). The run
// goes on; the user reads the entries afterwards.
class ErrorEntry
{
public:
    // Stamps the entry with the current local date and time.
    ErrorEntry();
    ErrorEntry(const QString &className, const QString &functionName,
               const QString &messageText = QString(), const QString &info = QString());

    // The entry as one line: "<date time>, (<class>.<function>) <message>, <info>".
    QString pureText() const;

    QDateTime dateTime;     // when the entry was made; never changed
    QString class_;         // "TalvoDocument" or "section"
    QString function_;      // "RunSQL", "OpenRS", "Evaluate", …
    QString message;        // the program's text or the failing component's description
    QString additionalInfo; // the query or the expression the failure is about
};

// The date and time as the error lists show them: the locale's short date and
// its time with seconds, without the time zone.
QString errorTimeText(const QDateTime &dateTime);
