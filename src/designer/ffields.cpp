#include "ffields.h"

#include "data/ifield.h"
#include "document/talvodocument.h"

#include <QHeaderView>
#include <QMimeData>
#include <QVBoxLayout>

#include <algorithm>

FieldListView::FieldListView(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("lv1"));
    setColumnCount(2);
    setHeaderLabels({tr("Field"), tr("Level")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QStringList FieldListView::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

Qt::DropActions FieldListView::supportedDropActions() const
{
    // A move would make the view delete the dragged rows afterwards.
    return Qt::CopyAction;
}

QMimeData *FieldListView::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    // In list order, whatever order they were selected in: the fields are
    // placed on the section in that order.
    QList<QTreeWidgetItem *> rows = items;
    std::sort(rows.begin(), rows.end(), [this](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        return indexOfTopLevelItem(a) < indexOfTopLevelItem(b);
    });
    QStringList texts;
    for (const QTreeWidgetItem *row : std::as_const(rows))
        texts.append(row->text(0));
    auto *data = new QMimeData;
    data->setText(texts.join(u';'));
    return data;
}

fFields::fFields(QWidget *parent) : QWidget(parent), m_list(new FieldListView(this))
{
    setWindowTitle(tr("Fields"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
}

void fFields::setDocument(TalvoDocument *document)
{
    m_document = document;
    refresh();
}

void fFields::refresh()
{
    m_list->clear();
    if (!m_document)
        return;
    const int count = m_document->CalcNbDataSections();
    const QList<iField> fields = m_document->GetListFields(1, count);
    QList<QTreeWidgetItem *> rows;
    rows.reserve(fields.size());
    for (const iField &f : fields)
        rows.append(new QTreeWidgetItem({f.fullText(), QString::number(f.level)}));
    m_list->addTopLevelItems(rows);
}

void fFields::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // "Level" keeps 1200 twips; "Field" takes the rest.
    m_list->header()->resizeSection(1, logicalDpiX() * 1200 / 1440);
}
