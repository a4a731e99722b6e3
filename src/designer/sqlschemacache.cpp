#include "sqlschemacache.h"

#include "designer/sqlhighlighter.h"
#include "document/reportdocument.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

struct SourceNames
{
    bool tablesRead = false;
    QStringList tables;
    QHash<QString, QStringList> fields; // by table name
};

QHash<QString, SourceNames> &cache()
{
    static QHash<QString, SourceNames> names;
    return names;
}

SourceNames &namesOf(const ReportDocument &doc)
{
    return cache()[doc.connectionStringData + u'\n' + doc.dataBaseDir()];
}

// Completing from every table of a large source would read each one; past
// this many tables only the tables named in the query are read.
constexpr int maxTablesRead = 64;

bool namesTable(const QString &sql, const QString &table)
{
    const QRegularExpression word(QStringLiteral("(^|[^\\w])") + QRegularExpression::escape(table) +
                                      QStringLiteral("($|[^\\w])"),
                                  QRegularExpression::CaseInsensitiveOption);
    return word.match(sql).hasMatch();
}

} // namespace

QStringList SqlSchemaCache::tables(ReportDocument &doc)
{
    SourceNames &names = namesOf(doc);
    if (!names.tablesRead) {
        doc.fillListTables(names.tables);
        names.tablesRead = true;
    }
    return names.tables;
}

QStringList SqlSchemaCache::fields(ReportDocument &doc, const QString &table)
{
    SourceNames &names = namesOf(doc);
    const auto found = names.fields.constFind(table);
    if (found != names.fields.constEnd())
        return *found;
    QStringList list;
    if (doc.openDataConnection() == 0) {
        try {
            Recordset rs;
            rs.setMaxRecords(1);
            rs.open(QStringLiteral("select * from [") + table + u']', doc.connection());
            const FieldCollection columns = rs.fields();
            for (int i = 0; i < columns.count(); ++i)
                list.append(columns.item(i).name());
        } catch (const DatabaseError &) {
            // A table that cannot be read offers no fields; completion is
            // no place for an error message.
        }
    }
    names.fields.insert(table, list);
    return list;
}

QStringList SqlSchemaCache::completionWords(ReportDocument &doc, const QString &sql)
{
    const QStringList all = tables(doc);
    QStringList named;
    for (const QString &t : all) {
        if (namesTable(sql, t))
            named.append(t);
    }
    if (named.isEmpty() && all.size() <= maxTablesRead)
        named = all;

    QStringList words;
    QSet<QString> seen;
    auto add = [&](const QString &w) {
        if (!seen.contains(w)) {
            seen.insert(w);
            words.append(w);
        }
    };
    for (const QString &t : std::as_const(named)) {
        for (const QString &f : fields(doc, t))
            add(f);
    }
    for (const QString &t : all)
        add(t);
    for (const QString &k : SqlHighlighter::keywords())
        add(k);
    return words;
}

void SqlSchemaCache::clear()
{
    cache().clear();
}
