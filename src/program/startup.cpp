#include "startup.h"

#include "exitstatus.h"
#include "runlimits.h"
#include "platform/settings.h"

#include "document/reportdocument.h"
#include "document/userinteraction.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Mirt", text);
}

} // namespace

StartupWindows::~StartupWindows() = default;

CommandLine chooseCommandLine(const CommandLine &processLine, StartupWindows &windows)
{
    if (!processLine.isBlank())
        return processLine;
    const QString start = readSetting(startSettingKey(), QString());
    if (!start.isEmpty())
        return processLine;
    bool never = !start.isEmpty();
    const QString chosen = windows.showWelcome(never);
    if (never)
        writeSetting(startSettingKey(), QStringLiteral("never"));
    return CommandLine::fromText(chosen);
}

int processCommandLine(const CommandLine &commandLine, ReportDocument &document,
                       StartupWindows &windows, const QString &programDir)
{
    const QString name = commandLine.value(QStringLiteral("f")).trimmed();
    document.dbg = commandLine.has(QStringLiteral("debug")) || commandLine.has(QStringLiteral("dbg"));
    // A print without a window has no designer to fall back on: nobody could
    // see it, and the program would never end.
    const bool hidden = commandLine.has(QStringLiteral("dhp"));
    RunLimits limits;
    limits.start();

    if (name.isEmpty()) {
        if (hidden) {
            UserInteraction::current()->message(tr("/dhp needs a report: /f FILE"),
                                                UserInteraction::Ok);
            return ExitUsage;
        }
        return windows.openDesigner(document);
    }

    const QString path = resolveCommandLineFile(name, programDir);
    if (path.isEmpty()) {
        UserInteraction::current()->message(
            tr("this file is not existing: ") + QStringLiteral("\r\n") + name, UserInteraction::Ok);
        if (hidden)
            return ExitCannotLoad;
        return windows.openDesigner(document);
    }

    // A file that fails to parse has been reported; the window opens on an
    // untitled document, so that a save cannot write over the file it could
    // not read. A print without a window has nothing to show it in: it ends
    // there.
    if (document.loadXml(path))
        document.fileName = path;
    else if (hidden)
        return ExitCannotLoad;
    else
        document.fileName.clear();

    bool thenPrint = false, showDialog = true, hide = false;
    if (hidden) {
        const QString limitError = limits.read(commandLine);
        if (!limitError.isEmpty()) {
            UserInteraction::current()->message(limitError, UserInteraction::Ok);
            return ExitUsage;
        }
        thenPrint = true;
        showDialog = false;
        hide = true;
        // A run stopped by a limit is not printed.
        limits.watch(document, [&thenPrint] { thenPrint = false; });
        int status = windows.printPreview(document, thenPrint, showDialog, hide);
        if (limits.reached()) {
            UserInteraction::current()->message(tr("nothing was printed"), UserInteraction::Ok);
            status = ExitLimitReached;
        }
        // The end of the program, which the status returned brings about.
        document.askEnd();
        return status == kRunEventLoop ? 0 : status;
    }
    if (commandLine.has(QStringLiteral("e")))
        return windows.openDesigner(document);
    if (commandLine.has(QStringLiteral("p"))) {
        thenPrint = true;
    } else if (commandLine.has(QStringLiteral("dp"))) {
        thenPrint = true;
        showDialog = false;
    }
    return windows.printPreview(document, thenPrint, showDialog, hide);
}
