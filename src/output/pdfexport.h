#pragma once

#include <QString>

#include <functional>
#include <memory>

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

// Writes the pages of a run into a PDF while the run makes them (the command
// line): each page as soon as it is finished, so that the caller can release
// it (PrintedPage::release) once every output has it and a long report needs
// no more memory than its pages in progress. Texts with %pages% are forms the
// pages draw, written at the end. The file is replaced only by a finish that
// succeeds.
class PdfPageStream
{
public:
    PdfPageStream(ReportDocument &doc, const QString &file, int fromPage, int toPage,
                  const PdfOptions &options);
    ~PdfPageStream();
    PdfPageStream(const PdfPageStream &) = delete;
    PdfPageStream &operator=(const PdfPageStream &) = delete;

    // Page `page` and those before it are finished.
    void pageFinished(int page);
    // After the run: the pages left and the end of the file; false with
    // `error` set when it could not be written.
    bool finish(QString *error);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
