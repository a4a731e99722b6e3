#pragma once

#include "program/startup.h"

// The windows of the desktop program: the welcome dialog, the designer and
// the preview.
class GuiStartupWindows : public StartupWindows
{
public:
    QString showWelcome(bool &neverTicked) override;
    int openDesigner(ReportDocument &document) override;
    int printPreview(ReportDocument &document, bool &thenPrint, bool &showPrintDialog,
                     bool &hideWindow) override;
};
