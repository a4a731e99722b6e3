#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// An ADO-style connection string, "Key=Value;Key=Value;…", as report files
// store it.
//
// Syntax: pairs are separated by ';' and empty pairs are skipped. Spaces
// around keys and values do not count. Keys compare without regard to case
// and a doubled "==" inside a key stands for one '='. A value that starts
// with ' or " runs to the matching quote, a doubled quote inside standing for
// one; a value that starts with '{' (the ODBC form, Driver={SQLite3 ODBC
// Driver}) runs to the matching '}', "}}" standing for one. Such values may
// hold ';'. When a key occurs twice the last value wins, at the place of the
// first.
//
// The provider decides which driver reads the data (driver()): Jet and ACE
// OLE DB providers mean an Access file, "SQLite" the embedded SQLite,
// "PostgreSQL" and "MySQL" those servers, MSDASQL or a DSN / Driver={…} an
// ODBC source, except that an ODBC driver whose name says SQLite stands for
// the embedded SQLite. Without any of these, a Data Source ending in .mdb or .accdb
// is an Access file and any other Data Source an SQLite file.
class ConnectionString
{
public:
    enum class Driver { Unknown, Sqlite, Access, Odbc, PostgreSql, MySql };

    ConnectionString() = default;
    // Parses text; a malformed text gives an invalid object (errorString()).
    explicit ConnectionString(const QString &text);

    bool isValid() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }
    bool isEmpty() const { return m_pairs.isEmpty(); }

    bool contains(const QString &key) const;
    // The value of the first of the given keys that is present.
    QString value(const QString &key) const;
    QString value(const QStringList &aliases) const;
    bool containsAny(const QStringList &aliases) const;
    void setValue(const QString &key, const QString &value);
    void remove(const QString &key);
    const QList<std::pair<QString, QString>> &pairs() const { return m_pairs; }

    // The ADO text, quoting values where the syntax needs it.
    QString toString() const;
    // ODBC text: values with special characters in braces; the pairs in
    // `skipKeys` are left out.
    QString toOdbcString(const QStringList &skipKeys = QStringList()) const;

    Driver driver() const;
    // Why no connection may be opened with this text, naming the key; empty
    // when it may. A report file comes from anyone, and its connection string
    // reaches the driver: keys that load code (LoadExt, a Driver given as a
    // file), write files (Tracefile, NoCreat, JournalMode, SaveFile, …) or run
    // statements at connect are refused on every route, and an ODBC route
    // passes on only the keys of an allow-list, with values the driver manager
    // reads exactly as we do.
    QString refusal() const;
    QString provider() const { return value(QStringLiteral("Provider")); }
    // The file of a file-based source (SQLite, Access); empty for servers.
    QString dataSource() const;

    // The key spellings each setting is found under.
    static QStringList dataSourceKeys();
    static QStringList hostKeys();
    static QStringList portKeys();
    static QStringList databaseKeys();
    static QStringList userKeys();
    static QStringList passwordKeys();
    static QStringList timeoutKeys();

    static QString driverName(Driver driver);

private:
    Driver odbcDriver() const;
    int indexOf(const QString &key) const;
    void parse(const QString &text);

    QList<std::pair<QString, QString>> m_pairs;
    QString m_error;
};
