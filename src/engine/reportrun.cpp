// A report run: the walk over the data sections and their records, and the
// pages it fills.

#include "reportrun.h"

#include "document/reportdocument.h"

#include "platform/units.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "engine/printitemoutput.h"
#include "document/errorentry.h"
#include "document/paper.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <climits>
#include <limits>
#include <vector>

ReportRun &ReportDocument::run()
{
    if (!m_run)
        m_run = std::make_shared<ReportRun>();
    return *m_run;
}

const ReportRun &ReportDocument::run() const
{
    if (!m_run)
        m_run = std::make_shared<ReportRun>();
    return *m_run;
}

bool ReportDocument::queryInterrupted()
{
    ReportRun &state = run();
    if (!state.runCheck)
        return false;
    state.runCheck();
    return state.stopRequested;
}

void ReportDocument::clearMissingFields()
{
    run().missingFieldKeys.clear();
}

namespace {

// Clears `working` and raises finishedWorking however the walk ends.
class RunScope
{
public:
    explicit RunScope(ReportDocument &doc) : m_doc(doc) {}
    ~RunScope()
    {
        m_doc.run().working = false;
        emit m_doc.finishedWorking();
    }
    RunScope(const RunScope &) = delete;
    RunScope &operator=(const RunScope &) = delete;

private:
    ReportDocument &m_doc;
};

void closeRecords(ReportSection &sec)
{
    if (sec.rsd)
        sec.rsd->close();
    sec.rsd.reset();
}

// Debug mode: the root records each page carries. Pages are laid out by one
// run at a time on the interface thread, so the run keeps this here while
// it lasts rather than in the document.
struct PageRecords
{
    const ReportDocument *doc = nullptr;
    qint64 current = 0; // root record being laid out, from 1; 0 between records
    qint64 first = 0;   // the first and last of them on the page being filled; 0: none
    qint64 last = 0;
    bool placed = false; // the current record has put something on that page
};
PageRecords *g_pageRecords = nullptr;

PageRecords *pageRecordsOf(const ReportDocument *doc)
{
    return g_pageRecords && g_pageRecords->doc == doc ? g_pageRecords : nullptr;
}

// The debug line of page n, finished now.
void debugPageRecords(ReportDocument &doc, int n)
{
    const PageRecords *r = pageRecordsOf(&doc);
    if (!r || n < 1)
        return;
    auto tr = [](const char *text) { return QCoreApplication::translate("TalvoDocument", text); };
    const ReportSection *root = doc.sections.value(ReportSection::keyOf(ReportSection::DataSection, 1));
    const QString name = root ? root->sectionName : QString();
    if (r->first == 0)
        doc.addDebugList(tr("Page %1: no record of \"%2\"").arg(n).arg(name));
    else if (r->first == r->last)
        doc.addDebugList(tr("Page %1: record %2 of \"%3\"").arg(n).arg(r->first).arg(name));
    else
        doc.addDebugList(
            tr("Page %1: records %2 to %3 of \"%4\"").arg(n).arg(r->first).arg(r->last).arg(name));
}

// Sets up the page records of a run in debug mode; on leaving, the line of
// the last page and one for the whole run (before finishedWorking, so the
// list is complete when the preview hears the run is over).
class RunDebug
{
public:
    explicit RunDebug(ReportDocument &doc) : m_doc(doc), m_outer(g_pageRecords)
    {
        if (!doc.dbg)
            return;
        m_records.doc = &doc;
        g_pageRecords = &m_records;
        m_clock.start();
    }
    ~RunDebug()
    {
        if (g_pageRecords != &m_records)
            return;
        m_records.current = 0;
        debugPageRecords(m_doc, m_doc.run().pages.count());
        g_pageRecords = m_outer;
        const char *text = m_doc.run().stopRequested ? "Run stopped: %1 pages, %2 of %3 records, %4 ms"
                                               : "Run complete: %1 pages, %2 of %3 records, %4 ms";
        m_doc.addDebugList(QCoreApplication::translate("TalvoDocument", text)
                               .arg(m_doc.run().pages.count())
                               .arg(m_doc.run().recordsDone)
                               .arg(m_doc.run().rootRecords)
                               .arg(m_clock.elapsed()));
    }
    RunDebug(const RunDebug &) = delete;
    RunDebug &operator=(const RunDebug &) = delete;

private:
    ReportDocument &m_doc;
    PageRecords *m_outer;
    PageRecords m_records;
    QElapsedTimer m_clock;
};

} // namespace

