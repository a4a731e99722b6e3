#include "platform/queryreader.h"

#include "platform/adotype.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordsetdata.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>

#include <limits>

namespace {

using Driver = ConnectionString::Driver;

QString driverName(Driver driver)
{
    return ConnectionString::driverName(driver);
}

[[noreturn]] void raise(const QSqlError &error, Driver driver)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    throw DatabaseError(text, driverName(driver), error.nativeErrorCode());
}

// Servers run each query in a read-only transaction that is rolled back, so
// that nothing a query does can last.
class ReadOnlyTransaction
{
public:
    ReadOnlyTransaction(QSqlDatabase db, bool needed, Driver driver) : m_db(db), m_active(needed)
    {
        if (!m_active)
            return;
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("START TRANSACTION READ ONLY"))) {
            m_active = false;
            raise(q.lastError(), driver);
        }
    }
    ~ReadOnlyTransaction()
    {
        if (m_active) {
            QSqlQuery q(m_db);
            q.exec(QStringLiteral("ROLLBACK"));
        }
    }
    ReadOnlyTransaction(const ReadOnlyTransaction &) = delete;
    ReadOnlyTransaction &operator=(const ReadOnlyTransaction &) = delete;

private:
    QSqlDatabase m_db;
    bool m_active;
};

// While installed, SQLite asks the connection's interrupt check every few
// thousand steps of its machine, so that a query that works long before its
// first row (a sort or a count over a large join) can be broken off too.
class SqliteInterrupt
{
public:
    SqliteInterrupt(const QSqlDatabase &db, const std::function<bool()> &check)
    {
        const QVariant v = db.driver()->handle();
        if (!check || !v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
            return;
        m_handle = *static_cast<sqlite3 *const *>(v.constData());
        if (m_handle)
            sqlite3_progress_handler(m_handle, 4000, &SqliteInterrupt::ask,
                                     const_cast<std::function<bool()> *>(&check));
    }
    ~SqliteInterrupt()
    {
        if (m_handle)
            sqlite3_progress_handler(m_handle, 0, nullptr, nullptr);
    }
    SqliteInterrupt(const SqliteInterrupt &) = delete;
    SqliteInterrupt &operator=(const SqliteInterrupt &) = delete;

private:
    static int ask(void *check) { return (*static_cast<std::function<bool()> *>(check))() ? 1 : 0; }
    sqlite3 *m_handle = nullptr;
};

[[noreturn]] void raiseStopped()
{
    throw DatabaseError(QCoreApplication::translate("QueryReader", "The query was stopped."),
                        QStringLiteral("Mirt"));
}

sqlite3_stmt *sqliteStatement(const QSqlQuery &q)
{
    const QVariant v = q.result()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3_stmt*") == 0)
        return *static_cast<sqlite3_stmt *const *>(v.constData());
    return nullptr;
}

// The type of an expression column, judged from the values it gave.
int typeFromValues(const RecordsetData &data, int column)
{
    bool anyInt = false, anyBig = false, anyReal = false, anyText = false, anyBlob = false;
    bool anyBool = false, anyDate = false;
    const int ncols = data.columnCount();
    for (qsizetype r = 0; r < data.rows; ++r) {
        const QVariant &v = data.cells[r * ncols + column];
        switch (v.metaType().id()) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UInt:
            anyInt = true;
            break;
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            const qlonglong n = v.toLongLong();
            if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
                anyBig = true;
            else
                anyInt = true;
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            anyReal = true;
            break;
        case QMetaType::Bool:
            anyBool = true;
            break;
        case QMetaType::QByteArray:
            anyBlob = true;
            break;
        case QMetaType::QDate:
        case QMetaType::QTime:
        case QMetaType::QDateTime:
            anyDate = true;
            break;
        default:
            anyText = true;
            break;
        }
    }
    if (anyText)
        return AdoType::VarWChar;
    if (anyBlob)
        return AdoType::LongVarBinary;
    if (anyReal)
        return AdoType::Double;
    if (anyBig)
        return AdoType::BigInt;
    if (anyInt)
        return AdoType::Integer;
    if (anyBool)
        return AdoType::Boolean;
    if (anyDate)
        return AdoType::DBTimeStamp;
    return AdoType::VarWChar;
}

} // namespace

std::shared_ptr<RecordsetData> QueryReader::read(const Connection &connection, const QString &text,
                                                 long maxRecords)
{
    const QString sql = connection.prepareQuery(text);
    const Driver driver = connection.driver();
    const bool sqlite = driver == Driver::Sqlite || driver == Driver::Access;
    QSqlDatabase db = connection.database();
    auto data = std::make_shared<RecordsetData>();

    const std::function<bool()> &interrupted = connection.interruptCheck();
    if (interrupted && interrupted())
        raiseStopped();
    ReadOnlyTransaction transaction(db, connection.readOnlyTransactions(), driver);
    const SqliteInterrupt sqliteInterrupt(db, interrupted);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q.exec(sql)) {
        if (interrupted && interrupted())
            raiseStopped();
        raise(q.lastError(), driver);
    }

    const QSqlRecord record = q.record();
    const int ncols = record.count();
    sqlite3_stmt *stmt = sqlite ? sqliteStatement(q) : nullptr;
    data->columns.reserve(ncols);
    for (int i = 0; i < ncols; ++i) {
        AdoType::Column type;
        if (sqlite) {
            const char *decl = stmt ? sqlite3_column_decltype(stmt, i) : nullptr;
            type = AdoType::fromDeclaredType(QString::fromUtf8(decl), driver == Driver::Access);
        } else {
            type = AdoType::fromSqlField(driver, record.field(i));
        }
        data->columns.append({record.fieldName(i), type.type, type.definedSize});
    }

    // Integer columns move up to BigInt when a value does not fit 32 bits.
    std::vector<char> wide(size_t(ncols), 0);
    const long limit = maxRecords > 0 ? maxRecords : std::numeric_limits<long>::max();
    qsizetype rows = 0;
    while (rows < limit && q.next()) {
        // Every driver: the rows of a large result are many.
        if ((rows & 1023) == 1023 && interrupted && interrupted())
            raiseStopped();
        for (int i = 0; i < ncols; ++i) {
            const int type = data->columns[i].type;
            QVariant value = q.value(i);
            if (type == AdoType::Empty) {
                if (value.isNull())
                    value = QVariant();
            } else {
                value = AdoType::convert(value, type);
                if (type == AdoType::Integer && value.metaType().id() == QMetaType::LongLong)
                    wide[size_t(i)] = 1;
            }
            data->cells.append(std::move(value));
        }
        ++rows;
    }
    if (q.lastError().isValid()) {
        if (interrupted && interrupted())
            raiseStopped();
        raise(q.lastError(), driver);
    }
    q.finish();
    data->rows = rows;

    for (int i = 0; i < ncols; ++i) {
        RecordsetData::Column &c = data->columns[i];
        int newType = c.type;
        if (c.type == AdoType::Empty)
            newType = typeFromValues(*data, i);
        else if (wide[size_t(i)])
            newType = AdoType::BigInt;
        if (newType == c.type)
            continue;
        c.type = newType;
        const long fixed = AdoType::fixedSize(newType);
        c.definedSize = fixed > 0 ? fixed : std::numeric_limits<int>::max();
        for (qsizetype r = 0; r < rows; ++r) {
            QVariant &v = data->cells[r * ncols + i];
            v = AdoType::convert(v, newType);
        }
    }
    data->position = 0;
    data->buildIndex();
    return data;
}
