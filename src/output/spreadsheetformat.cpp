#include "spreadsheetformat.h"

#include "engine/scriptlocale.h"
#include "engine/vbdateformat.h"
#include "engine/vbnumberformat.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

namespace {

SpreadsheetFormat code(const QString &text)
{
    return {true, text, 0};
}

SpreadsheetFormat builtIn(int number)
{
    return {true, QString(), number};
}

// Every character shown as itself: a backslash before each one says so in
// any spreadsheet format, whatever the character means there.
QString literal(QStringView text)
{
    QString out;
    for (const QChar c : text)
        out += QLatin1Char('\\') + c;
    return out;
}

QList<QStringView> sections(QStringView pattern)
{
    QList<QStringView> out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('"')) {
            ++i;
            while (i < pattern.size() && pattern.at(i) != QLatin1Char('"'))
                ++i;
        } else if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char(';')) {
            out.append(pattern.mid(start, i - start));
            start = i + 1;
        }
    }
    out.append(pattern.mid(start));
    return out;
}

// Copies a quoted text or an escaped character at `i` (moving past it);
// false when there is none there. `ok` turns false for one left open.
bool copyLiteral(QStringView pattern, qsizetype &i, QString &out, bool &ok)
{
    const QChar c = pattern.at(i);
    if (c == QLatin1Char('"')) {
        const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
        if (close < 0) {
            ok = false;
            return true;
        }
        out += pattern.mid(i, close - i + 1);
        i = close + 1;
        return true;
    }
    if (c == QLatin1Char('\\')) {
        if (i + 1 >= pattern.size()) {
            ok = false;
            return true;
        }
        out += pattern.mid(i, 2);
        i += 2;
        return true;
    }
    return false;
}

// A number section: the digit placeholders, separators, percent and
// exponents mean the same in both; anything else shows as itself.
std::optional<QString> numberSection(QStringView section)
{
    QString out;
    bool ok = true;
    for (qsizetype i = 0; i < section.size() && ok;) {
        if (copyLiteral(section, i, out, ok))
            continue;
        const QChar c = section.at(i);
        const QChar next = i + 1 < section.size() ? section.at(i + 1) : QChar();
        if (QStringView(u"0#.,% ").contains(c)) {
            out += c;
            ++i;
        } else if ((c == u'E' || c == u'e') && (next == u'+' || next == u'-')) {
            out += QStringView(section).mid(i, 2);
            i += 2;
        } else {
            out += literal(section.mid(i, 1));
            ++i;
        }
    }
    if (!ok)
        return std::nullopt;
    return out;
}

SpreadsheetFormat currency()
{
    const ScriptLocale &locale = ScriptLocale::current();
    QString amount = QStringLiteral("#,##0");
    if (locale.currencyDigits > 0)
        amount += QLatin1Char('.') + QString(std::min(locale.currencyDigits, 30), QLatin1Char('0'));
    auto section = [&](const QString &shape) {
        const qsizetype at = shape.indexOf(QLatin1String("%1"));
        if (at < 0)
            return amount;
        return literal(QStringView(shape).left(at)) + amount +
               literal(QStringView(shape).mid(at + 2));
    };
    return code(section(locale.currencyPositive) + QLatin1Char(';') +
                section(locale.currencyNegative));
}

// Yes/No and the like: the value stays a number, shown as a word.
SpreadsheetFormat words(const char *yes, const char *no)
{
    const QString on = literal(QCoreApplication::translate("VbFormat", yes));
    const QString off = literal(QCoreApplication::translate("VbFormat", no));
    return code(on + QLatin1Char(';') + on + QLatin1Char(';') + off);
}

QString dateTimeOf(const QDateTime &value)
{
    if (value.date() == QDate(1899, 12, 30))
        return QStringLiteral("[$-F400]h:mm:ss AM/PM"); // the reader's long time
    if (value.time() == QTime(0, 0))
        return QString();
    return QStringLiteral("yyyy-mm-dd hh:mm:ss");
}

std::optional<SpreadsheetFormat> namedFormat(const QString &format, bool forDate,
                                             const QDateTime &value)
{
    const QString name = format.trimmed().toLower();
    if (!forDate) {
        if (name == QLatin1String("general number"))
            return builtIn(0);
        if (name == QLatin1String("currency"))
            return currency();
        if (name == QLatin1String("fixed"))
            return code(QStringLiteral("0.00"));
        if (name == QLatin1String("standard"))
            return code(QStringLiteral("#,##0.00"));
        if (name == QLatin1String("percent"))
            return code(QStringLiteral("0.00%"));
        if (name == QLatin1String("scientific"))
            return code(QStringLiteral("0.00E+00"));
        if (name == QLatin1String("yes/no"))
            return words(QT_TRANSLATE_NOOP("VbFormat", "Yes"), QT_TRANSLATE_NOOP("VbFormat", "No"));
        if (name == QLatin1String("true/false"))
            return words(QT_TRANSLATE_NOOP("VbFormat", "True"),
                         QT_TRANSLATE_NOOP("VbFormat", "False"));
        if (name == QLatin1String("on/off"))
            return words(QT_TRANSLATE_NOOP("VbFormat", "On"), QT_TRANSLATE_NOOP("VbFormat", "Off"));
        return std::nullopt;
    }
    // Whole-pattern forms of the locale's own date and time are named too.
    if (name == QLatin1String("general date") || name == QLatin1String("c")) {
        const QString shape = dateTimeOf(value);
        return shape.isEmpty() ? builtIn(14) : code(shape);
    }
    if (name == QLatin1String("long date") || name == QLatin1String("dddddd"))
        return code(QStringLiteral("[$-F800]dddd, mmmm dd, yyyy")); // the reader's long date
    if (name == QLatin1String("medium date"))
        return code(QStringLiteral("dd-mmm-yy"));
    if (name == QLatin1String("short date") || name == QLatin1String("ddddd"))
        return builtIn(14);
    if (name == QLatin1String("long time") || name == QLatin1String("ttttt"))
        return code(QStringLiteral("[$-F400]h:mm:ss AM/PM"));
    if (name == QLatin1String("medium time"))
        return code(QStringLiteral("hh:mm AM/PM"));
    if (name == QLatin1String("short time"))
        return code(QStringLiteral("hh:mm"));
    return std::nullopt;
}

