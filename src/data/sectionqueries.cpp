// A data section's own query and the fields of its current record.

#include "document/reportsection.h"

#include "data/sqlreferences.h"
#include "document/reportdocument.h"
#include "document/errorentry.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>

int ReportSection::openRecordset(long maxRecords)
{
    if (!parent)
        return 2;
    QString text = SQL;
    try {
        if (sectionParent != 0)
            text = parent->buildSql(this);
        rsd = std::make_unique<Recordset>();
        QElapsedTimer clock;
        clock.start();
        const int result = parent->runSql(text, *rsd, maxRecords);
        if (parent->dbg) {
            // The text as sent, references filled in: what a reader of the
            // list can paste into another tool.
            auto tr = [](const char *text) { return QCoreApplication::translate("section", text); };
            const qint64 ms = clock.elapsed();
            const long count = rsd->recordCount();
            const QString outcome = result != 0  ? tr("failed (see the errors list), %1 ms").arg(ms)
                                    : count == 1 ? tr("1 record, %1 ms").arg(ms)
                                                 : tr("%1 records, %2 ms").arg(count).arg(ms);
            parent->addDebugList(tr("Query of \"%1\": %2 -> %3").arg(sectionName, text, outcome));
        }
        parent->updateVars(this);
        return result;
    } catch (const std::exception &e) {
        parent->addError(ErrorEntry(QStringLiteral("section"), QStringLiteral("OpenRS"),
                                    QString::fromUtf8(e.what()),
                                    SQL + QStringLiteral(" transformed into ") + text));
        return 2;
    }
}

QString ReportSection::testSQL() const
{
    if (parent)
        return parent->testSQL(SQL);
    return sqlWithZeroReferences(SQL);
}

Field ReportSection::fieldValue(const QString &name) const
{
    if (!rsd || rsd->state() != Recordset::adStateOpen)
        return Field();
    try {
        return rsd->fields().item(name);
    } catch (const DatabaseError &) {
        return Field();
    }
}

int ReportSection::fieldType(const QString &name) const
{
    const Field field = fieldValue(name);
    return field.isValid() ? field.type() : 0;
}

QVariant ReportSection::fieldValueOf(const QString &name) const
{
    const Field field = fieldValue(name);
    if (field.isValid()) {
        try {
            return field.value();
        } catch (const DatabaseError &) {
        }
    }
    return QVariant(QString());
}
