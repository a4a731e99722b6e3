#include "chartrenderer.h"

namespace {

ChartRenderer g_renderer = nullptr;

} // namespace

void setChartRenderer(ChartRenderer renderer)
{
    g_renderer = renderer;
}

ChartRenderer chartRenderer()
{
    return g_renderer;
}

QByteArray renderChartPicture(const ChartItem &item, const ChartData &data, const QSizeF &points)
{
    return g_renderer ? g_renderer(item, data, points) : QByteArray();
}
