#pragma once

#include "platform/connectionstring.h"

#include <QString>
#include <QVariant>

class QSqlField;

// ADO data-type numbers, which report files and the engine know fields by,
// and the mapping of each driver's column types onto them.
class AdoType
{
public:
    enum : int {
        Empty = 0,
        SmallInt = 2,
        Integer = 3,
        Single = 4,
        Double = 5,
        Currency = 6,
        Date = 7,
        Boolean = 11,
        UnsignedTinyInt = 17,
        BigInt = 20,
        Guid = 72,
        Char = 129,
        WChar = 130,
        Numeric = 131,
        DBDate = 133,
        DBTime = 134,
        DBTimeStamp = 135,
        VarChar = 200,
        LongVarChar = 201,
        VarWChar = 202,
        LongVarWChar = 203,
        VarBinary = 204,
        LongVarBinary = 205,
    };

    struct Column
    {
        int type = Empty; // Empty: unknown, decided from the values
        long definedSize = 0;
    };

    // From a column's declared type (SQLite, and the Access copy whose
    // DATETIME columns are Access dates, type 7). An empty declaration (an
    // expression) gives Empty.
    static Column fromDeclaredType(const QString &declared, bool access);
    // From what a server or ODBC driver reports about a result column.
    static Column fromSqlField(ConnectionString::Driver driver, const QSqlField &field);

    // The value in the form the type promises: null as an invalid QVariant,
    // Boolean as bool, the integer types as int (BigInt as qlonglong), the
    // numeric ones as double, Date and DBTimeStamp as QDateTime, DBDate as
    // QDate, DBTime as QTime, text and Guid as QString, binary as
    // QByteArray. A stored value that does not fit (text in an SQLite date
    // column) is kept as it is rather than lost.
    static QVariant convert(const QVariant &value, int type);

    static bool isText(int type);
    static bool isBinary(int type);
    static bool isDate(int type);
    static bool isInteger(int type);
    static bool isNumber(int type);
    // The size ADO gives fields of a fixed-size type; 0 for variable ones.
    static long fixedSize(int type);
};
