#include "previewfindbar.h"

#include "previewicons.h"

#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

PreviewFindBar::PreviewFindBar(QWidget *parent) : QToolBar(tr("Find"), parent)
{
    setObjectName(QStringLiteral("findBar"));
    setMovable(false);
    addWidget(new QLabel(tr("Find:"), this));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setClearButtonEnabled(true);
    m_text->setMaximumWidth(320);
    addWidget(m_text);
    QAction *previous =
        addAction(previewThemeIcon(this, "go-up", QStyle::SP_ArrowUp), tr("Previous"));
    connect(previous, &QAction::triggered, this, [this] { emit stepRequested(-1); });
    QAction *next = addAction(previewThemeIcon(this, "go-down", QStyle::SP_ArrowDown), tr("Next"));
    connect(next, &QAction::triggered, this, [this] { emit stepRequested(1); });
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("findCount"));
    m_count->setContentsMargins(8, 0, 8, 0);
    addWidget(m_count);
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        emit stepRequested(QApplication::keyboardModifiers() & Qt::ShiftModifier ? -1 : 1);
    });
    // A new text is searched from the page on display.
    connect(m_text, &QLineEdit::textChanged, this, &PreviewFindBar::reset);
}

void PreviewFindBar::setDocument(ReportDocument *doc)
{
    m_doc = doc;
    reset();
}

void PreviewFindBar::activate()
{
    show();
    m_text->setFocus();
    m_text->selectAll();
}

void PreviewFindBar::reset()
{
    m_hits.clear();
    m_needle.clear();
    m_pages = -1;
    m_index = -1;
    m_count->clear();
    emit matchesChanged();
}

void PreviewFindBar::step(int direction, int shownPage)
{
    if (!m_doc)
        return;
    const QString needle = m_text->text();
    if (needle.isEmpty()) {
        activate();
        return;
    }
    if (needle != m_needle || m_pages != m_doc->pageCount() || !m_complete) {
        const PreviewFindHit current = m_hits.value(m_index);
        m_hits = findInPages(*m_doc, needle, Qt::CaseInsensitive);
        m_needle = needle;
        m_pages = m_doc->pageCount();
        m_complete = !m_doc->run().working;
        m_index = -1;
        for (int i = 0; current.page > 0 && i < m_hits.size(); ++i) {
            if (m_hits.at(i).page == current.page && m_hits.at(i).rect == current.rect) {
                m_index = i;
                break;
            }
        }
    }
    if (m_hits.isEmpty()) {
        m_count->setText(tr("Not found"));
        emit matchesChanged();
        return;
    }
    const int count = int(m_hits.size());
    if (m_index < 0) {
        // The first match from the page on display on (or back).
        m_index = direction > 0 ? 0 : count - 1;
        for (int i = 0; i < count; ++i) {
            const int at = direction > 0 ? i : count - 1 - i;
            if (direction > 0 ? m_hits.at(at).page >= shownPage : m_hits.at(at).page <= shownPage) {
                m_index = at;
                break;
            }
        }
    } else {
        m_index = (m_index + direction + count) % count;
    }
    m_count->setText(tr("%1 of %2").arg(m_index + 1).arg(count));
    emit pageWanted(m_hits.at(m_index).page);
    emit matchesChanged();
}

QList<QRectF> PreviewFindBar::matchesOn(int page, int *current) const
{
    QList<QRectF> rects;
    *current = -1;
    for (int i = 0; i < m_hits.size(); ++i) {
        if (m_hits.at(i).page != page)
            continue;
        if (i == m_index)
            *current = int(rects.size());
        rects << m_hits.at(i).rect;
    }
    return rects;
}
