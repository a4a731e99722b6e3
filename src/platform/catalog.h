#pragma once

#include <QList>
#include <QString>

class Connection;

// One table or view of a catalog.
struct CatalogEntry
{
    QString Name;
    QString Type; // "TABLE" or "VIEW"
};

// The tables and views of a data source (ADOX's Catalog), read when the
// active connection is set. Both lists are sorted by name without regard to
// case. For an Access file the tables are its user tables; its saved queries
// are not listed (see AccessImport). Server sources list what the login may
// see, other schemas than the default one as "schema.table".
class Catalog
{
public:
    // Raises DatabaseError when the connection is not open.
    void setActiveConnection(const Connection *connection);
    const Connection *ActiveConnection() const { return m_connection; }

    const QList<CatalogEntry> &Tables() const { return m_tables; }
    const QList<CatalogEntry> &Views() const { return m_views; }

private:
    const Connection *m_connection = nullptr;
    QList<CatalogEntry> m_tables;
    QList<CatalogEntry> m_views;
};
