#pragma once

#include "data/fieldreference.h"
#include "engine/printedpage.h"
#include "engine/variabletable.h"

#include <QSet>
#include <QString>

#include <functional>
#include <limits>
#include <unordered_map>

class DrawingSurface;
class ReportSection;
class TextItem;

// How a text item's content prints, worked out once a run from the design.
struct PreparedText
{
    // The same codes the designer shows a content as.
    enum Type : quint8 { Plain = 0, Field = 1, Formula = 2, TextWithFields = 3 };
    Type type = Plain;
    // The trimmed content; for a field reference without its brackets.
    QString expression;
    // A field reference, read once for the run.
    FieldReference field;
};

// Classifies a text item's content: a formula ("=..."), one field reference
// ("[Name]", "[Section].[Name]"), text with references among its words, or
// plain text.
PreparedText prepareText(const QString &content);

// What a report run keeps apart from the design it reads: the pages it
// fills, where it is on them, the formula variables of the current records
// and its progress. The document keeps the last run for the preview and the
// exports (ReportDocument::run()).
class ReportRun
{
public:
    PrintedPages pages;                 // in page order
    PrintedPage *fillingPage = nullptr; // the page being filled (the last one)
    int currentPage = 0;                // producing: page being filled; drawing: page drawn
    float currentY = 0;                 // where the next section goes, in the document unit
    // Where the body of the page being filled starts (below its page
    // header): an occurrence starting there gains nothing from a new page.
    float pageBodyTop = 0;
    DrawingSurface *surface = nullptr; // the surface of the run; not owned
    bool working = false;
    bool stopRequested = false;
    bool realPrinting = false;
    qint64 rootRecords = 0; // records of the root data section
    qint64 recordsDone = 0; // of which done

    // Field values of the current records by bare field name, any letter case.
    VariableTable vars;

    // Called after each record once a second page exists, so that a preview
    // stays responsive and can ask for a stop; the command line sets none.
    std::function<void()> yieldHook;
    // Called after each record, on each new page and while a query's rows
    // are read, from the first page on; it may set stopRequested to end the
    // run (the command line's page and time limits). Queries in progress are
    // then broken off too.
    std::function<void()> runCheck;

    // The "no such field" entries made in this run (one per item or formula).
    QSet<QString> missingFieldKeys;

    // What the run worked out for the design's objects; the design itself is
    // never written.
    std::unordered_map<const TextItem *, PreparedText> preparedTexts;
    // The sections with formulas: only their records fill the variables.
    QSet<const ReportSection *> sectionsWithFormulas;
    // The most of its height that an occurrence of a section takes on a
    // page: a section taller than a page's body is cut to it (with an error
    // entry), so that its empty room cannot fill pages.
    std::unordered_map<const ReportSection *, float> roomOnAPage;

    // Prepares every text item of the section and notes whether it has
    // formulas.
    void prepare(const ReportSection &band);
    // The item as prepared (prepared now when the run has not met it).
    const PreparedText &prepared(const TextItem &item);
    float room(const ReportSection &band) const
    {
        const auto found = roomOnAPage.find(&band);
        return found == roomOnAPage.end() ? std::numeric_limits<float>::max() : found->second;
    }
    // Forgets what was worked out for the last design.
    void forgetDesign();
};
