#pragma once

#include <QLabel>
#include <QTreeWidget>
#include <QWidget>

class ReportDocument;

// The list of the "Fields" window: its drag carries the references of the
// selected rows as text, joined by ";", which a section surface turns into
// items. The rows stay: the drag only copies.
class FieldListView : public QTreeWidget
{
public:
    explicit FieldListView(QWidget *parent = nullptr);

    // Public so that a drop can be prepared without a drag.
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;

protected:
    Qt::DropActions supportedDropActions() const override;
};

// "Fields": every field the data sections of a document deliver, as
// [Section].[Field] with the section's number, ready to be dragged onto the
// design. Meant as the content of a dock of the designer window.
class FieldsPanel : public QWidget
{
    Q_OBJECT

public:
    explicit FieldsPanel(QWidget *parent = nullptr);

    // Lists the document's fields (nullptr empties the list).
    void setDocument(ReportDocument *document);
    ReportDocument *document() const { return m_document; }
    // Reads the fields again (after the sections or their queries changed).
    void refresh();
    FieldListView *list() const { return m_list; }
    // Why fields are missing from the list (the errors of the database or
    // of the queries); empty when every data section gave its fields.
    QString problem() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeProblem();

    FieldListView *m_list;
    QLabel *m_problem;
    ReportDocument *m_document = nullptr;
};
