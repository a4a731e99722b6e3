#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The program's own help window: the help pages in a text browser with
// back, forward and home. One window serves the whole program; it is shown
// beside the other windows, never modally, and does not keep the program
// running once the last real window is closed.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    // The pages compiled into the program.
    static QString builtInHelpDir();

    // Shows the one help window on `topic` ("/emode.htm"; "/" is the index)
    // of the help in `helpDir` (a folder of pages, or one page whose folder
    // holds the others; empty: the built-in pages), creating it on first
    // use, and brings it to the front. A topic that does not exist shows the
    // index instead. Returns the window.
    static HelpViewer *showTopic(const QString &topic, const QString &helpDir = QString());
    // The window if it is open, else nullptr.
    static HelpViewer *instance();

    // The page shown.
    QUrl source() const;
    QTextBrowser *browser() const { return m_browser; }

    // The address of a topic in a help folder; an invalid URL when the
    // folder has no such page.
    static QUrl topicUrl(const QString &topic, const QString &helpDir);

private:
    explicit HelpViewer();
    // A size that fits the screen, and a place in its middle.
    void placeOnScreen();
    void open(const QUrl &page, const QUrl &home);
    void updateTitle();

    QTextBrowser *m_browser;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_home;
    QUrl m_homeUrl;
};
