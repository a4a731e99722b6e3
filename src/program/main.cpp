// The program: parses the command line, picks the headless or the desktop
// path, and runs. Everything a test would want to reach lives in the
// libraries.
#include "program/accessoptions.h"
#include "program/commandline.h"
#include "program/exitstatus.h"
#include "program/headlesscommands.h"
#include "program/startup.h"
#include "charts/chartrendering.h"
#include "designer/dialoginteraction.h"
#include "program/guistartupwindows.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

// Whether Qt can show a window: a platform chosen, or an X or Wayland
// display to connect to.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = CommandLine::fromArguments(arguments);

    const bool headless = isHeadlessCommand(commandLine);
    // A print without any window shows none either.
    const bool windowless = headless || commandLine.has(QStringLiteral("dhp"));

    // Usage errors are told before anything starts: without a display, the
    // application itself could not even be created to say so.
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (const int status = checkCommandLineUsage(commandLine, err))
        return status;
    if (!windowless && !displayAvailable()) {
        err << QCoreApplication::translate(
                   "Mirt", "mirt: there is no display for the window this command opens (/pdf, "
                           "/png, /html, /check and /dhp need none)")
            << Qt::endl;
        return ExitUsage;
    }
    for (const QString &unknown : commandLine.unknownOptions()) {
        err << QCoreApplication::translate("Mirt", "mirt: unknown option %1 (see /help)")
                   .arg(unknown)
            << Qt::endl;
    }
    // Work without a window needs no display.
    if (windowless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Without a session (cron, ssh, CI) Qt complains about the missing runtime
    // folder on every start; give it a private one instead.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/mirt-runtime-") + qEnvironmentVariable("USER", QStringLiteral("user"));
        if (QDir().mkpath(runtime)) {
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        }
    }

    // Charts are laid out by Qt Charts' graphics widgets, which need the
    // widget application even without a window (offscreen).
    auto app = std::make_unique<QApplication>(argc, argv);
    registerChartRenderer();

    // Set before any report is read, and never changed by one.
    AccessPolicy::setCurrent(accessPolicyFor(commandLine, QCoreApplication::applicationDirPath()));

    ReportDocument document;
    if (headless) {
        const int status =
            runHeadlessCommand(commandLine, document, out, err, QCoreApplication::applicationDirPath());
#ifndef __SANITIZE_ADDRESS__
        // The pages go with the process: freeing a long report record by
        // record only costs time. (The sanitizer build frees them, so that
        // it can tell a leak.)
        document.run().pages.abandon();
#endif
        return status;
    }

    // Without a window nobody can answer a dialog: messages go to stderr.
    DialogInteraction dialogs;
    if (!windowless)
        UserInteraction::setCurrent(&dialogs);
    GuiStartupWindows windows;
    const CommandLine chosen = chooseCommandLine(commandLine, windows);
    const int status = processCommandLine(chosen, document, windows, QCoreApplication::applicationDirPath());
    const int exitCode = status == kRunEventLoop ? app->exec() : status;
    UserInteraction::setCurrent(nullptr);
    return exitCode;
}