// A date pattern's first section, element by element; nothing for one with
// an element a spreadsheet format has not (w, ww, q, y, c, ddddd…).
std::optional<QString> datePattern(QStringView pattern)
{
    QString out;
    bool ok = true;
    QChar previous; // the last date element's letter
    for (qsizetype i = 0; i < pattern.size() && ok;) {
        if (copyLiteral(pattern, i, out, ok))
            continue;
        bool marker = false;
        for (const QStringView shape :
             {QStringView(u"am/pm"), QStringView(u"ampm"), QStringView(u"a/p")}) {
            if (pattern.mid(i, shape.size()).compare(shape, Qt::CaseInsensitive) == 0) {
                // AMPM is the locale's designator, which AM/PM shows too.
                out += shape == u"ampm" ? QStringLiteral("AM/PM")
                                        : pattern.mid(i, shape.size()).toString();
                i += shape.size();
                marker = true;
                break;
            }
        }
        if (marker)
            continue;
        const QChar c = pattern.at(i).toLower();
        if (!QStringView(u"dmynhswqtc").contains(c)) {
            out += QStringView(u"/:-., ").contains(c) ? QString(c) : literal(pattern.mid(i, 1));
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run).toLower() == c)
            ++run;
        i += run;
        switch (c.unicode()) {
        case 'd':
        case 'm':
            ok = run <= 4;
            break;
        case 'y':
            ok = run == 2 || run == 4;
            break;
        case 'h':
        case 's':
            ok = run <= 2;
            break;
        case 'n':
            // Minutes are "m" there, read as minutes only after an hour.
            ok = run <= 2 && previous == u'h';
            break;
        default:
            ok = false;
            break;
        }
        out += QString(run, c == u'n' ? QChar(u'm') : c);
        previous = c;
    }
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace

SpreadsheetFormat spreadsheetNumberFormat(const QString &format)
{
    if (format.trimmed().isEmpty())
        return builtIn(0);
    if (const auto named = namedFormat(format, false, QDateTime()))
        return *named;
    QList<QStringView> parts = sections(format);
    if (!VbNumberFormat::isNumberPattern(parts.first()))
        return {};
    // The fourth section is for Null, which leaves the cell empty. An empty
    // section shows the value as the first one does, with its sign.
    while (parts.size() > 3)
        parts.removeLast();
    const auto positive = numberSection(parts.at(0));
    if (!positive)
        return {};
    QString result = *positive;
    for (int i = 1; i < parts.size(); ++i) {
        const auto part = numberSection(parts.at(i));
        if (!part)
            return {};
        QString section = *part;
        if (section.isEmpty())
            section = i == 1 ? QLatin1Char('-') + *positive : *positive;
        result += QLatin1Char(';') + section;
    }
    return code(result);
}

SpreadsheetFormat spreadsheetDateFormat(const QString &format, const QDateTime &value)
{
    if (format.trimmed().isEmpty())
        return *namedFormat(QStringLiteral("General Date"), true, value);
    if (const auto named = namedFormat(format, true, value))
        return *named;
    const QStringView first = sections(format).first();
    if (VbNumberFormat::isNumberPattern(first) || !VbDateFormat::isDatePattern(first))
        return {};
    const auto pattern = datePattern(first);
    if (!pattern)
        return {};
    return code(*pattern);
}

bool spreadsheetDateSerial(const QDateTime &value, double &serial)
{
    static const QDate epoch(1899, 12, 30);
    const QDate date = value.date();
    qint64 days = epoch.daysTo(date);
    if (days != 0) {
        if (date < QDate(1900, 1, 1) || date > QDate(9999, 12, 31))
            return false;
        // Spreadsheets count a 29 February 1900 that never was.
        if (date < QDate(1900, 3, 1))
            --days;
    }
    serial = double(days) + value.time().msecsSinceStartOfDay() / 86400000.0;
    return true;
}

QString spreadsheetSheetName(const QString &title, const QString &fileName)
{
    QString name = title.trimmed();
    if (name.isEmpty())
        name = QFileInfo(fileName).completeBaseName();
    for (QChar &c : name) {
        if (QStringView(u"[]:*?/\\").contains(c) || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    auto trim = [&name] {
        while (!name.isEmpty() && (name.front() == u'\'' || name.front().isSpace()))
            name.remove(0, 1);
        while (!name.isEmpty() && (name.back() == u'\'' || name.back().isSpace()))
            name.chop(1);
    };
    trim();
    if (name.size() > 31) {
        name.truncate(name.at(30).isHighSurrogate() ? 30 : 31);
        trim();
    }
    if (name.isEmpty())
        return QStringLiteral("Sheet1");
    if (name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0)
        return name + QLatin1Char('_');
    return name;
}
