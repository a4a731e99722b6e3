#pragma once

#include "document/reportitem.h"

#include <QImage>
#include <QByteArray>
#include <QString>

// A chart item: the recordset of SQL plotted as gType.
class ChartItem : public ReportItem
{
public:
    // The chart type codes (the numbers stored in "gType").
    enum ChartType {
        Bar3D = 0, Bar2D = 1, Line3D = 2, Line2D = 3, Area3D = 4, Area2D = 5,
        Step3D = 6, Step2D = 7, Combination3D = 8, Combination2D = 9, Pie2D = 14, XY2D = 16,
    };

    ChartItem();

    void copy(const ReportItem &src, ReportSection *newParent) override;
    std::unique_ptr<ReportItem> clone() const override;
    std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom) const override;
    void readXml(const XmlNode &node) override;

    QString SQL;
    int gType = Bar2D;
    bool legend = false;
    bool dataInLine = false; // series are in rows, not columns
    bool stack = false;
    QString altText;       // what the chart shows, for screen readers; empty: its type
    QImage chartPic;       // the rendered chart; null until drawn
    QByteArray chart;      // the rendered chart as SVG, drawn as vectors; empty until drawn
    bool printing = false; // a print copy: the chart's query runs only then

    // ---- Report run (defined in src/engine/) ----
    // The print copy on the document's page being filled; never grows (0).
    float addToPage() const;
};
