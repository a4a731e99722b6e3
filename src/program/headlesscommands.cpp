#include "headlesscommands.h"

#include "checkcommand.h"
#include "evalcommand.h"
#include "exitstatus.h"
#include "platform/units.h"
#include "runlimits.h"

#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "document/userinteraction.h"
#include "engine/reportrun.h"

#include "output/pdfexport.h"
#include "output/pngexport.h"
#include "output/spreadsheetexport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>
#include <iterator>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Mirt", text);
}

QString number(double value)
{
    // Locale-independent, shortest form that reads back the same float.
    return QString::number(value, 'g', 7);
}

QString quotedText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    shown.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    shown.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    shown.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString sectionKind(int type)
{
    switch (type) {
    case ReportSection::DataSection:
        return QStringLiteral("data section");
    case ReportSection::PageHeader:
        return QStringLiteral("page header");
    case ReportSection::PageFooter:
        return QStringLiteral("page footer");
    case ReportSection::ReportHeader:
        return QStringLiteral("report header");
    case ReportSection::ReportFooter:
        return QStringLiteral("report footer");
    default:
        return QStringLiteral("kind %1").arg(type);
    }
}

QString itemContent(const ReportItem &item)
{
    switch (item.kind()) {
    case ReportItem::TextKind: {
        const auto &text = static_cast<const TextItem &>(item);
        QString line = quotedText(text.content);
        if (!text.FormatString.isEmpty())
            line += QStringLiteral(" format ") + quotedText(text.FormatString);
        if (text.visible != QLatin1String("true"))
            line += QStringLiteral(" visible ") + quotedText(text.visible);
        return line;
    }
    case ReportItem::PictureKind: {
        const auto &pic = static_cast<const PictureItem &>(item);
        static const char *sources[] = {"file", "binary field", "path field"};
        const QString source = pic.pType >= 0 && pic.pType <= 2
                                   ? QString::fromLatin1(sources[pic.pType])
                                   : QStringLiteral("type %1").arg(pic.pType);
        return source + QLatin1Char(' ') + quotedText(pic.fileName) +
               (pic.stretch ? QStringLiteral(" stretched") : QString());
    }
    case ReportItem::GraphKind: {
        const auto &graph = static_cast<const ChartItem &>(item);
        return QStringLiteral("type %1 SQL %2").arg(graph.gType).arg(quotedText(graph.SQL));
    }
    }
    return QString();
}

int usageError(QTextStream &err, const QString &message)
{
    err << message << Qt::endl;
    return ExitUsage;
}

int loadReport(const CommandLine &commandLine, ReportDocument &document, QTextStream &err,
               const QString &programDir)
{
    const QString name = commandLine.value(QStringLiteral("f")).trimmed();
    if (name.isEmpty())
        return usageError(err, tr("mirt: this option needs a report: /f FILE"));
    const QString path = resolveCommandLineFile(name, programDir);
    if (path.isEmpty()) {
        err << tr("this file is not existing: ") << name << Qt::endl;
        return ExitCannotLoad;
    }
    if (!document.loadXml(path))
        return ExitCannotLoad; // the load message went to stderr through the interaction
    document.fileName = path;
    return 0;
}

bool stderrIsTerminal()
{
#ifdef Q_OS_UNIX
    return isatty(fileno(stderr));
#else
    return false;
#endif
}

QString progressText(const ReportDocument &document)
{
    return tr("records %1 of %2, pages %3")
        .arg(document.run().recordsDone)
        .arg(document.run().rootRecords)
        .arg(document.run().pages.count());
}

// Runs the report into pages. Returns 0, or ExitNoConnection when its
// connection cannot be opened.
int runReport(ReportDocument &document, QTextStream &err)
{
    if (document.openDataConnection() != 0) {
        err << tr("Impossible to open the connection") << '\n'
            << document.connectionError() << Qt::endl;
        return ExitNoConnection;
    }
    QMetaObject::Connection progress;
    QElapsedTimer shown;
    if (stderrIsTerminal()) {
        // A few times a second: rewriting the line for every record costs
        // more than the records.
        progress = QObject::connect(&document, &ReportDocument::updateScrollBar, &document,
                                    [&document, &err, &shown] {
                                        if (shown.isValid() && shown.elapsed() < 250)
                                            return;
                                        shown.start();
                                        err << '\r' << progressText(document) << Qt::flush;
                                    });
    }
    document.initPrint();
    if (progress) {
        QObject::disconnect(progress);
        err << '\r' << progressText(document) << Qt::endl;
    }
    return 0;
}

