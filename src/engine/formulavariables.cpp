// The variable table formulas read: the field values of the current records.

#include "document/talvodocument.h"

#include "platform/databaseerror.h"
#include "platform/recordset.h"

void TalvoDocument::updateVar(const QString &name, const QVariant &value)
{
    vars.remove(name);
    vars.add(name, std::make_unique<QVariant>(value));
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
        const FieldCollection fields = sec->rsd->Fields();
        for (int i = 0; i < fields.Count(); ++i) {
            const Field field = fields.Item(i);
            updateVar(field.Name(), field.Value());
        }
    } catch (const DatabaseError &) {
        // Past the last record: the variables keep the last values seen.
    }
}
