#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <memory>
#include <vector>

class ReportItem;
class TalvoDocument;
class section;

// What one section holds that the surfaces change: its height and its items
// (copies, with their keys, in collection order). Taken before and after an
// edit, it lets the edit be undone and redone exactly.
struct SectionState
{
    float height = 0;
    std::vector<std::unique_ptr<ReportItem>> items;
    std::vector<bool> selected;

    static SectionState capture(const section &s);
    // Makes `s` hold this state again (items copied, keys kept).
    void restore(section &s) const;
};

// The designer's undo history of one document. Surfaces and the window
// change the model in place, as they always did, and then record the change
// here; undo and redo put the recorded states back and tell the windows
// which surfaces to rebuild. The document's modified flag follows the
// stack's clean state.
class DesignUndo : public QObject
{
    Q_OBJECT

public:
    explicit DesignUndo(TalvoDocument *document, QObject *parent = nullptr);
    ~DesignUndo() override;

    TalvoDocument *document() const { return m_document; }
    QUndoStack *stack() { return &m_stack; }

    // Records a change of one section made since `before` was captured; a
    // change that left the section as it was records nothing.
    void sectionChanged(const QString &text, const section &s, SectionState before);
    // A whole-document snapshot, for changes of the document's structure
    // (headers, footers, sections, unit): take it before the change, then
    // record the change.
    QByteArray snapshot() const;
    void documentChanged(const QString &text, const QByteArray &before);

    // After new, open and save: history cleared (new, open) or the saved
    // state marked clean.
    void reset();
    void markSaved();

signals:
    // A section was put back by undo or redo; its surface must rebuild.
    void sectionRestored(const QString &key);
    // The document was put back; every surface must rebuild.
    void documentRestored();

private:
    void followCleanState();

    TalvoDocument *m_document;
    QUndoStack m_stack;
};
