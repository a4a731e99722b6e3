// The page variables of static texts. They are replaced when a page is drawn
// or exported, so the numbers are those of the page being output.
#include "document/talvodocument.h"

#include <QDateTime>
#include <QLocale>

namespace {

// The system's time format without a time zone, which a report never wants.
QString systemTime(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(time, format.trimmed());
}

} // namespace

QString TalvoDocument::ReplacePercentVars(const QString &text) const
{
    if (!text.contains(QLatin1Char('%')))
        return text;
    QString result = text;
    result.replace(QLatin1String("%page%"), QString::number(CurrentPage));
    result.replace(QLatin1String("%pages%"), QString::number(Pages.count()));
    if (result.contains(QLatin1String("%time%")))
        result.replace(QLatin1String("%time%"), systemTime(QTime::currentTime()));
    if (result.contains(QLatin1String("%date%")))
        result.replace(QLatin1String("%date%"), QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    result.replace(QLatin1String("%filename%"), fileName);
    result.replace(QLatin1String("%title%"), docName);
    return result;
}
