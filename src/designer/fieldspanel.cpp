#include "fieldspanel.h"

#include "data/fieldreference.h"
#include "document/reportdocument.h"

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

FieldsPanel::FieldsPanel(QWidget *parent)
    : QWidget(parent), m_list(new FieldListView(this)), m_problem(new QLabel(m_list->viewport()))
{
    setWindowTitle(tr("Fields"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    // Shown inside the list, over its empty rows, so that a missing
    // database or a failing query does not look like a query without fields.
    m_problem->setObjectName(QStringLiteral("fieldsProblem"));
    m_problem->setWordWrap(true);
    m_problem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_problem->setContentsMargins(4, 4, 4, 4);
    m_problem->setForegroundRole(QPalette::PlaceholderText);
    m_problem->hide();
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
}

void FieldsPanel::setDocument(ReportDocument *document)
{
    m_document = document;
    refresh();
}

QString FieldsPanel::problem() const
{
    return m_problem->isHidden() ? QString() : m_problem->text();
}

void FieldsPanel::refresh()
{
    m_list->clear();
    m_problem->clear();
    m_problem->hide();
    if (!m_document)
        return;
    const int count = m_document->countDataSections();
    // A section whose query fails is left out of the list; the reason is
    // what that query added to the document's errors.
    const qsizetype errorsBefore = m_document->errorLst.size();
    const QList<FieldReference> fields = m_document->listFields(1, count);
    QList<QTreeWidgetItem *> rows;
    rows.reserve(fields.size());
    for (const FieldReference &f : fields)
        rows.append(new QTreeWidgetItem({f.fullText(), QString::number(f.level)}));
    m_list->addTopLevelItems(rows);

    QStringList reasons;
    for (qsizetype i = errorsBefore; i < m_document->errorLst.size(); ++i) {
        const QString &message = m_document->errorLst.at(i).message;
        if (!reasons.contains(message))
            reasons.append(message);
    }
    if (reasons.isEmpty())
        return;
    const QString intro = fields.isEmpty() ? tr("No fields can be read:")
                                           : tr("The fields of some sections cannot be read:");
    m_problem->setText(intro + u'\n' + reasons.join(u'\n'));
    placeProblem();
    m_problem->show();
}

void FieldsPanel::placeProblem()
{
    // Below the rows there are.
    const int rows = m_list->topLevelItemCount();
    const int top =
        rows > 0 ? m_list->visualItemRect(m_list->topLevelItem(rows - 1)).bottom() + 1 : 0;
    const QSize room = m_list->viewport()->size();
    m_problem->setGeometry(0, top, room.width(), std::max(0, room.height() - top));
}

void FieldsPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // "Level" keeps 1200 twips; "Field" takes the rest.
    m_list->header()->resizeSection(1, logicalDpiX() * 1200 / 1440);
    placeProblem();
}
