#include "databasebrowser.h"

#include "ui_databasebrowser.h"

#include "data/recordsetgrid.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "platform/catalog.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QStandardItemModel>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>

namespace {

// The node data: its key ("ta", "vi", name + "ta" or "vi") and its tag
// ("table", "view"; none for the two roots).
constexpr int KeyRole = Qt::UserRole;
constexpr int TagRole = Qt::UserRole + 1;

} // namespace

DatabaseBrowser::DatabaseBrowser(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::DatabaseBrowser>()),
      m_grid(std::make_unique<QStandardItemModel>())
{
    ui->setupUi(this);
    ui->splitter->setStretchFactor(0, 0);
    ui->splitter->setStretchFactor(1, 1);
    ui->splitter->setSizes({220, 680});
    ui->datagrid1->setModel(m_grid.get());
    ui->datagrid1->verticalHeader()->setDefaultSectionSize(ui->datagrid1->fontMetrics().height() +
                                                           6);

    m_context = new QMenu(this);
    m_context->setObjectName(QStringLiteral("m_context"));
    m_context->addAction(ui->m_copy);
    ui->m_copy->setShortcut(QKeySequence::Copy);
    ui->m_copy->setShortcutContext(Qt::WidgetShortcut);
    ui->datagrid1->addAction(ui->m_copy);

    ui->rowCount->setTextFormat(Qt::PlainText); // shows table names and driver messages
    connect(ui->TreeView1, &QTreeWidget::currentItemChanged, this, &DatabaseBrowser::nodeChosen);
    connect(ui->datagrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                // A tooltip reads markup; the cell's value shows as written.
                const QString value = current.data().toString();
                ui->datagrid1->setToolTip(
                    value.isEmpty() ? QString()
                                    : Qt::convertFromPlainText(value, Qt::WhiteSpaceNormal));
            });
    connect(ui->datagrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex index = ui->datagrid1->indexAt(at);
        if (index.isValid())
            ui->datagrid1->setCurrentIndex(index);
        m_context->popup(ui->datagrid1->viewport()->mapToGlobal(at));
    });
    connect(ui->m_copy, &QAction::triggered, this, &DatabaseBrowser::copyCurrent);
    connect(ui->bClose, &QPushButton::clicked, this, &QDialog::accept);
}

DatabaseBrowser::~DatabaseBrowser()
{
    // The form is gone before the widgets: nothing may reach it any more.
    ui->TreeView1->disconnect(this);
    ui->datagrid1->selectionModel()->disconnect(this);
}

void DatabaseBrowser::setConnection(Connection *connection)
{
    m_connection = connection;
    fillTree();
}

void DatabaseBrowser::BrowseDB(Connection &connection, QWidget *parent)
{
    DatabaseBrowser dialog(parent);
    dialog.setConnection(&connection);
    dialog.exec();
}

void DatabaseBrowser::BrowseDB(ReportDocument *doc, QWidget *parent)
{
    if (!doc)
        return;
    if (doc->openDataConnection() != 0) {
        UserInteraction::current()->message(tr("Impossible to open the connection") +
                                                QStringLiteral("\r\n") + doc->connectionError(),
                                            UserInteraction::Ok, UserInteraction::Exclamation);
        return;
    }
    BrowseDB(doc->connection(), parent);
}

void DatabaseBrowser::fillTree()
{
    QTreeWidget *tree = ui->TreeView1;
    QSignalBlocker block(tree);
    tree->clear();
    m_grid->clear();
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon object = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    auto *tables = new QTreeWidgetItem(tree, {tr("Tables")});
    tables->setData(0, KeyRole, QStringLiteral("ta"));
    tables->setIcon(0, folder);
    auto *views = new QTreeWidgetItem(tree, {tr("Views")});
    views->setData(0, KeyRole, QStringLiteral("vi"));
    views->setIcon(0, folder);
    if (!m_connection)
        return;
    Catalog catalog;
    try {
        catalog.setActiveConnection(m_connection);
    } catch (const DatabaseError &e) {
        ui->rowCount->setText(tr("The tables cannot be listed: %1").arg(e.description()));
        return;
    }
    auto addNodes = [&](QTreeWidgetItem *root, const QList<CatalogEntry> &entries,
                        const QString &suffix, const QString &tag) {
        for (const CatalogEntry &e : entries) {
            auto *node = new QTreeWidgetItem(root, {e.Name});
            node->setData(0, KeyRole, e.Name + suffix);
            node->setData(0, TagRole, tag);
            node->setIcon(0, object);
        }
    };
    addNodes(tables, catalog.Tables(), QStringLiteral("ta"), QStringLiteral("table"));
    addNodes(views, catalog.Views(), QStringLiteral("vi"), QStringLiteral("view"));
    tree->expandAll();
}

bool DatabaseBrowser::showObject(const QString &name)
{
    for (int r = 0; r < ui->TreeView1->topLevelItemCount(); ++r) {
        QTreeWidgetItem *root = ui->TreeView1->topLevelItem(r);
        for (int c = 0; c < root->childCount(); ++c) {
            if (root->child(c)->text(0) == name) {
                ui->TreeView1->setCurrentItem(root->child(c));
                nodeChosen(root->child(c));
                return true;
            }
        }
    }
    return false;
}

void DatabaseBrowser::nodeChosen(QTreeWidgetItem *node)
{
    if (!node || !m_connection)
        return;
    const QString tag = node->data(0, TagRole).toString();
    if (tag != QStringLiteral("table") && tag != QStringLiteral("view"))
        return;
    const QString name = node->text(0);
    m_grid->clear();
    ui->datagrid1->setToolTip(QString());
    Recordset rs;
    try {
        rs.open(QStringLiteral("select * from [") + name + u']', *m_connection,
                Recordset::adOpenStatic);
        long rows = 0;
        fillGridFromRecordset(rs, *m_grid, 1, rows, true);
    } catch (const DatabaseError &e) {
        // What cannot be read leaves the grid empty; the reason is shown.
        m_grid->clear();
        ui->rowCount->setText(tr("%1 cannot be read: %2").arg(name, e.description()));
        return;
    }
    const int count = m_grid->rowCount();
    ui->rowCount->setText(count == 1 ? tr("%1: 1 row").arg(name)
                                     : tr("%1: %2 rows").arg(name).arg(count));
    ui->datagrid1->resizeColumnsToContents();
    // Long texts (notes, descriptions) must not push the other columns away.
    for (int c = 0; c < m_grid->columnCount(); ++c)
        ui->datagrid1->setColumnWidth(c, std::min(ui->datagrid1->columnWidth(c), 320));
}

void DatabaseBrowser::copyCurrent()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(ui->datagrid1->currentIndex().data().toString());
}
