#include "guistartupwindows.h"

#include "document/talvodocument.h"
#include "document/userinteraction.h"
#include "engine/talvoerror.h"
#include "viewer/fdocviewer.h"
#include "viewer/fstart.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {
int notAvailable(const char *window)
{
    std::fprintf(stderr, "mirt: %s\n",
                 qPrintable(QCoreApplication::translate("Mirt", "the %1 is not available in this version yet; "
                                                                "see /help for what the command line can do")
                                .arg(QCoreApplication::translate("Mirt", window))));
    return 1;
}
} // namespace

QString GuiStartupWindows::showWelcome(bool &neverTicked)
{
    fStart welcome;
    welcome.setNever(neverTicked);
    welcome.exec();
    neverTicked = welcome.never();
    return welcome.resultText();
}

int GuiStartupWindows::openDesigner(TalvoDocument &)
{
    return notAvailable(QT_TRANSLATE_NOOP("Mirt", "designer window"));
}

int GuiStartupWindows::printPreview(TalvoDocument &document, bool &thenPrint, bool &showPrintDialog,
                                    bool &hideWindow)
{
    if (!hideWindow) {
        // The window lives until it is closed; closing the last window ends
        // the program.
        auto *viewer = new fDocViewer;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
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
        fDocViewer viewer;
        viewer.beforeRelease = [&errors](TalvoDocument &doc) {
            for (const talvoError &e : doc.errorLst)
                errors << e.GetPureText();
        };
        viewer.PrintPreview(&document, thenPrint, showPrintDialog, hideWindow);
        status = viewer.connectionFailed ? 2 : viewer.printFailed ? 4 : errors.isEmpty() ? 0 : 3;
    }
    UserInteraction::setCurrent(previous);
    for (const QString &line : std::as_const(errors))
        std::fprintf(stderr, "%s\n", qPrintable(line));
    return status;
}
