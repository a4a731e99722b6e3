#pragma once

#include "engine/variabletable.h"

#include <QString>

#include <memory>
#include <vector>

class TextItem;
struct PreparedText;
class Recordset;
class ReportDocument;
class ReportSection;

// What a text item's content gives on the first record of its section,
// computed as the report run computes it: the field looked up or the
// formula evaluated by the document, then the format string applied.
//
// The queries it needs (the item's section with its parents, and the
// sections the content names) are opened once, with one row, on the
// document's own sections; everything the document holds for a run (open
// recordsets, variables, error and debug lists) is as before when the
// object goes.
class ItemValue
{
public:
    explicit ItemValue(ReportDocument &document);
    ~ItemValue();
    ItemValue(const ItemValue &) = delete;
    ItemValue &operator=(const ItemValue &) = delete;

    struct Result
    {
        QString text;        // the value as printed, or why there is none
        bool failed = false; // text is an error message
        int typeContent = 0; // PreparedText::Type
    };
    // The value `item` (its content and format string) prints in `home`,
    // the section it belongs to (null for none).
    Result evaluate(const TextItem &item, ReportSection *home);

private:
    // `prepared` is the item's content as the run prepares it.
    Result compute(const TextItem &probe, const PreparedText &prepared, ReportSection *home);
    // Opens `sec` after its parents; false with the reason in `why`.
    bool open(ReportSection *sec, QString &why);
    // The data section named `name`, or null.
    ReportSection *dataSection(const QString &name) const;
    // The variables formulas read, from the opened records, parents first.
    void refreshVariables();
    // Forgets the entries added to the document's lists since `errors`.
    void dropEntries(qsizetype errors);

    struct Opened
    {
        ReportSection *sec;
        std::unique_ptr<Recordset> saved; // what the section held before
        bool ok;
        QString why;
    };
    ReportDocument &m_doc;
    std::vector<Opened> m_opened; // in the order they were opened
    bool m_connectionTried = false;
    QString m_connectionError;
    VariableTable m_savedVars;
    qsizetype m_debugLines;
};
