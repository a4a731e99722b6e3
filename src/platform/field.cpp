#include "platform/field.h"

#include "platform/adotype.h"
#include "platform/databaseerror.h"
#include "platform/recordsetdata.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Recordset", text);
}

} // namespace

Field::Field(std::shared_ptr<RecordsetData> data, int column)
    : m_data(std::move(data)), m_column(column)
{
}

const RecordsetData &Field::data() const
{
    if (!m_data || !m_data->open)
        throw DatabaseError(tr("Operation is not allowed when the object is closed."),
                            QStringLiteral("Mirt"));
    return *m_data;
}

const QVariant &Field::current() const
{
    const RecordsetData &d = data();
    if (!d.atRecord())
        throw DatabaseError(tr("Either BOF or EOF is True, or the current record has been "
                               "deleted. Requested operation requires a current record."),
                            QStringLiteral("Mirt"));
    return d.cell(d.position, m_column);
}

QString Field::name() const
{
    return data().columns[m_column].name;
}

int Field::type() const
{
    return data().columns[m_column].type;
}

long Field::definedSize() const
{
    return data().columns[m_column].definedSize;
}

QVariant Field::value() const
{
    return current();
}

long Field::actualSize() const
{
    const QVariant &v = current();
    if (!v.isValid())
        return 0;
    switch (v.metaType().id()) {
    case QMetaType::QByteArray:
        return long(v.toByteArray().size());
    case QMetaType::QString:
        return long(v.toString().size());
    default: {
        const long fixed = AdoType::fixedSize(type());
        return fixed > 0 ? fixed : long(v.toString().size());
    }
    }
}

QByteArray Field::chunk(long length) const
{
    const QVariant &v = current();
    if (!v.isValid() || length <= 0)
        return QByteArray();
    RecordsetData &d = *m_data;
    if (d.chunkRow != d.position) {
        std::fill(d.chunkOffsets.begin(), d.chunkOffsets.end(), 0);
        d.chunkRow = d.position;
    }
    const QByteArray bytes =
        v.metaType().id() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
    qint64 &offset = d.chunkOffsets[size_t(m_column)];
    if (offset >= bytes.size())
        return QByteArray();
    const QByteArray chunk = bytes.mid(offset, length);
    offset += chunk.size();
    return chunk;
}
