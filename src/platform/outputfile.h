#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

// A file being written. An ordinary file (or a new one) is replaced only
// when it is complete, through QSaveFile, so a failed write leaves the old
// file as it was. A device or a pipe (/dev/stdout, /dev/full) cannot be
// replaced: it is written in place, unbuffered, and every write is checked;
// renaming a temporary file over it would put a plain file where the device
// was.
class OutputFile
{
public:
    explicit OutputFile(const QString &fileName);
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool open();
    // What to write into once open.
    QIODevice *device();
    // Writes all of data; false when any of it could not be written.
    bool write(const QByteArray &data);
    // Gives the file up: commit() then fails and keeps the old file, with
    // the device's own error when a write failed, else with `reason`.
    void abandon(const QString &reason);
    // Finishes the file; false (with errorString) when anything failed on
    // the way. Nothing is left behind in that case except a device's bytes.
    bool commit();
    QString errorString() const;

private:
    QString m_fileName;
    bool m_inPlace = false;
    bool m_failed = false;
    QString m_error;
    QString m_abandoned;
    QSaveFile m_save;
    QFile m_direct;
};
