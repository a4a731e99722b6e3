#include "recoveryfile.h"

#include "document/reportdocument.h"
#include "platform/outputfile.h"
#include "platform/xmldom.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace {
const char *const kCopySuffix = ".xml";
const char *const kSourceSuffix = ".source"; // the report's own file name, UTF-8
const char *const kLockSuffix = ".lock";

bool writeAtomically(const QString &path, const QByteArray &data, QString *error)
{
    OutputFile file(path);
    if (!file.open() || !file.write(data) || !file.commit()) {
        *error = QCoreApplication::translate("Mirt", "Cannot write %1: %2")
                     .arg(path, file.errorString());
        return false;
    }
    return true;
}
} // namespace

RecoveryFile::RecoveryFile(const QString &folder)
    : m_folder(folder.isEmpty()
                   ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                         QStringLiteral("/recovery")
                   : folder),
      m_name(QStringLiteral("session-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

RecoveryFile::~RecoveryFile() = default;

QString RecoveryFile::base() const
{
    return m_folder + QLatin1Char('/') + m_name;
}

QString RecoveryFile::path() const
{
    return base() + QLatin1String(kCopySuffix);
}

bool RecoveryFile::exists() const
{
    return QFile::exists(path());
}

bool RecoveryFile::write(const ReportDocument &doc)
{
    if (!QDir().mkpath(m_folder)) {
        m_error = QCoreApplication::translate("Mirt", "cannot create the folder %1").arg(m_folder);
        return false;
    }
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(base() + QLatin1String(kLockSuffix));
        // A session may run for days: only a dead owner makes the lock stale.
        m_lock->setStaleLockTime(0);
        m_lock->tryLock(0);
    }
    // The copy must never replace the report: a name in the recovery folder
    // cannot be the report's own, unless someone saved a report there.
    if (QFileInfo(doc.fileName).absoluteFilePath() == QFileInfo(path()).absoluteFilePath())
        return false;

    XmlDocument dom;
    dom.setDocumentElement(doc.toXmlNode(dom));
    // The side file changes only with the report's name: it is not written
    // again with every copy.
    const QString source = base() + QLatin1String(kSourceSuffix);
    QFile current(source);
    const bool sourceKnown =
        current.open(QIODevice::ReadOnly) && current.readAll() == doc.fileName.toUtf8();
    return (sourceKnown || writeAtomically(source, doc.fileName.toUtf8(), &m_error)) &&
           writeAtomically(path(), dom.toByteArray(), &m_error);
}

void RecoveryFile::remove()
{
    QFile::remove(path());
    QFile::remove(base() + QLatin1String(kSourceSuffix));
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}

QList<RecoveryFile::Entry> RecoveryFile::leftOver() const
{
    QList<Entry> found;
    const QDir dir(m_folder);
    const QStringList copies =
        dir.entryList({QStringLiteral("*") + QLatin1String(kCopySuffix)}, QDir::Files);
    for (const QString &copy : copies) {
        const QString stem = dir.filePath(copy.chopped(int(qstrlen(kCopySuffix))));
        if (stem == base())
            continue;
        // A lock that can be taken belongs to nobody alive.
        QLockFile lock(stem + QLatin1String(kLockSuffix));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        lock.unlock();

        Entry entry;
        entry.path = dir.filePath(copy);
        QFile source(stem + QLatin1String(kSourceSuffix));
        if (source.open(QIODevice::ReadOnly))
            entry.originalName = QString::fromUtf8(source.readAll());
        entry.written = QFileInfo(entry.path).lastModified();
        found << entry;
    }
    std::sort(found.begin(), found.end(),
              [](const Entry &a, const Entry &b) { return a.written > b.written; });
    return found;
}

void RecoveryFile::discard(const Entry &entry)
{
    const QString stem = entry.path.chopped(int(qstrlen(kCopySuffix)));
    QFile::remove(entry.path);
    QFile::remove(stem + QLatin1String(kSourceSuffix));
    QFile::remove(stem + QLatin1String(kLockSuffix));
}
