#include "commandline.h"

#include <QDir>
#include <QFileInfo>

bool hasOption(const QString &commandLine, const QString &name)
{
    const QString line = commandLine + QLatin1Char(' ');
    return line.contains(QLatin1Char('/') + name + QLatin1Char(' '), Qt::CaseInsensitive);
}

QString optionValue(const QString &commandLine, const QString &name)
{
    if (!hasOption(commandLine, name))
        return QString();
    const QString line = commandLine + QLatin1Char(' ');
    const QString marker = QLatin1Char('/') + name + QLatin1Char(' ');
    const int at = line.indexOf(marker, 0, Qt::CaseInsensitive);
    QString value = line.mid(at + marker.size());
    const int slash = value.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        value.truncate(slash);
    value = value.trimmed();
    if (value.startsWith(QLatin1Char('"')))
        value.remove(0, 1);
    if (value.endsWith(QLatin1Char('"')))
        value.chop(1);
    return value.trimmed();
}

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

const QStringList &CommandLine::wholeValueOptions()
{
    static const QStringList names{
        QStringLiteral("f"),    QStringLiteral("saveas"), QStringLiteral("eval"),
        QStringLiteral("pdf"),  QStringLiteral("pdfa"),   QStringLiteral("html"),
        QStringLiteral("png"),  QStringLiteral("xlsx"),   QStringLiteral("csv"),
        QStringLiteral("csvsep")};
    return names;
}

const QList<QPair<QString, QString>> &CommandLine::knownOptions()
{
    static const QList<QPair<QString, QString>> options{
        {QStringLiteral("/f FILE"), QStringLiteral("the report file to open")},
        {QStringLiteral("/e"), QStringLiteral("open the report in the designer")},
        {QStringLiteral("/p"),
         QStringLiteral("preview the report, then print it with the print dialog")},
        {QStringLiteral("/dp"),
         QStringLiteral("preview the report, then print it without a dialog")},
        {QStringLiteral("/dhp"),
         QStringLiteral("print the report without a dialog and without a window")},
        {QStringLiteral("/debug, /dbg"),
         QStringLiteral("collect the debug list while the report runs")},
        {QStringLiteral("/info"),
         QStringLiteral("print a summary of the report given with /f and exit")},
        {QStringLiteral("/saveas FILE"),
         QStringLiteral("write the report given with /f again to FILE and exit")},
        {QStringLiteral("/check"),
         QStringLiteral("run every query of the report once and report what it returns")},
        {QStringLiteral("/eval EXPRESSION"),
         QStringLiteral("evaluate one formula expression and print the result")},
        {QStringLiteral("/pdf FILE"),
         QStringLiteral(
             "run the report and write it as PDF (/pdf, /html, /png, /xlsx and /csv may be "
             "given together)")},
        {QStringLiteral("/pdfa FILE"),
         QStringLiteral("as /pdf, written as PDF/A-2b for archiving")},
        {QStringLiteral("/pages FROM-TO"), QStringLiteral("with /pdf or /png: only these pages")},
        {QStringLiteral("/html FILE"), QStringLiteral("run the report and write a page as HTML")},
        {QStringLiteral("/page N"), QStringLiteral("with /html: the page to write (default 1)")},
        {QStringLiteral("/allpages"),
         QStringLiteral("with /html: every page, one file with page breaks")},
        {QStringLiteral("/png DIR"),
         QStringLiteral("run the report and write each page as a PNG file into DIR")},
        {QStringLiteral("/dpi N"), QStringLiteral("with /png: the resolution (default 150)")},
        {QStringLiteral("/xlsx FILE"),
         QStringLiteral("run the report and write it as an Excel workbook: numbers, dates and "
                        "truth values typed, without page headers and footers")},
        {QStringLiteral("/csv FILE"),
         QStringLiteral("run the report and write it as CSV (UTF-8, the rows of the workbook)")},
        {QStringLiteral("/csvsep SEP"),
         QStringLiteral("with /csv: the separator, one of , ; | : or tab (default ,)")},
        {QStringLiteral("/confine"),
         QStringLiteral("read files only inside the report's folder and reach no database "
                        "server but those of /allowhost (for reports you did not write)")},
        {QStringLiteral("/allowhost HOST[:PORT]"),
         QStringLiteral("the database server a confined run may reach; repeatable; implies "
                        "/confine")},
        {QStringLiteral("/maxpages N"),
         QStringLiteral("with an output or /dhp: stop a run that makes more than N pages "
                        "and write or print nothing")},
        {QStringLiteral("/timeout SECONDS"),
         QStringLiteral("with an output, /dhp or /check: stop a run that takes longer "
                        "and write or print nothing")},
        {QStringLiteral("/help, /?"), QStringLiteral("print this list and exit")},
    };
    return options;
}

