#pragma once

#include <QPlainTextEdit>

#include <functional>

class QCompleter;
class QStringListModel;
class SqlHighlighter;

// The text box of the query editor: SQL highlighting, and completion of
// keywords, table and field names on Ctrl+Space. It reports every key typed
// so that its owner can open or close the list of references.
class SqlTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit SqlTextEdit(QWidget *parent = nullptr);

    // The words offered on Ctrl+Space, asked for each time (the provider
    // keeps its own cache).
    std::function<QStringList()> completionWords;

    QCompleter *completer() const { return m_completer; }
    SqlHighlighter *highlighter() const { return m_highlighter; }
    // Opens the completion list for the word before the caret; a single
    // candidate is inserted at once.
    void complete();
    // The part of a name typed before the caret, and whether it follows "[".
    QString completionPrefix(bool *bracketed = nullptr) const;

signals:
    // After the key was handled; `text` is what the key typed (may be empty).
    void keyTyped(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void insertCompletion(const QString &word);
    void updateColours();

    QCompleter *m_completer;
    QStringListModel *m_words;
    SqlHighlighter *m_highlighter;
};
