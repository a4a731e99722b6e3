#include "sqlpanel.h"

#include "ui_sqlpanel.h"

#include "data/fieldreference.h"
#include "data/recordsetgrid.h"
#include "designer/databasebrowser.h"
#include "designer/sqleditordialog.h"
#include "designer/sqlhighlighter.h"
#include "designer/sqlschemacache.h"
#include "designer/sqltextedit.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "document/errorentry.h"
#include "platform/fieldcollection.h"
#include "platform/recordset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QStandardItemModel>

#include <algorithm>
#include <memory>

struct SqlPanel::Private
{
    Ui::SqlPanel ui;
    QListWidget *List1 = nullptr;
    QStandardItemModel runModel;
};

SqlPanel::SqlPanel(QWidget *parent) : QWidget(parent), d(new Private)
{
    d->ui.setupUi(this);
    d->ui.runGrid->setModel(&d->runModel);
    d->ui.runGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    d->ui.runGrid->verticalHeader()->setDefaultSectionSize(d->ui.runGrid->fontMetrics().height() +
                                                           6);
    d->ui.runResults->hide();
    d->ui.splitter->setStretchFactor(0, 2);
    d->ui.splitter->setStretchFactor(1, 3);

    // The references list floats over the dialog below the caret, so that it
    // is never clipped by the text box.
    d->List1 = new QListWidget(this);
    d->List1->setObjectName(QStringLiteral("List1"));
    d->List1->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    d->List1->setSelectionMode(QAbstractItemView::SingleSelection);
    d->List1->setUniformItemSizes(true);
    d->List1->installEventFilter(this);
    d->List1->hide();
    connect(d->List1, &QListWidget::itemDoubleClicked, this, [this] { selectField(); });

    SqlTextEdit *edit = d->ui.SQL;
    edit->completionWords = [this] {
        if (!m_document)
            return SqlHighlighter::keywords();
        return SqlSchemaCache::completionWords(*m_document, sql());
    };
    connect(edit, &SqlTextEdit::keyTyped, this, [this](const QString &text) {
        if (text == QStringLiteral("{"))
            openMenuFields();
        else
            d->List1->hide();
    });
    connect(edit, &QPlainTextEdit::textChanged, this, &SqlPanel::sqlChanged);
    connect(d->ui.bTest, &QPushButton::clicked, this, [this] { TEST(false); });
    connect(d->ui.bRun, &QPushButton::clicked, this, &SqlPanel::runQuery);
    connect(d->ui.bCreateSql, &QPushButton::clicked, this, &SqlPanel::createSimpleSql);
    connect(d->ui.bBrowseDB, &QPushButton::clicked, this, &SqlPanel::browseDatabase);
}

SqlPanel::~SqlPanel()
{
    // The children outlive the private part by a moment: cut them off.
    d->ui.SQL->disconnect(this);
    d->List1->removeEventFilter(this);
    d->ui.runGrid->setModel(nullptr);
    delete d;
}

void SqlPanel::setDocument(ReportDocument *document)
{
    m_document = document;
}

QString SqlPanel::sql() const
{
    return d->ui.SQL->toPlainText();
}

void SqlPanel::setSql(const QString &text)
{
    if (text != sql())
        d->ui.SQL->setPlainText(text);
}

QString SqlPanel::noSection() const
{
    return d->ui.noSection->text();
}

void SqlPanel::setNoSection(const QString &number)
{
    d->ui.noSection->setText(number);
}

QPlainTextEdit *SqlPanel::editor() const
{
    return d->ui.SQL;
}

bool SqlPanel::TEST(bool silent)
{
    if (!m_document)
        return false;
    UserInteraction *ui = UserInteraction::current();
    m_document->openDataConnection();
    QString text = m_document->testSQL(sql());
    Recordset rs;
    if (m_document->runSql(text, rs, 1) != 0) {
        if (!silent) {
            const ErrorEntry *e = m_document->lastError();
            ui->message(tr("Test Failed (") + (e ? e->message : QString()) + u')',
                        UserInteraction::Ok, UserInteraction::Exclamation, tr("Test"));
        }
        return false;
    }
    if (rs.fields().count() == 0) {
        if (!silent) {
            ui->message(tr("Test failed, no error but no fields in the recordset !"),
                        UserInteraction::Ok, UserInteraction::Exclamation, tr("Test"));
        }
        return false;
    }
    if (!silent) {
        ui->message(tr("Test successful !"), UserInteraction::Ok, UserInteraction::Information,
                    tr("Test"));
    }
    return true;
}

void SqlPanel::openMenuFields()
{
    const int n = noSection().toInt();
    if (n <= 1 || !m_document)
        return;
    const QList<FieldReference> fields = m_document->listFields(1, n - 1);
    if (fields.isEmpty())
        return;
    d->List1->clear();
    for (const FieldReference &f : fields)
        d->List1->addItem(f.fullText());
    d->List1->setCurrentRow(0);
    placeFieldList();
    d->List1->show();
    d->List1->setFocus(Qt::PopupFocusReason);
}

