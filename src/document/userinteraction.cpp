#include "userinteraction.h"

#include "platform/appinfo.h"

#include <cstdio>

namespace {
UserInteraction *g_current = nullptr;

UserInteraction::Button firstOf(int buttons)
{
    for (auto b : {UserInteraction::Ok, UserInteraction::Yes, UserInteraction::No,
                   UserInteraction::Cancel, UserInteraction::Retry}) {
        if (buttons & b)
            return b;
    }
    return UserInteraction::Ok;
}
} // namespace

UserInteraction::~UserInteraction() = default;

UserInteraction *UserInteraction::current()
{
    static StderrInteraction fallback;
    return g_current ? g_current : &fallback;
}

void UserInteraction::setCurrent(UserInteraction *ui)
{
    g_current = ui;
}

UserInteraction::Button StderrInteraction::message(const QString &text, int buttons, Icon,
                                                   const QString &title)
{
    QString line = (title.isEmpty() ? appTitle() : title) + QStringLiteral(": ") + text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "%s\n", qPrintable(line));
    if (buttons & Cancel)
        return Cancel;
    if (buttons & No)
        return No;
    return firstOf(buttons);
}

QString StderrInteraction::askSaveFileName(const QString &)
{
    return QString();
}

QString StderrInteraction::askOpenFileName(const QString &)
{
    return QString();
}

UserInteraction::Button ScriptedInteraction::message(const QString &text, int buttons, Icon icon,
                                                     const QString &title)
{
    shown.append(Shown{text, title, buttons, icon});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return firstOf(buttons);
}

QString ScriptedInteraction::askSaveFileName(const QString &)
{
    ++fileDialogs;
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString ScriptedInteraction::askOpenFileName(const QString &)
{
    ++fileDialogs;
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}
