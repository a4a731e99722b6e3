// A report run: the walk over the data sections and their records, and the
// pages it fills.

#include "document/talvodocument.h"

#include "app/units.h"
#include "document/item.h"
#include "document/section.h"
#include "engine/printitemoutput.h"
#include "engine/talvoerror.h"
#include "output/pageoutput.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>
#include <limits>
#include <vector>

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
    // The size the pages get on paper and in PDF, so that a document whose
    // size was never set is laid out on its paper.
    return float(pageSizeO(*this).height());
}

float TalvoDocument::pageBodyLimit() const
{
    return pageLength() - bottomMargin - SizePFIfNeeded();
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
    if (runCheck)
        runCheck();
    CurrentPage = n;
    CurrentY = topMargin;
    if (section *header = sections.value(QStringLiteral("ph")))
        header->CreatePrintItems();
    pageBodyTop = CurrentY;
    if (n == 1) {
        if (section *header = sections.value(QStringLiteral("rh")))
            header->CreatePrintItems();
    }
}

void TalvoDocument::moveToPage(PrintedPage &staged)
{
    while (!staged.isEmpty()) {
        std::unique_ptr<ReportItem> item = staged.take(staged.keyAt(0));
        if (items)
            items->add(QLatin1Char('i') + QString::number(items->count() + 1), std::move(item));
    }
}

void TalvoDocument::placeOccurrence(int firstItem, float top, float extent)
{
    float bottom = top + extent;
    // The common case costs nothing: the occurrence fits where it was laid
    // out (or the page has no room at all, which an error entry reports).
    if (!outOfpage(bottom) || pageBodyLimit() <= pageBodyTop) {
        CurrentY = bottom;
        return;
    }
    // Otherwise its print items come off the page and are placed anew.
    std::vector<std::unique_ptr<ReportItem>> tail;
    while (items && items->count() > firstItem)
        tail.push_back(items->takeLast());
    PrintedPage staged;
    for (auto it = tail.rbegin(); it != tail.rend(); ++it)
        staged.add(QLatin1Char('s') + QString::number(staged.count() + 1), std::move(*it));
    for (;;) {
        const float limit = pageBodyLimit();
        if (!outOfpage(bottom) || limit <= pageBodyTop) {
            moveToPage(staged);
            CurrentY = bottom;
            return;
        }

        float cut = limit;
        if (top > pageBodyTop) {
            // Something is on this page already: the whole occurrence goes
            // to the next one.
            cut = top;
        } else {
            // Taller than the room a page has: split it. Texts that cross
            // the limit keep the lines that fit (at least one, however tall);
            // anything else that crosses it moves whole, unless it is at the
            // top and could fit on no page.
            for (ReportItem *item : staged) {
                if (item->y >= cut || item->y + item->h <= limit)
                    continue;
                if (item->kind() == ReportItem::TextKind) {
                    Item &text = static_cast<Item &>(*item);
                    int lines = printTextLinesFitting(*this, text, limit - item->y);
                    if (lines == 0 && item->y <= top)
                        lines = 1;
                    if (lines > 0) {
                        // The break point: the bottom of the lines kept.
                        if (lines < printTextLineCount(text))
                            cut = std::min(
                                cut, item->y + float(printTextLinesHeight(*this, text, lines)));
                        continue;
                    }
                }
                if (item->y > top)
                    cut = std::min(cut, item->y);
            }
        }

        // What starts at the cut or below goes on; texts across it are split.
        PrintedPage rest;
        std::vector<QString> moving;
        for (int i = 0; i < staged.count(); ++i) {
            ReportItem *item = staged.at(i);
            if (item->y >= cut) {
                moving.push_back(staged.keyAt(i));
            } else if (item->kind() == ReportItem::TextKind && item->y + item->h > cut) {
                Item &text = static_cast<Item &>(*item);
                const int lines = std::max(1, printTextLinesFitting(*this, text, limit - item->y));
                if (std::unique_ptr<Item> tail = splitPrintText(*this, text, lines))
                    rest.add(QLatin1Char('r') + QString::number(rest.count() + 1), std::move(tail));
            }
        }
        for (const QString &key : moving)
            rest.add(QLatin1Char('m') + QString::number(rest.count() + 1), staged.take(key));
        moveToPage(staged);

        if (section *footer = sections.value(QStringLiteral("pf")))
            footer->CreatePrintItems();
        PrintNextPage();
        if (CurrentY < topMargin)
            CurrentY = topMargin;
        const float delta = CurrentY - cut;
        for (ReportItem *item : rest)
            item->y += delta;
        staged = std::move(rest);
        top = CurrentY;
        bottom = std::max(bottom + delta, top);
        // One record may fill page after page: a stop ends that too, with
        // the rest cut at this page.
        if (stopRequested) {
            moveToPage(staged);
            CurrentY = bottom;
            return;
        }
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
            if (runCheck)
                runCheck();
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

bool TalvoDocument::checkPageRoom()
{
    auto fault = [this](const QString &message) {
        addError(talvoError(QStringLiteral("TalvoDocument"), QStringLiteral("initPrint"), message,
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
    const section *header = sections.value(QStringLiteral("ph"));
    const section *footer = sections.value(QStringLiteral("pf"));
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
    for (section *s : sections) {
        if (s->section_Type == section::PageHeader || s->section_Type == section::PageFooter)
            continue;
        s->roomOnAPage = body;
        if (s->Height > body)
            fault(tr("The section \"%1\" is %2 high, more than the %3 a page has room for: it is "
                     "cut to the page")
                      .arg(s->sectionName, length(s->Height), length(body)));
    }
    return true;
}

void TalvoDocument::initPrint()
{
    // A yield of a run in progress must not start another one.
    if (working)
        return;
    CalcNbDataSections();
    delPages();
    // A new run reports each missing field again, once.
    clearMissingFields();
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
            // A page without room for a row gets its bands once, not a
            // page for every record.
            const bool room = checkPageRoom();
            PrintNextPage();
            if (room) {
                printDataSection(1, dest);
                // Further data sections without a parent are lists of their
                // own, walked after the first one; otherwise they would never
                // print.
                for (section *s : childSections(0, section::AfterEachRecord)) {
                    if (s->dataSectionNumber != 1 && !stopRequested)
                        printDataSection(s->dataSectionNumber, dest);
                }
                if (section *footer = sections.value(QStringLiteral("rf")))
                    footer->CreatePrintItems();
            }
            if (section *footer = sections.value(QStringLiteral("pf")))
                footer->CreatePrintItems();
        }
    }
    for (section *s : sections) {
        s->donePrint();
        s->roomOnAPage = std::numeric_limits<float>::max();
        // A stop leaves the open recordsets of the walk behind.
        closeRecords(*s);
    }
}
