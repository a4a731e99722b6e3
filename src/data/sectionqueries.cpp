// A data section's own query and the fields of its current record.

#include "document/section.h"

#include "data/sqlreferences.h"
#include "document/talvodocument.h"
#include "engine/talvoerror.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/recordset.h"

#include <QCoreApplication>

int section::OpenRS(long maxRecords)
{
    if (!parent)
        return 2;
    QString text = SQL;
    try {
        if (sectionParent != 0)
            text = parent->BuildSQL(this);
        rsd = std::make_unique<Recordset>();
        const int result = parent->RunSQL(text, *rsd, maxRecords);
        parent->MajVars(this);
        return result;
    } catch (const std::exception &e) {
        parent->addError(talvoError(QStringLiteral("section"), QStringLiteral("OpenRS"),
                                    QString::fromUtf8(e.what()),
                                    SQL + QStringLiteral(" transformed into ") + text));
        return 2;
    }
}

QString section::testSQL() const
{
    if (parent)
        return parent->testSQL(SQL);
    return sqlWithZeroReferences(SQL);
}

Field section::GetField(const QString &name) const
{
    if (!rsd || rsd->State() != Recordset::adStateOpen)
        return Field();
    try {
        return rsd->Fields().Item(name);
    } catch (const DatabaseError &) {
        return Field();
    }
}

int section::GetTypeField(const QString &name) const
{
    const Field field = GetField(name);
    return field.isValid() ? field.Type() : 0;
}

QVariant section::GetValueField(const QString &name) const
{
    const Field field = GetField(name);
    if (field.isValid()) {
        try {
            return field.Value();
        } catch (const DatabaseError &) {
        }
    }
    return QVariant(QString());
}
