#include "guistartupwindows.h"

#include <QCoreApplication>

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

QString GuiStartupWindows::showWelcome(bool &)
{
    // Without the welcome dialog the program behaves as if it were closed by
    // its frame: an empty document.
    return QString();
}

int GuiStartupWindows::openDesigner(TalvoDocument &)
{
    return notAvailable(QT_TRANSLATE_NOOP("Mirt", "designer window"));
}

int GuiStartupWindows::printPreview(TalvoDocument &, bool &, bool &, bool &)
{
    return notAvailable(QT_TRANSLATE_NOOP("Mirt", "preview window"));
}
