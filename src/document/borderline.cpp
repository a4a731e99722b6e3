#include "borderline.h"

#include "platform/units.h"
#include "document/xmlformat.h"
#include "platform/xmldom.h"

float BorderLine::wt() const
{
    return float(convertUnit(Width, Unit::Pixels, Unit::Twips, kPixelsPerCm) / 2.0);
}

void BorderLine::setValues(unsigned char width_, int color_, int style_)
{
    Width = width_;
    Color = color_;
    style = style_;
}

void BorderLine::copy(const BorderLine &source)
{
    setValues(source.Width, source.Color, source.style);
}

bool BorderLine::Equal(const BorderLine &other) const
{
    return Width == other.Width && Color == other.Color && style == other.style;
}

std::unique_ptr<XmlNode> BorderLine::toXmlNode(XmlDocument &dom, const QString &where) const
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

void BorderLine::readXml(const XmlNode &node)
{
    readAttr(node, u"Width", Width);
    readAttr(node, u"Color", Color);
    readAttr(node, u"Style", style);
}
