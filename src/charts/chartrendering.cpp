#include "chartrendering.h"

#include "document/chartitem.h"
#include "engine/chartrenderer.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QSet>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <cmath>

namespace {

// Bars, lines, areas or steps: the 2D kind behind each type code (3D types
// are drawn as their 2D counterparts).
enum class Kind { Bar, Line, Area, Step, Combination, Pie, XY };

Kind kindOf(int gType)
{
    switch (gType) {
    case ChartItem::Line3D:
    case ChartItem::Line2D: return Kind::Line;
    case ChartItem::Area3D:
    case ChartItem::Area2D: return Kind::Area;
    case ChartItem::Step3D:
    case ChartItem::Step2D: return Kind::Step;
    case ChartItem::Combination3D:
    case ChartItem::Combination2D: return Kind::Combination;
    case ChartItem::Pie2D: return Kind::Pie;
    case ChartItem::XY2D: return Kind::XY;
    default: return Kind::Bar;
    }
}

// Qt Charts draws labels, legends and titles as rich text; data is plain
// text, so markup in it must show as written.
QString plain(const QString &text)
{
    return text.toHtmlEscaped();
}

QLineSeries *lineOf(const QString &name, const QList<double> &values, bool steps)
{
    auto *line = new QLineSeries;
    line->setName(plain(name));
    for (int i = 0; i < values.size(); ++i) {
        if (steps) {
            line->append(i - 0.5, values[i]);
            line->append(i + 0.5, values[i]);
        } else {
            line->append(i, values[i]);
        }
    }
    return line;
}

// Category labels as wide as their places allow: level when the widest
// fits, else turned to read upwards; when even upright labels would touch,
// only every n-th is shown. The others get blanks (a category axis takes
// no label twice). Qt Charts would otherwise cut each one to "...".
void fitCategoryLabels(QChart &chart)
{
    const auto axes = chart.axes(Qt::Horizontal);
    for (QAbstractAxis *axis : axes) {
        auto *categoryAxis = qobject_cast<QBarCategoryAxis *>(axis);
        if (!categoryAxis || categoryAxis->count() == 0)
            continue;
        const QStringList labels = categoryAxis->categories();
        const QFontMetricsF metrics(categoryAxis->labelsFont());
        // Labels need a little room between them to read as apart.
        const double gap = metrics.averageCharWidth() / 2;
        const double place = chart.plotArea().width() / labels.size();
        double widest = 0;
        for (const QString &label : labels)
            widest = qMax(widest, metrics.horizontalAdvance(label));
        categoryAxis->setTruncateLabels(false);
        if (widest + gap <= place)
            continue;
        categoryAxis->setLabelsAngle(-90);
        // Upright labels take height from the plot: the longest are
        // shortened so that the plot keeps most of the chart.
        const double longest = qMax(chart.size().height() * 0.35, metrics.height());
        const qsizetype step = qMax(qsizetype(1), qsizetype(std::ceil((metrics.height() + gap) / place)));
        QStringList shown;
        QSet<QString> taken;
        qsizetype blanks = 0;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            QString label = i % step == 0 ? metrics.elidedText(labels[i], Qt::ElideRight, longest)
                                          : QString(++blanks, QChar(0x200B));
            // Blanks and labels shortened alike differ by zero-width spaces.
            while (taken.contains(label))
                label += QChar(0x200B);
            taken.insert(label);
            shown << label;
        }
        if (shown != labels) {
            categoryAxis->clear();
            categoryAxis->append(shown);
        }
    }
}

} // namespace