// Every error-list entry on stderr; ExitRunErrors when there were any.
int reportRunErrors(const ReportDocument &document, QTextStream &err)
{
    for (const ErrorEntry &error : document.errorLst)
        err << error.pureText() << '\n';
    err.flush();
    return document.errorLst.isEmpty() ? 0 : ExitRunErrors;
}

// "FROM-TO", "N", "FROM-" or "-TO" (pages from 1); false when unreadable.
bool parsePageRange(const QString &text, int &from, int &to)
{
    const QString range = text.trimmed();
    const qsizetype dash = range.indexOf(QLatin1Char('-'));
    bool okFrom = true, okTo = true;
    if (dash < 0) {
        from = to = range.toInt(&okFrom);
    } else {
        const QString first = range.left(dash).trimmed();
        const QString last = range.mid(dash + 1).trimmed();
        from = first.isEmpty() ? 1 : first.toInt(&okFrom);
        to = last.isEmpty() ? 0 : last.toInt(&okTo);
    }
    return okFrom && okTo && from >= 1 && (to == 0 || to >= from);
}

// What /pdf, /html, /png, /xlsx and /csv ask for, read and checked before
// the run.
struct ExportRequest
{
    QString pdf, pdfa, html, png, xlsx, csv;
    QChar csvSeparator = QLatin1Char(',');
    int from = 0, to = 0; // /pages
    int htmlPage = 1;
    bool allPages = false;
    int dpi = 150;
};

// 0, or ExitUsage with the message on stderr when an option cannot be used.
int readExportRequest(const CommandLine &commandLine, ExportRequest &request, QTextStream &err)
{
    const struct
    {
        const char *name;
        QString *target;
        const char *missing;
    } targets[] = {
        {"pdf", &request.pdf, QT_TRANSLATE_NOOP("Mirt", "mirt: /pdf needs a file name")},
        {"pdfa", &request.pdfa, QT_TRANSLATE_NOOP("Mirt", "mirt: /pdfa needs a file name")},
        {"html", &request.html, QT_TRANSLATE_NOOP("Mirt", "mirt: /html needs a file name")},
        {"png", &request.png, QT_TRANSLATE_NOOP("Mirt", "mirt: /png needs a folder")},
        {"xlsx", &request.xlsx, QT_TRANSLATE_NOOP("Mirt", "mirt: /xlsx needs a file name")},
        {"csv", &request.csv, QT_TRANSLATE_NOOP("Mirt", "mirt: /csv needs a file name")},
    };
    for (const auto &target : targets) {
        const QString name = QString::fromLatin1(target.name);
        if (!commandLine.has(name))
            continue;
        *target.target = commandLine.value(name);
        if (target.target->trimmed().isEmpty())
            return usageError(err, tr(target.missing));
    }
    if (commandLine.has(QStringLiteral("pages")) &&
        !parsePageRange(commandLine.value(QStringLiteral("pages")), request.from, request.to))
        return usageError(err, tr("mirt: /pages needs a page range such as 2-5"));
    if (commandLine.has(QStringLiteral("page"))) {
        bool ok = false;
        request.htmlPage = commandLine.value(QStringLiteral("page")).toInt(&ok);
        if (!ok || request.htmlPage < 1)
            return usageError(err, tr("mirt: /page needs a page number from 1"));
    }
    if (commandLine.has(QStringLiteral("csvsep"))) {
        request.csvSeparator = csvSeparatorOf(commandLine.value(QStringLiteral("csvsep")));
        if (request.csvSeparator.isNull())
            return usageError(err, tr("mirt: /csvsep needs a separator: , ; | : or tab"));
    }
    request.allPages = commandLine.has(QStringLiteral("allpages"));
    if (commandLine.has(QStringLiteral("dpi"))) {
        bool ok = false;
        request.dpi = commandLine.value(QStringLiteral("dpi")).toInt(&ok);
        if (!ok || request.dpi < 10 || request.dpi > 2400)
            return usageError(err, tr("mirt: /dpi needs a resolution from 10 to 2400"));
    }
    return 0;
}

QString pageCount(int pages)
{
    return pages == 1 ? tr("the report has only 1 page")
                      : tr("the report has only %1 pages").arg(pages);
}

