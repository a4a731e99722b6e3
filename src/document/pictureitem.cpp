#include "pictureitem.h"

#include "document/xmlformat.h"
#include "platform/xmldom.h"

PictureItem::PictureItem() : ReportItem(PictureKind) {}

void PictureItem::copy(const ReportItem &src, ReportSection *newParent)
{
    copyCommon(src, newParent);
    if (src.kind() != PictureKind)
        return;
    const PictureItem &s = static_cast<const PictureItem &>(src);
    fileName = s.fileName;
    pType = s.pType;
    stretch = s.stretch;
    altText = s.altText;
    pic = s.pic;
    jpeg = s.jpeg;
}

std::unique_ptr<ReportItem> PictureItem::clone() const
{
    auto out = std::make_unique<PictureItem>();
    out->copy(*this, nullptr);
    return out;
}

std::unique_ptr<XmlNode> PictureItem::toXmlNode(XmlDocument &dom) const
{
    auto node = dom.createElement(QString::fromUtf16(XmlFormat::pictureElement));
    writeGeometry(*node);
    node->setAttribute(QStringLiteral("fileName"), fileName);
    node->setAttribute(QStringLiteral("pType"), pType);
    node->setAttribute(QStringLiteral("stretch"), boolText(stretch));
    if (!altText.isEmpty()) // files without one stay as they were
        node->setAttribute(QStringLiteral("altText"), altText);
    writeBorders(dom, *node);
    node->appendChild(dom.createTextNode(QString::fromUtf16(XmlFormat::placeholderText)));
    return node;
}

void PictureItem::readXml(const XmlNode &node)
{
    readGeometry(node);
    readAttr(node, u"fileName", fileName);
    readAttr(node, u"pType", pType);
    readAttr(node, u"stretch", stretch);
    readAttr(node, u"altText", altText);
    readBorders(node);
}
