#pragma once

#include "platform/fieldcollection.h"

#include <QString>
#include <QVariant>

#include <memory>

class Connection;
struct RecordsetData;

// The rows of one query (ADO's Recordset). Every recordset is a static,
// read-only snapshot: open() reads all rows (at most maxRecords()) at once, so
// recordCount() is known, any row can be reached, and the recordset stays
// readable after its connection closes. cursorType() and lockType() are kept and
// reported only.
//
// The cursor is on a row, before the first (BOF) or after the last (EOF);
// an empty recordset is at BOF and EOF at once. Moving past either end, and
// anything but open() on a closed recordset, raises DatabaseError.
//
// eof() and bof() are ADO's EOF and BOF (EOF is a C library macro).
class Recordset
{
public:
    enum { adStateClosed = 0, adStateOpen = 1 };
    enum { adOpenForwardOnly = 0, adOpenStatic = 3 };
    enum { adLockReadOnly = 1 };
    enum { adClipString = 2 };
    enum { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

    Recordset();
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    // 0: no limit. Can only be set while closed.
    long maxRecords() const { return m_maxRecords; }
    void setMaxRecords(long maxRecords);
    int cursorType() const { return m_cursorType; }
    void setCursorType(int cursorType) { m_cursorType = cursorType; }
    int lockType() const { return m_lockType; }
    void setLockType(int lockType) { m_lockType = lockType; }

    // Runs `source` (one SELECT statement) on the open connection. -1 for
    // cursorType and lockType keeps the recordset's own settings. Raises
    // DatabaseError with the driver's description, and when already open.
    void open(const QString &source, const Connection &activeConnection, int cursorType = -1,
              int lockType = -1, long options = -1);
    // Does nothing when closed.
    void close();
    int state() const;
    // The query text given to open().
    QString source() const { return m_source; }

    bool eof() const;
    bool bof() const;
    // moveFirst and moveLast do nothing on an empty recordset.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    long recordCount() const;
    // 1-based number of the current row; adPosBOF or adPosEOF off the rows.
    long absolutePosition() const;
    // Makes row `position` (1-based) the current row.
    void setAbsolutePosition(long position);

    // Rows from the current one on as text, and moves past them (to EOF
    // when all were read). numRows -1 (or 0) means all remaining rows.
    // Only the clip format (2) exists. The format of one row:
    //   value, columnDelimiter, value, …, value, rowDelimiter
    // (the row delimiter ends every row, the last one too). Null is
    // nullExpr; Yes/No "True"/"False"; numbers in C-locale digits with the
    // shortest exact form ("2.5", "1995.5", "12"); dates "yyyy-MM-dd",
    // date-times "yyyy-MM-dd HH:mm:ss" (the date alone at midnight, the time
    // alone on 1899-12-30), times "HH:mm:ss"; binary values
    // "(binary, N bytes)". A column delimiter inside a value becomes a
    // space, so that a row always splits into its columns.
    // With the browser's arguments (2, 1, "\t", " ", "") one row gives
    // "a\tb\t\tc " for the values a, b, Null, c.
    QString GetString(int stringFormat = adClipString, long numRows = -1,
                      const QString &columnDelimiter = QStringLiteral("\t"),
                      const QString &rowDelimiter = QStringLiteral("\r"),
                      const QString &nullExpr = QString());

    FieldCollection fields() const;

    // The value of column `column` (0-based) in the current row, without a
    // Field: for loops over many rows. Raises DatabaseError off the rows.
    const QVariant &value(int column) const;

private:
    RecordsetData &data() const;
    void requireRecord() const;

    std::shared_ptr<RecordsetData> m_data;
    long m_maxRecords = 0;
    int m_cursorType = adOpenForwardOnly;
    int m_lockType = adLockReadOnly;
    QString m_source;
};
