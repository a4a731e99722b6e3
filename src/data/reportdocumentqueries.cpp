// Checking, building and opening the queries of data sections.

#include "document/reportdocument.h"

#include "data/fieldreference.h"
#include "data/sqlreferences.h"
#include "document/errorentry.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/recordset.h"

#include <QCoreApplication>
#include <QHash>

int ReportDocument::runSql(QString &sql, Recordset &rs, long maxRecords)
{
    ErrorEntry e(QStringLiteral("TalvoDocument"), QStringLiteral("RunSQL"), QString(), sql);
    sql = sql.trimmed();
    e.message = selectCheckMessage(sql);
    if (!e.message.isEmpty()) {
        addError(e);
        return 2;
    }
    try {
        if (maxRecords > 0)
            rs.setMaxRecords(maxRecords);
        rs.setCursorType(Recordset::adOpenStatic);
        rs.setLockType(Recordset::adLockReadOnly);
        rs.open(sql, connection(), -1, -1, -1);
    } catch (const DatabaseError &error) {
        e.message = error.description();
        // "The connection is closed" alone would hide the real cause.
        if (!isDataConnectionOpen() && !m_connectionError.isEmpty())
            e.message += QStringLiteral(" (") + m_connectionError + u')';
        addError(e);
        return 2;
    }
    return 0;
}

QStringList ReportDocument::fieldsFromSql(const QString &sql) const
{
    return sqlReferences(sql);
}

QString ReportDocument::replaceRefsInSql(QString &sql, ReportSection *defaultSection)
{
    const QString original = sql;
    // What went wrong with a reference, reported once the text is built.
    QList<QString> problems;
    FieldReference f;
    auto valueOf = [&](const QString &ref) -> QVariant {
        f.init(ref);
        ReportSection *sec = findSection(f.table, defaultSection);
        const QString where = sec ? sec->sectionName : QString();
        if (!sec) {
            problems.append(tr("The reference {%1} names no section and the section has no "
                               "parent: nothing was inserted")
                                .arg(ref));
            return QVariant();
        }
        QString why;
        if (!sec->rsd || sec->rsd->state() != Recordset::adStateOpen) {
            why = tr("the section has no open query");
        } else if (sec->rsd->fields().indexOf(f.name) < 0) {
            why = tr("its query has no field \"%1\"").arg(f.name);
        } else {
            try {
                const QVariant value = sec->fieldValue(f.name).value();
                if (value.isNull()) {
                    problems.append(tr("The field [%1] of the section \"%2\" is Null: nothing "
                                       "was inserted for {%3}")
                                        .arg(f.name, where, ref));
                }
                return value;
            } catch (const DatabaseError &e) {
                why = e.description();
            }
        }
        problems.append(tr("The field [%1] of the section \"%2\" cannot be read (%3): nothing "
                           "was inserted for {%4}")
                            .arg(f.name, where, why, ref));
        return QVariant();
    };
    sql = substituteSqlReferences(sql, valueOf);
    for (const QString &problem : problems)
        addError(
            ErrorEntry(QStringLiteral("section"), QStringLiteral("BuildSQL"), problem, original));
    return sql;
}

QString ReportDocument::buildSql(ReportSection *sec)
{
    QString text = sec->SQL.trimmed();
    ReportSection *parentSection =
        sections.value(ReportSection::keyOf(ReportSection::DataSection, sec->sectionParent));
    return replaceRefsInSql(text, parentSection);
}

QString ReportDocument::testSQL(const QString &sql) const
{
    return sqlWithZeroReferences(sql);
}