float ReportDocument::pageLength() const
{
    // The size the pages get on paper and in PDF, so that a document whose
    // size was never set is laid out on its paper.
    return float(pageSizeO(*this).height());
}

float ReportDocument::pageBodyLimit() const
{
    return pageLength() - bottomMargin - pageFooterRoom();
}

float ReportDocument::pageFooterRoom() const
{
    if (const ReportSection *footer = sections.value(QStringLiteral("pf")))
        return footer->Height;
    return 2;
}

bool ReportDocument::isOutOfPage(float y) const
{
    if (run().currentY == 0)
        return false;
    return y + pageFooterRoom() > pageLength() - bottomMargin;
}

void ReportDocument::deletePages()
{
    run().pages.clear();
    run().fillingPage = nullptr;
}

qint16 ReportDocument::pageCount() const
{
    return qint16(std::min(run().pages.count(), int(SHRT_MAX)));
}

void ReportDocument::startNextPage()
{
    const int n = run().pages.count() + 1;
    if (PageRecords *r = pageRecordsOf(this)) {
        // A record whose first band moved on whole is not on the page left.
        if (r->current != 0 && !r->placed) {
            r->last = r->current - 1;
            if (r->first == r->current)
                r->first = r->last = 0;
        }
        debugPageRecords(*this, n - 1);
        // A record that goes on over the break is on both pages.
        r->first = r->last = r->current;
        r->placed = false;
    }
    // A page is filled once: it keeps no spare room, and the next one starts
    // with room for as many records.
    const size_t likely = run().fillingPage ? run().fillingPage->records.size() : 0;
    if (run().fillingPage)
        run().fillingPage->records.shrink_to_fit();
    run().fillingPage = run().pages.add();
    run().fillingPage->records.reserve(likely);
    emit pageFinished(n - 1);
    if (run().runCheck)
        run().runCheck();
    run().currentPage = n;
    run().currentY = topMargin;
    if (ReportSection *header = sections.value(QStringLiteral("ph")))
        header->layOutOccurrence();
    run().pageBodyTop = run().currentY;
    if (n == 1) {
        if (ReportSection *header = sections.value(QStringLiteral("rh")))
            header->layOutOccurrence();
    }
}

void ReportDocument::moveToPage(std::vector<PageRecord> &staged)
{
    if (run().fillingPage) {
        for (PageRecord &record : staged)
            run().pages.append(*run().fillingPage, std::move(record));
    }
    staged.clear();
}

void ReportDocument::placeOccurrence(int firstItem, float top, float extent)
{
    float bottom = top + extent;
    // The common case costs nothing: the occurrence fits where it was laid
    // out (or the page has no room at all, which an error entry reports).
    PageRecords *records = pageRecordsOf(this);
    if (!isOutOfPage(bottom) || pageBodyLimit() <= run().pageBodyTop) {
        if (records && run().fillingPage && run().fillingPage->count() > firstItem)
            records->placed = true;
        run().currentY = bottom;
        return;
    }
    // Otherwise its records come off the page and are placed anew.
    std::vector<PageRecord> staged;
    const BandMark occurrence = run().pages.currentBand();
    if (run().fillingPage && run().fillingPage->count() > firstItem) {
        auto from = run().fillingPage->records.begin() + firstItem;
        staged.assign(std::make_move_iterator(from),
                      std::make_move_iterator(run().fillingPage->records.end()));
        run().fillingPage->records.erase(from, run().fillingPage->records.end());
        run().fillingPage->trimBands();
    }
    for (;;) {
        const float limit = pageBodyLimit();
        if (!isOutOfPage(bottom) || limit <= run().pageBodyTop) {
            if (records && !staged.empty())
                records->placed = true;
            run().pages.resumeBand(occurrence);
            moveToPage(staged);
            run().currentY = bottom;
            return;
        }

        float cut = limit;
        if (top > run().pageBodyTop) {
            // Something is on this page already: the whole occurrence goes
            // to the next one.
            cut = top;
        } else {
            // Taller than the room a page has: split it. Texts that cross
            // the limit keep the lines that fit (at least one, however tall);
            // anything else that crosses it moves whole, unless it is at the
            // top and could fit on no page.
            for (const PageRecord &item : staged) {
                if (item.y >= cut || item.y + item.h <= limit)
                    continue;
                if (item.kind == PageRecord::Text) {
                    int lines = printTextLinesFitting(*this, item, limit - item.y);
                    if (lines == 0 && item.y <= top)
                        lines = 1;
                    if (lines > 0) {
                        // The break point: the bottom of the lines kept.
                        if (lines < printTextLineCount(item, lines + 1))
                            cut = std::min(
                                cut, item.y + float(printTextLinesHeight(*this, item, lines)));
                        continue;
                    }
                }
                if (item.y > top)
                    cut = std::min(cut, item.y);
            }
        }

        // What starts at the cut or below goes on; texts across it are split.
        std::vector<PageRecord> kept;
        std::vector<PageRecord> splitOff;
        std::vector<PageRecord> moving;
        for (PageRecord &item : staged) {
            if (item.y >= cut) {
                moving.push_back(std::move(item));
                continue;
            }
            if (item.kind == PageRecord::Text && item.y + item.h > cut) {
                const int lines = std::max(1, printTextLinesFitting(*this, item, limit - item.y));
                if (std::optional<PageRecord> tail = splitPrintText(*this, item, lines))
                    splitOff.push_back(std::move(*tail));
            }
            kept.push_back(std::move(item));
        }
        std::vector<PageRecord> rest = std::move(splitOff);
        for (PageRecord &item : moving)
            rest.push_back(std::move(item));
        if (records && !kept.empty())
            records->placed = true;
        run().pages.resumeBand(occurrence);
        moveToPage(kept);

        if (ReportSection *footer = sections.value(QStringLiteral("pf"))) {
            // The footer's records are no record's.
            const bool placed = records && records->placed;
            footer->layOutOccurrence();
            if (records)
                records->placed = placed;
        }
        startNextPage();
        if (run().currentY < topMargin)
            run().currentY = topMargin;
        const float delta = run().currentY - cut;
        for (PageRecord &item : rest)
            item.y += delta;
        staged = std::move(rest);
        top = run().currentY;
        bottom = std::max(bottom + delta, top);
        // One record may fill page after page: a stop ends that too, with
        // the rest cut at this page.
        if (run().stopRequested) {
            run().pages.resumeBand(occurrence);
            moveToPage(staged);
            run().currentY = bottom;
            return;
        }
    }
}

