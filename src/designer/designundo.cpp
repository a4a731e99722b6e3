#include "designundo.h"

#include "document/reportitem.h"
#include "document/section.h"
#include "document/talvodocument.h"
#include "platform/xmldom.h"

#include <QUndoCommand>

SectionState SectionState::capture(const section &s)
{
    SectionState state;
    state.height = s.Height;
    state.items.reserve(size_t(s.items.count()));
    for (const ReportItem *item : s.items) {
        auto copy = item->clone();
        copy->Key = item->Key;
        state.items.push_back(std::move(copy));
        state.selected.push_back(item->selected);
    }
    return state;
}

void SectionState::restore(section &s) const
{
    s.Height = height;
    s.items.clear();
    for (size_t i = 0; i < items.size(); ++i) {
        auto copy = items[i]->clone();
        copy->copy(*items[i], &s);
        copy->Key = items[i]->Key;
        copy->selected = selected[i];
        s.items.add(items[i]->Key, std::move(copy));
    }
}

namespace {

bool sameState(const SectionState &a, const SectionState &b, const section &s)
{
    if (a.height != b.height || a.items.size() != b.items.size())
        return false;
    // Items compare by what the file would hold, plus their keys.
    for (size_t i = 0; i < a.items.size(); ++i) {
        if (a.items[i]->Key != b.items[i]->Key)
            return false;
        a.items[i]->parent = const_cast<section *>(&s);
        b.items[i]->parent = const_cast<section *>(&s);
        XmlDocument da, db;
        da.setDocumentElement(a.items[i]->getXMLNode(da));
        db.setDocumentElement(b.items[i]->getXMLNode(db));
        a.items[i]->parent = nullptr;
        b.items[i]->parent = nullptr;
        if (da.toByteArray() != db.toByteArray())
            return false;
    }
    return true;
}

} // namespace

// A change made before it was recorded: pushing it (which redoes it) must
// not make it again.
template <typename State> class RecordedChange : public QUndoCommand
{
public:
    RecordedChange(DesignUndo *undo, const QString &text, State before, State after)
        : QUndoCommand(text), m_undo(undo), m_before(std::move(before)), m_after(std::move(after))
    {
    }

    void undo() override { apply(m_before); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        apply(m_after);
    }

protected:
    virtual void apply(const State &state) = 0;
    DesignUndo *m_undo;

private:
    State m_before;
    State m_after;
    bool m_done = true;
};

// A change of one section's height or items; sections are found by key at
// undo time, since a document change may have rebuilt them meanwhile.
class ChangeSectionCommand : public RecordedChange<SectionState>
{
public:
    ChangeSectionCommand(DesignUndo *undo, const QString &text, const QString &key,
                         SectionState before, SectionState after)
        : RecordedChange(undo, text, std::move(before), std::move(after)), m_key(key)
    {
    }

private:
    void apply(const SectionState &state) override
    {
        section *s = m_undo->document()->sections.value(m_key);
        if (!s)
            return;
        state.restore(*s);
        emit m_undo->sectionRestored(m_key);
    }

    QString m_key;
};

// A change of the document's structure, kept as the file before and after.
class ChangeDocumentCommand : public RecordedChange<QByteArray>
{
public:
    using RecordedChange::RecordedChange;

private:
    void apply(const QByteArray &state) override
    {
        m_undo->document()->loadXMLData(state);
        emit m_undo->documentRestored();
    }
};

DesignUndo::DesignUndo(TalvoDocument *document, QObject *parent)
    : QObject(parent), m_document(document)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &DesignUndo::followCleanState);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &DesignUndo::followCleanState);
}

DesignUndo::~DesignUndo()
{
    // Commands refer to this object; they go first.
    m_stack.clear();
}

void DesignUndo::sectionChanged(const QString &text, const section &s, SectionState before)
{
    SectionState after = SectionState::capture(s);
    if (sameState(before, after, s))
        return;
    m_stack.push(
        new ChangeSectionCommand(this, text, s.Key(), std::move(before), std::move(after)));
}

QByteArray DesignUndo::snapshot() const
{
    XmlDocument dom;
    dom.setDocumentElement(m_document->getXMLNode(dom));
    return dom.toByteArray();
}

void DesignUndo::documentChanged(const QString &text, const QByteArray &before)
{
    const QByteArray after = snapshot();
    if (after == before)
        return;
    m_stack.push(new ChangeDocumentCommand(this, text, before, after));
}

void DesignUndo::reset()
{
    m_stack.clear();
    m_stack.setClean();
    followCleanState();
}

void DesignUndo::markSaved()
{
    m_stack.setClean();
    followCleanState();
}

void DesignUndo::followCleanState()
{
    // The stack decides whether there is something to save: back at the
    // saved state nothing is, whatever the flags of the objects say.
    if (m_stack.isClean())
        m_document->clearModified();
    else
        m_document->modified_ = true;
}