std::unique_ptr<QChart> buildChart(const ChartItem &item, const ChartData &data)
{
    auto chart = std::make_unique<QChart>();
    chart->setAnimationOptions(QChart::NoAnimation);
    // Charts sit in boxes of a few centimetres: small print.
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(6);
    chart->legend()->setVisible(item.legend);
    chart->legend()->setAlignment(kindOf(item.gType) == Kind::Pie ? Qt::AlignRight : Qt::AlignBottom);
    chart->legend()->setFont(small);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    if (data.series.isEmpty())
        return chart;

    const Kind kind = kindOf(item.gType);
    if (kind == Kind::Pie) {
        auto *pie = new QPieSeries;
        const ChartData::Series &first = data.series.first();
        for (int i = 0; i < first.values.size(); ++i) {
            if (first.values[i] > 0)
                pie->append(plain(data.categories.value(i)), first.values[i]);
        }
        pie->setLabelsVisible(!item.legend);
        const auto slices = pie->slices();
        for (QPieSlice *slice : slices)
            slice->setLabelFont(small);
        chart->addSeries(pie);
        return chart;
    }

    auto *axisY = new QValueAxis;
    axisY->setLabelsFont(small);
    // Numbers cut to "..." say nothing; a label may rather overlap.
    axisY->setTruncateLabels(false);
    chart->addAxis(axisY, Qt::AlignLeft);
    QAbstractAxis *axisX = nullptr;
    if (kind == Kind::XY && !data.xValues.isEmpty()) {
        axisX = new QValueAxis;
    } else {
        auto *categories = new QBarCategoryAxis;
        QStringList labels;
        for (const QString &category : data.categories)
            labels << plain(category);
        categories->append(labels);
        axisX = categories;
    }
    axisX->setLabelsFont(small);
    chart->addAxis(axisX, Qt::AlignBottom);
    auto attach = [&](QAbstractSeries *series) {
        chart->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    };

    double low = 0, high = 0;
    auto widen = [&](double v) {
        low = qMin(low, v);
        high = qMax(high, v);
    };

    QList<ChartData::Series> lines = data.series;
    if (kind == Kind::Bar || kind == Kind::Combination) {
        QAbstractBarSeries *bars = item.stack && kind == Kind::Bar ? static_cast<QAbstractBarSeries *>(new QStackedBarSeries)
                                                                     : new QBarSeries;
        const qsizetype barCount = kind == Kind::Combination ? 1 : lines.size();
        QList<double> sums(data.categories.size(), 0);
        for (qsizetype s = 0; s < barCount; ++s) {
            auto *set = new QBarSet(plain(lines[s].name));
            for (int i = 0; i < lines[s].values.size(); ++i) {
                *set << lines[s].values[i];
                sums[i] += lines[s].values[i];
                widen(bars->type() == QAbstractSeries::SeriesTypeStackedBar ? sums[i] : lines[s].values[i]);
            }
            bars->append(set);
        }
        attach(bars);
        lines = lines.mid(barCount);
    }
    // Stacked lines, areas and steps add up series by series.
    QList<double> base(data.categories.size(), 0);
    QLineSeries *lower = nullptr;
    for (ChartData::Series series : std::as_const(lines)) {
        if (item.stack && kind != Kind::Combination && kind != Kind::XY) {
            for (int i = 0; i < series.values.size(); ++i)
                series.values[i] += base.value(i);
            base = series.values;
        }
        for (double v : std::as_const(series.values))
            widen(v);
        if (kind == Kind::XY && !data.xValues.isEmpty()) {
            auto *xy = new QLineSeries;
            xy->setName(plain(series.name));
            xy->setPointsVisible(true);
            for (int i = 0; i < series.values.size(); ++i)
                xy->append(data.xValues.value(i), series.values[i]);
            attach(xy);
            continue;
        }
        QLineSeries *line = lineOf(series.name, series.values, kind == Kind::Step);
        if (kind == Kind::Area) {
            auto *area = new QAreaSeries(line, item.stack ? lower : nullptr);
            // An area does not own its lines: the chart does, and outlives
            // the areas that use them.
            line->setParent(chart.get());
            area->setName(plain(series.name));
            attach(area);
            lower = line;
        } else {
            attach(line);
        }
    }
    if (kind == Kind::XY && !data.xValues.isEmpty()) {
        const auto [minX, maxX] = std::minmax_element(data.xValues.cbegin(), data.xValues.cend());
        static_cast<QValueAxis *>(axisX)->setRange(*minX, *maxX > *minX ? *maxX : *minX + 1);
    }
    axisY->setLabelFormat(high - low >= 10 ? QStringLiteral("%.0f") : QStringLiteral("%.2g"));
    axisY->setRange(low, high > low ? high : low + 1);
    axisY->applyNiceNumbers();
    return chart;
}

QByteArray renderChart(const ChartItem &item, const ChartData &data, const QSizeF &points)
{
    QByteArray picture;
    // Qt Charts lays charts out with graphics widgets, which need the widget
    // application.
    if (!QCoreApplication::instance() || !QCoreApplication::instance()->inherits("QApplication") || !(points.width() > 0)
        || !(points.height() > 0))
        return picture;
    QGraphicsScene scene;
    std::unique_ptr<QChart> chart = buildChart(item, data);
    QChart *shown = chart.release(); // the scene owns it now
    scene.addItem(shown);
    shown->setGeometry(QRectF(QPointF(0, 0), points));
    scene.setSceneRect(QRectF(QPointF(0, 0), points));
    // The chart lays itself out on posted events; let that happen before it
    // is recorded, or axis labels keep the sizes of an earlier layout.
    QCoreApplication::sendPostedEvents();
    // Label sizes depend on the plot's width, known only once laid out.
    fitCategoryLabels(*shown);
    QCoreApplication::sendPostedEvents();
    // The chart is laid out in points and recorded at 72 dpi, so its text
    // keeps its size relative to the box on every device.
    QBuffer buffer(&picture);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(72);
    svg.setSize(points.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), points));
    QPainter painter(&svg);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), points), QRectF(QPointF(0, 0), points));
    painter.end();
    return picture;
}

void registerChartRenderer()
{
    setChartRenderer(&renderChart);
}
