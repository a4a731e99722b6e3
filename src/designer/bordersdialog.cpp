#include "bordersdialog.h"
#include "ui_bordersdialog.h"

#include "designer/comboroutines.h"
#include "document/reportitem.h"
#include "output/drawingsurface.h"
#include "output/editmodedrawing.h"
#include "output/itemrendering.h"

#include <QColorDialog>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPushButton>

namespace {

// Room between a sample's frame and what it shows, in pixels.
constexpr double kSampleMargin = 10;

int windowsRgb(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

// The designer at 100 %: a twip is this many of the widget's pixels.
double pixelsPerTwip(const QWidget *widget)
{
    return widget->logicalDpiX() / 1440.0;
}

} // namespace

BordersDialog::BordersDialog(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::BordersDialog>())
{
    ui->setupUi(this);
    for (int width = 1; width <= 10; ++width)
        comboAddItem(ui->borderWidth, QString::number(width), width);
    comboAddItem(ui->LineStyle, tr("Invisible"), int(BorderLine::Invisible));
    comboAddItem(ui->LineStyle, tr("Solid"), int(BorderLine::Solid));
    comboAddItem(ui->LineStyle, tr("Dash"), int(BorderLine::Dash));
    comboAddItem(ui->LineStyle, tr("DashDot"), int(BorderLine::DashDot));
    comboAddItem(ui->LineStyle, tr("DashDotDot"), int(BorderLine::DashDotDot));
    comboAddItem(ui->LineStyle, tr("Dot"), int(BorderLine::Dot));

    connect(ui->borderWidth, &QComboBox::currentIndexChanged, ui->sampleLine,
            qOverload<>(&QWidget::update));
    connect(ui->LineStyle, &QComboBox::currentIndexChanged, this, &BordersDialog::styleChanged);
    connect(ui->bColor, &QPushButton::clicked, this, &BordersDialog::chooseColor);
    connect(ui->l, &QPushButton::clicked, this, [this] { applyTo(&m_work.left); });
    connect(ui->t, &QPushButton::clicked, this, [this] { applyTo(&m_work.top); });
    connect(ui->r, &QPushButton::clicked, this, [this] { applyTo(&m_work.right); });
    connect(ui->b, &QPushButton::clicked, this, [this] { applyTo(&m_work.bottom); });
    connect(ui->a, &QPushButton::clicked, this, [this] { applyTo(nullptr); });
    connect(ui->RemoveAll, &QPushButton::clicked, this, [this] {
        m_work.setValues(0, 0, BorderLine::Invisible);
        ui->sampleBorders->update();
    });
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &BordersDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &BordersDialog::reject);
    ui->sampleLine->installEventFilter(this);
    ui->sampleBorders->installEventFilter(this);

    comboSelectByData(ui->borderWidth, 1);
    comboSelectByData(ui->LineStyle, int(BorderLine::Solid));
    setChosenColor(0);
}

BordersDialog::~BordersDialog() = default;

bool BordersDialog::Edit(Borders *borders)
{
    if (!borders)
        return false;
    load(borders);
    return exec() == QDialog::Accepted;
}

bool BordersDialog::EditWithItem(ReportItem *item)
{
    if (!item)
        return false;
    load(&item->borders, item);
    return exec() == QDialog::Accepted;
}

void BordersDialog::load(Borders *borders, const ReportItem *item)
{
    m_edited = borders;
    m_work.copy(*borders);
    m_sampleItem.reset();
    if (item) {
        m_sampleItem = item->clone();
        m_sampleItem->selected = false;
        m_itemTwips = QSizeF(item->wt(), item->ht());
    }
    // Start from the style the item already shows, so that a second side
    // gets the same line without choosing it again.
    for (const BorderLine *side : {&m_work.left, &m_work.top, &m_work.right, &m_work.bottom}) {
        if (side->isVisible()) {
            comboSelectByData(ui->LineStyle, side->style);
            if (side->style == BorderLine::Solid)
                comboSelectByData(ui->borderWidth, qBound(1, int(side->Width), 10));
            setChosenColor(side->Color);
            break;
        }
    }
    ui->sampleBorders->update();
}

