#pragma once

#include "commandline.h"

#include <QString>

class ReportDocument;

// The windows start-up may open. The GUI implements them with the real
// designer, preview and welcome dialog; tests with recorders.
class StartupWindows
{
public:
    virtual ~StartupWindows();

    // Shows the welcome dialog modally. `neverTicked` starts as given and
    // returns the state of its check box. Returns the command line chosen.
    virtual QString showWelcome(bool &neverTicked) = 0;
    // DesignerWindow.init(document), then shows the designer non-modally.
    virtual int openDesigner(ReportDocument &document) = 0;
    // PreviewWindow.PrintPreview(document, thenPrint, showPrintDialog, hideWindow).
    virtual int printPreview(ReportDocument &document, bool &thenPrint, bool &showPrintDialog,
                             bool &hideWindow) = 0;
};

// What a window entry point returns when the program must keep running its
// event loop; any other value is the exit status.
constexpr int kRunEventLoop = -1;

// The command line to process: the process's own when it is not blank;
// otherwise, unless "Start" says "never", the welcome dialog's choice.
CommandLine chooseCommandLine(const CommandLine &processLine, StartupWindows &windows);

// Interprets the start-up options and opens the window they ask for.
// Relative report names are looked up in the current folder, then in
// programDir. Returns kRunEventLoop or an exit status.
int processCommandLine(const CommandLine &commandLine, ReportDocument &document,
                       StartupWindows &windows, const QString &programDir);
