#include "platform/connectionstring.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ConnectionString", text);
}

bool needsQuoting(const QString &value)
{
    if (value.isEmpty())
        return false;
    const QChar first = value.front();
    return value.contains(QLatin1Char(';')) || first.isSpace() || value.back().isSpace() ||
           first == QLatin1Char('"') || first == QLatin1Char('\'') || first == QLatin1Char('{');
}

// Keys compare without case, spaces or underscores: "Trace File", "TRACEFILE"
// and "trace_file" are one key to some driver or other.
QString normalizedKey(const QString &key)
{
    QString k = key.toLower();
    k.remove(QLatin1Char(' '));
    k.remove(QLatin1Char('_'));
    return k;
}

// Keys that make a driver or the driver manager load a library, write or
// create a file, or run statements of the report's choosing when connecting.
bool isRefusedKey(const QString &key)
{
    static const QStringList refused{
        QStringLiteral("loadext"),      QStringLiteral("tracefile"),
        QStringLiteral("trace"),        QStringLiteral("tracedll"),
        QStringLiteral("tracelibrary"), QStringLiteral("tracelevel"),
        QStringLiteral("nocreat"),      QStringLiteral("journalmode"),
        QStringLiteral("setupfile"),    QStringLiteral("setup"),
        QStringLiteral("savefile"),     QStringLiteral("filedsn"),
        QStringLiteral("commlog"),      QStringLiteral("debug"),
        QStringLiteral("logdir"),       QStringLiteral("plugindir"),
        QStringLiteral("defaultauth"),  QStringLiteral("initstmt"),
        QStringLiteral("connsettings"), QStringLiteral("pqopt"),
        QStringLiteral("enablelocalinfile"), QStringLiteral("sslkeylogfile"),
        QStringLiteral("odbcini"),      QStringLiteral("odbcsysini"),
        QStringLiteral("attach"),       QStringLiteral("extensions")};
    return refused.contains(normalizedKey(key));
}

// What an ODBC route passes to the driver manager: where the data is, who
// connects, and options known to change nothing but how values are read.
bool isOdbcAllowedKey(const QString &key)
{
    static const QStringList allowed{
        // where
        QStringLiteral("dsn"), QStringLiteral("driver"), QStringLiteral("server"),
        QStringLiteral("servername"), QStringLiteral("hostname"),
        QStringLiteral("host"), QStringLiteral("port"), QStringLiteral("database"),
        QStringLiteral("db"), QStringLiteral("datasource"), QStringLiteral("dbq"),
        QStringLiteral("initialcatalog"), QStringLiteral("description"),
        // who
        QStringLiteral("uid"), QStringLiteral("user"), QStringLiteral("userid"),
        QStringLiteral("username"), QStringLiteral("pwd"), QStringLiteral("password"),
        // how long
        QStringLiteral("timeout"), QStringLiteral("connecttimeout"),
        QStringLiteral("connectiontimeout"), QStringLiteral("logintimeout"),
        // how values are read
        QStringLiteral("charset"), QStringLiteral("sslmode"), QStringLiteral("readonly"),
        QStringLiteral("stepapi"), QStringLiteral("shortnames"), QStringLiteral("longnames"),
        QStringLiteral("nowchar"), QStringLiteral("fksupport"), QStringLiteral("oemcp"),
        QStringLiteral("bigint"), QStringLiteral("jdconv"), QStringLiteral("notxn")};
    return allowed.contains(normalizedKey(key));
}

// A driver named by a file rather than by its registered name.
bool looksLikeLibraryPath(const QString &driver)
{
    const QString d = driver.trimmed().toLower();
    return d.contains(QLatin1Char('/')) || d.contains(QLatin1Char('\\')) ||
           d.endsWith(QLatin1String(".so")) || d.contains(QLatin1String(".so.")) ||
           d.endsWith(QLatin1String(".dll")) || d.endsWith(QLatin1String(".dylib"));
}

