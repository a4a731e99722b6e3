#include "platform/sqlstatement.h"

#include "platform/databaseerror.h"

#include <QCoreApplication>

#include <array>

namespace {

// How one dialect reads quotes and comments.
struct Reading
{
    bool bracketQuotes = false;       // [name] is a quoted name (SQLite, Access, SQL Server)
    bool backslashEscapes = false;    // 'it\'s' (MySQL)
    bool dashCommentNeedsSpace = false; // "--x" is minus minus x (MySQL)
    bool hashComments = false;        // # to end of line (MySQL)
    bool bangCommentIsCode = false;   // /*! … */ is run (MySQL)
    bool dollarQuotes = false;        // $tag$ … $tag$ (PostgreSQL)
    bool nestedComments = false;      // /* /* */ */ (PostgreSQL)
    bool eStrings = false;            // E'…\'…' (PostgreSQL)
};

constexpr std::array<Reading, 3> readings{{
    {true, false, false, false, false, false, false, false},
    {false, true, true, true, true, false, false, false},
    {false, false, false, false, false, true, true, true},
}};

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

class Scanner
{
public:
    Scanner(const QString &text, const Reading &reading) : m_s(text), m_r(reading) {}

    // Position of the first ';' outside quotes and comments, or -1.
    qsizetype firstSeparator(qsizetype from = 0)
    {
        m_i = from;
        const qsizetype n = m_s.size();
        while (m_i < n) {
            const qsizetype before = m_i;
            if (skipCommentOrQuote())
                continue;
            if (m_i != before)
                continue;
            if (m_s.at(m_i) == QLatin1Char(';'))
                return m_i;
            ++m_i;
        }
        return -1;
    }

    // True when text from `from` on holds something other than spaces,
    // comments and further ';'.
    bool hasContent(qsizetype from)
    {
        m_i = from;
        const qsizetype n = m_s.size();
        while (m_i < n) {
            const QChar c = m_s.at(m_i);
            if (c.isSpace() || c == QLatin1Char(';')) {
                ++m_i;
                continue;
            }
            if (isCommentStart())
                skipComment();
            else
                return true;
        }
        return false;
    }

private:
    QChar at(qsizetype i) const { return i < m_s.size() ? m_s.at(i) : QChar(); }

    bool isCommentStart() const
    {
        const QChar c = at(m_i);
        if (c == QLatin1Char('-') && at(m_i + 1) == QLatin1Char('-')) {
            if (!m_r.dashCommentNeedsSpace)
                return true;
            const QChar after = at(m_i + 2);
            return after.isNull() || after.isSpace();
        }
        if (c == QLatin1Char('#') && m_r.hashComments)
            return true;
        if (c == QLatin1Char('/') && at(m_i + 1) == QLatin1Char('*'))
            return !(m_r.bangCommentIsCode && at(m_i + 2) == QLatin1Char('!'));
        return false;
    }

    void skipComment()
    {
        const qsizetype n = m_s.size();
        if (at(m_i) == QLatin1Char('/')) {
            int depth = 1;
            m_i += 2;
            while (m_i < n && depth > 0) {
                if (at(m_i) == QLatin1Char('*') && at(m_i + 1) == QLatin1Char('/')) {
                    --depth;
                    m_i += 2;
                } else if (m_r.nestedComments && at(m_i) == QLatin1Char('/') &&
                           at(m_i + 1) == QLatin1Char('*')) {
                    ++depth;
                    m_i += 2;
                } else {
                    ++m_i;
                }
            }
            return;
        }
        while (m_i < n && at(m_i) != QLatin1Char('\n'))
            ++m_i;
    }

    void skipQuoted(QChar close, bool backslash)
    {
        const qsizetype n = m_s.size();
        ++m_i;
        while (m_i < n) {
            const QChar c = m_s.at(m_i);
            if (backslash && c == QLatin1Char('\\')) {
                m_i += 2;
                continue;
            }
            if (c == close) {
                if (at(m_i + 1) == close && close != QLatin1Char(']')) {
                    m_i += 2;
                    continue;
                }
                ++m_i;
                return;
            }
            ++m_i;
        }
    }

    // $tag$ at m_i: the length of the opening tag, or 0.
    qsizetype dollarTagLength() const
    {
        if (m_i > 0 && isIdentChar(m_s.at(m_i - 1)))
            return 0;
        qsizetype j = m_i + 1;
        if (at(j).isDigit())
            return 0;
        while (j < m_s.size() && (at(j).isLetterOrNumber() || at(j) == QLatin1Char('_')))
            ++j;
        return at(j) == QLatin1Char('$') ? j - m_i + 1 : 0;
    }

    // Skips one comment or quoted part at m_i; false when there is none.
    bool skipCommentOrQuote()
    {
        if (isCommentStart()) {
            skipComment();
            return true;
        }
        const QChar c = m_s.at(m_i);
        if (c == QLatin1Char('\'')) {
            bool backslash = m_r.backslashEscapes;
            if (m_r.eStrings && m_i > 0 &&
                (m_s.at(m_i - 1) == QLatin1Char('E') || m_s.at(m_i - 1) == QLatin1Char('e')) &&
                (m_i < 2 || !isIdentChar(m_s.at(m_i - 2))))
                backslash = true;
            skipQuoted(c, backslash);
            return true;
        }
        if (c == QLatin1Char('"')) {
            skipQuoted(c, m_r.backslashEscapes);
            return true;
        }
        if (c == QLatin1Char('`')) {
            skipQuoted(c, false);
            return true;
        }
        if (c == QLatin1Char('[') && m_r.bracketQuotes) {
            skipQuoted(QLatin1Char(']'), false);
            return true;
        }
        if (c == QLatin1Char('$') && m_r.dollarQuotes) {
            const qsizetype len = dollarTagLength();
            if (len > 0) {
                const QString tag = m_s.mid(m_i, len);
                const qsizetype end = m_s.indexOf(tag, m_i + len);
                m_i = end < 0 ? m_s.size() : end + len;
                return true;
            }
        }
        return false;
    }

    const QString &m_s;
    const Reading &m_r;
    qsizetype m_i = 0;
};

} // namespace

qsizetype SqlStatement::secondStatementAt(const QString &sql)
{
    qsizetype found = -1;
    for (const Reading &reading : readings) {
        Scanner scanner(sql, reading);
        qsizetype from = 0;
        for (;;) {
            const qsizetype sep = scanner.firstSeparator(from);
            if (sep < 0)
                break;
            if (Scanner(sql, reading).hasContent(sep + 1)) {
                if (found < 0 || sep < found)
                    found = sep;
                break;
            }
            from = sep + 1;
        }
    }
    return found;
}

QString SqlStatement::single(const QString &sql)
{
    const qsizetype second = secondStatementAt(sql);
    if (second >= 0) {
        throw DatabaseError(
            QCoreApplication::translate("SqlStatement",
                                        "Only one SQL statement can run at a time; the text "
                                        "after the ';' at character %1 was not run.")
                .arg(second + 1),
            QStringLiteral("Mirt"));
    }
    const qsizetype cut = Scanner(sql, readings[0]).firstSeparator();
    QString text = cut < 0 ? sql : sql.left(cut);
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}
