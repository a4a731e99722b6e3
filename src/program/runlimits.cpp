#include "runlimits.h"

#include "commandline.h"

#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "document/errorentry.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Mirt", text);
}

} // namespace

QString RunLimits::read(const CommandLine &commandLine)
{
    if (commandLine.has(QStringLiteral("maxpages"))) {
        bool ok = false;
        m_maxPages = commandLine.value(QStringLiteral("maxpages")).toInt(&ok);
        if (!ok || m_maxPages < 1)
            return tr("mirt: /maxpages needs a number of pages from 1");
    }
    if (commandLine.has(QStringLiteral("timeout"))) {
        bool ok = false;
        m_timeoutText = commandLine.value(QStringLiteral("timeout"));
        const double seconds = m_timeoutText.toDouble(&ok);
        // Up to a year; a fraction of a second is still a bound.
        if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds > 366.0 * 86400)
            return tr("mirt: /timeout needs a number of seconds above 0");
        m_timeoutMs = std::max<qint64>(1, qint64(std::ceil(seconds * 1000)));
    }
    return QString();
}

void RunLimits::watch(ReportDocument &document, std::function<void()> whenReached)
{
    m_watched = &document;
    document.run().runCheck = [this, &document, whenReached = std::move(whenReached)] {
        check(document);
        if (reached() && whenReached)
            whenReached();
    };
}

RunLimits::~RunLimits()
{
    if (m_watched)
        m_watched->run().runCheck = nullptr;
}

void RunLimits::check(ReportDocument &document)
{
    if (m_reason.isEmpty()) {
        if (m_maxPages > 0 && document.run().pages.count() > m_maxPages)
            m_reason = tr("The run was stopped: the report has more than %1 pages (/maxpages %1)")
                           .arg(m_maxPages);
        else if (m_timeoutMs > 0 && m_clock.isValid() && m_clock.hasExpired(m_timeoutMs))
            m_reason = tr("The run was stopped: it took longer than %1 seconds (/timeout %1)")
                           .arg(m_timeoutText);
        if (m_reason.isEmpty())
            return;
        document.addError(
            ErrorEntry(QStringLiteral("mirt"), QStringLiteral("limits"), m_reason, QString()));
    }
    document.run().stopRequested = true;
}
