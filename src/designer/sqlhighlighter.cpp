#include "sqlhighlighter.h"

#include <QSet>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

SqlHighlighter::SqlHighlighter(QTextDocument *document) : QSyntaxHighlighter(document)
{
    setDarkBackground(false);
}

void SqlHighlighter::setDarkBackground(bool dark)
{
    const QColor keyword = dark ? QColor(0x82, 0xaa, 0xff) : QColor(0x00, 0x33, 0x99);
    const QColor string = dark ? QColor(0xe6, 0xa4, 0x72) : QColor(0xa3, 0x15, 0x15);
    const QColor number = dark ? QColor(0xb5, 0xce, 0xa8) : QColor(0x09, 0x86, 0x58);
    const QColor comment = dark ? QColor(0x8a, 0x8a, 0x8a) : QColor(0x70, 0x70, 0x70);
    const QColor reference = dark ? QColor(0xd7, 0x9e, 0xe6) : QColor(0x80, 0x00, 0x80);
    const QColor referenceBack = dark ? QColor(0x3a, 0x2a, 0x40) : QColor(0xf6, 0xea, 0xf8);

    for (QTextCharFormat &f : m_formats)
        f = QTextCharFormat();
    m_formats[Keyword].setForeground(keyword);
    m_formats[Keyword].setFontWeight(QFont::Bold);
    m_formats[String].setForeground(string);
    m_formats[Number].setForeground(number);
    m_formats[Comment].setForeground(comment);
    m_formats[Comment].setFontItalic(true);
    m_formats[Reference].setForeground(reference);
    m_formats[Reference].setBackground(referenceBack);
    rehighlight();
}

QStringList SqlHighlighter::keywords()
{
    static const QStringList words = {
        QStringLiteral("ALL"),   QStringLiteral("AND"),    QStringLiteral("AS"),
        QStringLiteral("ASC"),   QStringLiteral("AVG"),    QStringLiteral("BETWEEN"),
        QStringLiteral("BY"),    QStringLiteral("CASE"),   QStringLiteral("COUNT"),
        QStringLiteral("CROSS"), QStringLiteral("DESC"),   QStringLiteral("DISTINCT"),
        QStringLiteral("ELSE"),  QStringLiteral("END"),    QStringLiteral("EXISTS"),
        QStringLiteral("FALSE"), QStringLiteral("FROM"),   QStringLiteral("FULL"),
        QStringLiteral("GROUP"), QStringLiteral("HAVING"), QStringLiteral("IN"),
        QStringLiteral("INNER"), QStringLiteral("IS"),     QStringLiteral("JOIN"),
        QStringLiteral("LEFT"),  QStringLiteral("LIKE"),   QStringLiteral("LIMIT"),
        QStringLiteral("MAX"),   QStringLiteral("MIN"),    QStringLiteral("NOT"),
        QStringLiteral("NULL"),  QStringLiteral("OFFSET"), QStringLiteral("ON"),
        QStringLiteral("OR"),    QStringLiteral("ORDER"),  QStringLiteral("OUTER"),
        QStringLiteral("RIGHT"), QStringLiteral("SELECT"), QStringLiteral("SUM"),
        QStringLiteral("THEN"),  QStringLiteral("TOP"),    QStringLiteral("TRUE"),
        QStringLiteral("UNION"), QStringLiteral("WHEN"),   QStringLiteral("WHERE"),
        QStringLiteral("WITH")};
    return words;
}

bool SqlHighlighter::isKeyword(const QString &word)
{
    static const QSet<QString> set = [] {
        QSet<QString> s;
        for (const QString &w : keywords())
            s.insert(w);
        return s;
    }();
    return set.contains(word.toUpper());
}

