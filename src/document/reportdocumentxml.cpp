// Reading and writing the report file: the document's own element. The
// sections, items and borders write and read their elements themselves.
#include "reportdocument.h"

#include "platform/units.h"
#include "document/userinteraction.h"
#include "document/xmlformat.h"
#include "platform/xmldom.h"

#include <algorithm>

namespace {

bool isKnownUnit(int code)
{
    switch (code) {
    case Unit::Twips:
    case Unit::Pixels:
    case Unit::Inches:
    case Unit::Millimetres:
    case Unit::Centimetres:
        return true;
    default:
        return false;
    }
}

QString loadFailureText()
{
    return ReportDocument::tr("Unable to open the document, the format is not correct");
}

} // namespace

std::unique_ptr<XmlNode> ReportDocument::toXmlNode(XmlDocument &dom) const
{
    auto root = dom.createElement(QString::fromUtf16(XmlFormat::rootElement));
    XmlFormat::setNamespace(*root);
    root->setAttribute(QStringLiteral("xmlns:xsi"), QString::fromUtf16(XmlFormat::schemaInstanceUri));
    root->setAttribute(QStringLiteral("xsi:schemaLocation"),
                       QString::fromUtf16(XmlFormat::namespaceUri) + QLatin1Char(' ')
                           + QString::fromUtf16(XmlFormat::schemaFile));
    root->setAttribute(QStringLiteral("docName"), docName);
    root->setAttribute(QStringLiteral("pageOrientation"), pageOrientation);
    root->setAttribute(QStringLiteral("copies"), copies);
    root->setAttribute(QStringLiteral("connectionString"), connectionStringData);
    root->setAttribute(QStringLiteral("bottomMargin"), bottomMargin);
    root->setAttribute(QStringLiteral("topMargin"), topMargin);
    root->setAttribute(QStringLiteral("rightMargin"), rightMargin);
    root->setAttribute(QStringLiteral("leftMargin"), leftMargin);
    root->setAttribute(QStringLiteral("docPrinterName"), DocPrinterName);
    root->setAttribute(QStringLiteral("gridSize"), gridSize);
    root->setAttribute(QStringLiteral("paperType"), paperType);
    root->setAttribute(QStringLiteral("pageWidth"), pageWidth);
    root->setAttribute(QStringLiteral("pageHeight"), pageHeight);
    root->setAttribute(QStringLiteral("unit"), m_unit);
    if (!language.isEmpty()) // files without one stay as they were
        root->setAttribute(QStringLiteral("language"), language);
    for (const ReportSection *s : sections)
        root->appendChild(s->toXmlNode(dom));
    return root;
}

bool ReportDocument::saveXml(const QString &fileName)
{
    XmlDocument dom;
    dom.setDocumentElement(toXmlNode(dom));
    if (!dom.save(fileName)) {
        m_errorString = dom.errorString();
        return false;
    }
    m_errorString.clear();
    return true;
}

void ReportDocument::readXml(const XmlNode &root)
{
    readAttr(root, u"docName", docName);
    readAttr(root, u"pageOrientation", pageOrientation);
    readAttr(root, u"copies", copies);
    readAttr(root, u"connectionString", connectionStringData);
    readAttr(root, u"bottomMargin", bottomMargin);
    readAttr(root, u"topMargin", topMargin);
    readAttr(root, u"rightMargin", rightMargin);
    readAttr(root, u"leftMargin", leftMargin);
    readAttr(root, u"docPrinterName", DocPrinterName);
    readAttr(root, u"gridSize", gridSize);
    readAttr(root, u"paperType", paperType);
    readAttr(root, u"pageWidth", pageWidth);
    readAttr(root, u"pageHeight", pageHeight);
    readAttr(root, u"language", language);
    // The lengths just read are in this unit already: nothing is converted.
    int fileUnit = m_unit;
    readAttr(root, u"unit", fileUnit);
    if (isKnownUnit(fileUnit))
        m_unit = fileUnit;

    QStringList dropped;
    for (const auto &child : root.childNodes()) {
        if (!XmlFormat::isElement(*child, XmlFormat::sectionElement))
            continue;
        auto s = std::make_unique<ReportSection>();
        s->readXml(*child);
        s->parent = this;
        if (s->section_Type == ReportSection::DataSection && s->dataSectionNumber == 0)
            s->dataSectionNumber = countDataSections() + 1;
        if (sections.contains(s->Key())) {
            if (s->section_Type >= ReportSection::PageHeader && s->section_Type <= ReportSection::ReportFooter) {
                // A report has one section of each header and footer kind.
                dropped << s->sectionName;
                continue;
            }
            // Two data sections with one number: the later one takes the
            // next free number rather than being lost.
            int highest = 0;
            for (const ReportSection *other : sections)
                highest = std::max(highest, other->dataSectionNumber);
            s->dataSectionNumber = highest + 1;
        }
        const QString key = s->Key();
        sections.add(key, std::move(s));
    }
    countDataSections();

    if (!dropped.isEmpty()) {
        UserInteraction::current()->message(
            tr("The file repeats a header or footer that the report already has; these sections were "
               "not loaded:") + QStringLiteral("\r\n") + dropped.join(QStringLiteral("\r\n")),
            UserInteraction::Ok, UserInteraction::Exclamation);
    }
}

bool ReportDocument::loadXml(const QString &fileName)
{
    XmlDocument dom;
    const bool parsed = dom.load(fileName);
    return loadParsed(dom, parsed, fileName);
}

bool ReportDocument::loadXmlData(const QByteArray &data, const QString &sourceName)
{
    XmlDocument dom;
    const bool parsed = dom.setContent(data);
    return loadParsed(dom, parsed, sourceName);
}

bool ReportDocument::loadParsed(XmlDocument &dom, bool parsed, const QString &fileName)
{
    if (!parsed) {
        const XmlParseError &error = dom.parseError();
        QString text = loadFailureText() + QStringLiteral("\r\n");
        if (error.line > 0)
            text += error.reason + QStringLiteral(" (") + QString::number(error.line)
                    + QStringLiteral(", ") + error.srcText + QLatin1Char(')');
        else
            text += error.reason + QStringLiteral(" (") + fileName + QLatin1Char(')');
        UserInteraction::current()->message(text, UserInteraction::Ok, UserInteraction::Exclamation);
        return false;
    }

    const XmlNode *root = dom.documentElement();
    if (!XmlFormat::isElement(*root, XmlFormat::rootElement)) {
        // Well-formed XML of another kind would otherwise load as an empty
        // report, and saving it would lose the file.
        const QString reason = tr("The file is not a report: its root element is \"%1\", not \"%2\"")
                                   .arg(root->nodeName(), QString::fromUtf16(XmlFormat::rootElement));
        UserInteraction::current()->message(
            loadFailureText() + QStringLiteral("\r\n") + reason + QStringLiteral(" (")
                + QString::number(root->line()) + QStringLiteral(", <") + root->nodeName()
                + QStringLiteral(">)"),
            UserInteraction::Ok, UserInteraction::Exclamation);
        return false;
    }

    const QString keptName = this->fileName;
    init();
    clearSections();
    this->fileName = keptName;
    readXml(*root);
    clearModified();
    return true;
}
