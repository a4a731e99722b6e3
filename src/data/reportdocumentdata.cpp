// The report's data connection and the lists of tables and fields.

#include "document/reportdocument.h"

#include "data/dataaccess.h"
#include "data/fieldreference.h"
#include "platform/catalog.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QFileInfo>

Connection &ReportDocument::connection()
{
    if (!m_connection) {
        m_connection = std::make_unique<Connection>();
        // A run's limits reach into its queries: a result of a million rows
        // is broken off while it is read.
        m_connection->setInterruptCheck([this] { return queryInterrupted(); });
    }
    return *m_connection;
}

QString ReportDocument::dataBaseDir() const
{
    if (fileName.isEmpty())
        return QString();
    return QFileInfo(fileName).absolutePath();
}

int ReportDocument::openDataConnection()
{
    countDataSections();
    Connection &cn = connection();
    const QString baseDir = dataBaseDir();
    if (cn.state() == Connection::adStateOpen) {
        // Another report loaded, or the string edited: the open connection
        // would answer from the wrong database.
        if (cn.connectionString() == connectionStringData && cn.baseDir() == baseDir)
            return 0;
        cn.close();
    }
    cn.setConnectionString(connectionStringData);
    cn.setMode(Connection::adModeRead);
    cn.setBaseDir(baseDir);
    try {
        cn.open(QString(), QString(), QString(), -1);
    } catch (const DatabaseError &e) {
        m_connectionError = e.description();
        return 1;
    }
    m_connectionError.clear();
    return 0;
}

bool ReportDocument::isDataConnectionOpen() const
{
    return m_connection && m_connection->state() == Connection::adStateOpen;
}

void ReportDocument::fillListTables(QStringList &list, QList<CatalogEntry> *entries) const
{
    list.clear();
    if (entries)
        entries->clear();
    std::unique_ptr<Connection> cn;
    if (!openConnection(cn, connectionStringData, true, dataBaseDir()))
        return;
    try {
        Catalog catalog;
        catalog.setActiveConnection(cn.get());
        for (const QList<CatalogEntry> *kind : {&catalog.Tables(), &catalog.Views()}) {
            for (const CatalogEntry &entry : *kind) {
                list.append(entry.Name);
                if (entries)
                    entries->append(entry);
            }
        }
    } catch (const DatabaseError &) {
        // A source that cannot list its tables gives an empty list, like one
        // that cannot be opened.
        list.clear();
        if (entries)
            entries->clear();
    }
    cn->close();
}

QList<FieldReference> ReportDocument::listFields(int fromLevel, int toLevel)
{
    QList<FieldReference> fields;
    openDataConnection();
    for (int n = fromLevel; n <= toLevel; ++n) {
        ReportSection *sec = sections.value(ReportSection::keyOf(ReportSection::DataSection, n));
        if (!sec || sec->section_Type != ReportSection::DataSection)
            continue;
        QString sql = sec->testSQL();
        Recordset rs;
        if (runSql(sql, rs, 1) != 0)
            continue;
        const FieldCollection columns = rs.fields();
        for (int i = 0; i < columns.count(); ++i) {
            const Field column = columns.item(i);
            FieldReference f;
            f.name = column.name();
            f.level = quint8(n);
            f.adoType = column.type();
            f.table = sec->sectionName;
            fields.append(f);
        }
        rs.close();
    }
    return fields;
}
