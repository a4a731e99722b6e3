#include "sqlreferences.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QHash>
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
                    if (!quote.isNull())
                        text.replace(quote, QString(quote) + quote);
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

QString selectCheckMessage(const QString &trimmedSql)
{
    // Line breaks and tabs separate words as spaces do: queries are often
    // written on several lines ("SELECT a\r\nFROM t").
    QString upper = trimmedSql.toUpper();
    for (QChar &c : upper) {
        if (c.isSpace())
            c = u' ';
    }
    if (!upper.startsWith(QStringLiteral("SELECT ")))
        return QCoreApplication::translate("TalvoDocument", "Your query must start with 'SELECT'");
    if (!upper.contains(QStringLiteral(" FROM ")))
        return QCoreApplication::translate(
            "TalvoDocument", "Your query must contain ' FROM ' and at least one source table");
    // The keyword FROM at the end, not a name that happens to end in "from"
    // (ValidFrom): that is a complete query.
    if (upper.endsWith(QStringLiteral("FROM")) &&
        (upper.size() == 4 || upper.at(upper.size() - 5) == u' '))
        return QCoreApplication::translate("TalvoDocument", "You query is not complete");
    return QString();
}
