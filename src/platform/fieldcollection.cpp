#include "platform/fieldcollection.h"

#include "platform/databaseerror.h"
#include "platform/recordsetdata.h"

#include <QCoreApplication>

namespace {

[[noreturn]] void notFound()
{
    throw DatabaseError(QCoreApplication::translate(
                            "Recordset", "Item cannot be found in the collection corresponding "
                                         "to the requested name or ordinal."),
                        QStringLiteral("Mirt"));
}

} // namespace

int FieldCollection::count() const
{
    return m_data && m_data->open ? m_data->columnCount() : 0;
}

Field FieldCollection::item(int index) const
{
    if (index < 0 || index >= count())
        notFound();
    return Field(m_data, index);
}

Field FieldCollection::item(const QString &name) const
{
    const int index = indexOf(name);
    if (index < 0)
        notFound();
    return Field(m_data, index);
}

int FieldCollection::indexOf(const QString &name) const
{
    if (!m_data || !m_data->open)
        return -1;
    return m_data->indexOf(name);
}
