#include "fontfallback.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QRawFont>

namespace {

bool mentions(const QString &name, std::initializer_list<const char *> words)
{
    for (const char *word : words) {
        if (name.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

bool haveFontDatabase()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

bool installed(const QString &family)
{
    if (!haveFontDatabase())
        return false;
    // Only real families count: fontconfig aliases such as "Arial" resolve
    // to whatever the machine offers, which is not always of the same kind.
    const QStringList families = QFontDatabase::families();
    for (const QString &known : families) {
        if (known.compare(family, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

FontKind fontKind(const QString &family)
{
    const QString name = family.toLower();
    if (mentions(name, {"mono", "courier", "consol", "typewriter", "fixed", "terminal",
                        "source code", "menlo", "monaco", "ocr-", "ocr a", "ocr b"}))
        return FontKind::Mono;
    if (name.contains(QLatin1String("sans")))
        return FontKind::Sans;
    if (mentions(name,
                 {"serif",        "times",   "roman",      "georgia",    "garamond", "palatino",
                  "book antiqua", "bookman", "cambria",    "constantia", "century",  "bodoni",
                  "baskerville",  "didot",   "minion",     "caslon",     "perpetua", "rockwell",
                  "sylfaen",      "mincho",  "song",       "ming",       "batang",   "gungsuh",
                  "cochin",       "charter", "schoolbook", "elephant",   "modern no"}))
        return FontKind::Serif;
    return FontKind::Sans;
}

QString fallbackFamily(const QString &requested)
{
    // Asked for every font a page uses; the font list is slow to search.
    static QMutex mutex;
    static QHash<QString, QString> known;
    const QMutexLocker lock(&mutex);
    const auto found = known.constFind(requested);
    if (found != known.constEnd())
        return *found;
    QString family = requested.trimmed();
    if (family.isEmpty() || !installed(family)) {
        switch (fontKind(family)) {
        case FontKind::Mono:
            family = QStringLiteral("Liberation Mono");
            break;
        case FontKind::Serif:
            family = QStringLiteral("Liberation Serif");
            break;
        case FontKind::Sans:
            family = QStringLiteral("Liberation Sans");
            break;
        }
    }
    if (haveFontDatabase())
        known.insert(requested, family);
    return family;
}

bool isColourFont(const QRawFont &font)
{
    static QMutex mutex;
    static QHash<QString, bool> known;
    const QString key = font.familyName() + u'\x1f' + font.styleName();
    const QMutexLocker lock(&mutex);
    const auto found = known.constFind(key);
    if (found != known.constEnd())
        return *found;
    // The tables that hold colour glyphs: bitmaps (CBLC, the index of CBDT),
    // layered outlines (COLR) and Apple's pictures (sbix).
    const bool colour = !font.fontTable("CBLC").isEmpty() || !font.fontTable("COLR").isEmpty()
                        || !font.fontTable("sbix").isEmpty();
    known.insert(key, colour);
    return colour;
}
