#pragma once

#include <QString>

// Rewrites the Access (Jet) SQL that report authors write into SQL that the
// private SQLite copy of an Access file runs with the same result.
//
// [Bracketed names] pass unchanged (SQLite reads them too). What differs:
// - "double quoted" texts are string literals in Jet, names in SQLite;
// - #1/31/2024# and #2024-01-31 10:00# date literals become the text form the
//   copy stores dates in ('2024-01-31 10:00:00');
// - & joins texts (||), Mod is the remainder operator (%);
// - LIKE patterns use * and ? as well as % and _;
// - Left( and Right( call JetLeft and JetRight, Left$( and the other $
//   forms the plain functions;
// - SELECT TOP n becomes LIMIT n; DISTINCTROW is dropped (on the simple
//   queries of reports it selects the same rows as a plain SELECT).
// Text comparisons ignore case because the copy's text columns are declared
// NOCASE, as Jet compares. Jet's usual functions (Len, UCase, Mid, Nz, Year,
// …) are provided by AccessFunctions.
class AccessSql
{
public:
    static QString toSqlite(const QString &jetSql);

    // Parses the inside of a Jet #…# literal (US month/day/year or ISO order,
    // optional time with AM/PM); empty when it is not a date.
    static QString dateLiteral(const QString &inside);
};
