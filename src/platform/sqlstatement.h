#pragma once

#include <QString>

// Checks that an SQL text holds exactly one statement, so that text after a
// ';' ("SELECT * FROM t; DELETE FROM t") never reaches a driver that would run
// it. The text is scanned the way each supported dialect reads it (standard
// quotes and comments; MySQL's backslash escapes, "-- " comments and /*! … */
// code; PostgreSQL's $$ quoting and nested comments; brackets as quotes or
// not), and it is refused when any of these readings finds a second
// statement. A ';' followed only by spaces and comments is allowed and cut
// off.
class SqlStatement
{
public:
    // Returns the one statement, without its final ';' and trailing spaces;
    // raises DatabaseError when a second statement follows.
    static QString single(const QString &sql);

    // 0-based position of the first ';' that ends a statement and is followed
    // by more than spaces and comments, under any dialect reading; -1 if none.
    static qsizetype secondStatementAt(const QString &sql);
};
