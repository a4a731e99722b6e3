#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The option syntax of the program: "/name value". On a single-string command
// line (the welcome dialog's, or one typed by a user) an option is a slash, a
// name and a space, and a value runs up to the next slash.

// True when "/" + name + " " occurs in the line with one space appended,
// without regard to case.
bool hasOption(const QString &commandLine, const QString &name);
// The value after the option, cut at the next "/", trimmed, without one pair
// of surrounding double quotes; "" when the option is absent.
QString optionValue(const QString &commandLine, const QString &name);
// True when path names an existing file (not a folder); false for "".
bool fileExists(const QString &path);

// The command line as the program receives it: separate arguments. Options
// whose value names a file or holds free text take the whole next argument,
// so "/f /home/me/report.xml" and "/eval 1/2" work; everything else is joined
// into the single-string form the option syntax above reads.
class CommandLine
{
public:
    CommandLine() = default;
    // From the arguments after the program name.
    static CommandLine fromArguments(const QStringList &arguments);
    // From a single string, e.g. the welcome dialog's "/f "demo.xml" /e".
    static CommandLine fromText(const QString &text);

    // The single-string form (without the values taken whole).
    const QString &text() const { return m_text; }
    bool isBlank() const { return m_text.trimmed().isEmpty() && m_whole.isEmpty(); }

    bool has(const QString &name) const;
    QString value(const QString &name) const;

    // Options the program does not know, as written ("/x").
    QStringList unknownOptions() const;

    // Options whose value is the whole next argument.
    static const QStringList &wholeValueOptions();
    // Every option the program knows, with a one-line description each.
    static const QList<QPair<QString, QString>> &knownOptions();

private:
    QString m_text;
    QHash<QString, QString> m_whole; // lower-case name -> value
};

// Finds a file named on the command line: as given when it exists (relative
// names against the current folder), otherwise a relative name in the
// program's folder. Returns "" when neither exists.
QString resolveCommandLineFile(const QString &name, const QString &programDir);
