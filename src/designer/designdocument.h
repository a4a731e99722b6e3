#pragma once

#include "document/itemclipboard.h"

#include <QHash>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <functional>
#include <optional>

class ReportItem;
class ReportDocument;
class ReportSection;

// The report being designed, as the designer's windows edit it. Every edit
// goes through here and is one step of the undo history, named as the
// Edit menu shows it; the report's modified flag follows the history's
// clean state. It also owns the selection (which items the next edit acts
// on) and the clipboard, shared by all sections.
//
// Geometry is in twips; what is stored is the number a person would type
// in the document's unit (a snapped 3 cm is 3, not 2.9999998).
class DesignDocument : public QObject
{
    Q_OBJECT

public:
    explicit DesignDocument(ReportDocument &report, QObject *parent = nullptr);
    ~DesignDocument() override;

    ReportDocument &report() const { return m_report; }
    QUndoStack *stack() { return &m_stack; }

    // ---- History ----
    // After new and open: history cleared. After save: the state marked clean.
    void reset();
    void markSaved();
    // The whole report as its file would hold it.
    QByteArray snapshot() const;
    // Runs `change` (a dialog, a change of the report's structure or
    // settings) and records what it changed, if anything, as one step.
    void changeDocument(const QString &text, const std::function<void()> &change);
    // Records a change already made since `before` was taken (a restored
    // recovery copy).
    void documentChanged(const QString &text, const QByteArray &before);
    // Runs `change` on one section (an item editor) and records what it
    // changed, if anything, as one step.
    void changeSection(ReportSection &s, const QString &text, const std::function<void()> &change);

    // ---- Selection ----
    void setSelected(ReportItem &item, bool on);
    // Exactly the items with these keys of `s` selected.
    void select(ReportSection &s, const QSet<QString> &keys);
    void selectAll(ReportSection &s);
    void clearSelection(ReportSection &s);
    QList<ReportItem *> selectedItems(const ReportSection &s) const;
    // The union of the selected items of `s` (twips); null when none is.
    QRectF selectionRect(const ReportSection &s) const;

    // ---- Clipboard ----
    const ItemClipboard &clipboard() const { return m_clipboard; }
    void clearClipboard() { m_clipboard.clear(); }
    void copy(const ReportSection &s);
    void cut(ReportSection &s);
    // The clipboard's items added to `s` at their places, and selected.
    void paste(ReportSection &s);
    void removeSelected(ReportSection &s);

    // ---- Lengths ----
    // The grid step in twips; 0 without a grid.
    double gridStep() const;
    double snap(double twips) const;
    float toStoredLength(double twips) const;
    // An item's rectangle in twips, as the surfaces show it.
    static QRectF twipsOf(const ReportItem &item);

    // ---- Geometry ----
    // Items of `s` (by key) to these rectangles: moved by the mouse
    // ("Move"), resized by the handles ("Resize"). The section grows to
    // hold them.
    void setGeometry(ReportSection &s, const QHash<QString, QRectF> &rects, const QString &text);
    // The selection moved (or resized) by steps of the grid, or of
    // `stepWithoutGrid` twips without one.
    void nudge(ReportSection &s, int dx, int dy, bool resize, double stepWithoutGrid);
    // "left", "right", "top", "bottom", "hcenter", "vcenter", "width",
    // "height", "size", "distribute-h", "distribute-v" for two or more
    // selected items. Sizes follow the item `referenceKey` when it is
    // selected, else the first selected one.
    void arrange(ReportSection &s, const QString &how, const QString &referenceKey = QString());
    // The section's height (twips), as dragged.
    void setSectionHeight(ReportSection &s, double twips);
    // The section grown to hold its items, and at least 240 twips.
    void fitSectionHeight(ReportSection &s);

    // ---- Adding ----
    // At `at` (twips, snapped here). Without a text a field keeps its
    // class's default text. Return the new item.
    ReportItem *addField(ReportSection &s, const QPointF &at,
                         const std::optional<QString> &text = std::nullopt);
    ReportItem *addPicture(ReportSection &s, const QPointF &at);
    ReportItem *addChart(ReportSection &s, const QPointF &at);
    // One field per text, from `at` down (or across, wrapping at
    // `rightLine`), as one step.
    void dropFields(ReportSection &s, const QPointF &at, const QStringList &texts, bool across,
                    double rightLine);

    // ---- Text ----
    // "bold", "italic", "underline", "strikethrough": on for all selected
    // texts unless the first one has it, then off for all.
    void toggleFont(ReportSection &s, const QString &what);
    // "left", "right", "center" for the selected texts.
    void alignText(ReportSection &s, const QString &where);

signals:
    // An edit, undo or redo changed `s`: its surface shows it again.
    void sectionChanged(ReportSection *s);
    // Undo or redo put back the whole report: every surface is rebuilt.
    void documentRestored();
    // The selection of `s` changed.
    void selectionChanged(ReportSection *s);

private:
    void record(ReportSection &s, const QString &text, const std::function<void()> &change);
    ReportItem *place(ReportSection &s, ReportItem *item, const QPointF &at, double w, double h);
    void writeRect(ReportSection &s, ReportItem &item, const QRectF &rect);
    void growToHold(ReportSection &s);
    void followCleanState();

    ReportDocument &m_report;
    QUndoStack m_stack;
    ItemClipboard m_clipboard;
    bool m_recording = false; // an edit is running: inner edits join it
};
