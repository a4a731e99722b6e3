#include "accessoptions.h"

#include <QFileInfo>

AccessPolicy accessPolicyFor(const CommandLine &commandLine, const QString &programDir)
{
    QStringList hosts;
    bool allowHost = false;
    const QStringList words = commandLine.text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words.at(i).compare(QLatin1String("/allowhost"), Qt::CaseInsensitive) != 0)
            continue;
        allowHost = true;
        // The next word, unless it is the next option (a PostgreSQL socket
        // folder such as /var/run/postgresql is a value).
        const QString next = words.value(i + 1);
        const bool option = next.startsWith(QLatin1Char('/')) && next.count(QLatin1Char('/')) == 1;
        if (!next.isEmpty() && !option)
            hosts << QString(next).remove(QLatin1Char('"'));
    }
    if (!allowHost && !commandLine.has(QStringLiteral("confine")))
        return AccessPolicy();
    // A report that cannot be found confines the run to no folder at all.
    const QString report =
        resolveCommandLineFile(commandLine.value(QStringLiteral("f")).trimmed(), programDir);
    return AccessPolicy::confined(report.isEmpty() ? QString() : QFileInfo(report).absolutePath(),
                                  hosts);
}
