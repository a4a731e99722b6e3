#include "platform/connection.h"

#include "platform/accessfunctions.h"
#include "platform/accessimport.h"
#include "platform/accesspolicy.h"
#include "platform/accesssql.h"
#include "platform/databaseerror.h"
#include "platform/sqlstatement.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

namespace {

using Driver = ConnectionString::Driver;

const QString mirtSource = QStringLiteral("Mirt");
// A backslash in a MySQL string literal escapes the next character unless
// told otherwise; values from a parent record are quoted by doubling quotes
// only, so a value ending in a backslash would otherwise end its literal.
const QString mysqlStandardStrings = QStringLiteral(
    "SET SESSION sql_mode = CONCAT_WS(',', NULLIF(@@SESSION.sql_mode, ''), "
    "'NO_BACKSLASH_ESCAPES')");
// Seconds to wait for a server that does not answer.
const QString defaultTimeout = QStringLiteral("15");

QString tr(const char *text)
{
    return QCoreApplication::translate("Connection", text);
}

QString errorText(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.text().trimmed() : db;
}

[[noreturn]] void raise(const QSqlError &error, const QString &driver)
{
    QString text = errorText(error);
    if (text.isEmpty())
        text = tr("The %1 driver gave no reason.").arg(driver);
    throw DatabaseError(text, driver, error.nativeErrorCode());
}

QString newConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("mirt-connection-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

QSqlDatabase addDatabase(const QString &type, const QString &name, const QString &product)
{
    if (!QSqlDatabase::isDriverAvailable(type)) {
        throw DatabaseError(
            tr("The %1 driver (%2) is not installed.").arg(product, type), mirtSource);
    }
    return QSqlDatabase::addDatabase(type, name);
}

void execOrRaise(QSqlDatabase &db, const QString &sql, const QString &driver)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        raise(q.lastError(), driver);
}

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3 *const *>(v.constData());
    return nullptr;
}

// The name of the database product behind an ODBC connection ("SQLite",
// "PostgreSQL", "MySQL", …), empty when the driver does not say.
QString odbcProductName(const QSqlDatabase &db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || v.metaType().sizeOf() != int(sizeof(SQLHANDLE)))
        return QString();
    SQLHDBC hdbc = *static_cast<const SQLHANDLE *>(v.constData());
    if (!hdbc)
        return QString();
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN r = SQLGetInfo(hdbc, SQL_DBMS_NAME, name, sizeof name, &length);
    if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char *>(name)).trimmed();
}