// A page option that reaches past the last page is refused whole (nothing is
// written), as an unreadable one is: a script asking for pages 40-999 of 46
// learns that rather than getting fewer pages than it asked for.
int checkPagesAgainst(const CommandLine &commandLine, const ExportRequest &request, int pages,
                      QTextStream &err)
{
    const bool ranged = !request.pdf.isEmpty() || !request.pdfa.isEmpty() || !request.png.isEmpty();
    if (ranged && request.from > 0 && (request.from > pages || request.to > pages))
        return usageError(err,
                          tr("mirt: /pages %1: %2")
                              .arg(commandLine.value(QStringLiteral("pages")), pageCount(pages)));
    if (!request.html.isEmpty() && !request.allPages && request.htmlPage > pages)
        return usageError(err,
                          tr("mirt: /page %1: %2").arg(request.htmlPage).arg(pageCount(pages)));
    return 0;
}

// Runs the report once and writes every output asked for. ExitCannotWrite
// when one of them could not be written (the others are still written),
// else the status of the run's error list. A run stopped by a limit writes
// nothing.
int exportCommand(const CommandLine &commandLine, ReportDocument &document, RunLimits &limits,
                  QTextStream &out, QTextStream &err)
{
    ExportRequest request;
    if (const int status = readExportRequest(commandLine, request, err))
        return status;
    limits.watch(document);
    // The spreadsheets write numbers and dates as such, which the pages
    // keep only when asked before the run.
    if (!request.xlsx.isEmpty() || !request.csv.isEmpty())
        document.run().pages.setKeepValues(true);
    // PDFs alone are written while the run goes on, page by page, and the
    // pages are not kept: a long report then needs little memory. The other
    // outputs read the pages after the run.
    PdfOptions plain;
    plain.language = document.language;
    PdfOptions archival = plain;
    archival.archival = true;
    std::vector<std::pair<std::unique_ptr<PdfPageStream>, QString>> streams;
    if (request.html.isEmpty() && request.png.isEmpty() && request.xlsx.isEmpty() &&
        request.csv.isEmpty()) {
        const int to = request.from == 0 ? 0 : request.to;
        if (!request.pdf.isEmpty())
            streams.emplace_back(
                std::make_unique<PdfPageStream>(document, request.pdf, request.from, to, plain),
                request.pdf);
        if (!request.pdfa.isEmpty())
            streams.emplace_back(
                std::make_unique<PdfPageStream>(document, request.pdfa, request.from, to, archival),
                request.pdfa);
    }
    int released = 0;
    QMetaObject::Connection streaming;
    if (!streams.empty())
        streaming = QObject::connect(
            &document, &ReportDocument::pageFinished, [&streams, &document, &released](int page) {
                for (auto &stream : streams)
                    stream.first->pageFinished(page);
                // Every file has these pages now.
                for (; released < page; ++released) {
                    if (PrintedPage *done = document.run().pages.page(released + 1))
                        done->release();
                }
            });
    const int ran = runReport(document, err);
    QObject::disconnect(streaming);
    if (ran)
        return ran;
    if (limits.reached()) {
        reportRunErrors(document, err);
        err << tr("mirt: nothing was written") << Qt::endl;
        return ExitLimitReached;
    }

    const int pages = document.pageCount();
    bool failed = false;
    auto fail = [&](const QString &error) {
        err << tr("mirt: %1").arg(error) << Qt::endl;
        failed = true;
    };
    if (pages == 0) {
        fail(tr("the report produced no page"));
    } else {
        if (const int status = checkPagesAgainst(commandLine, request, pages, err)) {
            reportRunErrors(document, err);
            return status;
        }
        const int from = request.from;
        const int to = from == 0 ? 0 : (request.to == 0 ? pages : request.to);
        QString error;
        for (auto &[stream, file] : streams) {
            if (!stream->finish(&error))
                fail(error.isEmpty() ? tr("cannot write %1").arg(file) : error);
        }
        if (streams.empty()) {
            if (!request.pdf.isEmpty() &&
                !exportPdf(document, request.pdf, from, to, &error, plain))
                fail(error.isEmpty() ? tr("cannot write %1").arg(request.pdf) : error);
            if (!request.pdfa.isEmpty() &&
                !exportPdf(document, request.pdfa, from, to, &error, archival))
                fail(error.isEmpty() ? tr("cannot write %1").arg(request.pdfa) : error);
        }
        if (!request.html.isEmpty()) {
            int page = request.htmlPage;
            const bool written = request.allPages ? document.exportHtmlAllPages(request.html)
                                                  : document.exportHtmlPage(request.html, page);
            if (!written)
                fail(document.errorString());
        }
        if (!request.png.isEmpty()) {
            QStringList written;
            error.clear();
            if (!exportPng(document, request.png, request.dpi, &written, &error, from, to))
                fail(error.isEmpty() ? tr("cannot write into %1").arg(request.png) : error);
            for (const QString &file : std::as_const(written))
                out << file << '\n';
            out.flush();
        }
        error.clear();
        if (!request.xlsx.isEmpty() && !exportXlsx(document, request.xlsx, &error))
            fail(error);
        error.clear();
        if (!request.csv.isEmpty() &&
            !exportCsv(document, request.csv, request.csvSeparator, &error))
            fail(error);
    }
    const int status = reportRunErrors(document, err);
    return failed ? ExitCannotWrite : status;
}

} // namespace

