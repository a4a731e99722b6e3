#include "platform/catalog.h"

#include "platform/connection.h"
#include "platform/databaseerror.h"

#include <QCoreApplication>
#include <QSqlDatabase>

#include <algorithm>

namespace {

QList<CatalogEntry> entries(QStringList names, const QString &type)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    QList<CatalogEntry> list;
    list.reserve(names.size());
    for (const QString &name : names)
        list.append({name, type});
    return list;
}

} // namespace

void Catalog::setActiveConnection(const Connection *connection)
{
    m_connection = nullptr;
    m_tables.clear();
    m_views.clear();
    if (!connection || connection->state() != Connection::adStateOpen)
        throw DatabaseError(QCoreApplication::translate(
                                "Catalog", "Operation is not allowed when the object is closed."),
                            QStringLiteral("Mirt"));
    const QSqlDatabase db = connection->database();
    m_connection = connection;
    m_tables = entries(db.tables(QSql::Tables), QStringLiteral("TABLE"));
    m_views = entries(db.tables(QSql::Views), QStringLiteral("VIEW"));
}
