#pragma once

#include <QDialog>

#include <memory>

class Connection;
class QMenu;
class QStandardItemModel;
class QTreeWidgetItem;
class ReportDocument;

namespace Ui {
class DatabaseBrowser;
}

// "Browse a Database": the tables and views of an open connection in a
// tree, and the rows of the one clicked in a grid.
class DatabaseBrowser : public QDialog
{
    Q_OBJECT

public:
    explicit DatabaseBrowser(QWidget *parent = nullptr);
    ~DatabaseBrowser() override;

    // Lists the tables and views of `connection`, which must be open and
    // outlive the dialog.
    void setConnection(Connection *connection);
    // Shows the browser modally on an open connection.
    static void BrowseDB(Connection &connection, QWidget *parent);
    // Opens the report's connection first; says why when it cannot.
    static void BrowseDB(ReportDocument *doc, QWidget *parent);

    // Shows the rows of the listed table or view, as a click on its node
    // does; false when the tree has no such node.
    bool showObject(const QString &name);
    QStandardItemModel *grid() const { return m_grid.get(); }
    // The grid's current text onto the clipboard (the context menu's Copy).
    void copyCurrent();

private:
    void nodeChosen(QTreeWidgetItem *node);
    void fillTree();

    std::unique_ptr<Ui::DatabaseBrowser> ui;
    std::unique_ptr<QStandardItemModel> m_grid;
    QMenu *m_context;
    Connection *m_connection = nullptr;
};
