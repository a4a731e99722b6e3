#pragma once

#include "app/startup.h"

// The windows of the desktop program. Windows that this version does not
// have yet say so plainly and end the program with status 1.
class GuiStartupWindows : public StartupWindows
{
public:
    QString showWelcome(bool &neverTicked) override;
    int openDesigner(TalvoDocument &document) override;
    int printPreview(TalvoDocument &document, bool &thenPrint, bool &showPrintDialog,
                     bool &hideWindow) override;
};
