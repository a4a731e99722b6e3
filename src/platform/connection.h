#pragma once

#include "platform/connectionstring.h"

#include <QString>

#include <functional>

class QSqlDatabase;

// A connection to one data source (ADO's Connection), named by an ADO-style
// connection string (see ConnectionString for the syntax and the drivers).
//
// Every connection is read-only at the driver level, whatever Mode says:
// SQLite files are opened with the read-only flag; an Access file is copied
// into a private in-memory SQLite database that refuses writes; PostgreSQL
// and MySQL sessions are read-only and every query runs in its own read-only
// transaction, rolled back afterwards; ODBC sources are asked for read-only
// access, and SQLite, PostgreSQL and MySQL behind ODBC get the same session
// setting. On top of that a query text holding more than one statement is
// refused before any driver sees it (SqlStatement).
//
// A relative Data Source is looked up in baseDir() (the folder of the report
// file) first, then in the program's folder. A confined run (AccessPolicy)
// reads only files inside the report's folder and reaches only the servers
// it was given.
//
// Failing calls raise DatabaseError with the driver's description.
class Connection
{
public:
    enum { adStateClosed = 0, adStateOpen = 1 };
    enum { adModeUnknown = 0, adModeRead = 1 };

    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString &text) { m_connectionString = text; }
    // Kept and reported only: connections are read-only in every mode.
    int mode() const { return m_mode; }
    void setMode(int mode) { m_mode = mode; }

    // Where a relative Data Source is looked for first; empty: the program's
    // folder only.
    QString baseDir() const { return m_baseDir; }
    void setBaseDir(const QString &dir) { m_baseDir = dir; }

    // Opens the connection. A non-empty connectionString replaces
    // connectionString(); userID and password, when given, replace those of
    // the string. Raises DatabaseError on failure, and when already open.
    void open(const QString &connectionString = QString(), const QString &userID = QString(),
              const QString &password = QString(), long options = -1);
    // 1 when open, 0 when closed.
    int state() const { return m_open ? adStateOpen : adStateClosed; }
    // Releases the connection; does nothing when it is closed.
    void close();

    // The driver that serves the open connection.
    ::ConnectionString::Driver driver() const { return m_driver; }
    // The resolved file of a file-based source; empty for servers.
    QString dataSourcePath() const { return m_dataSourcePath; }

    // For Recordset and Catalog: the Qt database of the open connection.
    QSqlDatabase database() const;
    // The text to run for a caller's query: one statement, in the dialect of
    // the data source (Access SQL rewritten for the SQLite copy). Raises
    // DatabaseError when the text holds a second statement.
    QString prepareQuery(const QString &sql) const;
    // True when each query must run in its own read-only transaction.
    bool readOnlyTransactions() const { return m_readOnlyTransactions; }

    // Asked while a query runs and its rows are read: true breaks the query
    // off (DatabaseError). Unset: queries run to their end.
    void setInterruptCheck(std::function<bool()> check) { m_interruptCheck = std::move(check); }
    const std::function<bool()> &interruptCheck() const { return m_interruptCheck; }

    // Finds a file named by a Data Source: absolute, or relative to baseDir()
    // and then to the program's folder. Raises DatabaseError when there is
    // no such file, it is a folder, or the access policy refuses it.
    QString resolveDataSource(const QString &source) const;

private:
    void openSqlite(const ::ConnectionString &cs);
    void openAccess(const ::ConnectionString &cs);
    void openOdbc(const ::ConnectionString &cs, const QString &user, const QString &password);
    void openServer(const ::ConnectionString &cs, const QString &user, const QString &password);
    void discard();

    QString m_connectionString;
    int m_mode = adModeUnknown;
    QString m_baseDir;
    bool m_open = false;
    ::ConnectionString::Driver m_driver = ::ConnectionString::Driver::Unknown;
    QString m_sqlName;
    QString m_dataSourcePath;
    bool m_readOnlyTransactions = false;
    std::function<bool()> m_interruptCheck;
};
