// The variable table formulas read: the field values of the current records.

#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include "engine/formulatext.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/recordset.h"

void ReportDocument::updateVar(const QString &name, const QVariant &value)
{
    run().vars.set(name, value);
}

bool ReportDocument::hasFieldInFormulas(const ReportSection *sec) const
{
    return sec && run().sectionsWithFormulas.contains(sec);
}

void ReportDocument::updateVars(ReportSection *sec)
{
    if (!hasFieldInFormulas(sec) || !sec->rsd)
        return;
    try {
        const Recordset &rs = *sec->rsd;
        if (rs.state() != Recordset::adStateOpen || rs.eof() || rs.bof())
            return;
        const FieldCollection fields = rs.fields();
        for (int i = 0; i < fields.count(); ++i) {
            const Field field = fields.item(i);
            updateVar(field.name(), formulaFieldValue(rs.value(i), field.type()));
        }
    } catch (const DatabaseError &) {
        // Past the last record: the variables keep the last values seen.
    }
}
