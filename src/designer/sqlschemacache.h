#pragma once

#include <QString>
#include <QStringList>

class ReportDocument;

// The names the query editor offers for completion: keywords, the tables
// and views of the report's data source, and their field names. A data
// source is read once per connection (string and report folder) and table;
// clear() forgets everything, for a source whose tables changed.
class SqlSchemaCache
{
public:
    // The fields of the tables named in `sql` (of every table when it names
    // none), then the tables and views, then the SQL keywords.
    static QStringList completionWords(ReportDocument &doc, const QString &sql);
    // The tables and views of the document's data source, as FillListTables
    // gives them.
    static QStringList tables(ReportDocument &doc);
    // The field names of one table or view; empty when it cannot be read.
    static QStringList fields(ReportDocument &doc, const QString &table);
    static void clear();
};
