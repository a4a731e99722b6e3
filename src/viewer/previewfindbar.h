#pragma once

#include "previewfind.h"

#include <QToolBar>

class QLabel;
class QLineEdit;
class ReportDocument;

// The find bar of the preview: a text, next and previous, and "n of m".
// Matches are searched over all stored pages; pages made since the last
// search (a run still going) are searched again on the next step, keeping
// the match in force.
class PreviewFindBar : public QToolBar
{
    Q_OBJECT

public:
    explicit PreviewFindBar(QWidget *parent = nullptr);

    void setDocument(ReportDocument *doc);
    // Shows the bar with its text selected for typing.
    void activate();
    // The next (1) or previous (-1) match, from the page shown when there
    // is none in force yet.
    void step(int direction, int shownPage);
    // Forgets the matches (a new run).
    void reset();
    // The match boxes on page n, in the document unit; `current` gets the
    // index of the match in force among them, or -1.
    QList<QRectF> matchesOn(int page, int *current) const;

    QLineEdit *textEdit() const { return m_text; }

signals:
    // Go to this page: the match in force is on it.
    void pageWanted(int page);
    // The matches or the match in force changed.
    void matchesChanged();
    // Return in the text: next, or previous with Shift.
    void stepRequested(int direction);

private:
    ReportDocument *m_doc = nullptr;
    QLineEdit *m_text;
    QLabel *m_count;
    QList<PreviewFindHit> m_hits;
    QString m_needle;
    int m_pages = -1;        // page count the matches were searched on
    bool m_complete = false; // searched after the run ended
    int m_index = -1;
};