QList<ReportSection *> ReportDocument::childSections(int n, int mode) const
{
    QList<ReportSection *> out;
    for (ReportSection *s : sections) {
        if (s->section_Type == ReportSection::DataSection && s->sectionParent == n && s->mode == mode)
            out.append(s);
    }
    return out;
}

QList<ReportSection *> ReportDocument::childrenAfterEachRecord(int n) const
{
    return childSections(n, ReportSection::AfterEachRecord);
}

QList<ReportSection *> ReportDocument::childrenAfterLastRecord(int n) const
{
    return childSections(n, ReportSection::OnceAfter);
}

void ReportDocument::printChildsOfASection(int n, DrawingSurface *surface)
{
    for (ReportSection *child : childrenAfterEachRecord(n))
        printDataSection(child->dataSectionNumber, surface);
}

void ReportDocument::printChildsAfterASection(int n, DrawingSurface *surface)
{
    for (ReportSection *child : childrenAfterLastRecord(n))
        printDataSection(child->dataSectionNumber, surface);
}

void ReportDocument::printDataSection(int n, DrawingSurface *surface)
{
    ReportSection *sec = sections.value(ReportSection::keyOf(ReportSection::DataSection, n));
    if (!sec)
        return;
    // A section that is its own ancestor (a hand-edited file) would be
    // walked without end.
    if (sec->rsd) {
        addError(ErrorEntry(QStringLiteral("TalvoDocument"), QStringLiteral("printDataSection"),
                            tr("The data section \"%1\" is its own parent section: it is "
                               "skipped there")
                                .arg(sec->sectionName),
                            sec->SQL));
        return;
    }
    if (sec->openRecordset(0) != 0) {
        sec->rsd.reset();
        return;
    }
    try {
        Recordset &rs = *sec->rsd;
        if (n == 1) {
            // An empty root is zero records, not a failed move.
            if (!rs.eof()) {
                rs.moveLast();
                rs.moveFirst();
            }
            run().recordsDone = 0;
            run().rootRecords = rs.recordCount();
        }
        // Nothing can be seen or stopped while only the first page exists.
        for (;;) {
            PageRecords *records = n == 1 ? pageRecordsOf(this) : nullptr;
            if (rs.eof()) {
                if (records)
                    records->current = 0;
                printChildsAfterASection(n, surface);
                closeRecords(*sec);
                return;
            }
            if (run().pages.count() > 1 && run().yieldHook)
                run().yieldHook();
            if (records) {
                records->current = run().recordsDone + 1;
                records->placed = false;
                if (records->first == 0)
                    records->first = records->current;
                records->last = records->current;
            }
            updateVars(sec);
            // A condition that is no truth value shows the section.
            if (ReportSection::visibleValue(sec->visible).value_or(true))
                sec->layOutOccurrence();
            printChildsOfASection(n, surface);
            rs.moveNext();
            if (n == 1) {
                ++run().recordsDone;
                emit updateScrollBar();
            }
            if (records)
                records->current = 0;
            if (run().runCheck)
                run().runCheck();
            if (run().stopRequested) {
                closeRecords(*sec);
                return;
            }
        }
    } catch (const DatabaseError &e) {
        addError(ErrorEntry(QStringLiteral("TalvoDocument"), QStringLiteral("printDataSection"),
                            e.description(), sec->SQL));
        if (PageRecords *records = n == 1 ? pageRecordsOf(this) : nullptr)
            records->current = 0;
        closeRecords(*sec);
    }
}

