#include "outputfile.h"

#include <QFileInfo>

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

bool OutputFile::commit()
{
    if (m_inPlace) {
        // Writes made by others through device() (a PDF writer) are checked
        // here: an unbuffered device reports each failed write.
        if (!m_failed && m_direct.error() != QFileDevice::NoError) {
            m_failed = true;
            m_error = m_direct.errorString();
        }
        m_direct.close();
        return !m_failed;
    }
    if (m_failed) {
        m_save.cancelWriting();
        m_save.commit();
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
