#pragma once

#include <QByteArray>
#include <QLocale>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <clocale>

// Switches the whole process, C library included, to a German locale
// (decimal comma) for the lifetime of the object. The locale is compiled
// into a private folder, so the machine needs no generated locales.
class GermanLocale
{
public:
    GermanLocale()
    {
        m_savedLocpath = qgetenv("LOCPATH");
        qputenv("LOCPATH", compiledFolder().toLocal8Bit());
        m_cActive = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        m_savedQt = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~GermanLocale()
    {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(m_savedQt);
        if (m_savedLocpath.isNull())
            qunsetenv("LOCPATH");
        else
            qputenv("LOCPATH", m_savedLocpath);
    }
    // False when the C library locale could not be made (only Qt's is German).
    bool cLibraryActive() const { return m_cActive; }

private:
    // Compiled once per test program.
    static QString compiledFolder()
    {
        static QTemporaryDir dir;
        static const bool made = [] {
            QProcess::execute(QStringLiteral("localedef"),
                              {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                               QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("de_DE.UTF-8"))});
            return true;
        }();
        Q_UNUSED(made);
        return dir.path();
    }

    QByteArray m_savedLocpath;
    QLocale m_savedQt;
    bool m_cActive = false;
};
