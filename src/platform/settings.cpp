#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
QString applicationName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("mirt") : name;
}

QString programDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString fullKey(const QString &key)
{
    return settingsSection(programDir()) + QLatin1Char('/') + key;
}
} // namespace

QString settingsSection(const QString &dir)
{
    // Both separators, so the group is one level whatever the platform's.
    QString section = QDir::toNativeSeparators(dir);
    section.replace(u'\\', u'-');
    return section.replace(u'/', u'-');
}

QString readSetting(const QString &key, const QString &defaultValue)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, applicationName());
    if (store.status() != QSettings::NoError)
        return defaultValue;
    return store.value(fullKey(key), defaultValue).toString();
}

void writeSetting(const QString &key, const QString &value)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, applicationName());
    store.setValue(fullKey(key), value);
}
