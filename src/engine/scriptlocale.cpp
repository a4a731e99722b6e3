#include "engine/scriptlocale.h"

#include <memory>
#include <vector>

namespace {

// Qt's date/time pattern letters to Format's: minutes are "n", months "m",
// the 12-hour marker "AM/PM"; time zones are dropped.
QString fromQtPattern(const QString &qt)
{
    QString out;
    bool inQuote = false;
    for (qsizetype i = 0; i < qt.size(); ++i) {
        const QChar c = qt.at(i);
        if (c == QLatin1Char('\'')) {
            if (i + 1 < qt.size() && qt.at(i + 1) == QLatin1Char('\'')) {
                out += QLatin1String("\\'");
                ++i;
                continue;
            }
            inQuote = !inQuote;
            out += QLatin1Char('"');
            continue;
        }
        if (inQuote) {
            out += c;
            continue;
        }
        qsizetype run = 1;
        while (i + run < qt.size() && qt.at(i + run) == c)
            ++run;
        const ushort u = c.unicode();
        switch (u) {
        case 'd':
        case 'y':
            out += QString(run, c);
            break;
        case 'M':
        case 'L':
            out += QString(run, QLatin1Char('m'));
            break;
        case 'm':
            out += QString(qMin<qsizetype>(run, 2), QLatin1Char('n'));
            break;
        case 's':
            out += QString(qMin<qsizetype>(run, 2), QLatin1Char('s'));
            break;
        case 'h':
            out += QString(qMin<qsizetype>(run, 2), QLatin1Char('h'));
            break;
        case 'H':
            out += QString(qMin<qsizetype>(run, 2), QLatin1Char('H'));
            break;
        case 'A':
        case 'a':
            if (i + 1 < qt.size() && (qt.at(i + 1) == QLatin1Char('P') || qt.at(i + 1) == QLatin1Char('p'))) {
                out += QLatin1String("AM/PM");
                run = 2;
            } else {
                out += QLatin1String("AM/PM");
            }
            break;
        case 't':
        case 'z':
            break;
        default:
            for (qsizetype k = 0; k < run; ++k) {
                if (c.isLetter() || c == QLatin1Char('"') || c == QLatin1Char('\\'))
                    out += QLatin1Char('\\');
                out += c;
            }
            break;
        }
        i += run - 1;
    }
    return out.trimmed();
}

// 12-hour patterns keep "h"; 24-hour ones were written "H" above.
QString finishTimePattern(QString p)
{
    p.replace(QLatin1Char('H'), QLatin1Char('h'));
    return p;
}

} // namespace

ScriptLocale::ScriptLocale(const QLocale &l) : locale(l)
{
    isC = l.language() == QLocale::C;
    const QLocale names = isC ? QLocale(QLocale::English, QLocale::UnitedStates) : l;
    for (int m = 0; m < 12; ++m) {
        monthNames[m] = names.monthName(m + 1, QLocale::LongFormat);
        monthAbbreviations[m] = names.monthName(m + 1, QLocale::ShortFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;
        dayNames[d] = names.dayName(qtDay, QLocale::LongFormat);
        dayAbbreviations[d] = names.dayName(qtDay, QLocale::ShortFormat);
    }
    shortTime = QStringLiteral("hh:nn");
    if (isC) {
        shortDate = QStringLiteral("m/d/yyyy");
        longDate = QStringLiteral("dddd, mmmm d, yyyy");
        longTime = QStringLiteral("h:nn:ss AM/PM");
        return;
    }

    decimal = l.decimalPoint().isEmpty() ? QLatin1Char('.') : l.decimalPoint().at(0);
    group = l.groupSeparator().isEmpty() ? QLatin1Char(',') : l.groupSeparator().at(0);
    if (!l.amText().isEmpty())
        am = l.amText();
    if (!l.pmText().isEmpty())
        pm = l.pmText();

    QString qtShort = l.dateFormat(QLocale::ShortFormat);
    // A two-digit year in the default date text loses the century on the way
    // back in; the long year is used instead.
    if (!qtShort.contains(QLatin1String("yyyy")))
        qtShort.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    shortDate = fromQtPattern(qtShort);
    longDate = fromQtPattern(l.dateFormat(QLocale::LongFormat));
    longTime = finishTimePattern(fromQtPattern(l.timeFormat(QLocale::LongFormat)));

    for (QChar c : qtShort) {
        if (!c.isLetter()) {
            dateSeparator = c;
            break;
        }
    }
    for (QChar c : l.timeFormat(QLocale::LongFormat)) {
        if (!c.isLetter() && c != QLatin1Char(' ')) {
            timeSeparator = c;
            break;
        }
    }
    const qsizetype d = qtShort.indexOf(QLatin1Char('d'));
    const qsizetype m = qtShort.indexOf(QLatin1Char('M'));
    const qsizetype y = qtShort.indexOf(QLatin1Char('y'));
    if (y >= 0 && y < d && y < m)
        dateOrder = YearMonthDay;
    else if (d >= 0 && m >= 0 && d < m)
        dateOrder = DayMonthYear;

    // Take the currency layout from Qt's own rendering of 1.00.
    const QString symbol = l.currencySymbol();
    const QString one = l.toString(1.0, 'f', 2);
    QString pos = l.toCurrencyString(1.0, symbol, 2);
    QString neg = l.toCurrencyString(-1.0, symbol, 2);
    if (pos.contains(one) && neg.contains(one)) {
        pos.replace(one, QStringLiteral("%1"));
        neg.replace(one, QStringLiteral("%1"));
        currencyPositive = pos;
        currencyNegative = neg;
    } else {
        currencyPositive = symbol + QStringLiteral("%1");
        currencyNegative = QStringLiteral("-") + symbol + QStringLiteral("%1");
    }
    if (currencyNegative == currencyPositive)
        currencyNegative = QStringLiteral("-") + currencyPositive;
    else if (!currencyNegative.contains(QLatin1Char('(')) && !currencyNegative.contains(QLatin1Char('-'))
             && !currencyNegative.contains(QChar(0x2212)))
        currencyNegative = QStringLiteral("-") + currencyNegative;
}

const ScriptLocale &ScriptLocale::forLocale(const QLocale &locale)
{
    static std::vector<std::unique_ptr<ScriptLocale>> cache;
    for (const auto &entry : cache) {
        if (entry->locale == locale)
            return *entry;
    }
    cache.push_back(std::unique_ptr<ScriptLocale>(new ScriptLocale(locale)));
    return *cache.back();
}

const ScriptLocale &ScriptLocale::current()
{
    static const ScriptLocale *last = nullptr;
    const QLocale now;
    if (!last || !(last->locale == now))
        last = &forLocale(now);
    return *last;
}
