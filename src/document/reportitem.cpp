#include "reportitem.h"

#include "platform/units.h"
#include "document/reportsection.h"
#include "document/xmlformat.h"
#include "platform/xmldom.h"

ReportItem::~ReportItem() = default;

QString ReportItem::whatIs() const
{
    switch (m_kind) {
    case TextKind:
        return QStringLiteral("item");
    case PictureKind:
        return QStringLiteral("picture");
    case GraphKind:
        return QStringLiteral("graph");
    }
    return QString();
}

int ReportItem::unit() const
{
    return parent ? parent->unit() : 0;
}

double ReportItem::xt() const
{
    return convertUnit(x, unit(), Unit::Twips, kPixelsPerCm);
}

double ReportItem::yt() const
{
    return convertUnit(y, unit(), Unit::Twips, kPixelsPerCm);
}

double ReportItem::wt() const
{
    return convertUnit(w, unit(), Unit::Twips, kPixelsPerCm);
}

double ReportItem::ht() const
{
    return convertUnit(h, unit(), Unit::Twips, kPixelsPerCm);
}

void ReportItem::release()
{
    borders.release();
    parent = nullptr;
}

void ReportItem::copyCommon(const ReportItem &src, ReportSection *newParent)
{
    x = src.x;
    y = src.y;
    w = src.w;
    h = src.h;
    borders.copy(src.borders);
    parent = newParent;
    modified = true;
    selected = false;
}

void ReportItem::writeGeometry(XmlNode &node) const
{
    XmlFormat::setNamespace(node);
    node.setAttribute(QStringLiteral("x"), x);
    node.setAttribute(QStringLiteral("y"), y);
    node.setAttribute(QStringLiteral("width"), w);
    node.setAttribute(QStringLiteral("height"), h);
}

void ReportItem::readGeometry(const XmlNode &node)
{
    readAttr(node, u"x", x);
    readAttr(node, u"y", y);
    readAttr(node, u"width", w);
    readAttr(node, u"height", h);
}

void ReportItem::writeBorders(XmlDocument &dom, XmlNode &node) const
{
    if (borders.isAnyBorders())
        node.appendChild(borders.toXmlNode(dom));
}

void ReportItem::readBorders(const XmlNode &node)
{
    for (const auto &child : node.childNodes()) {
        if (XmlFormat::isElement(*child, XmlFormat::bordersElement))
            borders.readXml(*child);
    }
}
