#include "platform/accesspolicy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AccessPolicy", text);
}

AccessPolicy &processPolicy()
{
    static AccessPolicy policy;
    return policy;
}

bool isInside(const QString &path, const QString &root)
{
    if (root.isEmpty() || path.isEmpty())
        return false;
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

// "host", "host:port" or "[v6 address]:port" split; port 0 when none.
std::pair<QString, int> splitHost(const QString &entry)
{
    QString host = entry.trimmed();
    QString port;
    if (host.startsWith(QLatin1Char('['))) {
        const qsizetype end = host.indexOf(QLatin1Char(']'));
        if (end > 0) {
            if (host.mid(end + 1).startsWith(QLatin1Char(':')))
                port = host.mid(end + 2);
            host = host.mid(1, end - 1);
        }
    } else if (host.count(QLatin1Char(':')) == 1) {
        port = host.section(QLatin1Char(':'), 1);
        host = host.section(QLatin1Char(':'), 0, 0);
    }
    bool ok = false;
    const int number = port.toInt(&ok);
    return {host, ok && number > 0 && number <= 65535 ? number : (port.isEmpty() ? 0 : -1)};
}

} // namespace

AccessPolicy AccessPolicy::confined(const QString &rootFolder, const QStringList &hosts)
{
    AccessPolicy policy;
    policy.m_confined = true;
    // A root that does not exist confines to nothing rather than to a name
    // that could be created later.
    if (!rootFolder.isEmpty())
        policy.m_root = QFileInfo(rootFolder).canonicalFilePath();
    for (const QString &host : hosts) {
        if (!host.trimmed().isEmpty())
            policy.m_hosts << host.trimmed();
    }
    return policy;
}

const AccessPolicy &AccessPolicy::current()
{
    return processPolicy();
}

void AccessPolicy::setCurrent(const AccessPolicy &policy)
{
    processPolicy() = policy;
}

QString AccessPolicy::fileRefusal(const QString &path) const
{
    if (!m_confined)
        return QString();
    const QFileInfo info(path);
    // Links are followed, so one inside the folder cannot lead out of it.
    QString real = info.canonicalFilePath();
    if (real.isEmpty())
        real = QDir::cleanPath(info.absoluteFilePath());
    if (isInside(real, m_root))
        return QString();
    if (m_root.isEmpty())
        return tr("\"%1\" is not read: this run may read no files").arg(path);
    return tr("\"%1\" is not read: it lies outside the report's folder %2, the only one this run "
              "may read (/confine)")
        .arg(path, m_root);
}

QString AccessPolicy::hostRefusal(const QString &host, int port) const
{
    if (!m_confined)
        return QString();
    const QString wanted = host.trimmed();
    for (const QString &entry : m_hosts) {
        const auto [name, allowedPort] = splitHost(entry);
        if (name.compare(wanted, Qt::CaseInsensitive) == 0 &&
            (allowedPort == 0 || allowedPort == port))
            return QString();
    }
    const QString shown = port > 0 ? QStringLiteral("%1:%2").arg(wanted).arg(port) : wanted;
    if (m_hosts.isEmpty())
        return tr("the server %1 is not reached: this run may reach no server (/confine without "
                  "/allowhost)")
            .arg(shown);
    return tr("the server %1 is not reached: this run may reach only %2 (/allowhost)")
        .arg(shown, m_hosts.join(QStringLiteral(", ")));
}
