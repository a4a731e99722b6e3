#include "reportdocument.h"

#include "platform/appinfo.h"
#include "platform/units.h"
#include "document/reportitem.h"
#include "document/userinteraction.h"
#include "platform/connection.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

QString defaultConnectionStringData()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=yourAccessDB.mdb;"
                          "Persist Security Info=False");
}

QString defaultConnectionStringTexts()
{
    QString folder;
    if (QCoreApplication::instance())
        folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + folder
           + QStringLiteral("texts.mdb;Persist Security Info=False");
}

QString defaultName(int type)
{
    switch (type) {
    case ReportSection::PageHeader:
        return QStringLiteral("Page Header");
    case ReportSection::PageFooter:
        return QStringLiteral("Page Footer");
    case ReportSection::ReportHeader:
        return QStringLiteral("Report Header");
    case ReportSection::ReportFooter:
        return QStringLiteral("Report Footer");
    default:
        return QStringLiteral("Data");
    }
}

bool isHeaderOrFooter(int type)
{
    return type >= ReportSection::PageHeader && type <= ReportSection::ReportFooter;
}

} // namespace

ReportDocument::ReportDocument(QObject *parent) : QObject(parent)
{
    init();
    fileName.clear();
    addDataSection(-1);
    modified_ = false;
    dbg = false;
    hideRun = false;
}

ReportDocument::~ReportDocument()
{
    release();
}

void ReportDocument::setUnit(int newUnit)
{
    auto convert = [&](float &length) {
        length = float(convertUnit(length, m_unit, newUnit, kPixelsPerCm));
    };
    convert(pageHeight);
    convert(pageWidth);
    convert(leftMargin);
    convert(rightMargin);
    convert(topMargin);
    convert(bottomMargin);
    m_unit = newUnit;
}

void ReportDocument::init()
{
    fileName.clear();
    clearSections();
    setUnit(Unit::Centimetres);
    rightMargin = 1.5f;
    leftMargin = 1.5f;
    pageOrientation = 1;
    copies = 1;
    setPageFooter(false);
    setPageHeader(false);
    setReportFooter(false);
    setReportHeader(false);
    connectionStringData = defaultConnectionStringData();
    connectionStringTexts = defaultConnectionStringTexts();
    docName.clear();
    DocPrinterName.clear();
    language.clear();
    topMargin = 1.5f;
    bottomMargin = 2;
    paperType = 9;
    gridSize = 0.2f;
    errorLst.clear();
    clearModified();
}

int ReportDocument::countDataSections()
{
    int count = 0;
    for (const ReportSection *s : sections) {
        if (s->section_Type == ReportSection::DataSection)
            ++count;
    }
    nbDataSections = count;
    return count;
}

QString ReportDocument::freeDataSectionName(int preferred) const
{
    // Field references name sections, so a new name must not repeat one.
    for (int n = preferred;; ++n) {
        const QString name = QStringLiteral("Data %1").arg(n);
        if (!findSection(name, nullptr))
            return name;
    }
}

std::unique_ptr<ReportSection> ReportDocument::createDataSection(int where)
{
    auto created = std::make_unique<ReportSection>();
    created->parent = this;
    const int count = countDataSections();

    // The highest number in use, so that a section added after another was
    // removed never takes a number (and key) that is still held.
    int highest = 0;
    for (const ReportSection *s : sections) {
        if (!isHeaderOrFooter(s->section_Type))
            highest = std::max(highest, s->dataSectionNumber);
    }

    int number = 0;
    if (where < 0) {
        number = std::max(count, highest) + 1;
    } else {
        number = std::max(where, 1);
        bool moved = false;
        for (ReportSection *s : sections) {
            if (isHeaderOrFooter(s->section_Type))
                continue;
            if (s->dataSectionNumber >= number) {
                ++s->dataSectionNumber;
                moved = true;
            }
            // Children keep their parent across the renumbering.
            if (s->sectionParent >= number)
                ++s->sectionParent;
        }
        if (moved)
            rekeySections();
    }
    created->sectionName = freeDataSectionName(count + 1);
    created->dataSectionNumber = number;
    return created;
}

ReportSection *ReportDocument::addDataSection(int where)
{
    std::unique_ptr<ReportSection> created = createDataSection(where);
    const QString key = created->Key();
    ReportSection *stored = sections.add(key, std::move(created));
    countDataSections();
    return stored;
}