bool isHeadlessCommand(const CommandLine &commandLine)
{
    static const QStringList names{
        QStringLiteral("help"),   QStringLiteral("?"),     QStringLiteral("info"),
        QStringLiteral("saveas"), QStringLiteral("check"), QStringLiteral("eval"),
        QStringLiteral("html"),   QStringLiteral("pdf"),   QStringLiteral("png"),
        QStringLiteral("xlsx"),   QStringLiteral("csv"),   QStringLiteral("pdfa")};
    for (const QString &name : names) {
        if (commandLine.has(name))
            return true;
    }
    return false;
}

int checkCommandLineUsage(const CommandLine &commandLine, QTextStream &err)
{
    if (commandLine.has(QStringLiteral("help")) || commandLine.has(QStringLiteral("?")))
        return 0;
    // Beside an output nobody watches, a misspelt option would quietly do
    // something else than asked; the windows only warn (main does).
    if (isHeadlessCommand(commandLine) || commandLine.has(QStringLiteral("dhp"))) {
        const QStringList unknown = commandLine.unknownOptions();
        if (!unknown.isEmpty())
            return usageError(err, tr("mirt: unknown option %1 (see /help)").arg(unknown.first()));
    }
    if (commandLine.has(QStringLiteral("f")) &&
        commandLine.value(QStringLiteral("f")).trimmed().isEmpty())
        return usageError(err, tr("mirt: /f needs a report file"));
    if (commandLine.has(QStringLiteral("saveas")) &&
        commandLine.value(QStringLiteral("saveas")).trimmed().isEmpty())
        return usageError(err, tr("mirt: /saveas needs a file name"));
    ExportRequest request;
    if (const int status = readExportRequest(commandLine, request, err))
        return status;
    RunLimits limits;
    const QString limitError = limits.read(commandLine);
    if (!limitError.isEmpty())
        return usageError(err, limitError);
    return 0;
}

QString helpText()
{
    QString text;
    QTextStream stream(&text);
    stream << tr("Usage: mirt [/f REPORT] [options]") << '\n';
    int width = 0;
    for (const auto &option : CommandLine::knownOptions())
        width = std::max(width, int(option.first.size()));
    for (const auto &option : CommandLine::knownOptions())
        stream << "  " << option.first.leftJustified(width + 2) << option.second << '\n';
    stream << '\n' << tr("Exit status:") << '\n';
    const char *const statuses[] = {
        QT_TRANSLATE_NOOP("Mirt", "success"),
        QT_TRANSLATE_NOOP("Mirt", "the report cannot be read"),
        QT_TRANSLATE_NOOP("Mirt", "its database connection cannot be opened"),
        QT_TRANSLATE_NOOP("Mirt", "the output was written, but a query or formula failed"),
        QT_TRANSLATE_NOOP("Mirt", "an output cannot be written, or printing failed"),
        QT_TRANSLATE_NOOP("Mirt", "the command line cannot be used: an unknown option beside an "
                                  "output, a missing or bad value (named), pages past the last "
                                  "one, or a window without a display"),
        QT_TRANSLATE_NOOP("Mirt",
                          "/maxpages or /timeout stopped the run: nothing was written or printed"),
    };
    for (int status = 0; status < int(std::size(statuses)); ++status)
        stream << "  " << status << "  " << tr(statuses[status]) << '\n';
    return text;
}

