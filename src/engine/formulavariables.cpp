// The variable table formulas read: the field values of the current records.

#include "document/talvodocument.h"

#include "engine/formulatext.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/recordset.h"

void TalvoDocument::updateVar(const QString &name, const QVariant &value)
{
    vars.set(name, value);
}

bool TalvoDocument::HasFieldInFormulas(const section *sec) const
{
    return sec && sec->HasFormulas;
}

void TalvoDocument::MajVars(section *sec)
{
    if (!HasFieldInFormulas(sec) || !sec->rsd)
        return;
    try {
        const Recordset &rs = *sec->rsd;
        if (rs.State() != Recordset::adStateOpen || rs.Eof() || rs.Bof())
            return;
        const FieldCollection fields = rs.Fields();
        for (int i = 0; i < fields.Count(); ++i) {
            const Field field = fields.Item(i);
            updateVar(field.Name(), formulaFieldValue(rs.value(i), field.Type()));
        }
    } catch (const DatabaseError &) {
        // Past the last record: the variables keep the last values seen.
    }
}
