#include "outputfile.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

OutputFile::OutputFile(const QString &fileName)
    : m_fileName(fileName), m_save(fileName), m_direct(fileName)
{
    const QFileInfo info(fileName);
    // QFileInfo follows links: a link to a device is written in place too.
    m_inPlace = info.exists() && !info.isFile() && !info.isDir();
}

bool OutputFile::open()
{
    const bool ok = m_inPlace ? m_direct.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                              : m_save.open(QIODevice::WriteOnly);
    if (!ok) {
        m_failed = true;
        m_error = m_inPlace ? m_direct.errorString() : m_save.errorString();
    }
    return ok;
}

QIODevice *OutputFile::device()
{
    return m_inPlace ? static_cast<QIODevice *>(&m_direct) : static_cast<QIODevice *>(&m_save);
}

bool OutputFile::write(const QByteArray &data)
{
    if (m_failed)
        return false;
    if (device()->write(data) != data.size()) {
        m_failed = true;
        m_error = device()->errorString();
    }
    return !m_failed;
}

void OutputFile::abandon(const QString &reason)
{
    m_abandoned = reason;
}

bool OutputFile::commit()
{
    if (m_inPlace) {
        // Writes made by others through device() (a PDF writer) are checked
        // here: an unbuffered device reports each failed write.
        if (!m_failed && m_direct.error() != QFileDevice::NoError) {
            m_failed = true;
            m_error = m_direct.errorString();
        }
        if (!m_failed && !m_abandoned.isNull()) {
            m_failed = true;
            m_error = m_abandoned;
        }
        m_direct.close();
        return !m_failed;
    }
    // QSaveFile buffers, and the last of the data reaches the disk only when
    // commit() closes the file; a write that fails there (a full disk) is
    // not among the errors commit() looks at, and it would put the truncated
    // copy in place of the old file. Everything is pushed out first, so that
    // any failure is seen while the old file can still be kept. Writes made
    // by others through device() (a PDF or PNG writer) are checked the same
    // way: their writers do not look at what the device returns.
    if (!m_failed && (m_save.error() != QFileDevice::NoError || !m_save.flush() ||
                      m_save.error() != QFileDevice::NoError)) {
        m_failed = true;
        m_error = m_save.errorString();
    }
#ifdef Q_OS_UNIX
    // commit() syncs the new file before it takes the old name but ignores
    // a failed sync, the last chance a disk has to say it ran out of room.
    if (!m_failed && ::fsync(m_save.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        m_failed = true;
        m_error = QString::fromLocal8Bit(std::strerror(errno));
    }
#endif
    if (!m_failed && !m_abandoned.isNull()) {
        m_failed = true;
        m_error = m_abandoned;
    }
    if (m_failed) {
        if (m_save.isOpen()) {
            m_save.cancelWriting();
            m_save.commit();
        }
        return false;
    }
    if (!m_save.commit()) {
        m_failed = true;
        m_error = m_save.errorString();
    }
    return !m_failed;
}

QString OutputFile::errorString() const
{
    return m_error;
}
