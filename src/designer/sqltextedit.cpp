#include "sqltextedit.h"

#include "sqlhighlighter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringListModel>

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Names that are no plain identifier need brackets in a query.
bool needsBrackets(const QString &name)
{
    if (name.isEmpty() || name.at(0).isDigit())
        return true;
    for (QChar c : name) {
        if (!isNameChar(c))
            return true;
    }
    return false;
}

} // namespace

SqlTextEdit::SqlTextEdit(QWidget *parent)
    : QPlainTextEdit(parent), m_completer(new QCompleter(this)),
      m_words(new QStringListModel(this)), m_highlighter(new SqlHighlighter(document()))
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTabChangesFocus(true);
    m_completer->setModel(m_words);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setModelSorting(QCompleter::UnsortedModel);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setWidget(this);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this,
            &SqlTextEdit::insertCompletion);
    updateColours();
}

void SqlTextEdit::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        updateColours();
}

void SqlTextEdit::updateColours()
{
    m_highlighter->setDarkBackground(palette().color(QPalette::Base).lightness() < 128);
}

QString SqlTextEdit::completionPrefix(bool *bracketed) const
{
    const QTextCursor tc = textCursor();
    const QString line = tc.block().text();
    const int caret = tc.positionInBlock();
    // Inside an unclosed "[" the name may hold blanks: "[Order De".
    const int open = caret > 0 ? int(line.lastIndexOf(u'[', caret - 1)) : -1;
    if (open >= 0) {
        const int close = int(line.indexOf(u']', open));
        if (close < 0 || close >= caret) {
            if (bracketed)
                *bracketed = true;
            return line.mid(open + 1, caret - open - 1);
        }
    }
    int start = caret;
    while (start > 0 && isNameChar(line.at(start - 1)))
        --start;
    if (bracketed)
        *bracketed = start > 0 && line.at(start - 1) == u'[';
    return line.mid(start, caret - start);
}

void SqlTextEdit::complete()
{
    if (!completionWords)
        return;
    m_words->setStringList(completionWords());
    m_completer->setCompletionPrefix(completionPrefix());
    if (m_completer->completionCount() == 0) {
        m_completer->popup()->hide();
        return;
    }
    if (m_completer->completionCount() == 1) {
        m_completer->setCurrentRow(0);
        insertCompletion(m_completer->currentCompletion());
        return;
    }
    m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    QRect r = cursorRect();
    r.setWidth(m_completer->popup()->sizeHintForColumn(0) +
               m_completer->popup()->verticalScrollBar()->sizeHint().width());
    m_completer->complete(r);
}

void SqlTextEdit::insertCompletion(const QString &word)
{
    bool bracketed = false;
    const QString prefix = completionPrefix(&bracketed);
    QTextCursor tc = textCursor();
    tc.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, int(prefix.size()));
    QString text = word;
    if (bracketed) {
        const QString rest = tc.block().text().mid(textCursor().positionInBlock());
        if (!rest.startsWith(u']'))
            text += u']';
    } else if (needsBrackets(word)) {
        text = u'[' + word + u']';
    }
    tc.insertText(text);
    setTextCursor(tc);
}

void SqlTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool popupOpen = m_completer->popup()->isVisible();
    if (popupOpen) {
        // The completer's own list takes these keys.
        switch (event->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            event->ignore();
            return;
        default:
            break;
        }
    }
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier)) {
        complete();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    if (popupOpen) {
        // Typing on narrows the list; leaving the name closes it.
        const QString prefix = completionPrefix();
        if (prefix.isEmpty()) {
            m_completer->popup()->hide();
        } else {
            m_completer->setCompletionPrefix(prefix);
            if (m_completer->completionCount() == 0)
                m_completer->popup()->hide();
            else
                m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
        }
    }
    emit keyTyped(event->text());
}
