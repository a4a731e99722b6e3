#pragma once

#include <QStringList>

// The report files opened or saved last, newest first, kept in the
// settings store so that every start of the designer offers them.
namespace RecentFiles {
constexpr int kMax = 8;

QStringList list();
// Puts the file first (once), dropping the oldest beyond kMax.
void add(const QString &fileName);
void remove(const QString &fileName);
void clear();
} // namespace RecentFiles
