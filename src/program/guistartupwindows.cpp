#include "guistartupwindows.h"

#include "designer/designerwindow.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "document/errorentry.h"
#include "viewer/previewwindow.h"
#include "viewer/welcomedialog.h"

#include <QStringList>

#include <cstdio>

QString GuiStartupWindows::showWelcome(bool &neverTicked)
{
    WelcomeDialog welcome;
    welcome.setNever(neverTicked);
    welcome.exec();
    neverTicked = welcome.never();
    return welcome.resultText();
}

int GuiStartupWindows::openDesigner(ReportDocument &document)
{
    // The window lives until it is closed; closing it ends the program.
    auto *editor = new DesignerWindow;
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->init(&document);
    editor->show();
    // A session that ended without saving may have left its changes.
    editor->offerRecovery();
    return kRunEventLoop;
}

int GuiStartupWindows::printPreview(ReportDocument &document, bool &thenPrint, bool &showPrintDialog,
                                    bool &hideWindow)
{
    if (!hideWindow) {
        // The window lives until it is closed; closing the last window ends
        // the program.
        auto *viewer = new PreviewWindow;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        // The preview's edit button hands the report to a designer.
        viewer->designerHook = [viewer](ReportDocument &doc) {
            DesignerWindow::editFromPreview(doc, viewer);
        };
        viewer->PrintPreview(&document, thenPrint, showPrintDialog, hideWindow);
        return kRunEventLoop;
    }

    // Printing without a window: no dialog can be answered, so messages go to
    // stderr; the program ends when the pages are sent, with a status that
    // says how it went.
    StderrInteraction stderrMessages;
    UserInteraction *previous = UserInteraction::current();
    UserInteraction::setCurrent(&stderrMessages);
    QStringList errors;
    int status = 0;
    {
        PreviewWindow viewer;
        viewer.beforeRelease = [&errors](ReportDocument &doc) {
            for (const ErrorEntry &e : doc.errorLst)
                errors << e.pureText();
        };
        viewer.PrintPreview(&document, thenPrint, showPrintDialog, hideWindow);
        status = viewer.connectionFailed ? 2 : viewer.printFailed ? 4 : errors.isEmpty() ? 0 : 3;
    }
    UserInteraction::setCurrent(previous);
    for (const QString &line : std::as_const(errors))
        std::fprintf(stderr, "%s\n", qPrintable(line));
    return status;
}
