#pragma once

#include <QDialog>

#include <memory>

class ReportDocument;
class QTreeWidgetItem;

namespace Ui {
class SqlEditorDialog;
}

// "Edit Simple SQL": builds a SELECT of chosen fields, each with an
// optional alias, from one table or view of the report's data source.
class SqlEditorDialog : public QDialog
{
    Q_OBJECT

public:
    // Lists the tables and views of doc's data source. A `sql` this dialog
    // could have built comes back with its table chosen and its fields
    // ticked; any other text is shown as it is until a table is chosen.
    explicit SqlEditorDialog(ReportDocument *doc, const QString &sql = QString(),
                      QWidget *parent = nullptr);
    ~SqlEditorDialog() override;

    // Shows the dialog modally: the built SQL after OK, `sql` unchanged
    // after Cancel.
    static QString getSQL(const QString &sql, ReportDocument *doc, QWidget *parent);

    // The SQL shown in the dialog: built from the ticked fields once a
    // table is chosen, the given text before.
    QString builtSql() const;
    // Chooses a listed table or view as the list does; false when there is
    // no such entry.
    bool chooseTable(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tableChosen(int index);
    void fieldChanged(QTreeWidgetItem *item, int column);
    void rebuildSql();
    // Ticks and names the fields as `sql` does; false when the text is not
    // one this dialog builds for the chosen table.
    bool restoreFrom(const QString &sql);

    std::unique_ptr<Ui::SqlEditorDialog> ui;
    ReportDocument *m_doc;
    QString m_table;
};
