#include "sqleditordialog.h"

#include "ui_sqleditordialog.h"

#include "designer/comboroutines.h"
#include "document/reportdocument.h"
#include "platform/catalog.h"
#include "platform/fieldcollection.h"
#include "platform/recordset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>

SqlEditorDialog::SqlEditorDialog(ReportDocument *doc, const QString &sql, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::SqlEditorDialog>()), m_doc(doc)
{
    ui->setupUi(this);
    ui->lv1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ui->lv1->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    ui->lv1->installEventFilter(this);
    ui->sql->setText(sql);

    if (m_doc) {
        QStringList names;
        QList<CatalogEntry> entries;
        m_doc->fillListTables(names, &entries);
        for (const CatalogEntry &e : std::as_const(entries))
            comboAddItem(ui->table, e.Name, e.Type);
    }
    // Nothing is chosen until the user picks a table, so OK alone returns
    // the text that came in.
    ui->table->setCurrentIndex(-1);

    connect(ui->table, &QComboBox::currentIndexChanged, this, &SqlEditorDialog::tableChosen);
    connect(ui->lv1, &QTreeWidget::itemChanged, this, &SqlEditorDialog::fieldChanged);
    connect(ui->lv1, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item, int column) {
                if (column == 0)
                    ui->lv1->editItem(item, 0);
            });
    connect(ui->bOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &QDialog::reject);

    if (!restoreFrom(sql.trimmed())) {
        QSignalBlocker block(ui->table);
        ui->table->setCurrentIndex(-1);
        ui->lv1->clear();
        m_table.clear();
        ui->sql->setText(sql);
    }
}

SqlEditorDialog::~SqlEditorDialog()
{
    // Closing commits an open alias editor; the form is gone by then.
    ui->lv1->disconnect(this);
}

QString SqlEditorDialog::getSQL(const QString &sql, ReportDocument *doc, QWidget *parent)
{
    SqlEditorDialog dialog(doc, sql, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.builtSql() : sql;
}

QString SqlEditorDialog::builtSql() const
{
    return ui->sql->text();
}

bool SqlEditorDialog::chooseTable(const QString &name)
{
    const int index = ui->table->findText(name, Qt::MatchExactly);
    if (index < 0)
        return false;
    if (index == ui->table->currentIndex())
        tableChosen(index);
    else
        ui->table->setCurrentIndex(index);
    return true;
}

void SqlEditorDialog::tableChosen(int index)
{
    QSignalBlocker block(ui->lv1);
    ui->lv1->clear();
    m_table = index < 0 ? QString() : ui->table->itemText(index);
    if (m_table.isEmpty() || !m_doc)
        return;
    m_doc->openDataConnection();
    QString query = QStringLiteral("select * from [") + m_table + u']';
    Recordset rs;
    // One row is enough to learn the fields.
    if (m_doc->runSql(query, rs, 1) == 0) {
        const FieldCollection fields = rs.fields();
        for (int i = 0; i < fields.count(); ++i) {
            const QString name = fields.item(i).name();
            auto *row = new QTreeWidgetItem(ui->lv1, {name, name});
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                          Qt::ItemIsEditable);
            row->setCheckState(0, Qt::Unchecked);
        }
        if (ui->lv1->topLevelItemCount() > 0)
            ui->lv1->setCurrentItem(ui->lv1->topLevelItem(0));
    }
    rebuildSql();
}

void SqlEditorDialog::fieldChanged(QTreeWidgetItem *item, int column)
{
    // An empty alias would give "as []", which no data source accepts: it
    // falls back to the field's own name.
    if (column == 0 && item->text(0).isEmpty()) {
        item->setText(0, item->text(1));
        return; // setText comes back here
    }
    rebuildSql();
}

void SqlEditorDialog::rebuildSql()
{
    if (m_table.isEmpty())
        return;
    QString columns;
    bool first = true;
    for (int i = 0; i < ui->lv1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ui->lv1->topLevelItem(i);
        if (row->checkState(0) != Qt::Checked)
            continue;
        if (!first)
            columns += QStringLiteral(", ");
        first = false;
        const QString alias = row->text(0);
        const QString name = row->text(1);
        columns += u'[' + name + u']';
        if (alias != name)
            columns += QStringLiteral(" as [") + alias + u']';
    }
    ui->sql->setText(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM [") + m_table +
                     u']');
}

bool SqlEditorDialog::restoreFrom(const QString &sql)
{
    static const QRegularExpression shape(QStringLiteral("^SELECT (.*) FROM \\[([^\\]]+)\\]$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = shape.match(sql);
    if (!m.hasMatch() || !chooseTable(m.captured(2)))
        return false;
    static const QRegularExpression column(
        QStringLiteral("\\[([^\\]]*)\\](?: as \\[([^\\]]*)\\])?"));
    QSignalBlocker block(ui->lv1);
    auto it = column.globalMatch(m.captured(1));
    while (it.hasNext()) {
        const QRegularExpressionMatch c = it.next();
        const QList<QTreeWidgetItem *> rows =
            ui->lv1->findItems(c.captured(1), Qt::MatchExactly, 1);
        if (rows.isEmpty())
            return false;
        rows.first()->setCheckState(0, Qt::Checked);
        if (c.hasCaptured(2))
            rows.first()->setText(0, c.captured(2));
    }
    rebuildSql();
    // Another order of the fields, or text between them, is not this
    // dialog's work: it is left alone.
    return builtSql() == sql;
}

bool SqlEditorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lv1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
        if (QTreeWidgetItem *row = ui->lv1->currentItem())
            ui->lv1->editItem(row, 0);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
