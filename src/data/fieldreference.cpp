#include "fieldreference.h"

#include <QStringList>

namespace {
QString withoutBrackets(QString text)
{
    text.remove(u'[');
    text.remove(u']');
    return text;
}
} // namespace

void FieldReference::init(const QString &reference)
{
    QString text = reference;
    text.replace(QStringLiteral("[["), QStringLiteral("["));
    text.replace(QStringLiteral("]]"), QStringLiteral("]"));

    static const QString separator = QStringLiteral("].[");
    // A separator at the very start leaves no room for a table name ("].[x"),
    // and one right after a lone "[" leaves an empty one: both read as a name.
    // A one-character name ("X].[id", as an item keeps [X].[id]) is a table.
    const qsizetype at = text.indexOf(separator);
    if (at >= 1 && !withoutBrackets(text.left(at)).isEmpty()) {
        const QStringList parts = text.split(separator);
        name = parts.at(1);
        name.remove(u']');
        table = parts.at(0);
        table.remove(u'[');
    } else {
        name = text;
        table.clear();
    }
    name = withoutBrackets(name);
    table = withoutBrackets(table);
}

QString FieldReference::nameB() const
{
    return u'[' + name + u']';
}

QString FieldReference::tableB() const
{
    return u'[' + table + u']';
}

QString FieldReference::fullText() const
{
    if (name.isEmpty())
        return QString();
    if (table.isEmpty())
        return nameB();
    return tableB() + u'.' + nameB();
}
