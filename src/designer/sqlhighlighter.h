#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours an SQL text: keywords, quoted literals, numbers, "--" and "/* */"
// comments, and the {references} that are replaced by values of a parent
// record before the query runs. References are marked inside literals and
// comments too, because they are replaced there as well.
class SqlHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    enum Kind
    {
        Keyword,
        String,
        Number,
        Comment,
        Reference,
        KindCount
    };

    explicit SqlHighlighter(QTextDocument *document);

    // Picks colours that read on a dark or a light background.
    void setDarkBackground(bool dark);
    // The format used for a kind (tests compare the formats of a layout).
    QTextCharFormat format(Kind kind) const { return m_formats[kind]; }

    static bool isKeyword(const QString &word);
    static QStringList keywords();

protected:
    void highlightBlock(const QString &text) override;

private:
    // A block state: what is still open at the end of a line.
    enum State
    {
        Normal = 0,
        InComment = 1,
        InSingleQuoted = 2,
        InDoubleQuoted = 3
    };

    // Formats from `from` up to the end of the comment or literal that is
    // open there; returns where scanning goes on, or -1 when it stays open.
    int finishComment(const QString &text, int from);
    int finishQuoted(const QString &text, int from, QChar quote);
    void markSpan(const QString &text, int from, int to, Kind kind);

    QTextCharFormat m_formats[KindCount];
};
