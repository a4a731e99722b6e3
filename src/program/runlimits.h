#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>

class CommandLine;
class ReportDocument;

// The bounds a server puts on a run: /maxpages N and /timeout SECONDS. Once
// one is passed, the run is stopped through the document's stop flag (its
// queries too, while their rows are read) and an error entry says why.
class RunLimits
{
public:
    // Reads the two options; "" when they are usable (or absent), otherwise
    // the message naming the option.
    QString read(const CommandLine &commandLine);
    bool isSet() const { return m_maxPages > 0 || m_timeoutMs > 0; }

    // The clock of /timeout runs from here.
    void start() { m_clock.start(); }
    // Installs the check as the document's runCheck until the object goes;
    // `whenReached` is called with each check once a limit is passed.
    void watch(ReportDocument &document, std::function<void()> whenReached = {});
    // Stops the run (again, should a new run have cleared the flag) when a
    // limit is passed; the first time adds the error entry.
    void check(ReportDocument &document);

    bool reached() const { return !m_reason.isEmpty(); }
    // Why the run was stopped; "" while no limit was passed.
    const QString &reason() const { return m_reason; }

    ~RunLimits();

private:
    int m_maxPages = 0;
    qint64 m_timeoutMs = 0;
    QString m_timeoutText;
    QElapsedTimer m_clock;
    QString m_reason;
    ReportDocument *m_watched = nullptr;
};
