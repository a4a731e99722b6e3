#pragma once

#include <QString>

#include <functional>

class ReportDocument;

// How a PDF is written.
struct PdfOptions
{
    // A structure tree for screen readers and reflow: texts as paragraphs,
    // pictures and charts as figures, page headers and footers as
    // pagination artifacts.
    bool tagged = true;
    // PDF/A-2b, for archives: an sRGB output intent and matching metadata.
    bool archival = false;
    // The document's language (BCP 47, "de-CH"); empty, or what is no
    // language tag, for the system's.
    QString language;
    // Called with each page's number before it is written (a print job lets
    // the user stop it there); false stops the writing, and nothing is left.
    std::function<bool(int page)> beforePage;
};

// Whether `tag` has the shape of a BCP 47 language tag: a primary language
// of 2 to 8 letters, then subtags of 1 to 8 letters or digits after hyphens
// ("de", "de-CH", "sr-Latn-RS").
bool isLanguageTag(const QString &tag);
// The language a PDF names when its report names none: the system's, or
// "en" where the system names none.
QString systemLanguageTag();

// Writes the pages fromPage to toPage (from 1; 0 and 0 for all) of a run as
// one PDF page each, at the report's paper size and orientation, with text
// as text (font subsets embedded). The file is replaced only when complete;
// false with `error` set when it cannot be written.
bool exportPdf(ReportDocument &doc, const QString &file, int fromPage, int toPage, QString *error,
               const PdfOptions &options = PdfOptions());
