#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

// The error every failing database call raises. description() is the text
// the user sees in a message box or in the report's error list: the driver's
// own words where a driver spoke ("no such table: Orders"), otherwise ours
// ("File not found: …"). source() names the layer that failed (the Qt driver,
// "mdbtools", "Mirt"), for the debug list only.
class DatabaseError : public std::exception
{
public:
    explicit DatabaseError(QString description, QString source = QString(),
                           QString nativeCode = QString())
        : m_description(std::move(description)), m_source(std::move(source)),
          m_nativeCode(std::move(nativeCode)), m_what(m_description.toUtf8())
    {
    }

    QString description() const { return m_description; }
    QString source() const { return m_source; }
    // The driver's error code (SQLSTATE, SQLite result code, …) when it gave one.
    QString nativeCode() const { return m_nativeCode; }

    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_description;
    QString m_source;
    QString m_nativeCode;
    QByteArray m_what;
};
