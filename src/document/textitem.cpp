#include "textitem.h"

#include "document/xmlformat.h"
#include "platform/xmldom.h"

TextItem::TextItem() : ReportItem(TextKind)
{
    w = 2;
    h = 2;
}

void TextItem::align(const QString &where)
{
    if (where.compare(QLatin1String("center"), Qt::CaseInsensitive) == 0)
        AlignH = 2;
    else if (where.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0)
        AlignH = 1;
    else
        AlignH = 0;
}

bool TextItem::fontWhat(const QString &what) const
{
    const QString name = what.toLower();
    if (name == QLatin1String("bold"))
        return fontBold;
    if (name == QLatin1String("italic"))
        return fontItalic;
    if (name == QLatin1String("underline"))
        return fontUnderline;
    if (name == QLatin1String("strikethrough"))
        return fontStrikethrough;
    return false;
}

void TextItem::setFontWhat(const QString &what, bool value)
{
    const QString name = what.toLower();
    if (name == QLatin1String("bold"))
        fontBold = value;
    else if (name == QLatin1String("italic"))
        fontItalic = value;
    else if (name == QLatin1String("underline"))
        fontUnderline = value;
    else if (name == QLatin1String("strikethrough"))
        fontStrikethrough = value;
}

void TextItem::copy(const ReportItem &src, ReportSection *newParent)
{
    copyCommon(src, newParent);
    if (src.kind() != TextKind)
        return;
    const TextItem &s = static_cast<const TextItem &>(src);
    content = s.content;
    fontName = s.fontName;
    fontSize = s.fontSize;
    fontBold = s.fontBold;
    fontUnderline = s.fontUnderline;
    fontItalic = s.fontItalic;
    fontStrikethrough = s.fontStrikethrough;
    fontColor = s.fontColor;
    fontCharset = s.fontCharset;
    CanGrowVertical = s.CanGrowVertical;
    CanGrowHorizontal = s.CanGrowHorizontal;
    AlignH = s.AlignH;
    alignV = s.alignV;
    HideDuplicates = s.HideDuplicates;
    FormatString = s.FormatString;
    runningSum = s.runningSum;
    visible = s.visible;
}

std::unique_ptr<ReportItem> TextItem::clone() const
{
    auto out = std::make_unique<TextItem>();
    out->copy(*this, nullptr);
    return out;
}

std::unique_ptr<XmlNode> TextItem::toXmlNode(XmlDocument &dom) const
{
    auto node = dom.createElement(QString::fromUtf16(XmlFormat::itemElement));
    writeGeometry(*node);
    node->setAttribute(QStringLiteral("fontName"), fontName);
    node->setAttribute(QStringLiteral("fontBold"), boolText(fontBold));
    node->setAttribute(QStringLiteral("fontCharset"), fontCharset);
    node->setAttribute(QStringLiteral("fontItalic"), boolText(fontItalic));
    node->setAttribute(QStringLiteral("fontSize"), fontSize);
    node->setAttribute(QStringLiteral("fontStrikethrough"), boolText(fontStrikethrough));
    node->setAttribute(QStringLiteral("fontUnderline"), boolText(fontUnderline));
    node->setAttribute(QStringLiteral("fontColor"), fontColor);
    node->setAttribute(QStringLiteral("HAlign"), AlignH);
    node->setAttribute(QStringLiteral("visible"), visible);
    node->setAttribute(QStringLiteral("FormatString"), FormatString);
    node->setAttribute(QStringLiteral("canGrowVertically"), boolText(CanGrowVertical));
    writeBorders(dom, *node);
    node->appendChild(dom.createTextNode(content));
    return node;
}

void TextItem::readXml(const XmlNode &node)
{
    readGeometry(node);
    readAttr(node, u"fontName", fontName);
    readAttr(node, u"fontBold", fontBold);
    readAttr(node, u"fontCharset", fontCharset);
    readAttr(node, u"fontItalic", fontItalic);
    readAttr(node, u"fontSize", fontSize);
    readAttr(node, u"fontStrikethrough", fontStrikethrough);
    readAttr(node, u"fontUnderline", fontUnderline);
    readAttr(node, u"fontColor", fontColor);
    readAttr(node, u"HAlign", AlignH);
    QString grow;
    CanGrowVertical = textToBool(readAttr(node, u"canGrowVertically", grow));
    readAttr(node, u"FormatString", FormatString);
    readAttr(node, u"visible", visible);

    // The item's own text children make its content. White space standing
    // before a child element is the indentation of a hand-edited file, not
    // text of the item.
    QString text;
    const auto &children = node.childNodes();
    for (size_t i = 0; i < children.size(); ++i) {
        const XmlNode &child = *children[i];
        if (child.isElement())
            continue;
        if (i + 1 < children.size() && children[i + 1]->isElement()
            && child.text().trimmed().isEmpty())
            continue;
        text += child.text();
    }
    content = normalizeLineBreaks(text);
    readBorders(node);
}
