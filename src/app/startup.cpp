#include "startup.h"

#include "settings.h"

#include "document/talvodocument.h"
#include "document/userinteraction.h"

#include <QCoreApplication>

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

int processCommandLine(const CommandLine &commandLine, TalvoDocument &document,
                       StartupWindows &windows, const QString &programDir)
{
    const QString name = commandLine.value(QStringLiteral("f")).trimmed();
    document.dbg = commandLine.has(QStringLiteral("debug")) || commandLine.has(QStringLiteral("dbg"));

    if (name.isEmpty())
        return windows.openDesigner(document);

    const QString path = resolveCommandLineFile(name, programDir);
    if (path.isEmpty()) {
        UserInteraction::current()->message(
            QCoreApplication::translate("Mirt", "this file is not existing: ") + QStringLiteral("\r\n")
                + name,
            UserInteraction::Ok);
        return windows.openDesigner(document);
    }

    // A file that fails to parse has been reported; the window opens on an
    // untitled document, so that a save cannot write over the file it could
    // not read. A print without a window has nothing to show it in: it ends
    // there.
    if (document.loadXML(path))
        document.fileName = path;
    else if (commandLine.has(QStringLiteral("dhp")))
        return 1;
    else
        document.fileName.clear();

    bool thenPrint = false, showDialog = true, hide = false;
    if (commandLine.has(QStringLiteral("e")))
        return windows.openDesigner(document);
    if (commandLine.has(QStringLiteral("p"))) {
        thenPrint = true;
    } else if (commandLine.has(QStringLiteral("dp"))) {
        thenPrint = true;
        showDialog = false;
    } else if (commandLine.has(QStringLiteral("dhp"))) {
        thenPrint = true;
        showDialog = false;
        hide = true;
        const int status = windows.printPreview(document, thenPrint, showDialog, hide);
        // The end of the program, which the status returned brings about.
        document.AskEnd();
        return status == kRunEventLoop ? 0 : status;
    }
    return windows.printPreview(document, thenPrint, showDialog, hide);
}
