#pragma once

#include "platform/field.h"

#include <QString>

#include <memory>

struct RecordsetData;

// The Fields of a recordset, in column order. item() finds a field by its
// 0-based index or by name (any letter case; with duplicate names, as a join
// of two tables with an "ID" column gives, the first); an unknown name or an
// index out of range raises DatabaseError.
class FieldCollection
{
public:
    FieldCollection() = default;

    // 0 while the recordset is closed.
    int count() const;
    Field item(int index) const;
    Field item(const QString &name) const;
    // -1 when there is no such field.
    int indexOf(const QString &name) const;

private:
    friend class Recordset;
    explicit FieldCollection(std::shared_ptr<RecordsetData> data) : m_data(std::move(data)) {}

    std::shared_ptr<RecordsetData> m_data;
};
