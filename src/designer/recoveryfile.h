#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

class QLockFile;
class ReportDocument;

// A copy of the report being edited, written now and then while it has
// unsaved changes, so that a crash or a killed session loses little. Each
// designer session writes its own copy in the application's data folder
// (never over the report itself) with a side file naming the report it
// belongs to, and holds a lock while it lives: a copy whose lock is free
// was left by a session that did not end normally.
class RecoveryFile
{
public:
    // `folder` empty: "recovery" in the application's local data folder.
    explicit RecoveryFile(const QString &folder = QString());
    // Releases the lock and keeps the copy: only remove() drops it.
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile &) = delete;
    RecoveryFile &operator=(const RecoveryFile &) = delete;

    QString folder() const { return m_folder; }
    // This session's copy.
    QString path() const;
    bool exists() const;
    // Writes the document as it is now; false (with errorString()) when it
    // cannot be written.
    bool write(const ReportDocument &doc);
    // Drops this session's copy (after a save, new, open or a normal close).
    void remove();
    QString errorString() const { return m_error; }

    struct Entry
    {
        QString path;         // the copy
        QString originalName; // the report it was for; empty for an unsaved one
        QDateTime written;
    };
    // Copies left by sessions that ended without removing them, newest
    // first; copies of sessions still running are not among them.
    QList<Entry> leftOver() const;
    // Removes a left-over copy with its side files.
    static void discard(const Entry &entry);

private:
    QString base() const;

    QString m_folder;
    QString m_name; // this session's file name without extension
    std::unique_ptr<QLockFile> m_lock;
    QString m_error;
};
