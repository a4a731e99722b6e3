#pragma once

#include <QByteArray>
#include <QString>
#include <QUndoCommand>

#include <memory>
#include <vector>

class DesignDocument;
class ReportItem;
class ReportSection;

// What one section holds that the designer changes: its height and its
// items (copies, with their keys and selection, in collection order). Taken
// before and after an edit, it lets the edit be undone and redone exactly.
struct SectionState
{
    float height = 0;
    std::vector<std::unique_ptr<ReportItem>> items;
    std::vector<bool> selected;

    static SectionState capture(const ReportSection &s);
    // Makes `s` hold this state again (items copied, keys kept).
    void restore(ReportSection &s) const;
    // Same height and the same items as the file would hold them.
    bool sameAs(const SectionState &other, const ReportSection &s) const;
};

// An edit already made when it is pushed: pushing (which redoes) must not
// make it a second time.
template <typename State> class DoneEditCommand : public QUndoCommand
{
public:
    DoneEditCommand(DesignDocument *design, const QString &text, State before, State after)
        : QUndoCommand(text), m_design(design), m_before(std::move(before)),
          m_after(std::move(after))
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
    DesignDocument *m_design;

private:
    State m_before;
    State m_after;
    bool m_done = true;
};

// A change of one section's height or items. The section is found by key
// when applied: a document change may have rebuilt it meanwhile.
class ChangeSectionCommand : public DoneEditCommand<SectionState>
{
public:
    ChangeSectionCommand(DesignDocument *design, const QString &text, const QString &key,
                         SectionState before, SectionState after);

private:
    void apply(const SectionState &state) override;

    QString m_key;
};

// A change of the document's structure or settings, kept as the file
// before and after.
class ChangeDocumentCommand : public DoneEditCommand<QByteArray>
{
public:
    using DoneEditCommand::DoneEditCommand;

private:
    void apply(const QByteArray &state) override;
};