void ReportDocument::rekeySections()
{
    KeyedCollection<ReportSection> rebuilt;
    while (!sections.isEmpty()) {
        const QString oldKey = sections.keyAt(0);
        std::unique_ptr<ReportSection> s = sections.take(oldKey);
        if (rebuilt.contains(s->Key()) && !isHeaderOrFooter(s->section_Type)) {
            // Two data sections with one number: the later one gets a free number.
            int highest = 0;
            for (const ReportSection *r : rebuilt)
                highest = std::max(highest, r->dataSectionNumber);
            s->dataSectionNumber = highest + 1;
        }
        const QString key = s->Key();
        rebuilt.add(key, std::move(s));
    }
    sections = std::move(rebuilt);
}

void ReportDocument::clearSections()
{
    while (!sections.isEmpty()) {
        ReportSection *first = sections.at(0);
        first->release();
        sections.remove(sections.keyAt(0));
    }
}

bool ReportDocument::hasKind(int type) const
{
    const ReportSection *s = sections.value(ReportSection::keyOf(type, 0));
    return s && s->section_Type == type;
}

void ReportDocument::switchKind(int type, bool on)
{
    const QString key = ReportSection::keyOf(type, 0);
    if (on) {
        // Asking for a header that is already there changes nothing.
        if (!sections.contains(key)) {
            auto created = std::make_unique<ReportSection>();
            created->section_Type = type;
            created->sectionName = defaultName(type);
            created->parent = this;
            sections.add(key, std::move(created));
            modified_ = true;
        }
    } else if (ReportSection *s = sections.value(key)) {
        s->release();
        sections.remove(key);
        modified_ = true;
    }
    countDataSections();
}

void ReportDocument::orderSections()
{
    std::vector<std::pair<QString, std::unique_ptr<ReportSection>>> all;
    all.reserve(size_t(sections.count()));
    while (!sections.isEmpty()) {
        const QString key = sections.keyAt(0);
        all.emplace_back(key, sections.take(key));
    }
    std::stable_sort(all.begin(), all.end(), [](const auto &a, const auto &b) {
        return a.second->sortingKey().compare(b.second->sortingKey(), Qt::CaseInsensitive) < 0;
    });
    for (auto &entry : all)
        sections.add(entry.first, std::move(entry.second));
}

ReportSection *ReportDocument::findSection(const QString &name, ReportSection *defaultSection) const
{
    for (ReportSection *s : sections) {
        if (s->sectionName == name)
            return s;
    }
    return defaultSection;
}

QString ReportDocument::getKeySection(const QString &name) const
{
    for (int i = 0; i < sections.count(); ++i) {
        if (sections.at(i)->sectionName == name)
            return sections.keyAt(i);
    }
    return QString();
}

bool ReportDocument::modified() const
{
    if (modified_)
        return true;
    for (const ReportSection *s : sections) {
        if (s->modified())
            return true;
    }
    return false;
}

void ReportDocument::clearModified()
{
    modified_ = false;
    for (ReportSection *s : sections) {
        s->modified_ = false;
        for (ReportItem *item : s->items)
            item->modified = false;
    }
}

bool ReportDocument::askFileName()
{
    const QString chosen = UserInteraction::current()->askSaveFileName(documentFilter());
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}

bool ReportDocument::save()
{
    const QString previousName = fileName;
    if (fileName.isEmpty())
        askFileName();
    if (fileName.isEmpty())
        return false;
    if (!saveXml(fileName)) {
        UserInteraction::current()->message(
            tr("The document could not be saved.") + QStringLiteral("\r\n") + errorString(),
            UserInteraction::Ok, UserInteraction::Critical);
        // A name chosen for a save that did not happen is not the document's.
        fileName = previousName;
        return false;
    }
    clearModified();
    return true;
}

bool ReportDocument::checkIfToSave_MustStopIsAnswer()
{
    if (!modified())
        return false;
    const UserInteraction::Button answer = UserInteraction::current()->message(
        tr("Changes were made, do you want to save your current file before to continue ?"),
        UserInteraction::Yes | UserInteraction::No | UserInteraction::Cancel,
        UserInteraction::Question, tr("Current document modified"));
    switch (answer) {
    case UserInteraction::Yes:
        // Unsaved changes are never dropped: a save that did not happen
        // stops the caller as Cancel does.
        return !save();
    case UserInteraction::No:
        return false;
    default:
        return true;
    }
}

void ReportDocument::release()
{
    debugLst.clear();
    clearSections();
    if (m_connection) {
        try {
            m_connection->close();
        } catch (...) {
            // Releasing is all that matters here.
        }
        m_connection.reset();
    }
}

void ReportDocument::askEnd()
{
    emit goEnd();
}
