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
            return Driver::Odbc;
        return Driver::Unknown;
    }
    if (contains(QStringLiteral("Driver"))) {
        const QString d = value(QStringLiteral("Driver")).trimmed().toLower();
        if (d == QLatin1String("sqlite") || d == QLatin1String("sqlite3"))
            return Driver::Sqlite;
        return Driver::Odbc;
    }
    if (contains(QStringLiteral("DSN")) || contains(QStringLiteral("FILEDSN")))
        return Driver::Odbc;
    const QString source = dataSource().trimmed().toLower();
    if (source.isEmpty())
        return Driver::Unknown;
    if (source.endsWith(QLatin1String(".mdb")) || source.endsWith(QLatin1String(".accdb")))
        return Driver::Access;
    return Driver::Sqlite;
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
