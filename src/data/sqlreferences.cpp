#include "sqlreferences.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTime>

#include <cmath>

QStringList sqlReferences(const QString &sql)
{
    QStringList refs;
    QString current;
    bool inside = false;
    for (const QChar c : sql) {
        if (c == u'{') {
            inside = true;
        } else if (c == u'}') {
            inside = false;
            refs.append(current);
            current.clear();
        } else if (inside) {
            current += c;
        }
    }
    return refs;
}

namespace {

// A plain decimal number, as SQL reads it unquoted.
bool isSqlNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*-?(\\d+(\\.\\d*)?|\\.\\d+)([eE][-+]?\\d+)?\\s*$"));
    return number.match(text).hasMatch();
}

} // namespace

QString sqlWithZeroReferences(const QString &sql)
{
    return substituteSqlReferences(sql, [](const QString &) { return QVariant(0); });
}

QString substituteSqlReferences(const QString &sql,
                                const std::function<QVariant(const QString &)> &valueOf,
                                QStringList *nullReferences)
{
    const QStringList refs = sqlReferences(sql);
    if (refs.isEmpty())
        return sql;

    // Values are looked up once per reference, in order of appearance, so the
    // lookups happen in the order the references are written.
    QHash<QString, QVariant> values;
    for (const QString &ref : refs) {
        if (values.contains(ref))
            continue;
        const QVariant value = valueOf(ref);
        values.insert(ref, value);
        if (value.isNull() && nullReferences)
            nullReferences->append(ref);
    }

    QString out;
    out.reserve(sql.size());
    QChar quote; // the quote of the literal we are in, or null outside
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        if (c == u'{') {
            const qsizetype close = sql.indexOf(u'}', i + 1);
            if (close >= 0) {
                const QString ref = sql.mid(i + 1, close - i - 1);
                const auto found = values.constFind(ref);
                if (!ref.contains(u'{') && found != values.constEnd()) {
                    QString text = found->isNull() ? QString() : sqlValueText(*found);
                    if (!quote.isNull()) {
                        text.replace(quote, QString(quote) + quote);
                    } else if (!found->isNull() && found->typeId() == QMetaType::QString &&
                               !isSqlNumber(text)) {
                        // Text from the data is a value, never SQL of its own:
                        // outside quotes it becomes a quoted literal.
                        text.replace(u'\'', QStringLiteral("''"));
                        text = u'\'' + text + u'\'';
                    }
                    out += text;
                    i = close + 1;
                    continue;
                }
            }
        } else if (c == u'\'' || c == u'"') {
            // A doubled quote inside a literal toggles twice: still inside.
            if (quote.isNull())
                quote = c;
            else if (quote == c)
                quote = QChar();
        }
        out += c;
        ++i;
    }
    return out;
}

QString sqlValueText(const QVariant &value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::abs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return value.toString();
    }
}

namespace {

// One significant token of a query: a word in capitals, or "#" for anything
// else (a number, a quoted name or text, an operator), with its depth in
// parentheses. Comments and white space are no tokens.
struct SqlToken
{
    QString text;
    int depth = 0;
};

QList<SqlToken> sqlTokens(const QString &sql)
{
    QList<SqlToken> tokens;
    const qsizetype n = sql.size();
    int depth = 0;
    qsizetype i = 0;
    auto skipTo = [&](const QString &end) {
        const qsizetype at = sql.indexOf(end, i);
        i = at < 0 ? n : at + end.size();
    };
    while (i < n) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            skipTo(QStringLiteral("\n"));
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            i += 2;
            skipTo(QStringLiteral("*/"));
        } else if (c.isLetter() || c == u'_') {
            const qsizetype start = i;
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == u'_'))
                ++i;
            tokens.append({sql.mid(start, i - start).toUpper(), depth});
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const qsizetype at = sql.indexOf(close, i + 1);
            i = at < 0 ? n : at + 1;
            tokens.append({QStringLiteral("#"), depth});
        } else {
            if (c == u'(')
                ++depth;
            tokens.append({QStringLiteral("#"), depth});
            if (c == u')')
                depth = qMax(0, depth - 1);
            ++i;
        }
    }
    return tokens;
}

} // namespace

QString selectCheckMessage(const QString &trimmedSql)
{
    const QString mustSelect =
        QCoreApplication::translate("TalvoDocument", "Your query must start with 'SELECT'");
    const QList<SqlToken> tokens = sqlTokens(trimmedSql);
    if (tokens.isEmpty())
        return mustSelect;
    const QString &first = tokens.front().text;
    if (first == QLatin1String("WITH")) {
        // Common table expressions may lead to any statement: the one that
        // follows them must read.
        static const QStringList statements{
            QStringLiteral("SELECT"), QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
            QStringLiteral("DELETE"), QStringLiteral("REPLACE"), QStringLiteral("MERGE"),
            QStringLiteral("VALUES")};
        QString main;
        for (const SqlToken &t : tokens) {
            if (t.depth == 0 && statements.contains(t.text)) {
                main = t.text;
                break;
            }
        }
        if (main != QLatin1String("SELECT") && main != QLatin1String("VALUES"))
            return mustSelect;
    } else if (first != QLatin1String("SELECT")) {
        return mustSelect;
    }
    // The keyword FROM at the end, not a name that happens to end in "from"
    // (ValidFrom): then the query is not complete.
    if (tokens.back().text == QLatin1String("FROM"))
        return QCoreApplication::translate("TalvoDocument", "You query is not complete");
    return QString();
}
