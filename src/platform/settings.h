#pragma once

#include <QString>

// The per-user settings store: application = the executable's name, group =
// the program's folder with every path separator replaced by "-", so two
// installations keep separate settings.
QString settingsSection(const QString &programDir);
QString readSetting(const QString &key, const QString &defaultValue = QString());
void writeSetting(const QString &key, const QString &value);

// The one key the program keeps: "never" suppresses the welcome dialog.
inline QString startSettingKey()
{
    return QStringLiteral("Start");
}