bool ReportDocument::checkPageRoom()
{
    auto fault = [this](const QString &message) {
        addError(ErrorEntry(QStringLiteral("TalvoDocument"), QStringLiteral("initPrint"), message,
                            QString()));
    };
    auto length = [this](float value) {
        return QString::number(value, 'g', 4) + u' ' + unitName(unit());
    };

    if (pageWidth < 0 || pageHeight < 0)
        fault(tr("The page size %1 x %2 is not valid: the pages take the size of the paper instead")
                  .arg(QString::number(pageWidth, 'g', 4), length(pageHeight)));
    const float pageLong = pageLength();
    if (topMargin + bottomMargin >= pageLong) {
        fault(tr("The top and bottom margins (%1 and %2) leave no room on a page %3 long: no "
                 "record is laid out")
                  .arg(length(topMargin), length(bottomMargin), length(pageLong)));
        return false;
    }
    const ReportSection *header = sections.value(QStringLiteral("ph"));
    const ReportSection *footer = sections.value(QStringLiteral("pf"));
    const float body = pageBodyLimit() - topMargin - (header ? header->Height : 0);
    if (body <= 0) {
        QString bands;
        if (header && footer)
            bands = tr("The page header (%1 high) and the page footer (%2 high)")
                        .arg(length(header->Height), length(footer->Height));
        else if (header)
            bands = tr("The page header (%1 high)").arg(length(header->Height));
        else if (footer)
            bands = tr("The page footer (%1 high)").arg(length(footer->Height));
        else
            bands = tr("The margins");
        fault(tr("%1 leave no room for a data row between the margins of a page %2 long: no record "
                 "is laid out")
                  .arg(bands, length(pageLong)));
        return false;
    }
    for (ReportSection *s : sections) {
        if (s->section_Type == ReportSection::PageHeader || s->section_Type == ReportSection::PageFooter)
            continue;
        run().roomOnAPage[s] = body;
        if (s->Height > body)
            fault(tr("The section \"%1\" is %2 high, more than the %3 a page has room for: it is "
                     "cut to the page")
                      .arg(s->sectionName, length(s->Height), length(body)));
    }
    return true;
}

void ReportDocument::initPrint()
{
    // A yield of a run in progress must not start another one.
    if (run().working)
        return;
    countDataSections();
    deletePages();
    // A new run reports each missing field again, once.
    clearMissingFields();
    run().forgetDesign();
    for (const ReportSection *s : sections)
        run().prepare(*s);

    if (isDataConnectionOpen()) {
        emit startWorking();
        run().stopRequested = false;
        run().currentPage = 1;
        run().working = true;
        run().currentY = 0;
        run().recordsDone = run().rootRecords = 0;
        {
            RunScope scope(*this);
            RunDebug debug(*this);
            run().vars.clear();
            deletePages();
            // A page without room for a row gets its bands once, not a
            // page for every record.
            const bool room = checkPageRoom();
            startNextPage();
            if (room) {
                printDataSection(1, run().surface);
                // Further data sections without a parent are lists of their
                // own, walked after the first one; otherwise they would never
                // print.
                for (ReportSection *s : childSections(0, ReportSection::AfterEachRecord)) {
                    if (s->dataSectionNumber != 1 && !run().stopRequested)
                        printDataSection(s->dataSectionNumber, run().surface);
                }
                if (ReportSection *footer = sections.value(QStringLiteral("rf")))
                    footer->layOutOccurrence();
            }
            if (ReportSection *footer = sections.value(QStringLiteral("pf")))
                footer->layOutOccurrence();
        }
    }
    run().roomOnAPage.clear();
    for (ReportSection *s : sections) {
        // A stop leaves the open recordsets of the walk behind.
        closeRecords(*s);
    }
}
