#include "reportsection.h"

#include "platform/units.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportdocument.h"
#include "document/xmlformat.h"
#include "platform/recordset.h"
#include "platform/xmldom.h"

#include <QLocale>

#include <climits>

ReportSection::ReportSection() = default;

ReportSection::~ReportSection() = default;

QString ReportSection::keyOf(int type, int dataSectionNumber)
{
    switch (type) {
    case PageHeader:
        return QStringLiteral("ph");
    case PageFooter:
        return QStringLiteral("pf");
    case ReportHeader:
        return QStringLiteral("rh");
    case ReportFooter:
        return QStringLiteral("rf");
    default:
        return QLatin1Char('d') + QString::number(dataSectionNumber);
    }
}

QString ReportSection::Key() const
{
    return keyOf(section_Type, dataSectionNumber);
}

QString ReportSection::sortingKey() const
{
    int value = 0;
    switch (section_Type) {
    case PageHeader:
    case PageFooter:
    case ReportHeader:
    case ReportFooter:
        value = 0;
        break;
    case BeforeData:
        value = dataSectionNumber * 10 - 1;
        break;
    case AfterData:
        value = dataSectionNumber * 10 + 1;
        break;
    default:
        value = dataSectionNumber * 10;
        break;
    }
    return QStringLiteral("%1").arg(value, 4, 10, QLatin1Char('0'));
}

QString ReportSection::newKey()
{
    ++m_itemCounter;
    return QLatin1Char('k') + QString::number(m_itemCounter);
}

template <typename T>
T *ReportSection::addNew()
{
    auto object = std::make_unique<T>();
    QString key = newKey();
    // A key taken by an item added by other means is skipped, never reused.
    while (items.contains(key))
        key = newKey();
    object->Key = key;
    object->parent = this;
    return static_cast<T *>(items.add(key, std::move(object)));
}

TextItem *ReportSection::newTextItem()
{
    return addNew<TextItem>();
}

PictureItem *ReportSection::newPicture()
{
    return addNew<PictureItem>();
}

ChartItem *ReportSection::newChart()
{
    return addNew<ChartItem>();
}

void ReportSection::SelectAll(bool value)
{
    for (ReportItem *item : items)
        item->selected = value;
}

bool ReportSection::modified() const
{
    if (modified_)
        return true;
    for (ReportItem *item : items) {
        if (item->modified)
            return true;
    }
    return false;
}

int ReportSection::unit() const
{
    return parent ? parent->unit() : 0;
}

double ReportSection::HeightT() const
{
    return convertUnit(Height, unit(), Unit::Twips, kPixelsPerCm);
}

void ReportSection::release()
{
    parent = nullptr;
    rsd.reset(); // closing a snapshot cannot fail
}

std::optional<bool> ReportSection::visibleValue(const QString &visible)
{
    const QString text = visible.trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto number = leadingNumber(text)) {
        // Only a text that is wholly a number counts as one.
        bool ok = false;
        QLocale::c().toDouble(text, &ok);
        if (ok)
            return *number != 0;
    }
    return std::nullopt;
}

std::unique_ptr<XmlNode> ReportSection::toXmlNode(XmlDocument &dom) const
{
    auto node = dom.createElement(QString::fromUtf16(XmlFormat::sectionElement));
    XmlFormat::setNamespace(*node);
    node->setAttribute(QStringLiteral("name"), sectionName);
    node->setAttribute(QStringLiteral("type"), section_Type);
    node->setAttribute(QStringLiteral("height"), Height);
    node->setAttribute(QStringLiteral("SQL"), SQL);
    node->setAttribute(QStringLiteral("mode"), mode);
    node->setAttribute(QStringLiteral("sectionParent"), sectionParent);
    node->setAttribute(QStringLiteral("dataSectionNumber"), dataSectionNumber);
    node->setAttribute(QStringLiteral("pageBreakAfter"), boolText(pageBreakAfter));
    // The Boolean value when the text has one; any other condition is kept
    // as written rather than lost.
    const auto value = visibleValue(visible);
    node->setAttribute(QStringLiteral("visible"), value ? boolText(*value) : visible);
    for (const ReportItem *item : items)
        node->appendChild(item->toXmlNode(dom));
    return node;
}

void ReportSection::readXml(const XmlNode &node)
{
    readAttr(node, u"name", sectionName);
    readAttr(node, u"type", section_Type);
    readAttr(node, u"height", Height);
    readAttr(node, u"SQL", SQL);
    readAttr(node, u"mode", mode);
    // Section numbers beyond what the document counts are no numbers.
    readAttr(node, u"sectionParent", sectionParent, 0, SHRT_MAX);
    readAttr(node, u"dataSectionNumber", dataSectionNumber, 0, SHRT_MAX);
    QString pageBreak;
    pageBreakAfter = textToBool(readAttr(node, u"pageBreakAfter", pageBreak));
    readAttr(node, u"visible", visible);

    for (const auto &child : node.childNodes()) {
        if (!child->isElement())
            continue;
        ReportItem *item = nullptr;
        if (XmlFormat::isElement(*child, XmlFormat::itemElement))
            item = newTextItem();
        else if (XmlFormat::isElement(*child, XmlFormat::pictureElement))
            item = newPicture();
        else if (XmlFormat::isElement(*child, XmlFormat::graphElement))
            item = newChart();
        if (item)
            item->readXml(*child);
    }
}
