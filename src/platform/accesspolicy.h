#pragma once

#include <QString>
#include <QStringList>

// What a report may reach besides its own text. Unconfined (the desktop,
// and the default) it may read any file its user can read and connect to
// any server. Confined (a server running reports it did not write) every
// file a report names must lie inside one folder, the report's, once links
// are followed, and a database server may be reached only when its host is
// on a list the person who started the run gave.
//
// One policy holds for the whole process; the command line sets it before
// any report is read.
class AccessPolicy
{
public:
    // Unconfined.
    AccessPolicy() = default;
    // Files inside `rootFolder` (an empty name: no file at all) and the
    // `hosts` given as "HOST" (any port) or "HOST:PORT" ("[v6]:PORT").
    static AccessPolicy confined(const QString &rootFolder, const QStringList &hosts);

    static const AccessPolicy &current();
    static void setCurrent(const AccessPolicy &policy);

    bool isConfined() const { return m_confined; }
    // The folder files must lie in, links followed; empty when unconfined.
    QString rootFolder() const { return m_root; }
    QStringList hosts() const { return m_hosts; }

    // Why the file may not be read; "" when it may. A missing file is judged
    // by its name, so the answer tells nothing about what exists outside.
    QString fileRefusal(const QString &path) const;
    // Why the server may not be reached; "" when it may. `port` 0 stands
    // for the driver's default port, which only an entry without a port
    // allows.
    QString hostRefusal(const QString &host, int port) const;

private:
    bool m_confined = false;
    QString m_root;
    QStringList m_hosts;
};
