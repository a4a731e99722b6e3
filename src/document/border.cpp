#include "border.h"

#include "platform/units.h"
#include "document/xmlformat.h"
#include "platform/xmldom.h"

float border::wt() const
{
    return float(convertUnit(Width, Unit::Pixels, Unit::Twips, kPixelsPerCm) / 2.0);
}

void border::setValues(unsigned char width_, int color_, int style_)
{
    Width = width_;
    Color = color_;
    style = style_;
}

void border::copy(const border &source)
{
    setValues(source.Width, source.Color, source.style);
}

bool border::Equal(const border &other) const
{
    return Width == other.Width && Color == other.Color && style == other.style;
}

std::unique_ptr<XmlNode> border::getXMLNode(XmlDocument &dom, const QString &where) const
{
    auto node = dom.createElement(QString::fromUtf16(XmlFormat::borderElement));
    XmlFormat::setNamespace(*node);
    node->setAttribute(QStringLiteral("Where"), where);
    node->setAttribute(QStringLiteral("Width"), Width);
    node->setAttribute(QStringLiteral("Color"), Color);
    node->setAttribute(QStringLiteral("Style"), style);
    node->appendChild(dom.createTextNode(QString::fromUtf16(XmlFormat::placeholderText)));
    return node;
}

void border::SetValXML(const XmlNode &node)
{
    readAttr(node, u"Width", Width);
    readAttr(node, u"Color", Color);
    readAttr(node, u"Style", style);
}
