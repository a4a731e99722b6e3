#include "borders.h"

#include "document/xmlformat.h"
#include "platform/xmldom.h"

bool Borders::isAnyBorders() const
{
    return left.isVisible() || right.isVisible() || top.isVisible() || bottom.isVisible();
}

bool Borders::allEqual() const
{
    return left.Equal(right) && right.Equal(top) && top.Equal(bottom);
}

void Borders::setValues(unsigned char width_, int color_, int style_)
{
    for (BorderLine *b : {&left, &right, &top, &bottom})
        b->setValues(width_, color_, style_);
}

void Borders::copy(const Borders &source)
{
    left.copy(source.left);
    right.copy(source.right);
    top.copy(source.top);
    bottom.copy(source.bottom);
}

std::unique_ptr<XmlNode> Borders::toXmlNode(XmlDocument &dom) const
{
    auto node = dom.createElement(QString::fromUtf16(XmlFormat::bordersElement));
    XmlFormat::setNamespace(*node);
    node->appendChild(left.toXmlNode(dom, QString::fromUtf16(XmlFormat::whereLeft)));
    node->appendChild(right.toXmlNode(dom, QString::fromUtf16(XmlFormat::whereRight)));
    node->appendChild(top.toXmlNode(dom, QString::fromUtf16(XmlFormat::whereTop)));
    node->appendChild(bottom.toXmlNode(dom, QString::fromUtf16(XmlFormat::whereBottom)));
    return node;
}

void Borders::readXml(const XmlNode &node)
{
    for (const auto &child : node.childNodes()) {
        if (!XmlFormat::isElement(*child, XmlFormat::borderElement))
            continue;
        // "Where" is compared exactly, as it is written.
        const QString where = child->getAttribute(u"Where");
        if (where == XmlFormat::whereLeft)
            left.readXml(*child);
        else if (where == XmlFormat::whereRight)
            right.readXml(*child);
        else if (where == XmlFormat::whereTop)
            top.readXml(*child);
        else if (where == XmlFormat::whereBottom)
            bottom.readXml(*child);
    }
}
