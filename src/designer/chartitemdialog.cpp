#include "chartitemdialog.h"
#include "ui_chartitemdialog.h"

#include "designer/comboroutines.h"
#include "document/chartitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "document/errorentry.h"
#include "engine/chartrenderer.h"
#include "platform/recordset.h"

#include <QPainter>
#include <QSvgRenderer>

ChartItemDialog::ChartItemDialog(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::ChartItemDialog>())
{
    ui->setupUi(this);
    // Alphabetical, each with the chart type code it stores.
    const struct
    {
        const char *name;
        int type;
    } styles[] = {
        {QT_TR_NOOP("2D aera"), ChartItem::Area2D},
        {QT_TR_NOOP("2D bar"), ChartItem::Bar2D},
        {QT_TR_NOOP("2D combination"), ChartItem::Combination2D},
        {QT_TR_NOOP("2D line"), ChartItem::Line2D},
        {QT_TR_NOOP("2D pie"), ChartItem::Pie2D},
        {QT_TR_NOOP("2D step"), ChartItem::Step2D},
        {QT_TR_NOOP("2D xy"), ChartItem::XY2D},
        {QT_TR_NOOP("3D aera"), ChartItem::Area3D},
        {QT_TR_NOOP("3D bar"), ChartItem::Bar3D},
        {QT_TR_NOOP("3D combination"), ChartItem::Combination3D},
        {QT_TR_NOOP("3D line"), ChartItem::Line3D},
        {QT_TR_NOOP("3D step"), ChartItem::Step3D},
    };
    for (const auto &style : styles)
        comboAddItem(ui->fListStyles, tr(style.name), style.type);
    connect(ui->bOK, &QPushButton::clicked, this, &ChartItemDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &ChartItemDialog::reject);
    connect(ui->bPreview, &QPushButton::clicked, this, &ChartItemDialog::preview);
}

ChartItemDialog::~ChartItemDialog() = default;

bool ChartItemDialog::Edit(ChartItem *chart)
{
    if (!chart)
        return false;
    load(chart);
    return exec() == QDialog::Accepted;
}

void ChartItemDialog::load(ChartItem *chart)
{
    m_item = chart;
    m_work = std::make_unique<ChartItem>();
    m_work->copy(*chart, chart->parent);
    ui->sql->setDocument(document());
    // The references the editor offers are those of the data sections
    // before the chart's own.
    // A chart's references are filled from the record of its own section,
    // so the "{" list offers that section's fields too.
    ui->sql->setNoSection(
        QString::number(chart->parent ? chart->parent->dataSectionNumber + 1 : 0));
    ui->MSChart1->showMessage(QString());
    maj();
}

ReportDocument *ChartItemDialog::document() const
{
    return m_item && m_item->parent ? m_item->parent->parent : nullptr;
}

void ChartItemDialog::maj()
{
    // A type the list does not offer stays selected as none, and stays
    // stored unless the user picks one.
    ui->fListStyles->setCurrentIndex(-1);
    comboSelectByData(ui->fListStyles, m_work->gType);
    ui->sql->setSql(m_work->SQL);
    ui->fDataInRow->setChecked(m_work->dataInLine);
    ui->fShowLegend->setChecked(m_work->legend);
    ui->fStack->setChecked(m_work->stack);
    ui->altText->setText(m_work->altText);
}

void ChartItemDialog::majC()
{
    const QVariant type = comboSelectedData(ui->fListStyles);
    if (type.isValid())
        m_work->gType = type.toInt();
    m_work->SQL = ui->sql->sql();
    m_work->dataInLine = ui->fDataInRow->isChecked();
    m_work->legend = ui->fShowLegend->isChecked();
    m_work->stack = ui->fStack->isChecked();
    m_work->altText = ui->altText->text().trimmed();
}

void ChartItemDialog::preview()
{
    if (!m_work)
        return;
    majC();
    // Only a query with references needs the reminder: without one it runs
    // as it is.
    if (m_work->SQL.contains(u'{')) {
        UserInteraction::current()->message(
            tr("When you want preview a graph, don't forget to enter real values instead of "
               "parameters like {[Section name].[Field name]}"),
            UserInteraction::Ok, UserInteraction::Information);
    }
    ui->MSChart1->showMessage(QString());
    ReportDocument *doc = document();
    if (!doc)
        return;
    // A connection that cannot be opened is named in the query's error.
    doc->openDataConnection();
    QString sql = m_work->SQL;
    Recordset rs;
    if (doc->runSql(sql, rs, 0) != 0) {
        const ErrorEntry *error = doc->lastError();
        ui->MSChart1->showMessage(error ? error->message : QString());
        return;
    }
    const ChartData data = readChartData(rs, m_work->dataInLine);
    rs.close();
    ui->MSChart1->showChart(*m_work, data);
    if (!ui->MSChart1->hasChart())
        ui->MSChart1->showMessage(tr("Charts cannot be drawn by this program."));
}

void ChartItemDialog::accept()
{
    if (m_item && m_work) {
        majC();
        const bool selected = m_item->selected;
        m_item->copy(*m_work, m_item->parent);
        m_item->selected = selected;
    }
    QDialog::accept();
}

// ---- ChartPreview ----

ChartPreview::ChartPreview(QWidget *parent) : QWidget(parent) {}

ChartPreview::~ChartPreview() = default;

void ChartPreview::showChart(const ChartItem &item, const ChartData &data)
{
    m_item = std::make_unique<ChartItem>();
    m_item->copy(item, nullptr);
    m_data = data;
    m_message.clear();
    render();
    update();
}

void ChartPreview::showMessage(const QString &text)
{
    m_item.reset();
    m_data = ChartData();
    m_picture.clear();
    m_message = text;
    update();
}

void ChartPreview::render()
{
    m_picture.clear();
    if (!m_item || width() <= 0 || height() <= 0)
        return;
    // Drawn at the area's own size, so the chart's text keeps its print
    // size on the screen.
    const double pointsPerPixel = 72.0 / logicalDpiX();
    m_picture = renderChartPicture(*m_item, m_data, QSizeF(size()) * pointsPerPixel);
}

void ChartPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_item)
        render();
}

void ChartPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_picture.isEmpty()) {
        QSvgRenderer renderer(m_picture);
        renderer.render(&painter, QRectF(rect().adjusted(1, 1, -1, -1)));
    } else if (!m_message.isEmpty()) {
        painter.setPen(Qt::black);
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         m_message);
    }
}
