#pragma once

#include <QString>

// One field a data source delivers, or a parsed field reference such as
// [Customers].[Name]. For fields listed from the report's data sections
// `table` holds the section's name, so that fullText() is exactly the
// reference written in item texts, formulas and SQL.
class FieldReference
{
public:
    FieldReference() = default;
    explicit FieldReference(const QString &reference) { init(reference); }

    // Splits "[Table].[Name]", "[Name]" or "Name" into table and name, the
    // brackets removed; a doubled bracket counts as a single one.
    void init(const QString &reference);

    QString nameB() const;   // "[" + name + "]"
    QString tableB() const;  // "[" + table + "]"
    // "" without a name, "[name]" without a table, else "[table].[name]".
    QString fullText() const;

    // Nothing to release; kept so owners can treat every model object alike.
    void release() {}

    quint8 level = 0; // number of the data section that delivers the field
    QString name;
    QString table;
    int adoType = 0;  // the ADO data-type number the provider reports
};
