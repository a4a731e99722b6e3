// A report run: the walk over the data sections and their records, and the
// pages it fills.

#include "document/talvodocument.h"

#include "document/section.h"
#include "engine/talvoerror.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>

namespace {

// Clears `working` and raises finishedWorking however the walk ends.
class RunScope
{
public:
    explicit RunScope(TalvoDocument &doc) : m_doc(doc) {}
    ~RunScope()
    {
        m_doc.working = false;
        emit m_doc.finishedWorking();
    }
    RunScope(const RunScope &) = delete;
    RunScope &operator=(const RunScope &) = delete;

private:
    TalvoDocument &m_doc;
};

void closeRecords(section &sec)
{
    if (sec.rsd)
        sec.rsd->Close();
    sec.rsd.reset();
}

} // namespace

float TalvoDocument::pageLength() const
{
    return pageOrientation == 1 ? pageHeight : pageWidth;
}

float TalvoDocument::SizePFIfNeeded() const
{
    if (const section *footer = sections.value(QStringLiteral("pf")))
        return footer->Height;
    return 2;
}

bool TalvoDocument::outOfpage(float y) const
{
    if (CurrentY == 0)
        return false;
    return y + SizePFIfNeeded() > pageLength() - bottomMargin;
}

void TalvoDocument::delPages()
{
    for (PrintedPage *page : Pages) {
        while (!page->isEmpty()) {
            page->at(0)->CloseClean();
            page->take(page->keyAt(0));
        }
    }
    Pages.clear();
    items = nullptr;
}

qint16 TalvoDocument::NbPages() const
{
    return qint16(std::min(Pages.count(), int(SHRT_MAX)));
}

void TalvoDocument::PrintNextPage()
{
    const int n = Pages.count() + 1;
    items = Pages.add(QLatin1Char('p') + QString::number(n), std::make_unique<PrintedPage>());
    emit pageFinished(n - 1);
    CurrentPage = n;
    CurrentY = topMargin;
    if (section *header = sections.value(QStringLiteral("ph")))
        header->CreatePrintItems();
    if (n == 1) {
        if (section *header = sections.value(QStringLiteral("rh")))
            header->CreatePrintItems();
    }
}

QList<section *> TalvoDocument::childSections(int n, int mode) const
{
    QList<section *> out;
    for (section *s : sections) {
        if (s->section_Type == section::DataSection && s->sectionParent == n && s->mode == mode)
            out.append(s);
    }
    return out;
}

QList<section *> TalvoDocument::ChildsOfASection(int n) const
{
    return childSections(n, section::AfterEachRecord);
}

QList<section *> TalvoDocument::ChildsAfterASection(int n) const
{
    return childSections(n, section::OnceAfter);
}

void TalvoDocument::printChildsOfASection(int n, DrawingSurface *surface)
{
    for (section *child : ChildsOfASection(n))
        printDataSection(child->dataSectionNumber, surface);
}

void TalvoDocument::printChildsAfterASection(int n, DrawingSurface *surface)
{
    for (section *child : ChildsAfterASection(n))
        printDataSection(child->dataSectionNumber, surface);
}

void TalvoDocument::printDataSection(int n, DrawingSurface *surface)
{
    section *sec = sections.value(section::keyOf(section::DataSection, n));
    if (!sec)
        return;
    // A section that is its own ancestor (a hand-edited file) would be
    // walked without end.
    if (sec->rsd) {
        addError(talvoError(QStringLiteral("TalvoDocument"), QStringLiteral("printDataSection"),
                            tr("The data section \"%1\" is its own parent section: it is "
                               "skipped there")
                                .arg(sec->sectionName),
                            sec->SQL));
        return;
    }
    if (sec->OpenRS(0) != 0) {
        sec->rsd.reset();
        return;
    }
    try {
        Recordset &rs = *sec->rsd;
        if (n == 1) {
            // An empty root is zero records, not a failed move.
            if (!rs.Eof()) {
                rs.MoveLast();
                rs.MoveFirst();
            }
            recordsDone = 0;
            nbRecords = rs.RecordCount();
        }
        // Nothing can be seen or stopped while only the first page exists.
        for (;;) {
            if (rs.Eof()) {
                printChildsAfterASection(n, surface);
                closeRecords(*sec);
                return;
            }
            if (Pages.count() > 1 && yieldHook)
                yieldHook();
            MajVars(sec);
            // A condition that is no truth value shows the section.
            if (section::visibleValue(sec->visible).value_or(true))
                sec->CreatePrintItems();
            printChildsOfASection(n, surface);
            rs.MoveNext();
            if (n == 1) {
                ++recordsDone;
                emit MajScrollBar();
            }
            if (stopRequested) {
                closeRecords(*sec);
                return;
            }
        }
    } catch (const DatabaseError &e) {
        addError(talvoError(QStringLiteral("TalvoDocument"), QStringLiteral("printDataSection"),
                            e.description(), sec->SQL));
        closeRecords(*sec);
    }
}

void TalvoDocument::initPrint()
{
    // A yield of a run in progress must not start another one.
    if (working)
        return;
    CalcNbDataSections();
    delPages();
    for (section *s : sections)
        s->initPrint();

    if (DataConnOpened()) {
        emit startWorking();
        stopRequested = false;
        CurrentPage = 1;
        working = true;
        CurrentY = 0;
        {
            RunScope scope(*this);
            vars.clear();
            delPages();
            PrintNextPage();
            printDataSection(1, dest);
            // Further data sections without a parent are lists of their own,
            // walked after the first one; otherwise they would never print.
            for (section *s : childSections(0, section::AfterEachRecord)) {
                if (s->dataSectionNumber != 1 && !stopRequested)
                    printDataSection(s->dataSectionNumber, dest);
            }
            if (section *footer = sections.value(QStringLiteral("rf")))
                footer->CreatePrintItems();
            if (section *footer = sections.value(QStringLiteral("pf")))
                footer->CreatePrintItems();
        }
    }
    for (section *s : sections) {
        s->donePrint();
        // A stop leaves the open recordsets of the walk behind.
        closeRecords(*s);
    }
}