void SqlHighlighter::markSpan(const QString &text, int from, int to, Kind kind)
{
    setFormat(from, to - from, m_formats[kind]);
    if (kind == Reference)
        return;
    // References inside a literal or a comment are still replaced.
    int open = text.indexOf(u'{', from);
    while (open >= 0 && open < to) {
        int close = text.indexOf(u'}', open + 1);
        const int end = (close < 0 || close >= to) ? to : close + 1;
        setFormat(open, end - open, m_formats[Reference]);
        open = text.indexOf(u'{', end);
    }
}

int SqlHighlighter::finishComment(const QString &text, int from)
{
    const int close = text.indexOf(QStringLiteral("*/"), from);
    if (close < 0) {
        markSpan(text, from, text.size(), Comment);
        setCurrentBlockState(InComment);
        return -1;
    }
    markSpan(text, from, close + 2, Comment);
    return close + 2;
}

int SqlHighlighter::finishQuoted(const QString &text, int from, QChar quote)
{
    int j = from;
    while (j < text.size()) {
        if (text.at(j) == quote) {
            // A doubled quote is one quote character inside the literal.
            if (j + 1 < text.size() && text.at(j + 1) == quote) {
                j += 2;
                continue;
            }
            markSpan(text, from, j + 1, String);
            return j + 1;
        }
        ++j;
    }
    markSpan(text, from, text.size(), String);
    setCurrentBlockState(quote == u'\'' ? InSingleQuoted : InDoubleQuoted);
    return -1;
}

void SqlHighlighter::highlightBlock(const QString &text)
{
    setCurrentBlockState(Normal);
    const int n = int(text.size());
    int i = 0;
    switch (previousBlockState()) {
    case InComment:
        i = finishComment(text, 0);
        break;
    case InSingleQuoted:
        i = finishQuoted(text, 0, u'\'');
        break;
    case InDoubleQuoted:
        i = finishQuoted(text, 0, u'"');
        break;
    default:
        break;
    }
    while (i >= 0 && i < n) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        if (c == u'-' && next == u'-') {
            markSpan(text, i, n, Comment);
            return;
        }
        if (c == u'/' && next == u'*') {
            const int close = text.indexOf(QStringLiteral("*/"), i + 2);
            if (close < 0) {
                markSpan(text, i, n, Comment);
                setCurrentBlockState(InComment);
                return;
            }
            markSpan(text, i, close + 2, Comment);
            i = close + 2;
        } else if (c == u'\'' || c == u'"') {
            const int start = i;
            i = finishQuoted(text, i + 1, c);
            // The opening quote belongs to the literal as well.
            setFormat(start, 1, m_formats[String]);
        } else if (c == u'{') {
            const int close = text.indexOf(u'}', i + 1);
            const int end = close < 0 ? n : close + 1;
            markSpan(text, i, end, Reference);
            i = end;
        } else if (c == u'[') {
            // A bracketed name is never a keyword or a number.
            const int close = text.indexOf(u']', i + 1);
            i = close < 0 ? n : close + 1;
        } else if (c.isLetter() || c == u'_') {
            int j = i + 1;
            while (j < n && isWordChar(text.at(j)))
                ++j;
            if (isKeyword(text.mid(i, j - i)))
                setFormat(i, j - i, m_formats[Keyword]);
            i = j;
        } else if (c.isDigit() || (c == u'.' && next.isDigit())) {
            int j = i;
            while (j < n && (text.at(j).isDigit() || text.at(j) == u'.'))
                ++j;
            if (j < n && (text.at(j) == u'e' || text.at(j) == u'E')) {
                int k = j + 1;
                if (k < n && (text.at(k) == u'+' || text.at(k) == u'-'))
                    ++k;
                if (k < n && text.at(k).isDigit()) {
                    j = k;
                    while (j < n && text.at(j).isDigit())
                        ++j;
                }
            }
            // "2x" is a name, not a number followed by letters.
            if (j >= n || !isWordChar(text.at(j)))
                setFormat(i, j - i, m_formats[Number]);
            while (j < n && isWordChar(text.at(j)))
                ++j;
            i = j;
        } else {
            ++i;
        }
    }
}