QString reportSummary(const ReportDocument &document)
{
    QString text;
    QTextStream s(&text);
    const int unit = document.unit();
    s << "Report " << quotedText(document.docName) << '\n';
    s << "  file: " << document.fileName << '\n';
    s << "  unit: " << unitName(unit) << '\n';
    s << "  page: " << number(document.pageWidth) << " x " << number(document.pageHeight)
      << ", paper " << document.paperType << ", " << orientationName(document.pageOrientation)
      << '\n';
    s << "  margins: left " << number(document.leftMargin) << ", right "
      << number(document.rightMargin) << ", top " << number(document.topMargin) << ", bottom "
      << number(document.bottomMargin) << '\n';
    s << "  printer: "
      << (document.DocPrinterName.isEmpty() ? QStringLiteral("(default)") : document.DocPrinterName)
      << ", copies " << document.copies << '\n';
    s << "  grid: " << number(document.gridSize) << '\n';
    s << "  connection: " << document.connectionStringData << '\n';
    s << "  sections: " << document.sections.count() << '\n';
    for (const ReportSection *sec : document.sections) {
        s << "Section " << sec->Key() << ": " << sectionKind(sec->section_Type) << ' '
          << quotedText(sec->sectionName) << ", height " << number(sec->Height) << '\n';
        if (sec->section_Type == ReportSection::DataSection) {
            s << "  SQL: " << quotedText(sec->SQL) << '\n';
            s << "  parent: "
              << (sec->sectionParent > 0
                      ? ReportSection::keyOf(ReportSection::DataSection, sec->sectionParent)
                      : QStringLiteral("(none)"))
              << ", mode: "
              << (sec->mode == ReportSection::OnceAfter ? "one time after" : "after each record")
              << '\n';
        }
        if (sec->pageBreakAfter)
            s << "  page break after\n";
        if (sec->visible != QLatin1String("true"))
            s << "  visible: " << quotedText(sec->visible) << '\n';
        for (const ReportItem *item : sec->items) {
            s << "  " << item->whatIs() << ' ' << item->Key << " at " << number(item->x) << ", "
              << number(item->y) << " size " << number(item->w) << " x " << number(item->h) << ": "
              << itemContent(*item) << '\n';
        }
    }
    return text;
}

int runHeadlessCommand(const CommandLine &commandLine, ReportDocument &document, QTextStream &out,
                       QTextStream &err, const QString &programDir)
{
    if (commandLine.has(QStringLiteral("help")) || commandLine.has(QStringLiteral("?"))) {
        out << helpText();
        out.flush();
        return 0;
    }

    if (commandLine.has(QStringLiteral("eval"))) {
        const int status = runEvalCommand(commandLine.value(QStringLiteral("eval")), out, err);
        out.flush();
        err.flush();
        return status;
    }

    if (const int status = checkCommandLineUsage(commandLine, err))
        return status;
    // The clock of /timeout includes reading the report.
    RunLimits limits;
    limits.read(commandLine);
    limits.start();

    StderrInteraction stderrMessages;
    UserInteraction *previous = UserInteraction::current();
    UserInteraction::setCurrent(&stderrMessages);
    struct Restore
    {
        UserInteraction *previous;
        ~Restore() { UserInteraction::setCurrent(previous); }
    } restore{previous};

    document.dbg =
        commandLine.has(QStringLiteral("debug")) || commandLine.has(QStringLiteral("dbg"));
    if (const int status = loadReport(commandLine, document, err, programDir))
        return status;

    if (commandLine.has(QStringLiteral("saveas"))) {
        const QString target = commandLine.value(QStringLiteral("saveas"));
        if (!document.saveXml(target)) {
            // The reason names the file already.
            err << tr("mirt: %1").arg(document.errorString()) << Qt::endl;
            return 1;
        }
        return 0;
    }

    if (commandLine.has(QStringLiteral("check"))) {
        limits.watch(document);
        const int status = runCheckCommand(document, out, err);
        out.flush();
        if (limits.reached()) {
            err << tr("mirt: %1").arg(limits.reason()) << Qt::endl;
            return ExitLimitReached;
        }
        err.flush();
        return status;
    }

    if (commandLine.has(QStringLiteral("pdf")) || commandLine.has(QStringLiteral("png")) ||
        commandLine.has(QStringLiteral("html")) || commandLine.has(QStringLiteral("xlsx")) ||
        commandLine.has(QStringLiteral("csv")) || commandLine.has(QStringLiteral("pdfa")))
        return exportCommand(commandLine, document, limits, out, err);

    if (commandLine.has(QStringLiteral("info"))) {
        out << reportSummary(document);
        out.flush();
        return 0;
    }
    return 0;
}
