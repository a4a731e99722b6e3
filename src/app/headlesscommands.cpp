#include "headlesscommands.h"

#include "checkcommand.h"
#include "evalcommand.h"
#include "units.h"

#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/talvodocument.h"
#include "document/userinteraction.h"

#include "output/pdfexport.h"
#include "output/pngexport.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
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
    case section::DataSection:
        return QStringLiteral("data section");
    case section::PageHeader:
        return QStringLiteral("page header");
    case section::PageFooter:
        return QStringLiteral("page footer");
    case section::ReportHeader:
        return QStringLiteral("report header");
    case section::ReportFooter:
        return QStringLiteral("report footer");
    default:
        return QStringLiteral("kind %1").arg(type);
    }
}

QString itemContent(const ReportItem &item)
{
    switch (item.kind()) {
    case ReportItem::TextKind: {
        const auto &text = static_cast<const Item &>(item);
        QString line = quotedText(text.content);
        if (!text.FormatString.isEmpty())
            line += QStringLiteral(" format ") + quotedText(text.FormatString);
        if (text.visible != QLatin1String("true"))
            line += QStringLiteral(" visible ") + quotedText(text.visible);
        return line;
    }
    case ReportItem::PictureKind: {
        const auto &pic = static_cast<const iPic &>(item);
        static const char *sources[] = {"file", "binary field", "path field"};
        const QString source = pic.pType >= 0 && pic.pType <= 2
                                   ? QString::fromLatin1(sources[pic.pType])
                                   : QStringLiteral("type %1").arg(pic.pType);
        return source + QLatin1Char(' ') + quotedText(pic.fileName) +
               (pic.stretch ? QStringLiteral(" stretched") : QString());
    }
    case ReportItem::GraphKind: {
        const auto &graph = static_cast<const iGraph &>(item);
        return QStringLiteral("type %1 SQL %2").arg(graph.gType).arg(quotedText(graph.SQL));
    }
    }
    return QString();
}

