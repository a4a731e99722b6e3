#include "recentfiles.h"

#include "platform/settings.h"

#include <QFileInfo>

namespace {
const QString kKey = QStringLiteral("RecentFiles");

// One name a line: a file name never holds a line break.
void store(const QStringList &names)
{
    writeSetting(kKey, names.join(QLatin1Char('\n')));
}

QString normalized(const QString &fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}
} // namespace

QStringList RecentFiles::list()
{
    QStringList names = readSetting(kKey).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    names.removeDuplicates();
    return names.mid(0, kMax);
}

void RecentFiles::add(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    const QString name = normalized(fileName);
    QStringList names = list();
    names.removeAll(name);
    names.prepend(name);
    store(names.mid(0, kMax));
}

void RecentFiles::remove(const QString &fileName)
{
    QStringList names = list();
    if (names.removeAll(normalized(fileName)) > 0)
        store(names);
}

void RecentFiles::clear()
{
    store({});
}
