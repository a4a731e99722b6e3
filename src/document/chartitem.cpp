#include "chartitem.h"

#include "document/xmlformat.h"
#include "platform/xmldom.h"

ChartItem::ChartItem() : ReportItem(GraphKind) {}

void ChartItem::copy(const ReportItem &src, ReportSection *newParent)
{
    copyCommon(src, newParent);
    if (src.kind() != GraphKind)
        return;
    const ChartItem &s = static_cast<const ChartItem &>(src);
    SQL = s.SQL;
    gType = s.gType;
    legend = s.legend;
    dataInLine = s.dataInLine;
    stack = s.stack;
    altText = s.altText;
    chartPic = s.chartPic;
}

std::unique_ptr<ReportItem> ChartItem::clone() const
{
    auto out = std::make_unique<ChartItem>();
    out->copy(*this, nullptr);
    return out;
}

std::unique_ptr<XmlNode> ChartItem::toXmlNode(XmlDocument &dom) const
{
    auto node = dom.createElement(QString::fromUtf16(XmlFormat::graphElement));
    writeGeometry(*node);
    node->setAttribute(QStringLiteral("gType"), gType);
    node->setAttribute(QStringLiteral("sql"), SQL);
    node->setAttribute(QStringLiteral("datainrow"), boolText(dataInLine));
    node->setAttribute(QStringLiteral("legend"), boolText(legend));
    node->setAttribute(QStringLiteral("stacking"), boolText(stack));
    if (!altText.isEmpty()) // files without one stay as they were
        node->setAttribute(QStringLiteral("altText"), altText);
    writeBorders(dom, *node);
    node->appendChild(dom.createTextNode(QString::fromUtf16(XmlFormat::placeholderText)));
    return node;
}

void ChartItem::readXml(const XmlNode &node)
{
    readGeometry(node);
    readAttr(node, u"gType", gType);
    readAttr(node, u"sql", SQL);
    readAttr(node, u"legend", legend);
    readAttr(node, u"stacking", stack);
    readAttr(node, u"datainrow", dataInLine);
    readAttr(node, u"altText", altText);
    readBorders(node);
}
