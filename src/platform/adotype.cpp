#include "platform/adotype.h"

#include <QDateTime>
#include <QLocale>
#include <QSqlField>

#include <cmath>
#include <limits>

namespace {

constexpr long unlimited = std::numeric_limits<int>::max();

// Declared type names (upper case, without the size) and their ADO types.
struct Named
{
    const char *name;
    int type;
};

const Named declaredNames[] = {
    {"BOOLEAN", AdoType::Boolean},
    {"BOOL", AdoType::Boolean},
    {"BIT", AdoType::Boolean},
    {"YESNO", AdoType::Boolean},
    {"LOGICAL", AdoType::Boolean},
    {"TINYINT", AdoType::UnsignedTinyInt},
    {"BYTE", AdoType::UnsignedTinyInt},
    {"INT1", AdoType::UnsignedTinyInt},
    {"SMALLINT", AdoType::SmallInt},
    {"INT2", AdoType::SmallInt},
    {"SHORT", AdoType::SmallInt},
    {"INT", AdoType::Integer},
    {"INTEGER", AdoType::Integer},
    {"INT4", AdoType::Integer},
    {"LONG", AdoType::Integer},
    {"MEDIUMINT", AdoType::Integer},
    {"COUNTER", AdoType::Integer},
    {"BIGINT", AdoType::BigInt},
    {"INT8", AdoType::BigInt},
    {"UNSIGNED BIG INT", AdoType::BigInt},
    {"REAL", AdoType::Double},
    {"DOUBLE", AdoType::Double},
    {"DOUBLE PRECISION", AdoType::Double},
    {"FLOAT", AdoType::Double},
    {"FLOAT8", AdoType::Double},
    {"SINGLE", AdoType::Single},
    {"FLOAT4", AdoType::Single},
    {"CURRENCY", AdoType::Currency},
    {"MONEY", AdoType::Currency},
    {"SMALLMONEY", AdoType::Currency},
    {"NUMERIC", AdoType::Numeric},
    {"DECIMAL", AdoType::Numeric},
    {"NUMBER", AdoType::Numeric},
    {"DATE", AdoType::DBDate},
    {"TIME", AdoType::DBTime},
    {"DATETIME", AdoType::DBTimeStamp},
    {"TIMESTAMP", AdoType::DBTimeStamp},
    {"SMALLDATETIME", AdoType::DBTimeStamp},
    {"CHAR", AdoType::WChar},
    {"CHARACTER", AdoType::WChar},
    {"NCHAR", AdoType::WChar},
    {"NATIVE CHARACTER", AdoType::WChar},
    {"VARCHAR", AdoType::VarWChar},
    {"NVARCHAR", AdoType::VarWChar},
    {"VARYING CHARACTER", AdoType::VarWChar},
    {"CHARACTER VARYING", AdoType::VarWChar},
    {"STRING", AdoType::VarWChar},
    {"TEXT", AdoType::VarWChar},
    {"MEMO", AdoType::LongVarWChar},
    {"LONGTEXT", AdoType::LongVarWChar},
    {"MEDIUMTEXT", AdoType::LongVarWChar},
    {"CLOB", AdoType::LongVarWChar},
    {"NTEXT", AdoType::LongVarWChar},
    {"LONGCHAR", AdoType::LongVarWChar},
    {"NOTE", AdoType::LongVarWChar},
    {"LONG VARCHAR", AdoType::LongVarWChar},
    {"HYPERLINK", AdoType::LongVarWChar},
    {"BINARY", AdoType::VarBinary},
    {"VARBINARY", AdoType::VarBinary},
    {"BLOB", AdoType::LongVarBinary},
    {"LONGBINARY", AdoType::LongVarBinary},
    {"LONGBLOB", AdoType::LongVarBinary},
    {"MEDIUMBLOB", AdoType::LongVarBinary},
    {"LONG VARBINARY", AdoType::LongVarBinary},
    {"IMAGE", AdoType::LongVarBinary},
    {"OLEOBJECT", AdoType::LongVarBinary},
    {"PICTURE", AdoType::LongVarBinary},
    {"GENERAL", AdoType::LongVarBinary},
    {"GUID", AdoType::Guid},
    {"UUID", AdoType::Guid},
    {"UNIQUEIDENTIFIER", AdoType::Guid},
};

AdoType::Column column(int type, long size = 0)
{
    const long fixed = AdoType::fixedSize(type);
    return {type, fixed > 0 ? fixed : (size > 0 ? size : unlimited)};
}

// SQLite's own rule for a declared type it does not know by name.
int affinityType(const QString &upper)
{
    if (upper.contains(QLatin1String("INT")))
        return AdoType::Integer;
    if (upper.contains(QLatin1String("CHAR")) || upper.contains(QLatin1String("CLOB")) ||
        upper.contains(QLatin1String("TEXT")))
        return AdoType::VarWChar;
    if (upper.contains(QLatin1String("BLOB")))
        return AdoType::LongVarBinary;
    if (upper.contains(QLatin1String("REAL")) || upper.contains(QLatin1String("FLOA")) ||
        upper.contains(QLatin1String("DOUB")))
        return AdoType::Double;
    return AdoType::Numeric;
}

int digits(const QChar *p, int count)
{
    int v = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = p[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// "yyyy-MM-dd", "yyyy-MM-dd HH:mm[:ss[.fff]]" (or with 'T'), "HH:mm[:ss]".
bool parseDateTimeText(const QString &text, QDate &date, QTime &time, bool &hasDate, bool &hasTime)
{
    const QString s = text.trimmed();
    const QChar *p = s.constData();
    const qsizetype n = s.size();
    qsizetype i = 0;
    hasDate = hasTime = false;
    date = QDate();
    time = QTime(0, 0);
    if (n >= 10 && p[4] == QLatin1Char('-') && p[7] == QLatin1Char('-')) {
        const int y = digits(p, 4), m = digits(p + 5, 2), d = digits(p + 8, 2);
        if (y < 0 || m < 0 || d < 0)
            return false;
        date = QDate(y, m, d);
        if (!date.isValid())
            return false;
        hasDate = true;
        i = 10;
        if (i == n)
            return true;
        if (p[i] != QLatin1Char(' ') && p[i] != QLatin1Char('T'))
            return false;
        ++i;
    }
    if (n - i >= 5 && p[i + 2] == QLatin1Char(':')) {
        const int h = digits(p + i, 2), mi = digits(p + i + 3, 2);
        int sec = 0, ms = 0;
        i += 5;
        if (i < n && p[i] == QLatin1Char(':')) {
            if (n - i < 3 || (sec = digits(p + i + 1, 2)) < 0)
                return false;
            i += 3;
            if (i < n && p[i] == QLatin1Char('.')) {
                ++i;
                int scale = 100;
                while (i < n && p[i].isDigit()) {
                    ms += (p[i].unicode() - u'0') * scale;
                    scale /= 10;
                    ++i;
                }
            }
        }
        if (h < 0 || mi < 0 || i != n)
            return false;
        time = QTime(h, mi, sec, ms);
        hasTime = time.isValid();
        return hasTime;
    }
    return false;
}

QVariant toDateValue(const QVariant &value, int type)
{
    QDate date;
    QTime time(0, 0);
    const int id = value.metaType().id();
    if (id == QMetaType::QDateTime) {
        QDateTime dt = value.toDateTime();
        if (dt.timeSpec() != Qt::LocalTime)
            dt = dt.toLocalTime();
        date = dt.date();
        time = dt.time();
    } else if (id == QMetaType::QDate) {
        date = value.toDate();
    } else if (id == QMetaType::QTime) {
        date = QDate(1899, 12, 30);
        time = value.toTime();
    } else if (id == QMetaType::QString || id == QMetaType::QByteArray) {
        bool hasDate, hasTime;
        if (!parseDateTimeText(value.toString(), date, time, hasDate, hasTime))
            return value;
        if (!hasDate)
            date = QDate(1899, 12, 30);
    } else {
        return value;
    }
    switch (type) {
    case AdoType::DBDate:
        return date;
    case AdoType::DBTime:
        return time;
    default:
        // Wall-clock time with no zone: UTC keeps it from shifting across a
        // daylight-saving gap.
        return QDateTime(date, time, Qt::UTC);
    }
}

QVariant toBool(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::Bool)
        return value;
    if (value.metaType().id() == QMetaType::QString) {
        const QString t = value.toString().trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("yes") ||
            t == QLatin1String("y"))
            return true;
        if (t == QLatin1String("false") || t == QLatin1String("f") || t == QLatin1String("no") ||
            t == QLatin1String("n"))
            return false;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? QVariant(d != 0.0) : value;
}

QVariant toInteger(const QVariant &value, bool big)
{
    const int id = value.metaType().id();
    if (id == QMetaType::Double || id == QMetaType::Float) {
        const double d = value.toDouble();
        if (d != std::trunc(d) || std::fabs(d) > 9.2e18)
            return value;
    }
    if (id == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok)
        return value;
    if (!big && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
        return int(n);
    return n;
}

QVariant toNumber(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::Double)
        return value;
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? QVariant(d) : value;
}

} // namespace

AdoType::Column AdoType::fromDeclaredType(const QString &declared, bool access)
{
    QString upper = declared.trimmed().toUpper();
    if (upper.isEmpty())
        return {};
    long size = 0;
    const qsizetype paren = upper.indexOf(QLatin1Char('('));
    if (paren >= 0) {
        const qsizetype close = upper.indexOf(QLatin1Char(')'), paren);
        const QString inside = upper.mid(paren + 1, close < 0 ? -1 : close - paren - 1);
        size = inside.section(QLatin1Char(','), 0, 0).trimmed().toLong();
        upper = upper.left(paren).trimmed();
    }
    upper = upper.simplified();
    if (upper.startsWith(QLatin1String("UNSIGNED ")) && upper != QLatin1String("UNSIGNED BIG INT"))
        upper = upper.mid(9);
    for (const Named &n : declaredNames) {
        if (upper == QLatin1String(n.name)) {
            int type = n.type;
            if (access && (type == DBTimeStamp || type == DBDate || type == DBTime))
                type = Date;
            return column(type, size);
        }
    }
    return column(affinityType(upper), size);
}

AdoType::Column AdoType::fromSqlField(ConnectionString::Driver driver, const QSqlField &field)
{
    const int id = field.typeID();
    const long len = field.length() > 0 ? long(field.length()) : 0;
    switch (driver) {
    case ConnectionString::Driver::PostgreSql:
        switch (id) {
        case 16:
            return column(Boolean);
        case 17:
            return column(LongVarBinary);
        case 20:
            return column(BigInt);
        case 21:
            return column(SmallInt);
        case 23:
        case 26:
            return column(Integer);
        case 700:
            return column(Single);
        case 701:
            return column(Double);
        case 790:
            return column(Currency);
        case 1700:
            return column(Numeric);
        case 1082:
            return column(DBDate);
        case 1083:
        case 1266:
            return column(DBTime);
        case 1114:
        case 1184:
            return column(DBTimeStamp);
        case 18:
        case 1042:
            return column(WChar, len);
        case 1043:
        case 19:
            return column(VarWChar, len);
        case 25:
            return column(LongVarWChar);
        case 2950:
            return column(Guid);
        default:
            break;
        }
        break;
    case ConnectionString::Driver::Odbc:
        switch (id) {
        case 1:
            return column(Char, len);
        case 2:
        case 3:
            return column(Numeric);
        case 4:
            return column(Integer);
        case 5:
            return column(SmallInt);
        case 6:
        case 8:
            return column(Double);
        case 7:
            return column(Single);
        case 9:
        case 91:
            return column(DBDate);
        case 10:
        case 92:
            return column(DBTime);
        case 11:
        case 93:
            return column(DBTimeStamp);
        case 12:
            return column(VarChar, len);
        case -1:
            return column(LongVarChar);
        case -2:
        case -3:
            return column(VarBinary, len);
        case -4:
            return column(LongVarBinary);
        case -5:
            return column(BigInt);
        case -6:
            return column(UnsignedTinyInt);
        case -7:
            return column(Boolean);
        case -8:
            return column(WChar, len);
        case -9:
            return column(VarWChar, len);
        case -10:
            return column(LongVarWChar);
        case -11:
            return column(Guid);
        default:
            break;
        }
        break;
    case ConnectionString::Driver::MySql: {
        const bool binary = field.metaType().id() == QMetaType::QByteArray;
        switch (id) {
        case 0:
        case 246:
            return column(Numeric);
        case 1:
            // BOOLEAN is MySQL's name for TINYINT(1); reports print it as
            // True/False, as they do a Boolean of every other database.
            return column(len == 1 ? Boolean : UnsignedTinyInt);
        case 2:
        case 13:
            return column(SmallInt);
        case 3:
        case 9:
            return column(Integer);
        case 4:
            return column(Single);
        case 5:
            return column(Double);
        case 8:
            return column(BigInt);
        case 10:
        case 14:
            return column(DBDate);
        case 11:
            return column(DBTime);
        case 7:
        case 12:
            return column(DBTimeStamp);
        case 16:
            return column(Boolean);
        case 249:
        case 250:
        case 251:
        case 252:
            return binary ? column(LongVarBinary) : column(LongVarWChar);
        case 15:
        case 253:
            return binary ? column(VarBinary, len) : column(VarWChar, len);
        case 254:
            return binary ? column(VarBinary, len) : column(WChar, len);
        default:
            break;
        }
        break;
    }
    default:
        break;
    }

    // Whatever the driver: judge by the kind of value Qt reads.
    switch (field.metaType().id()) {
    case QMetaType::Bool:
        return column(Boolean);
    case QMetaType::Short:
    case QMetaType::UShort:
        return column(SmallInt);
    case QMetaType::Int:
    case QMetaType::UInt:
        return column(Integer);
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return column(BigInt);
    case QMetaType::Float:
        return column(Single);
    case QMetaType::Double:
        return column(Double);
    case QMetaType::QDate:
        return column(DBDate);
    case QMetaType::QTime:
        return column(DBTime);
    case QMetaType::QDateTime:
        return column(DBTimeStamp);
    case QMetaType::QByteArray:
        return column(LongVarBinary);
    case QMetaType::QUuid:
        return column(Guid);
    default:
        return column(VarWChar, len);
    }
}

QVariant AdoType::convert(const QVariant &value, int type)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (type) {
    case Boolean:
        return toBool(value);
    case SmallInt:
    case Integer:
    case UnsignedTinyInt:
        return toInteger(value, false);
    case BigInt:
        return toInteger(value, true);
    case Single:
    case Double:
    case Currency:
    case Numeric:
        return toNumber(value);
    case Date:
    case DBDate:
    case DBTime:
    case DBTimeStamp:
        return toDateValue(value, type);
    case VarBinary:
    case LongVarBinary:
        if (value.metaType().id() == QMetaType::QString)
            return value.toString().toUtf8();
        return value.metaType().id() == QMetaType::QByteArray ? value : QVariant(value.toByteArray());
    case Guid:
        return value.toString();
    default:
        if (isText(type)) {
            const int id = value.metaType().id();
            if (id == QMetaType::QString)
                return value;
            if (id == QMetaType::QByteArray)
                return QString::fromUtf8(value.toByteArray());
            if (id == QMetaType::Double) {
                // The shortest text that reads back as the same number.
                return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
            }
            return value.toString();
        }
        return value;
    }
}

bool AdoType::isText(int type)
{
    switch (type) {
    case Char:
    case WChar:
    case VarChar:
    case LongVarChar:
    case VarWChar:
    case LongVarWChar:
        return true;
    default:
        return false;
    }
}

bool AdoType::isBinary(int type)
{
    return type == VarBinary || type == LongVarBinary;
}

bool AdoType::isDate(int type)
{
    return type == Date || type == DBDate || type == DBTime || type == DBTimeStamp;
}

bool AdoType::isInteger(int type)
{
    return type == SmallInt || type == Integer || type == UnsignedTinyInt || type == BigInt;
}

bool AdoType::isNumber(int type)
{
    return isInteger(type) || type == Single || type == Double || type == Currency ||
           type == Numeric;
}

long AdoType::fixedSize(int type)
{
    switch (type) {
    case Boolean:
    case SmallInt:
        return 2;
    case UnsignedTinyInt:
        return 1;
    case Integer:
    case Single:
        return 4;
    case Double:
    case Currency:
    case BigInt:
    case Date:
    case DBTimeStamp:
        return 8;
    case DBDate:
    case DBTime:
        return 6;
    case Guid:
        return 16;
    case Numeric:
        return 19;
    default:
        return 0;
    }
}
