#pragma once

#include <QString>
#include <QStringList>

// Questions and messages of the model go through this interface, never
// through a widget: the GUI answers with real dialogs, the command line on
// stderr, the tests with scripted answers.
class UserInteraction
{
public:
    enum Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8, Retry = 0x10 };
    enum Icon { NoIcon, Information, Exclamation, Critical, Question };

    virtual ~UserInteraction();

    // Shows text with the given buttons (an OR of Button) and returns the one
    // chosen. An empty title means the application title.
    virtual Button message(const QString &text, int buttons = Ok, Icon icon = NoIcon,
                           const QString &title = QString()) = 0;

    // Asks for the name of a report file to save. Returns an empty text when
    // the user cancels.
    virtual QString askSaveFileName(const QString &filter) = 0;
    // Asks for an existing report file to open; empty when the user cancels.
    virtual QString askOpenFileName(const QString &filter) = 0;

    // The interaction in force; the command-line one unless another was set.
    static UserInteraction *current();
    // Makes `ui` current (nullptr restores the command-line one). The caller
    // keeps ownership.
    static void setCurrent(UserInteraction *ui);
};

// Writes messages to stderr. Questions are answered with the choice that
// loses nothing: Cancel when offered, else No, else the first button; no
// file name is ever chosen.
class StderrInteraction : public UserInteraction
{
public:
    Button message(const QString &text, int buttons, Icon icon, const QString &title) override;
    QString askSaveFileName(const QString &filter) override;
    QString askOpenFileName(const QString &filter) override;
};

// Replays prepared answers and records what was asked; for tests.
class ScriptedInteraction : public UserInteraction
{
public:
    struct Shown
    {
        QString text;
        QString title;
        int buttons = Ok;
        Icon icon = NoIcon;
    };

    QList<Button> answers;      // taken front first; Ok/first button when empty
    QStringList fileNames;      // taken front first; "" (cancel) when empty
    QList<Shown> shown;         // every message, in order
    int fileDialogs = 0;        // how many times a file name was asked (save or open)

    Button message(const QString &text, int buttons, Icon icon, const QString &title) override;
    QString askSaveFileName(const QString &filter) override;
    QString askOpenFileName(const QString &filter) override;
};
