#include "platform/recordset.h"

#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/queryreader.h"
#include "platform/recordsetdata.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace {

const QString mirtSource = QStringLiteral("Mirt");

QString tr(const char *text)
{
    return QCoreApplication::translate("Recordset", text);
}

[[noreturn]] void noCurrentRecord()
{
    throw DatabaseError(tr("Either BOF or EOF is True, or the current record has been deleted. "
                           "Requested operation requires a current record."),
                        mirtSource);
}

QString numberText(double d)
{
    if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15)
        return QString::number(qlonglong(d));
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

QString cellText(const QVariant &v, const QString &nullExpr)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return nullExpr;
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(v.toDouble());
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.date() == QDate(1899, 12, 30))
            return dt.time().toString(QStringLiteral("HH:mm:ss"));
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
        return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case QMetaType::QByteArray:
        return tr("(binary, %1 bytes)").arg(v.toByteArray().size());
    default:
        return v.toString();
    }
}

} // namespace

Recordset::Recordset() = default;

Recordset::~Recordset()
{
    close();
}

RecordsetData &Recordset::data() const
{
    if (!m_data)
        throw DatabaseError(tr("Operation is not allowed when the object is closed."), mirtSource);
    return *m_data;
}

void Recordset::requireRecord() const
{
    if (!data().atRecord())
        noCurrentRecord();
}

void Recordset::setMaxRecords(long maxRecords)
{
    if (m_data)
        throw DatabaseError(tr("Operation is not allowed when the object is open."), mirtSource);
    m_maxRecords = maxRecords < 0 ? 0 : maxRecords;
}

void Recordset::open(const QString &source, const Connection &activeConnection, int cursorType,
                     int lockType, long options)
{
    Q_UNUSED(options);
    if (m_data)
        throw DatabaseError(tr("Operation is not allowed when the object is open."), mirtSource);
    if (activeConnection.state() != Connection::adStateOpen)
        throw DatabaseError(tr("The connection cannot be used to perform this operation. It is "
                               "either closed or invalid in this context."),
                            mirtSource);
    if (cursorType != -1)
        m_cursorType = cursorType;
    if (lockType != -1)
        m_lockType = lockType;
    m_data = QueryReader::read(activeConnection, source, m_maxRecords);
    m_source = source;
}

void Recordset::close()
{
    if (m_data) {
        // Fields handed out share the rows; they now see a closed recordset.
        m_data->open = false;
        m_data->cells.clear();
        m_data.reset();
    }
}

int Recordset::state() const
{
    return m_data ? adStateOpen : adStateClosed;
}

bool Recordset::eof() const
{
    const RecordsetData &d = data();
    return d.position >= d.rows;
}

bool Recordset::bof() const
{
    const RecordsetData &d = data();
    return d.position < 0 || d.rows == 0;
}

void Recordset::moveFirst()
{
    RecordsetData &d = data();
    d.position = 0;
    d.moved();
}

void Recordset::moveLast()
{
    RecordsetData &d = data();
    d.position = d.rows > 0 ? d.rows - 1 : 0;
    d.moved();
}

void Recordset::moveNext()
{
    RecordsetData &d = data();
    if (d.position >= d.rows)
        noCurrentRecord();
    ++d.position;
    d.moved();
}

void Recordset::movePrevious()
{
    RecordsetData &d = data();
    if (d.position < 0 || d.rows == 0)
        noCurrentRecord();
    --d.position;
    d.moved();
}

long Recordset::recordCount() const
{
    return long(data().rows);
}

long Recordset::absolutePosition() const
{
    const RecordsetData &d = data();
    if (d.rows == 0 || d.position < 0)
        return d.rows == 0 && d.position >= 0 ? adPosEOF : adPosBOF;
    if (d.position >= d.rows)
        return adPosEOF;
    return long(d.position + 1);
}

void Recordset::setAbsolutePosition(long position)
{
    RecordsetData &d = data();
    if (position < 1 || position > d.rows)
        throw DatabaseError(tr("Arguments are of the wrong type, are out of acceptable range, or "
                               "are in conflict with one another. (row %1 of %2)")
                                .arg(position)
                                .arg(d.rows),
                            mirtSource);
    d.position = position - 1;
    d.moved();
}

QString Recordset::GetString(int stringFormat, long numRows, const QString &columnDelimiter,
                             const QString &rowDelimiter, const QString &nullExpr)
{
    RecordsetData &d = data();
    if (stringFormat != adClipString)
        throw DatabaseError(tr("GetString: only the clip-string format (2) exists."), mirtSource);
    requireRecord();
    const qsizetype last = numRows > 0 ? qMin<qsizetype>(d.rows, d.position + numRows) : d.rows;
    const int ncols = d.columnCount();
    QString out;
    for (; d.position < last; ++d.position) {
        for (int c = 0; c < ncols; ++c) {
            if (c > 0)
                out += columnDelimiter;
            QString text = cellText(d.cell(d.position, c), nullExpr);
            if (!columnDelimiter.isEmpty())
                text.replace(columnDelimiter, QStringLiteral(" "));
            out += text;
        }
        out += rowDelimiter;
    }
    d.moved();
    return out;
}

FieldCollection Recordset::fields() const
{
    return FieldCollection(m_data);
}

const QVariant &Recordset::value(int column) const
{
    const RecordsetData &d = data();
    if (!d.atRecord())
        noCurrentRecord();
    if (column < 0 || column >= d.columnCount())
        throw DatabaseError(tr("Item cannot be found in the collection corresponding to the "
                               "requested name or ordinal."),
                            mirtSource);
    return d.cell(d.position, column);
}
