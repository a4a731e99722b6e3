#include "platform/accesssql.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Jet wildcards * and ? in a LIKE pattern become SQLite's % and _.
QString likePattern(QString text)
{
    text.replace(QLatin1Char('*'), QLatin1Char('%'));
    text.replace(QLatin1Char('?'), QLatin1Char('_'));
    return text;
}

QString sqlQuote(QString text)
{
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// Reads a quoted part starting at i (the opening quote); returns its inside
// with doubled quotes undone and moves i past the closing quote.
QString readQuoted(const QString &s, qsizetype &i)
{
    const QChar quote = s.at(i);
    QString inside;
    ++i;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (c == quote) {
            if (i + 1 < s.size() && s.at(i + 1) == quote) {
                inside += c;
                i += 2;
                continue;
            }
            ++i;
            return inside;
        }
        inside += c;
        ++i;
    }
    return inside;
}

} // namespace

QString AccessSql::dateLiteral(const QString &inside)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(?:(\d{1,4})[-/.](\d{1,2})[-/.](\d{1,4}))?\s*)"
                       R"((?:(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(inside);
    if (!m.hasMatch() || (m.capturedLength(1) == 0 && m.capturedLength(4) == 0))
        return QString();

    QDate date(1899, 12, 30);
    if (m.capturedLength(1) > 0) {
        int year, month, day;
        if (m.capturedLength(1) >= 3) {
            year = m.captured(1).toInt();
            month = m.captured(2).toInt();
            day = m.captured(3).toInt();
        } else {
            month = m.captured(1).toInt();
            day = m.captured(2).toInt();
            year = m.captured(3).toInt();
            if (m.capturedLength(3) <= 2)
                year += year < 30 ? 2000 : 1900;
        }
        date = QDate(year, month, day);
        if (!date.isValid())
            return QString();
    }
    QTime time(0, 0);
    if (m.capturedLength(4) > 0) {
        int hour = m.captured(4).toInt();
        const QString ampm = m.captured(7).toUpper();
        if (!ampm.isEmpty()) {
            if (hour < 1 || hour > 12)
                return QString();
            if (ampm == QLatin1String("PM") && hour != 12)
                hour += 12;
            if (ampm == QLatin1String("AM") && hour == 12)
                hour = 0;
        }
        time = QTime(hour, m.captured(5).toInt(), m.captured(6).toInt());
        if (!time.isValid())
            return QString();
    }
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm:ss"));
}

QString AccessSql::toSqlite(const QString &jetSql)
{
    const QString &s = jetSql;
    const qsizetype n = s.size();
    QString out;
    out.reserve(n + 16);

    QString lastWord;     // the last keyword or name, upper case
    int depth = 0;        // parenthesis depth
    bool seenSelect = false;
    QString limit;        // from SELECT TOP n

    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        const bool afterLike = lastWord == QLatin1String("LIKE");

        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const QString inside = readQuoted(s, i);
            out += sqlQuote(afterLike ? likePattern(inside) : inside);
            lastWord.clear();
            continue;
        }
        if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const qsizetype end = s.indexOf(close, i + 1);
            const qsizetype stop = end < 0 ? n : end + 1;
            out += s.mid(i, stop - i);
            i = stop;
            lastWord = QStringLiteral("[name]");
            continue;
        }
        if (c == QLatin1Char('#')) {
            const qsizetype end = s.indexOf(QLatin1Char('#'), i + 1);
            if (end > i) {
                const QString date = dateLiteral(s.mid(i + 1, end - i - 1));
                if (!date.isEmpty()) {
                    out += sqlQuote(date);
                    i = end + 1;
                    lastWord.clear();
                    continue;
                }
            }
            out += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('&')) {
            out += QLatin1String(" || ");
            ++i;
            lastWord.clear();
            continue;
        }
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        }
        if (isWordStart(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(s.at(j)))
                ++j;
            const QString word = s.mid(i, j - i);
            const QString upper = word.toUpper();
            i = j;

            // Jet's Left$, Mid$, … are Left, Mid, …
            qsizetype next = i;
            if (next < n && s.at(next) == QLatin1Char('$'))
                ++next;
            while (next < n && s.at(next).isSpace())
                ++next;
            const bool call = next < n && s.at(next) == QLatin1Char('(');
            if (call && i < n && s.at(i) == QLatin1Char('$'))
                ++i;
            // LEFT and RIGHT are join words to SQLite; the functions go by
            // other names.
            if (call && (upper == QLatin1String("LEFT") || upper == QLatin1String("RIGHT"))) {
                out += upper == QLatin1String("LEFT") ? QLatin1String("JetLeft")
                                                      : QLatin1String("JetRight");
                lastWord = upper;
                continue;
            }
            if (upper == QLatin1String("DISTINCTROW")) {
                continue;
            }
            if (upper == QLatin1String("MOD")) {
                out += QLatin1Char('%');
                lastWord = upper;
                continue;
            }
            if (upper == QLatin1String("ALIKE")) {
                out += QLatin1String("LIKE");
                lastWord = QStringLiteral("LIKE");
                continue;
            }
            if (upper == QLatin1String("TOP") && depth == 0 && limit.isEmpty() &&
                (lastWord == QLatin1String("SELECT") || lastWord == QLatin1String("DISTINCT") ||
                 lastWord == QLatin1String("ALL"))) {
                qsizetype k = i;
                while (k < n && s.at(k).isSpace())
                    ++k;
                qsizetype d = k;
                while (d < n && s.at(d).isDigit())
                    ++d;
                qsizetype after = d;
                while (after < n && s.at(after).isSpace())
                    ++after;
                const bool percent =
                    s.mid(after, 7).compare(QLatin1String("PERCENT"), Qt::CaseInsensitive) == 0;
                if (d > k && !percent) {
                    limit = s.mid(k, d - k);
                    i = d;
                    continue;
                }
            }
            if (upper == QLatin1String("SELECT") && depth == 0)
                seenSelect = true;
            out += word;
            lastWord = upper;
            continue;
        }
        if (!c.isSpace())
            lastWord.clear();
        out += c;
        ++i;
    }

    if (!limit.isEmpty() && seenSelect)
        out += QLatin1String(" LIMIT ") + limit;
    return out;
}