int loadReport(const CommandLine &commandLine, TalvoDocument &document, QTextStream &err,
               const QString &programDir)
{
    const QString name = commandLine.value(QStringLiteral("f")).trimmed();
    if (name.isEmpty()) {
        err << tr("mirt: this option needs a report: /f FILE") << Qt::endl;
        return 1;
    }
    const QString path = resolveCommandLineFile(name, programDir);
    if (path.isEmpty()) {
        err << tr("this file is not existing: ") << name << Qt::endl;
        return 1;
    }
    if (!document.loadXML(path))
        return 1; // the load message went to stderr through the interaction
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

// Runs the report into pages. Returns 0, or 2 when its connection cannot be
// opened.
int runReport(TalvoDocument &document, QTextStream &err)
{
    if (document.openDataConnection() != 0) {
        err << tr("Impossible to open the connection") << '\n'
            << document.connectionError() << Qt::endl;
        return 2;
    }
    QMetaObject::Connection progress;
    if (stderrIsTerminal()) {
        progress =
            QObject::connect(&document, &TalvoDocument::MajScrollBar, &document, [&document, &err] {
                err << '\r'
                    << tr("records %1 of %2, pages %3")
                           .arg(document.recordsDone)
                           .arg(document.nbRecords)
                           .arg(document.Pages.count())
                    << Qt::flush;
            });
    }
    document.initPrint();
    if (progress) {
        QObject::disconnect(progress);
        err << '\r'
            << tr("records %1 of %2, pages %3")
                   .arg(document.recordsDone)
                   .arg(document.nbRecords)
                   .arg(document.Pages.count())
            << Qt::endl;
    }
    return 0;
}

// Every error-list entry on stderr; 3 when there were any, else 0.
int reportRunErrors(const TalvoDocument &document, QTextStream &err)
{
    for (const talvoError &error : document.errorLst)
        err << error.GetPureText() << '\n';
    err.flush();
    return document.errorLst.isEmpty() ? 0 : 3;
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

// What /pdf, /html and /png ask for, read and checked before the run.
struct ExportRequest
{
    QString pdf, html, png;
    int from = 0, to = 0; // /pages
    int htmlPage = 1;
    bool allPages = false;
    int dpi = 150;
};

// 0, or 4 with the message on stderr when an option cannot be used.
int readExportRequest(const CommandLine &commandLine, ExportRequest &request, QTextStream &err)
{
    auto refuse = [&err](const QString &message) {
        err << message << Qt::endl;
        return 4;
    };
    const struct
    {
        const char *name;
        QString *target;
        const char *missing;
    } targets[] = {
        {"pdf", &request.pdf, QT_TRANSLATE_NOOP("Mirt", "mirt: /pdf needs a file name")},
        {"html", &request.html, QT_TRANSLATE_NOOP("Mirt", "mirt: /html needs a file name")},
        {"png", &request.png, QT_TRANSLATE_NOOP("Mirt", "mirt: /png needs a folder")},
    };
    for (const auto &target : targets) {
        const QString name = QString::fromLatin1(target.name);
        if (!commandLine.has(name))
            continue;
        *target.target = commandLine.value(name);
        if (target.target->trimmed().isEmpty())
            return refuse(tr(target.missing));
    }
    if (commandLine.has(QStringLiteral("pages")) &&
        !parsePageRange(commandLine.value(QStringLiteral("pages")), request.from, request.to))
        return refuse(tr("mirt: /pages needs a page range such as 2-5"));
    if (commandLine.has(QStringLiteral("page"))) {
        bool ok = false;
        request.htmlPage = commandLine.value(QStringLiteral("page")).toInt(&ok);
        if (!ok || request.htmlPage < 1)
            return refuse(tr("mirt: /page needs a page number from 1"));
    }
    request.allPages = commandLine.has(QStringLiteral("allpages"));
    if (commandLine.has(QStringLiteral("dpi"))) {
        bool ok = false;
        request.dpi = commandLine.value(QStringLiteral("dpi")).toInt(&ok);
        if (!ok || request.dpi < 10 || request.dpi > 2400)
            return refuse(tr("mirt: /dpi needs a resolution from 10 to 2400"));
    }
    return 0;
}

// Runs the report once and writes every output asked for. 4 when one of
// them could not be written (the others are still written), else the
// status of the run's error list.
int exportCommand(const CommandLine &commandLine, TalvoDocument &document, QTextStream &out,
                  QTextStream &err)
{
    ExportRequest request;
    if (const int status = readExportRequest(commandLine, request, err))
        return status;
    if (const int status = runReport(document, err))
        return status;

    const int pages = document.NbPages();
    bool failed = false;
    auto fail = [&](const QString &error) {
        err << tr("mirt: %1").arg(error) << Qt::endl;
        failed = true;
    };
    if (pages == 0) {
        fail(tr("the report produced no page"));
    } else {
        // /pages covers /pdf and /png; a range past the end writes neither.
        const bool inRange = request.from <= pages;
        if (!inRange && (!request.pdf.isEmpty() || !request.png.isEmpty()))
            fail(tr("the report has only %1 pages").arg(pages));
        const int from = request.from;
        const int to = from == 0 ? 0 : (request.to == 0 ? pages : std::min(request.to, pages));
        QString error;
        if (!request.pdf.isEmpty() && inRange &&
            !exportPdf(document, request.pdf, from, to, &error))
            fail(error.isEmpty() ? tr("cannot write %1").arg(request.pdf) : error);
        if (!request.html.isEmpty()) {
            int page = request.htmlPage;
            bool written;
            if (request.allPages) {
                written = document.ExportHTMLAllPages(request.html);
            } else {
                if (page > pages)
                    err << tr("mirt: the report has %1 pages: page %2 is written instead of page "
                              "%3")
                               .arg(pages)
                               .arg(pages)
                               .arg(page)
                        << Qt::endl;
                written = document.ExportHTMLPage(request.html, page);
            }
            if (!written)
                fail(document.errorString());
        }
        if (!request.png.isEmpty() && inRange) {
            QStringList written;
            error.clear();
            if (!exportPng(document, request.png, request.dpi, &written, &error, from, to))
                fail(error.isEmpty() ? tr("cannot write into %1").arg(request.png) : error);
            for (const QString &file : std::as_const(written))
                out << file << '\n';
            out.flush();
        }
    }
    const int status = reportRunErrors(document, err);
    return failed ? 4 : status;
}

} // namespace

bool isHeadlessCommand(const CommandLine &commandLine)
{
    static const QStringList names{
        QStringLiteral("help"),   QStringLiteral("?"),     QStringLiteral("info"),
        QStringLiteral("saveas"), QStringLiteral("check"), QStringLiteral("eval"),
        QStringLiteral("html"),   QStringLiteral("pdf"),   QStringLiteral("png")};
    for (const QString &name : names) {
        if (commandLine.has(name))
            return true;
    }
    return false;
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
    return text;
}

QString reportSummary(const TalvoDocument &document)
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
    for (const section *sec : document.sections) {
        s << "Section " << sec->Key() << ": " << sectionKind(sec->section_Type) << ' '
          << quotedText(sec->sectionName) << ", height " << number(sec->Height) << '\n';
        if (sec->section_Type == section::DataSection) {
            s << "  SQL: " << quotedText(sec->SQL) << '\n';
            s << "  parent: "
              << (sec->sectionParent > 0 ? section::keyOf(section::DataSection, sec->sectionParent)
                                         : QStringLiteral("(none)"))
              << ", mode: "
              << (sec->mode == section::OnceAfter ? "one time after" : "after each record") << '\n';
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

int runHeadlessCommand(const CommandLine &commandLine, TalvoDocument &document, QTextStream &out,
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
        if (target.trimmed().isEmpty()) {
            err << tr("mirt: /saveas needs a file name") << Qt::endl;
            return 4;
        }
        if (!document.SaveXML(target)) {
            // The reason names the file already.
            err << tr("mirt: %1").arg(document.errorString()) << Qt::endl;
            return 1;
        }
        return 0;
    }

    if (commandLine.has(QStringLiteral("check"))) {
        const int status = runCheckCommand(document, out, err);
        out.flush();
        err.flush();
        return status;
    }

    if (commandLine.has(QStringLiteral("pdf")) || commandLine.has(QStringLiteral("png")) ||
        commandLine.has(QStringLiteral("html")))
        return exportCommand(commandLine, document, out, err);

    if (commandLine.has(QStringLiteral("info"))) {
        out << reportSummary(document);
        out.flush();
        return 0;
    }
    return 0;
}
