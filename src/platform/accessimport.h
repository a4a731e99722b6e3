#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

// Copies every user table of a Microsoft Access file (.mdb, Jet 3/4, or
// .accdb, ACE) into an SQLite database, normally a private in-memory one,
// with mdbtools. The file is opened for reading only and never written.
//
// Column types become these declared types in the copy, so that a query's
// fields report the types Access reported:
//   Text "TEXT(n)", Memo "LONGTEXT" (both compared without regard to case,
//   as Jet compares), Byte "BYTE", Integer "SMALLINT", Long Integer "LONG",
//   Single "SINGLE", Double "DOUBLE", Currency "CURRENCY", Date/Time
//   "DATETIME", Yes/No "YESNO", Binary "VARBINARY(n)", OLE Object
//   "LONGBINARY", Replication ID "GUID", Decimal "DECIMAL(p,s)".
// Dates are stored as text 'yyyy-MM-dd HH:mm:ss' (any year from 100 to
// 9999), Yes/No as 1 or 0, Currency as its decimal value.
//
// Saved queries are not copied: mdbtools cannot give back their SQL
// faithfully, and a wrong query would give wrong figures without a warning.
class AccessImport
{
public:
    // Returns the names of the copied tables; raises DatabaseError when the
    // file cannot be read (with mdbtools' own complaint where it gave one).
    static QStringList import(const QString &path, sqlite3 *target);

    // The stored text of a Jet date value (days since 1899-12-30, the
    // fraction being the time of day, also for days before that date); empty
    // when the value is no date.
    static QString dateText(double value);
};