// The library file of a registered ODBC driver, as the driver manager lists
// it; `registered` tells whether the name is registered at all.
QString odbcDriverLibrary(const QString &name, bool *registered)
{
    *registered = false;
    QString library;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return library;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR description[512];
    SQLCHAR attributes[2048];
    SQLSMALLINT descriptionLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDrivers(env, direction, description, sizeof description,
                                    &descriptionLength, attributes, sizeof attributes,
                                    &attributesLength))) {
        direction = SQL_FETCH_NEXT;
        const QString driver =
            QString::fromLocal8Bit(reinterpret_cast<const char *>(description)).trimmed();
        if (driver.compare(name.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        *registered = true;
        // "Key=Value" pairs, each ended by a zero byte.
        const char *pair = reinterpret_cast<const char *>(attributes);
        const char *end = pair + qMin<int>(attributesLength, int(sizeof attributes));
        while (pair < end && *pair) {
            const QString text = QString::fromLocal8Bit(pair);
            if (text.startsWith(QLatin1String("Driver="), Qt::CaseInsensitive))
                library = text.mid(7).trimmed();
            pair += qstrlen(pair) + 1;
        }
        break;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return library;
}

// Quotes a value for libpq's "key=value" connection options.
QString pgQuote(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

// Raises the policy's refusal when a confined run may not reach the server.
void refuseHostUnlessAllowed(const QString &host, int port)
{
    const QString refusal = AccessPolicy::current().hostRefusal(host, port);
    if (!refusal.isEmpty())
        throw DatabaseError(refusal, mirtSource);
}

// The same for an ODBC string: every host it names, else the driver's
// default (this machine) unless a DSN set up here says where to go; the
// files a file DSN or a file-based driver would open.
void refuseOdbcUnlessAllowed(const ::ConnectionString &cs)
{
    const AccessPolicy &policy = AccessPolicy::current();
    if (!policy.isConfined())
        return;
    static const QStringList hostKeys{QStringLiteral("Host"),       QStringLiteral("Server"),
                                      QStringLiteral("Servername"), QStringLiteral("Hostname"),
                                      QStringLiteral("Address"),    QStringLiteral("Addr")};
    static const QStringList fileKeys{QStringLiteral("FILEDSN"), QStringLiteral("DBQ"),
                                      QStringLiteral("SaveFile")};
    const int port = cs.value(::ConnectionString::portKeys()).toInt();
    bool namesHost = false;
    for (const auto &[key, value] : cs.pairs()) {
        QString refusal;
        if (hostKeys.contains(key, Qt::CaseInsensitive)) {
            namesHost = true;
            refusal = policy.hostRefusal(value, port);
        } else if (fileKeys.contains(key, Qt::CaseInsensitive)) {
            refusal = policy.fileRefusal(value);
        }
        if (!refusal.isEmpty())
            throw DatabaseError(refusal, mirtSource);
    }
    if (!namesHost && !cs.contains(QStringLiteral("DSN")) &&
        !cs.contains(QStringLiteral("Data Source")))
        refuseHostUnlessAllowed(QStringLiteral("localhost"), port);
}

} // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_sqlName, false);
}

void Connection::discard()
{
    if (m_sqlName.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_sqlName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_sqlName);
    m_sqlName.clear();
}

void Connection::close()
{
    discard();
    m_open = false;
    m_driver = Driver::Unknown;
    m_dataSourcePath.clear();
    m_readOnlyTransactions = false;
}

void Connection::open(const QString &connectionString, const QString &userID,
                      const QString &password, long options)
{
    Q_UNUSED(options);
    if (m_open)
        throw DatabaseError(tr("Operation is not allowed when the object is open."), mirtSource);
    if (!connectionString.isEmpty())
        m_connectionString = connectionString;

    const ::ConnectionString cs(m_connectionString);
    if (!cs.isValid())
        throw DatabaseError(cs.errorString(), mirtSource);
    if (cs.isEmpty())
        throw DatabaseError(tr("The connection string is empty: no database is named."),
                            mirtSource);

    const QString refusal = cs.refusal();
    if (!refusal.isEmpty())
        throw DatabaseError(refusal, mirtSource);

    Driver driver = cs.driver();
    if (driver == Driver::Odbc && cs.contains(QStringLiteral("Driver"))) {
        const QString name = cs.value(QStringLiteral("Driver"));
        bool registered = false;
        const QString library = odbcDriverLibrary(name, &registered);
        if (!registered) {
            throw DatabaseError(tr("The ODBC driver \"%1\" is not registered on this computer "
                                   "(the ODBC administrator, odbcinst, registers drivers).")
                                    .arg(name),
                                mirtSource);
        }
        // An SQLite file reached through a driver of another name still
        // goes to the built-in read-only route.
        if (QFileInfo(library).fileName().contains(QLatin1String("sqlite"), Qt::CaseInsensitive) &&
            !cs.contains(QStringLiteral("DSN")))
            driver = Driver::Sqlite;
    }
    try {
        switch (driver) {
        case Driver::Sqlite:
            openSqlite(cs);
            break;
        case Driver::Access:
            openAccess(cs);
            break;
        case Driver::Odbc:
            openOdbc(cs, userID, password);
            break;
        case Driver::PostgreSql:
        case Driver::MySql:
            m_driver = driver;
            openServer(cs, userID, password);
            break;
        case Driver::Unknown:
            if (!cs.provider().isEmpty()) {
                throw DatabaseError(
                    tr("Provider cannot be found: \"%1\". Mirt reads SQLite files "
                       "(Provider=SQLite), Microsoft Access files (Provider=Microsoft.Jet.OLEDB.4.0 "
                       "or Microsoft.ACE.OLEDB.12.0), PostgreSQL and MySQL servers "
                       "(Provider=PostgreSQL, Provider=MySQL) and ODBC sources (DSN=… or "
                       "Driver={…}).")
                        .arg(cs.provider()),
                    mirtSource);
            }
            throw DatabaseError(tr("The connection string names no provider, data source, DSN "
                                   "or driver: \"%1\".")
                                    .arg(m_connectionString),
                                mirtSource);
        }
    } catch (...) {
        close();
        throw;
    }
    m_driver = driver;
    m_open = true;
}

QString Connection::resolveDataSource(const QString &source) const
{
    QString name = source.trimmed();
    if (name.isEmpty())
        throw DatabaseError(tr("The connection string names no Data Source (the database file)."),
                            mirtSource);
#ifndef Q_OS_WIN
    // Report files made on Windows may name "data\demo.db".
    if (!QFileInfo::exists(name) && name.contains(QLatin1Char('\\')))
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    // A confined run reads nothing outside the report's folder, and does not
    // say whether a file there exists.
    const AccessPolicy &policy = AccessPolicy::current();
    QStringList tried;
    QString found;
    QString refusal;
    auto usable = [&](const QString &candidate) {
        tried << candidate;
        const QString why = policy.fileRefusal(candidate);
        if (why.isEmpty())
            return QFileInfo::exists(candidate);
        if (refusal.isEmpty())
            refusal = why;
        return false;
    };
    if (QDir::isAbsolutePath(name)) {
        if (usable(name))
            found = name;
    } else {
        QStringList dirs;
        if (!m_baseDir.isEmpty())
            dirs << m_baseDir;
        if (!policy.isConfined())
            dirs << QCoreApplication::applicationDirPath();
        for (const QString &dir : dirs) {
            const QString candidate = QDir(dir).absoluteFilePath(name);
            if (usable(candidate)) {
                found = candidate;
                break;
            }
        }
    }
    if (found.isEmpty() && !refusal.isEmpty())
        throw DatabaseError(refusal, mirtSource);
    if (found.isEmpty()) {
        throw DatabaseError(tried.size() == 1
                                ? tr("File not found: %1").arg(tried.front())
                                : tr("File not found: %1 (looked for %2)")
                                      .arg(name, tried.join(tr(" and "))),
                            mirtSource);
    }
    const QFileInfo info(found);
    if (info.isDir())
        throw DatabaseError(tr("\"%1\" is a folder, not a database file.").arg(found), mirtSource);
    if (!info.isReadable())
        throw DatabaseError(tr("The database file \"%1\" cannot be read (permission denied).")
                                .arg(found),
                            mirtSource);
    return info.absoluteFilePath();
}

void Connection::openSqlite(const ::ConnectionString &cs)
{
    const QString path = resolveDataSource(cs.dataSource());
    m_sqlName = newConnectionName();
    QSqlDatabase db = addDatabase(QStringLiteral("QSQLITE"), m_sqlName, QStringLiteral("SQLite"));
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        raise(db.lastError(), QStringLiteral("SQLite"));
    // SQLite reads the file only on the first statement; a file that is no
    // database must fail here, not in the first report query.
    execOrRaise(db, QStringLiteral("SELECT count(*) FROM sqlite_master"), QStringLiteral("SQLite"));
    execOrRaise(db, QStringLiteral("PRAGMA query_only = 1"), QStringLiteral("SQLite"));
    m_dataSourcePath = path;
}

void Connection::openAccess(const ::ConnectionString &cs)
{
    const QString path = resolveDataSource(cs.dataSource());
    m_sqlName = newConnectionName();
    QSqlDatabase db = addDatabase(QStringLiteral("QSQLITE"), m_sqlName, QStringLiteral("SQLite"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (!db.open())
        raise(db.lastError(), QStringLiteral("SQLite"));
    sqlite3 *handle = sqliteHandle(db);
    if (!handle)
        throw DatabaseError(tr("The SQLite driver gives no access to its database."), mirtSource);
    AccessImport::import(path, handle);
    if (!AccessFunctions::install(handle))
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)), QStringLiteral("SQLite"));
    execOrRaise(db, QStringLiteral("PRAGMA query_only = 1"), QStringLiteral("SQLite"));
    m_dataSourcePath = path;
}

