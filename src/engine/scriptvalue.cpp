#include "engine/scriptvalue.h"

#include "engine/scriptdate.h"

#include <QDateTime>

ScriptValue ScriptValue::fromBool(bool b)
{
    ScriptValue v = withType(Boolean);
    v.m_num.b = b;
    return v;
}

ScriptValue ScriptValue::fromByte(quint8 b)
{
    ScriptValue v = withType(Byte);
    v.m_num.by = b;
    return v;
}

ScriptValue ScriptValue::fromInteger(qint16 i)
{
    ScriptValue v = withType(Integer);
    v.m_num.i = i;
    return v;
}

ScriptValue ScriptValue::fromLong(qint32 l)
{
    ScriptValue v = withType(Long);
    v.m_num.l = l;
    return v;
}

ScriptValue ScriptValue::fromSingle(float f)
{
    ScriptValue v = withType(Single);
    v.m_num.f = f;
    return v;
}

ScriptValue ScriptValue::fromDouble(double d)
{
    ScriptValue v = withType(Double);
    v.m_num.d = d;
    return v;
}

ScriptValue ScriptValue::fromCurrency(qint64 tenThousandths)
{
    ScriptValue v = withType(Currency);
    v.m_num.cy = tenThousandths;
    return v;
}

ScriptValue ScriptValue::fromDate(double serial)
{
    ScriptValue v = withType(Date);
    v.m_num.d = serial;
    return v;
}

double ScriptValue::number() const
{
    switch (m_type) {
    case Boolean:
        return m_num.b ? -1.0 : 0.0;
    case Byte:
        return m_num.by;
    case Integer:
        return m_num.i;
    case Long:
        return m_num.l;
    case Single:
        return m_num.f;
    case Double:
    case Date:
        return m_num.d;
    case Currency:
        return double(m_num.cy) / 10000.0;
    default:
        return 0.0;
    }
}

QString ScriptValue::typeName() const
{
    switch (m_type) {
    case Empty:
        return QStringLiteral("Empty");
    case Null:
        return QStringLiteral("Null");
    case Integer:
        return QStringLiteral("Integer");
    case Long:
        return QStringLiteral("Long");
    case Single:
        return QStringLiteral("Single");
    case Double:
        return QStringLiteral("Double");
    case Currency:
        return QStringLiteral("Currency");
    case Date:
        return QStringLiteral("Date");
    case String:
        return QStringLiteral("String");
    case Object:
        return QStringLiteral("Nothing");
    case Boolean:
        return QStringLiteral("Boolean");
    case Byte:
        return QStringLiteral("Byte");
    }
    return QString();
}

bool ScriptValue::identical(const ScriptValue &other) const
{
    if (m_type != other.m_type)
        return false;
    switch (m_type) {
    case Empty:
    case Null:
    case Object:
        return true;
    case String:
        return m_text == other.m_text;
    case Currency:
        return m_num.cy == other.m_num.cy;
    case Single:
        return m_num.f == other.m_num.f;
    default:
        return number() == other.number();
    }
}

ScriptValue ScriptValue::fromVariant(const QVariant &v)
{
    if (!v.isValid())
        return ScriptValue();
    if (v.isNull())
        return null();
    switch (v.typeId()) {
    case QMetaType::Bool:
        return fromBool(v.toBool());
    case QMetaType::UChar:
        return fromByte(quint8(v.toUInt()));
    case QMetaType::Short:
    case QMetaType::SChar:
        return fromInteger(qint16(v.toInt()));
    case QMetaType::Int:
    case QMetaType::UShort:
        return fromLong(v.toInt());
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: {
        const qlonglong n = v.toLongLong();
        if (n >= INT32_MIN && n <= INT32_MAX)
            return fromLong(qint32(n));
        return fromDouble(v.toDouble());
    }
    case QMetaType::Float:
        return fromSingle(v.toFloat());
    case QMetaType::Double:
        return fromDouble(v.toDouble());
    case QMetaType::QDate:
        return fromDate(ScriptDate::toSerial(v.toDate(), QTime(0, 0)));
    case QMetaType::QTime:
        return fromDate(ScriptDate::timeToFraction(v.toTime()));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return fromDate(ScriptDate::toSerial(dt.date(), dt.time()));
    }
    default:
        break;
    }
    if (v.canConvert<ScriptValue>() && v.typeId() == qMetaTypeId<ScriptValue>())
        return v.value<ScriptValue>();
    return ScriptValue(v.toString());
}

QVariant ScriptValue::toVariant() const
{
    switch (m_type) {
    case Empty:
        return QVariant();
    case Null:
    case Object:
        return QVariant(QMetaType::fromType<QString>());
    case Boolean:
        return QVariant(m_num.b);
    case Byte:
        return QVariant::fromValue<uchar>(m_num.by);
    case Integer:
        return QVariant::fromValue<short>(m_num.i);
    case Long:
        return QVariant(int(m_num.l));
    case Single:
        return QVariant(m_num.f);
    case Double:
        return QVariant(m_num.d);
    case Currency:
        return QVariant(double(m_num.cy) / 10000.0);
    case Date: {
        QDate d;
        QTime t;
        if (!ScriptDate::fromSerial(m_num.d, d, t))
            return QVariant(m_num.d);
        return QVariant(QDateTime(d, t));
    }
    case String:
        return QVariant(m_text);
    }
    return QVariant();
}