void SqlPanel::placeFieldList()
{
    SqlTextEdit *edit = d->ui.SQL;
    const int rows = std::min(int(d->List1->count()), 10);
    const int rowHeight = std::max(d->List1->sizeHintForRow(0), fontMetrics().height());
    const int height = rows * rowHeight + 2 * d->List1->frameWidth() + 2;
    const QRect caret = edit->cursorRect();
    QPoint at(edit->mapToGlobal(QPoint(0, 0)).x(),
              edit->viewport()->mapToGlobal(caret.bottomLeft()).y() + 2);
    if (const QScreen *screen = edit->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + height > room.bottom())
            at.setY(edit->viewport()->mapToGlobal(caret.topLeft()).y() - height - 2);
    }
    d->List1->setGeometry(QRect(at, QSize(edit->width(), height)));
}

void SqlPanel::selectField()
{
    SqlTextEdit *edit = d->ui.SQL;
    edit->setFocus(Qt::OtherFocusReason);
    if (const QListWidgetItem *item = d->List1->currentItem())
        edit->textCursor().insertText(item->text() + u'}');
    d->List1->hide();
}

bool SqlPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != d->List1 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        selectField();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return false;
    default:
        break;
    }
    // Any other key closes the list; what it types still reaches the text.
    d->List1->hide();
    d->ui.SQL->setFocus(Qt::OtherFocusReason);
    if (key->key() != Qt::Key_Escape) {
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                       key->isAutoRepeat(), ushort(key->count()));
        QCoreApplication::sendEvent(d->ui.SQL, &copy);
    }
    return true;
}

void SqlPanel::runQuery()
{
    Ui::SqlPanel &ui = d->ui;
    if (ui.runResults->isHidden())
        makeRoomForResults();
    d->runModel.clear();
    if (!m_document)
        return;
    m_document->openDataConnection();
    QString text = m_document->testSQL(sql());
    Recordset rs;
    // One row more than shown tells whether the query has more.
    if (m_document->runSql(text, rs, runRowLimit + 1) != 0) {
        const ErrorEntry *e = m_document->lastError();
        ui.runStatus->setText(tr("The query failed:"));
        ui.runError->setPlainText(e ? e->message : QString());
        ui.runPages->setCurrentWidget(ui.runError);
        return;
    }
    long rows = runRowLimit;
    fillGridFromRecordset(rs, d->runModel, 1, rows, true);
    const long shown = d->runModel.rowCount();
    if (rs.recordCount() > runRowLimit)
        ui.runStatus->setText(tr("The first %1 rows").arg(runRowLimit));
    else if (shown == 1)
        ui.runStatus->setText(tr("1 row"));
    else
        ui.runStatus->setText(tr("%1 rows").arg(shown));
    ui.runPages->setCurrentWidget(ui.runGrid);
    ui.runGrid->resizeColumnsToContents();
    // A long text column must not push the others out of sight.
    const int widest = std::max(120, ui.runGrid->viewport()->width() / 2);
    for (int c = 0; c < d->runModel.columnCount(); ++c) {
        if (ui.runGrid->columnWidth(c) > widest)
            ui.runGrid->setColumnWidth(c, widest);
    }
}

void SqlPanel::makeRoomForResults()
{
    // Shared out within the dialog's first size, the results would show two
    // or three rows: the window grows by what a dozen rows take, as far as
    // its screen allows, and the text keeps its height.
    constexpr int shownRows = 12;
    Ui::SqlPanel &ui = d->ui;
    const int textHeight = ui.SQL->height();
    ui.runResults->show();
    const int results = ui.runStatus->sizeHint().height() + std::max(0, ui.runLayout->spacing()) +
                        ui.runGrid->horizontalHeader()->sizeHint().height() +
                        shownRows * ui.runGrid->verticalHeader()->defaultSectionSize() +
                        2 * ui.runGrid->frameWidth() + ui.splitter->handleWidth();
    QWidget *top = window();
    int grow = results;
    if (const QScreen *screen = top->screen()) {
        const QRect room = screen->availableGeometry();
        const int frame = std::max(0, top->frameGeometry().height() - top->height());
        grow = std::clamp(room.height() - frame - top->height(), 0, results);
        top->resize(top->width(), top->height() + grow);
        const QRect placed = top->frameGeometry();
        if (placed.bottom() > room.bottom())
            top->move(placed.left(), std::max(room.top(), room.bottom() + 1 - placed.height()));
    } else {
        top->resize(top->width(), top->height() + grow);
    }
    const int total = ui.splitter->height();
    ui.splitter->setSizes(
        {textHeight, std::max(0, total - textHeight - ui.splitter->handleWidth())});
}

void SqlPanel::createSimpleSql()
{
    const QString built = SqlEditorDialog::getSQL(sql(), m_document, this);
    if (built == sql())
        return;
    // Replaced through the cursor, so that Ctrl+Z in the box brings the old
    // text back.
    QTextCursor tc = d->ui.SQL->textCursor();
    tc.select(QTextCursor::Document);
    tc.insertText(built);
}

void SqlPanel::browseDatabase()
{
    DatabaseBrowser::BrowseDB(m_document, this);
}
