#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>

struct RecordsetData;

// One column of a recordset, seen at the recordset's current row (ADO's
// Field). A Field stays usable while its recordset is open and follows the
// recordset's moves; after Close every call raises DatabaseError.
//
// value() is the value in the form that type() promises (see
// AdoType::convert): an invalid QVariant for Null; dates as QDateTime with
// the stored wall-clock time (kept as UTC, never shifted by a time zone), QDate
// or QTime; binary values as QByteArray.
class Field
{
public:
    Field() = default;

    QString name() const;
    // The ADO data-type number (AdoType).
    int type() const;
    // The column's declared size: characters for text, bytes for binary and
    // fixed-size types.
    long definedSize() const;
    // Raises DatabaseError when there is no current row (BOF or EOF).
    QVariant value() const;
    // The length of the current value: bytes for binary, characters for
    // text, the type's size for other types, 0 for Null.
    long actualSize() const;
    // The next `length` bytes of a binary value (text: of its UTF-8 form),
    // continuing where the previous call on the same row stopped, so that
    // chunk(actualSize()) gives the whole value. Empty for Null or when
    // nothing is left.
    QByteArray chunk(long length) const;

    bool isValid() const { return bool(m_data); }

private:
    friend class FieldCollection;
    Field(std::shared_ptr<RecordsetData> data, int column);
    const RecordsetData &data() const;
    const QVariant &current() const;

    std::shared_ptr<RecordsetData> m_data;
    int m_column = -1;
};