void Connection::openOdbc(const ::ConnectionString &source, const QString &user,
                          const QString &password)
{
    refuseOdbcUnlessAllowed(source);
    ::ConnectionString cs = source;
    cs.remove(QStringLiteral("Provider"));
    if (!user.isEmpty()) {
        for (const QString &key : ::ConnectionString::userKeys())
            cs.remove(key);
        cs.setValue(QStringLiteral("UID"), user);
    }
    if (!password.isEmpty()) {
        for (const QString &key : ::ConnectionString::passwordKeys())
            cs.remove(key);
        cs.setValue(QStringLiteral("PWD"), password);
    }
    // The SQLite ODBC driver behind a data source would create a missing
    // database file.
    cs.setValue(QStringLiteral("NoCreat"), QStringLiteral("1"));

    // Qt's ODBC driver puts "DSN=" before a text that names neither DRIVER=
    // nor SERVER=, and "FILEDSN=" before one that mentions ".dsn".
    QString text;
    const QString dsn = cs.value(QStringLiteral("DSN"));
    const QString rest = cs.toOdbcString({QStringLiteral("DSN")});
    const QString full = cs.toOdbcString();
    if (full.contains(QLatin1String(".dsn"), Qt::CaseInsensitive)) {
        throw DatabaseError(tr("This ODBC connection string cannot be passed on: it mentions "
                               "\".dsn\", which would name a file data source."),
                            mirtSource);
    } else if (full.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive) ||
               full.contains(QLatin1String("SERVER="), Qt::CaseInsensitive)) {
        text = full;
    } else {
        ::ConnectionString only;
        only.setValue(QStringLiteral("DSN"), dsn);
        text = only.toOdbcString().mid(4);
        if (!rest.isEmpty())
            text += QLatin1Char(';') + rest;
    }

    m_sqlName = newConnectionName();
    QSqlDatabase db = addDatabase(QStringLiteral("QODBC"), m_sqlName, QStringLiteral("ODBC"));
    db.setDatabaseName(text);
    const QString timeout = cs.value(::ConnectionString::timeoutKeys());
    db.setConnectOptions(QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY;"
                                        "SQL_ATTR_LOGIN_TIMEOUT=%1")
                             .arg(timeout.isEmpty() ? defaultTimeout : timeout));
    if (!db.open())
        raise(db.lastError(), QStringLiteral("ODBC"));

    // Many ODBC drivers ignore the read-only request; the products we know
    // are told in their own words.
    const QString product = odbcProductName(db);
    if (product.contains(QLatin1String("SQLite"), Qt::CaseInsensitive))
        execOrRaise(db, QStringLiteral("PRAGMA query_only = 1"), QStringLiteral("ODBC"));
    else if (product.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive))
        execOrRaise(db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"),
                    QStringLiteral("ODBC"));
    else if (product.contains(QLatin1String("MySQL"), Qt::CaseInsensitive) ||
             product.contains(QLatin1String("MariaDB"), Qt::CaseInsensitive)) {
        execOrRaise(db, QStringLiteral("SET SESSION TRANSACTION READ ONLY"),
                    QStringLiteral("ODBC"));
        execOrRaise(db, mysqlStandardStrings, QStringLiteral("ODBC"));
    }
}

