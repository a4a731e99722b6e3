#include "errorentry.h"

#include <QLocale>

namespace {

// The locale's long time format without its time-zone field: the zone adds
// nothing to entries that are all made on this machine, on this day.
QString timeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
}

} // namespace

ErrorEntry::ErrorEntry() : dateTime(QDateTime::currentDateTime()) {}

ErrorEntry::ErrorEntry(const QString &className, const QString &functionName,
                       const QString &messageText, const QString &info)
    : dateTime(QDateTime::currentDateTime()),
      class_(className),
      function_(functionName),
      message(messageText),
      additionalInfo(info)
{
}

QString ErrorEntry::pureText() const
{
    return errorTimeText(dateTime) + QStringLiteral(", (") + class_ + u'.' + function_
           + QStringLiteral(") ") + message + QStringLiteral(", ") + additionalInfo;
}

QString errorTimeText(const QDateTime &dateTime)
{
    const QLocale locale;
    return locale.toString(dateTime.date(), QLocale::ShortFormat) + u' '
           + locale.toString(dateTime.time(), timeFormatWithoutZone(locale));
}