namespace {
QString quoted(const QString &arg)
{
    if (arg.contains(QLatin1Char(' ')) && !arg.startsWith(QLatin1Char('"')))
        return QLatin1Char('"') + arg + QLatin1Char('"');
    return arg;
}

bool isOptionWord(const QString &arg)
{
    return arg.size() > 1 && arg.startsWith(QLatin1Char('/')) &&
           !arg.mid(1).contains(QLatin1Char('/')) && !arg.contains(QLatin1Char(' '));
}

QStringList knownNames()
{
    QStringList names;
    for (const auto &option : CommandLine::knownOptions()) {
        for (const QString &spelling : option.first.split(QStringLiteral(", "))) {
            names << spelling.section(QLatin1Char(' '), 0, 0).mid(1).toLower();
        }
    }
    return names;
}
} // namespace

CommandLine CommandLine::fromArguments(const QStringList &arguments)
{
    // A lone file name, as a file manager or the desktop menu passes it,
    // opens that report in the designer.
    if (arguments.size() == 1 && !arguments.first().trimmed().isEmpty() &&
        (!isOptionWord(arguments.first()) || QFileInfo(arguments.first()).isFile()))
        return fromArguments({QStringLiteral("/f"), arguments.first(), QStringLiteral("/e")});
    CommandLine cl;
    QStringList words;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        const QString name = isOptionWord(arg) ? arg.mid(1).toLower() : QString();
        if (!name.isEmpty() && wholeValueOptions().contains(name)) {
            words << arg;
            cl.m_whole.insert(name, i + 1 < arguments.size() ? arguments.at(i + 1) : QString());
            ++i;
            continue;
        }
        if (!arg.trimmed().isEmpty())
            words << quoted(arg);
    }
    cl.m_text = words.join(QLatin1Char(' '));
    return cl;
}

CommandLine CommandLine::fromText(const QString &text)
{
    CommandLine cl;
    cl.m_text = text;
    return cl;
}

bool CommandLine::has(const QString &name) const
{
    return m_whole.contains(name.toLower()) || hasOption(m_text, name);
}

QString CommandLine::value(const QString &name) const
{
    const auto it = m_whole.constFind(name.toLower());
    if (it != m_whole.constEnd())
        return it.value();
    return optionValue(m_text.trimmed(), name);
}

QStringList CommandLine::unknownOptions() const
{
    static const QStringList known = knownNames();
    QStringList unknown;
    const QStringList words = m_text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (!isOptionWord(word))
            continue;
        if (!known.contains(word.mid(1).toLower()))
            unknown << word;
    }
    return unknown;
}

QString resolveCommandLineFile(const QString &name, const QString &programDir)
{
    if (name.isEmpty())
        return QString();
    if (fileExists(name))
        return name;
    if (QDir::isRelativePath(name) && !programDir.isEmpty()) {
        // Beside the program in a build; in the shared data folder when
        // installed (the program folder is then /usr/bin or the like).
        const QDir dir(programDir);
        for (const QString &candidate :
             {dir.filePath(name),
              dir.filePath(QStringLiteral(MIRT_EXAMPLES_FROM_BIN "/") + name)}) {
            if (fileExists(candidate))
                return QDir::cleanPath(candidate);
        }
    }
    return QString();
}
