#include "platform/accessimport.h"

#include "platform/databaseerror.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include <mdbtools.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString source = QStringLiteral("mdbtools");
constexpr int offsetMask = 0x1fff;

QString tr(const char *text)
{
    return QCoreApplication::translate("AccessImport", text);
}

// mdbtools explains its failures on stderr only; this keeps what it writes
// while a file is read, so that the error shown to the user carries it.
class StderrCapture
{
public:
    StderrCapture()
    {
#ifdef Q_OS_UNIX
        std::fflush(stderr);
        m_file = std::tmpfile();
        if (m_file) {
            m_saved = dup(STDERR_FILENO);
            if (m_saved < 0 || dup2(fileno(m_file), STDERR_FILENO) < 0) {
                if (m_saved >= 0)
                    close(m_saved);
                m_saved = -1;
            }
        }
#endif
    }
    ~StderrCapture() { text(); }

    // Restores stderr and returns what was written meanwhile.
    QString text()
    {
#ifdef Q_OS_UNIX
        if (m_saved >= 0) {
            std::fflush(stderr);
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
            m_saved = -1;
        }
        if (m_file) {
            std::rewind(m_file);
            QByteArray bytes;
            char buf[4096];
            size_t got;
            while ((got = std::fread(buf, 1, sizeof buf, m_file)) > 0 && bytes.size() < 65536)
                bytes.append(buf, qsizetype(got));
            std::fclose(m_file);
            m_file = nullptr;
            m_text = QString::fromLocal8Bit(bytes).trimmed();
        }
#endif
        return m_text;
    }

private:
    std::FILE *m_file = nullptr;
    int m_saved = -1;
    QString m_text;
};