bool hasControlCharacter(const QString &value)
{
    for (const QChar c : value) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

ConnectionString::ConnectionString(const QString &text)
{
    parse(text);
}

void ConnectionString::parse(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipSpaces = [&] {
        while (i < n && text.at(i).isSpace())
            ++i;
    };
    auto fail = [&](const QString &why) {
        m_error = tr("Format of the initialization string does not conform to the OLE DB "
                     "specification: %1 (at character %2).")
                      .arg(why)
                      .arg(i + 1);
        m_pairs.clear();
    };

    while (i < n) {
        skipSpaces();
        if (i >= n)
            break;
        if (text.at(i) == QLatin1Char(';')) {
            ++i;
            continue;
        }
        // Key, up to a single '='.
        QString key;
        for (;;) {
            if (i >= n || text.at(i) == QLatin1Char(';')) {
                fail(tr("\"%1\" has no '=' and no value").arg(key.trimmed()));
                return;
            }
            const QChar c = text.at(i);
            if (c == QLatin1Char('=')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('=')) {
                    key += c;
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            key += c;
            ++i;
        }
        key = key.trimmed();
        if (key.isEmpty()) {
            fail(tr("a value has no key"));
            return;
        }

        skipSpaces();
        QString value;
        if (i < n && (text.at(i) == QLatin1Char('"') || text.at(i) == QLatin1Char('\'') ||
                      text.at(i) == QLatin1Char('{'))) {
            const QChar open = text.at(i);
            const QChar close = open == QLatin1Char('{') ? QLatin1Char('}') : open;
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = text.at(i);
                if (c == close) {
                    if (i + 1 < n && text.at(i + 1) == close) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += c;
                ++i;
            }
            if (!closed) {
                fail(tr("the value of \"%1\" has no closing %2").arg(key, close));
                return;
            }
            skipSpaces();
            if (i < n && text.at(i) != QLatin1Char(';')) {
                fail(tr("text follows the quoted value of \"%1\"").arg(key));
                return;
            }
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i);
            const qsizetype stop = end < 0 ? n : end;
            value = text.mid(i, stop - i).trimmed();
            i = stop;
        }
        setValue(key, value);
    }
}

int ConnectionString::indexOf(const QString &key) const
{
    for (int i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs.at(i).first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool ConnectionString::contains(const QString &key) const
{
    return indexOf(key) >= 0;
}

bool ConnectionString::containsAny(const QStringList &aliases) const
{
    for (const QString &key : aliases) {
        if (contains(key))
            return true;
    }
    return false;
}

QString ConnectionString::value(const QString &key) const
{
    const int i = indexOf(key);
    return i < 0 ? QString() : m_pairs.at(i).second;
}

QString ConnectionString::value(const QStringList &aliases) const
{
    for (const QString &key : aliases) {
        const int i = indexOf(key);
        if (i >= 0)
            return m_pairs.at(i).second;
    }
    return QString();
}

void ConnectionString::setValue(const QString &key, const QString &value)
{
    const int i = indexOf(key);
    if (i >= 0)
        m_pairs[i].second = value;
    else
        m_pairs.append({key, value});
}

void ConnectionString::remove(const QString &key)
{
    const int i = indexOf(key);
    if (i >= 0)
        m_pairs.removeAt(i);
}

QString ConnectionString::toString() const
{
    QStringList parts;
    for (const auto &[key, value] : m_pairs) {
        QString k = key;
        k.replace(QLatin1Char('='), QLatin1String("=="));
        QString v = value;
        if (needsQuoting(v)) {
            v.replace(QLatin1Char('"'), QLatin1String("\"\""));
            v = QLatin1Char('"') + v + QLatin1Char('"');
        }
        parts << k + QLatin1Char('=') + v;
    }
    return parts.join(QLatin1Char(';'));
}

QString ConnectionString::toOdbcString(const QStringList &skipKeys) const
{
    QStringList parts;
    for (const auto &[key, value] : m_pairs) {
        if (skipKeys.contains(key, Qt::CaseInsensitive))
            continue;
        QString v = value;
        if (needsQuoting(v) || v.contains(QLatin1Char('}'))) {
            v.replace(QLatin1Char('}'), QLatin1String("}}"));
            v = QLatin1Char('{') + v + QLatin1Char('}');
        }
        parts << key + QLatin1Char('=') + v;
    }
    return parts.join(QLatin1Char(';'));
}

ConnectionString::Driver ConnectionString::driver() const
{
    const QString p = provider().trimmed().toLower();
    if (!p.isEmpty()) {
        if (p.startsWith(QLatin1String("microsoft.jet.oledb")) ||
            p.startsWith(QLatin1String("microsoft.ace.oledb")))
            return Driver::Access;
        if (p.startsWith(QLatin1String("sqlite")) || p == QLatin1String("system.data.sqlite"))
            return Driver::Sqlite;
        if (p.startsWith(QLatin1String("postgres")) || p.startsWith(QLatin1String("pgsql")) ||
            p.startsWith(QLatin1String("npgsql")))
            return Driver::PostgreSql;
        if (p.startsWith(QLatin1String("mysql")))
            return Driver::MySql;
        if (p.startsWith(QLatin1String("msdasql")))
            return odbcDriver();
        return Driver::Unknown;
    }
    if (contains(QStringLiteral("Driver")))
        return odbcDriver();
    if (contains(QStringLiteral("DSN")) || contains(QStringLiteral("FILEDSN")))
        return Driver::Odbc;
    const QString source = dataSource().trimmed().toLower();
    if (source.isEmpty())
        return Driver::Unknown;
    if (source.endsWith(QLatin1String(".mdb")) || source.endsWith(QLatin1String(".accdb")))
        return Driver::Access;
    return Driver::Sqlite;
}

ConnectionString::Driver ConnectionString::odbcDriver() const
{
    // An SQLite file named through ODBC is read by the built-in read-only
    // route: the SQLite ODBC driver would create missing files, honour
    // extension and journal keys, and cannot be held to read-only.
    const QString d = value(QStringLiteral("Driver")).trimmed();
    if (d.contains(QLatin1String("sqlite"), Qt::CaseInsensitive) && !contains(QStringLiteral("DSN")))
        return Driver::Sqlite;
    return Driver::Odbc;
}

QString ConnectionString::refusal() const
{
    for (const auto &[key, value] : m_pairs) {
        if (isRefusedKey(key)) {
            return tr("The connection string key \"%1\" is refused: it would let the report "
                      "load code, write files or run statements when connecting.")
                .arg(key);
        }
    }
    const QString driverValue = value(QStringLiteral("Driver"));
    if (looksLikeLibraryPath(driverValue)) {
        return tr("The connection string key \"Driver\" names a file (\"%1\"): an ODBC driver "
                  "is named by its registered name, such as {PostgreSQL Unicode}.")
            .arg(driverValue);
    }
    if (driver() != Driver::Odbc)
        return QString();
    for (const auto &[key, value] : m_pairs) {
        if (normalizedKey(key) == QLatin1String("provider"))
            continue;
        if (!isOdbcAllowedKey(key)) {
            return tr("The connection string key \"%1\" is not passed to ODBC drivers: Mirt "
                      "passes the data source (DSN), the driver's registered name, server, "
                      "host, port, database, user, password, time-out and a few harmless "
                      "options.")
                .arg(key);
        }
        // The driver manager has no escape for '}' inside braces: such a value
        // would end early and the rest be read as keys of its own.
        if (value.contains(QLatin1Char('{')) || value.contains(QLatin1Char('}')) ||
            hasControlCharacter(value) || hasControlCharacter(key)) {
            return tr("The value of the connection string key \"%1\" holds a brace or a "
                      "control character, which ODBC drivers would read differently.")
                .arg(key);
        }
    }
    return QString();
}

QString ConnectionString::dataSource() const
{
    return value(dataSourceKeys());
}

QStringList ConnectionString::dataSourceKeys()
{
    return {QStringLiteral("Data Source"), QStringLiteral("DataSource"),
            QStringLiteral("Database"), QStringLiteral("DBQ"), QStringLiteral("Filename")};
}

QStringList ConnectionString::hostKeys()
{
    return {QStringLiteral("Host"), QStringLiteral("Server"), QStringLiteral("Data Source"),
            QStringLiteral("Address"), QStringLiteral("Addr")};
}

QStringList ConnectionString::portKeys()
{
    return {QStringLiteral("Port")};
}

QStringList ConnectionString::databaseKeys()
{
    return {QStringLiteral("Database"), QStringLiteral("Initial Catalog"),
            QStringLiteral("Location"), QStringLiteral("DB")};
}

QStringList ConnectionString::userKeys()
{
    return {QStringLiteral("User ID"), QStringLiteral("UID"), QStringLiteral("User"),
            QStringLiteral("Username"), QStringLiteral("User Name")};
}

QStringList ConnectionString::passwordKeys()
{
    return {QStringLiteral("Password"), QStringLiteral("PWD")};
}

QStringList ConnectionString::timeoutKeys()
{
    return {QStringLiteral("Connect Timeout"), QStringLiteral("Connection Timeout"),
            QStringLiteral("Timeout")};
}

QString ConnectionString::driverName(Driver driver)
{
    switch (driver) {
    case Driver::Sqlite:
        return QStringLiteral("SQLite");
    case Driver::Access:
        return QStringLiteral("Microsoft Access");
    case Driver::Odbc:
        return QStringLiteral("ODBC");
    case Driver::PostgreSql:
        return QStringLiteral("PostgreSQL");
    case Driver::MySql:
        return QStringLiteral("MySQL");
    case Driver::Unknown:
        break;
    }
    return QString();
}