int BordersDialog::chosenWidth() const
{
    return comboSelectedData(ui->borderWidth).toInt();
}

int BordersDialog::chosenStyle() const
{
    return comboSelectedData(ui->LineStyle).toInt();
}

void BordersDialog::setChosenColor(int rgb)
{
    m_color = rgb;
    QImage face(28, 14, QImage::Format_RGB32);
    face.fill(DrawingSurface::color(rgb));
    QPainter painter(&face);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(face.rect().adjusted(0, 0, -1, -1));
    painter.end();
    ui->bColor->setIcon(QPixmap::fromImage(face));
    ui->bColor->setIconSize(face.size());
    ui->sampleLine->update();
}

void BordersDialog::accept()
{
    if (m_edited)
        m_edited->copy(m_work);
    QDialog::accept();
}

void BordersDialog::styleChanged()
{
    // Only solid lines are drawn wider than one pixel.
    const bool solid = chosenStyle() == BorderLine::Solid;
    if (!solid)
        comboSelectByData(ui->borderWidth, 1);
    ui->borderWidth->setEnabled(solid);
    ui->sampleLine->update();
}

void BordersDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(DrawingSurface::color(m_color), this, tr("Color"));
    if (chosen.isValid())
        setChosenColor(windowsRgb(chosen));
}

void BordersDialog::applyTo(BorderLine *side)
{
    const auto width = static_cast<unsigned char>(chosenWidth());
    if (side)
        side->setValues(width, m_color, chosenStyle());
    else
        m_work.setValues(width, m_color, chosenStyle());
    ui->sampleBorders->update();
}

bool BordersDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The samples are plain frames of the form: their content is painted
    // here, then the frame draws its edge over it.
    if (event->type() == QEvent::Paint) {
        if (watched == ui->sampleLine)
            paintLineSample();
        else if (watched == ui->sampleBorders)
            paintBordersSample();
    }
    return QDialog::eventFilter(watched, event);
}

void BordersDialog::paintLineSample()
{
    QFrame *frame = ui->sampleLine;
    QPainter painter(frame);
    const QRectF area = frame->contentsRect();
    painter.fillRect(area, frame->palette().color(QPalette::Base));
    // The line is a top border, drawn as the designer draws borders, on a
    // box placed so that the line runs through the middle.
    Borders line;
    line.setValues(1, 0, BorderLine::Invisible);
    line.top.setValues(static_cast<unsigned char>(chosenWidth()), m_color, chosenStyle());
    const double ppt = pixelsPerTwip(frame);
    const double thickness = qMax(1, chosenWidth()) * 15 * ppt;
    painter.translate(area.left() + kSampleMargin, area.center().y() - thickness / 2);
    drawBorders(painter, line, QSizeF(area.width() - 2 * kSampleMargin, thickness), false, ppt);
}

void BordersDialog::paintBordersSample()
{
    QFrame *frame = ui->sampleBorders;
    QPainter painter(frame);
    const QRectF area = frame->contentsRect();
    painter.fillRect(area, frame->palette().color(QPalette::Window));
    painter.setClipRect(area);
    const QRectF room = area.adjusted(kSampleMargin, kSampleMargin, -kSampleMargin, -kSampleMargin);
    if (room.isEmpty())
        return;
    double ppt = pixelsPerTwip(frame);
    if (m_sampleItem && m_itemTwips.width() > 0 && m_itemTwips.height() > 0) {
        // The whole item, shrunk when it is larger than the room: its four
        // sides are what the sample is for.
        QSizeF box = m_itemTwips * ppt;
        const double shrink =
            qMin(1.0, fitScale(box.width(), box.height(), room.width(), room.height()));
        ppt *= shrink;
        box *= shrink;
        m_sampleItem->borders.copy(m_work);
        painter.translate(room.center() - QPointF(box.width(), box.height()) / 2);
        drawEditMode(painter, *m_sampleItem, box, ppt, QImage());
        return;
    }
    painter.fillRect(room, frame->palette().color(QPalette::Base));
    painter.translate(room.topLeft());
    drawEditFrame(painter, room.size(), false);
    drawBorders(painter, m_work, room.size(), false, ppt);
}