QString quoteName(QString name)
{
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString declaredType(const MdbColumn *col, bool jet3)
{
    switch (col->col_type) {
    case MDB_BOOL:
        return QStringLiteral("YESNO");
    case MDB_BYTE:
        return QStringLiteral("BYTE");
    case MDB_INT:
        return QStringLiteral("SMALLINT");
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return QStringLiteral("LONG");
    case MDB_MONEY:
        return QStringLiteral("CURRENCY");
    case MDB_FLOAT:
        return QStringLiteral("SINGLE");
    case MDB_DOUBLE:
        return QStringLiteral("DOUBLE");
    case MDB_DATETIME:
        return QStringLiteral("DATETIME");
    case MDB_BINARY:
        return QStringLiteral("VARBINARY(%1)").arg(col->col_size);
    case MDB_TEXT:
        // Jet 4 and ACE store text as UCS-2: the size is in bytes.
        return QStringLiteral("TEXT(%1) COLLATE NOCASE").arg(jet3 ? col->col_size : col->col_size / 2);
    case MDB_OLE:
        return QStringLiteral("LONGBINARY");
    case MDB_MEMO:
        return QStringLiteral("LONGTEXT COLLATE NOCASE");
    case MDB_REPID:
        return QStringLiteral("GUID");
    case MDB_NUMERIC:
        return QStringLiteral("DECIMAL(%1,%2)").arg(col->col_prec).arg(col->col_scale);
    default:
        return QStringLiteral("LONGBINARY");
    }
}

int fixedSize(int type)
{
    switch (type) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_COMPLEX:
    case MDB_FLOAT:
        return 4;
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_DATETIME:
        return 8;
    case MDB_REPID:
        return 16;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

template <typename T>
T readLE(const unsigned char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

QString takeGString(char *s)
{
    if (!s)
        return QString();
    QString text = QString::fromUtf8(s);
    g_free(s);
    return text;
}

class Importer
{
public:
    Importer(const QString &path, sqlite3 *db) : m_path(path), m_db(db) {}
    ~Importer()
    {
        if (m_mdb)
            mdb_close(m_mdb);
    }

    QStringList run()
    {
        StderrCapture capture;
        const QByteArray file = QFile::encodeName(m_path);
        m_mdb = mdb_open(file.constData(), MDB_NOFLAGS);
        if (!m_mdb)
            fail(tr("Unrecognized database format '%1'.").arg(m_path), capture.text());
        m_pageSize = int(m_mdb->fmt->pg_size);
        m_jet3 = m_mdb->f->jet_version == MDB_VER_JET3;
        // mdbtools ends a table quietly at the end of a cut-off file; the
        // file's size says whether pages are missing.
        const qint64 size = QFileInfo(m_path).size();
        if (m_pageSize <= 0 || size < 2 * qint64(m_pageSize) || size % m_pageSize != 0)
            fail(tr("The Access file '%1' is damaged: it is cut off (%2 bytes).")
                     .arg(m_path)
                     .arg(size),
                 capture.text());
        if (!mdb_read_catalog(m_mdb, MDB_TABLE))
            fail(tr("Unrecognized database format '%1'.").arg(m_path), capture.text());

        exec("BEGIN");
        QStringList names;
        for (unsigned int i = 0; i < m_mdb->num_catalog; ++i) {
            auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(m_mdb->catalog, i));
            if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry))
                continue;
            copyTable(entry, capture);
            names << QString::fromUtf8(entry->object_name);
        }
        exec("COMMIT");
        return names;
    }

private:
    [[noreturn]] void fail(const QString &message, const QString &complaint = QString())
    {
        if (!m_inTransactionFailed)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_inTransactionFailed = true;
        throw DatabaseError(complaint.isEmpty() ? message : message + QLatin1Char('\n') + complaint,
                            source);
    }

    void exec(const char *sql)
    {
        char *err = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            const QString text = QString::fromUtf8(err ? err : sqlite3_errmsg(m_db));
            sqlite3_free(err);
            fail(text);
        }
    }

    void damaged(const QString &table, StderrCapture &capture)
    {
        fail(tr("The Access file '%1' is damaged: table \"%2\" cannot be read.").arg(m_path, table),
             capture.text());
    }

    void copyTable(MdbCatalogEntry *entry, StderrCapture &capture)
    {
        const QString name = QString::fromUtf8(entry->object_name);
        MdbTableDef *table = mdb_read_table(entry);
        if (!table)
            damaged(name, capture);
        struct TableFree
        {
            MdbTableDef *t;
            ~TableFree() { mdb_free_tabledef(t); }
        } tableFree{table};
        if (!mdb_read_columns(table) || table->num_cols == 0)
            damaged(name, capture);

        const unsigned int ncols = table->num_cols;
        std::vector<MdbColumn *> cols(ncols);
        QStringList defs;
        QStringList marks;
        for (unsigned int c = 0; c < ncols; ++c) {
            cols[c] = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
            defs << quoteName(QString::fromUtf8(cols[c]->name)) + QLatin1Char(' ') +
                        declaredType(cols[c], m_jet3);
            marks << QStringLiteral("?");
        }
        exec(QStringLiteral("CREATE TABLE %1 (%2)")
                 .arg(quoteName(name), defs.join(QLatin1String(", ")))
                 .toUtf8()
                 .constData());

        const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                      .arg(quoteName(name), marks.join(QLatin1Char(',')))
                                      .toUtf8();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, insert.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
        struct StmtFree
        {
            sqlite3_stmt *s;
            ~StmtFree() { sqlite3_finalize(s); }
        } stmtFree{stmt};

        // OLE values are read through a bound buffer that receives the
        // value's header and then its pages one by one.
        std::vector<std::vector<char>> oleBuffers(ncols);
        for (unsigned int c = 0; c < ncols; ++c) {
            if (cols[c]->col_type == MDB_OLE) {
                oleBuffers[c].resize(MDB_BIND_SIZE);
                mdb_bind_column(table, int(c) + 1, oleBuffers[c].data(), nullptr);
            }
        }

        std::vector<MdbField> fields(ncols);
        unsigned int rows = 0;
        mdb_rewind_table(table);
        while (mdb_fetch_row(table)) {
            int rowStart = 0;
            size_t rowSize = 0;
            if (table->cur_row == 0 ||
                mdb_find_row(m_mdb, int(table->cur_row - 1), &rowStart, &rowSize) != 0)
                damaged(name, capture);
            rowStart &= offsetMask;
            if (mdb_crack_row(table, rowStart, rowSize, fields.data()) < 0)
                damaged(name, capture);
            sqlite3_reset(stmt);
            sqlite3_clear_bindings(stmt);
            for (unsigned int i = 0; i < ncols; ++i) {
                const MdbField &f = fields[i];
                if (f.colnum < 0 || unsigned(f.colnum) >= ncols)
                    damaged(name, capture);
                if (!bindValue(stmt, f.colnum + 1, cols[size_t(f.colnum)], f))
                    damaged(name, capture);
            }
            if (sqlite3_step(stmt) != SQLITE_DONE)
                fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
            ++rows;
        }
        // A damaged page ends the scan early without a word.
        if (rows != table->num_rows)
            fail(tr("The Access file '%1' is damaged: table \"%2\" has %3 rows, %4 could be read.")
                     .arg(m_path, name)
                     .arg(table->num_rows)
                     .arg(rows),
                 capture.text());
    }

    // Binds one value of the current row; false when the row's bytes are
    // outside its page (a damaged file).
    bool bindValue(sqlite3_stmt *stmt, int index, MdbColumn *col, const MdbField &f)
    {
        const int type = col->col_type;
        if (type == MDB_BOOL) {
            // Yes/No lives in the null mask: a set bit ("not null") is Yes.
            sqlite3_bind_int(stmt, index, f.is_null ? 0 : 1);
            return true;
        }
        if (f.is_null)
            return true;
        if (f.start < 0 || f.siz < 0 || f.start + f.siz > m_pageSize)
            return false;
        const int need = fixedSize(type);
        if (need > 0 && f.siz < need)
            return false;
        const unsigned char *p = m_mdb->pg_buf + f.start;

        switch (type) {
        case MDB_BYTE:
            sqlite3_bind_int(stmt, index, p[0]);
            return true;
        case MDB_INT:
            sqlite3_bind_int(stmt, index, readLE<qint16>(p));
            return true;
        case MDB_LONGINT:
        case MDB_COMPLEX:
            sqlite3_bind_int(stmt, index, readLE<qint32>(p));
            return true;
        case MDB_FLOAT:
            sqlite3_bind_double(stmt, index, double(readLE<float>(p)));
            return true;
        case MDB_DOUBLE:
            sqlite3_bind_double(stmt, index, readLE<double>(p));
            return true;
        case MDB_MONEY:
            // Currency is a 64-bit count of ten-thousandths.
            sqlite3_bind_double(stmt, index, double(readLE<qint64>(p)) / 10000.0);
            return true;
        case MDB_DATETIME: {
            const QByteArray text = AccessImport::dateText(readLE<double>(p)).toUtf8();
            if (!text.isEmpty())
                sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            return true;
        }
        case MDB_TEXT:
            mdb_set_bind_size(m_mdb, size_t(f.siz) * 2 + 64);
            return bindText(stmt, index,
                            takeGString(mdb_col_to_string(m_mdb, m_mdb->pg_buf, f.start, MDB_TEXT,
                                                          f.siz)));
        case MDB_MEMO: {
            if (f.siz < MDB_MEMO_OVERHEAD)
                return bindText(stmt, index, QString());
            const quint32 len = readLE<quint32>(p) & 0x3fffffffu;
            mdb_set_bind_size(m_mdb, size_t(len) * 2 + 64);
            return bindText(stmt, index,
                            takeGString(mdb_col_to_string(m_mdb, m_mdb->pg_buf, f.start, MDB_MEMO,
                                                          f.siz)));
        }
        case MDB_REPID:
            return bindText(stmt, index, takeGString(mdb_uuid_to_string(m_mdb->pg_buf, f.start)));
        case MDB_NUMERIC: {
            const QString text = takeGString(
                mdb_numeric_to_string(m_mdb, f.start, col->col_scale, col->col_prec));
            bool ok = false;
            const double v = text.toDouble(&ok);
            if (ok)
                sqlite3_bind_double(stmt, index, v);
            else
                bindText(stmt, index, text);
            return true;
        }
        case MDB_OLE: {
            if (f.siz < MDB_MEMO_OVERHEAD)
                return true;
            size_t size = 0;
            void *data = mdb_ole_read_full(m_mdb, col, &size);
            if (data)
                sqlite3_bind_blob64(stmt, index, data, size, SQLITE_TRANSIENT);
            free(data);
            return true;
        }
        default:
            sqlite3_bind_blob(stmt, index, p, f.siz, SQLITE_TRANSIENT);
            return true;
        }
    }

    bool bindText(sqlite3_stmt *stmt, int index, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return true;
    }

    QString m_path;
    sqlite3 *m_db;
    MdbHandle *m_mdb = nullptr;
    int m_pageSize = 0;
    bool m_jet3 = false;
    bool m_inTransactionFailed = false;
};

} // namespace

QString AccessImport::dateText(double value)
{
    // Jet's range is the years 100 to 9999; anything far outside is noise.
    if (!std::isfinite(value) || value < -700000.0 || value > 3000000.0)
        return QString();
    const double days = std::trunc(value);
    qint64 msecs = std::llround(std::fabs(value - days) * 86400000.0);
    // Stored seconds are whole; round the binary fraction back to them.
    qint64 secs = (msecs + 500) / 1000;
    QDate date = QDate(1899, 12, 30).addDays(qint64(days));
    if (secs >= 86400) {
        secs -= 86400;
        date = date.addDays(1);
    }
    const QTime time = QTime(0, 0).addSecs(int(secs));
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm:ss"));
}

QStringList AccessImport::import(const QString &path, sqlite3 *target)
{
    Importer importer(path, target);
    return importer.run();
}