void Connection::openServer(const ::ConnectionString &cs, const QString &user,
                            const QString &password)
{
    const bool pg = m_driver == Driver::PostgreSql;
    const QString product = pg ? QStringLiteral("PostgreSQL") : QStringLiteral("MySQL");
    m_sqlName = newConnectionName();
    QSqlDatabase db = addDatabase(pg ? QStringLiteral("QPSQL") : QStringLiteral("QMYSQL"),
                                  m_sqlName, product);

    QString host = cs.value(::ConnectionString::hostKeys());
    QString port = cs.value(::ConnectionString::portKeys());
    // "Server=host:port" and "Server=host,port" are common spellings.
    if (port.isEmpty()) {
        const qsizetype sep = host.lastIndexOf(QRegularExpression(QStringLiteral("[:,]")));
        if (sep > 0 && !host.contains(QLatin1Char('[')) && host.count(QLatin1Char(':')) <= 1) {
            port = host.mid(sep + 1).trimmed();
            host = host.left(sep).trimmed();
        }
    }
    refuseHostUnlessAllowed(host.isEmpty() ? QStringLiteral("localhost") : host,
                            port.isEmpty() ? (pg ? 5432 : 3306) : port.toInt());
    db.setHostName(host.isEmpty() ? QStringLiteral("localhost") : host);
    if (!port.isEmpty()) {
        bool ok = false;
        const int number = port.toInt(&ok);
        if (!ok || number <= 0 || number > 65535)
            throw DatabaseError(tr("\"%1\" is no port number.").arg(port), mirtSource);
        db.setPort(number);
    }
    db.setDatabaseName(cs.value(::ConnectionString::databaseKeys()));
    db.setUserName(user.isEmpty() ? cs.value(::ConnectionString::userKeys()) : user);
    db.setPassword(password.isEmpty() ? cs.value(::ConnectionString::passwordKeys()) : password);

    QString timeout = cs.value(::ConnectionString::timeoutKeys());
    if (timeout.isEmpty() || timeout.toInt() <= 0)
        timeout = defaultTimeout;
    if (pg) {
        QStringList options{QStringLiteral("connect_timeout=%1").arg(timeout.toInt()),
                            QStringLiteral("options=") +
                                pgQuote(QStringLiteral("-c default_transaction_read_only=on"))};
        const QString sslMode = cs.value({QStringLiteral("SSL Mode"), QStringLiteral("SslMode")});
        if (!sslMode.isEmpty())
            options << QStringLiteral("sslmode=") + pgQuote(sslMode.toLower());
        db.setConnectOptions(options.join(QLatin1Char(';')));
    } else {
        db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(timeout.toInt()));
    }
    if (!db.open())
        raise(db.lastError(), product);
    execOrRaise(db,
                pg ? QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")
                   : QStringLiteral("SET SESSION TRANSACTION READ ONLY"),
                product);
    if (!pg)
        execOrRaise(db, mysqlStandardStrings, product);
    // A query could turn the session setting off again (set_config is a
    // function); an explicit read-only transaction per query cannot be.
    m_readOnlyTransactions = true;
}

QString Connection::prepareQuery(const QString &sql) const
{
    const QString one = SqlStatement::single(sql);
    if (m_driver == Driver::Access)
        return AccessSql::toSqlite(one);
    return one;
}
