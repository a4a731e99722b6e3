#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// Field references in the SQL of data sections: {[Section].[Field]},
// {[Field]} or {Field}, replaced by values of a current record before the
// query runs.

// The reference texts (without braces) in order of appearance, duplicates
// kept. "{" starts collecting, "}" ends a reference, even an empty one; a
// second "{" before the "}" does not restart it.
QStringList sqlReferences(const QString &sql);

// The SQL with every reference replaced by 0, runnable without any record.
QString sqlWithZeroReferences(const QString &sql);

// Replaces every "{reference}" by the text of valueOf(reference), asked once
// per distinct reference, in order of appearance. Values are inserted bare,
// except that inside a quoted literal ('…' or "…") the quote character is
// doubled, so a value cannot end the literal early. A null value inserts
// nothing; its reference is appended to nullReferences. Inserted text is
// never searched for further references.
QString substituteSqlReferences(const QString &sql,
                                const std::function<QVariant(const QString &)> &valueOf,
                                QStringList *nullReferences = nullptr);

// A value as SQL text, the same in every locale: numbers with a period,
// dates as yyyy-MM-dd [HH:mm:ss], booleans as True/False.
QString sqlValueText(const QVariant &value);

// The reason a trimmed query text cannot be run, or "" when it passes: past
// comments, it must be a SELECT (or WITH … SELECT) and not end with the
// keyword FROM. The connection is read-only as well; this says early and in
// plain words that a report reads.
QString selectCheckMessage(const QString &trimmedSql);
