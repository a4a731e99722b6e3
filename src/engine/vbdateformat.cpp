#include "engine/vbdateformat.h"

#include "engine/scriptdate.h"
#include "engine/scriptlocale.h"

#include <cmath>

namespace VbDateFormat {

namespace {

enum TokenKind
{
    Literal,
    Day,
    Day2,
    DayAbbr,
    DayName,
    DateShort,
    DateLong,
    WeekDay,
    Week,
    Month,
    Month2,
    MonthAbbr,
    MonthName,
    Minute,
    Minute2,
    Quarter,
    DayOfYear,
    Year2,
    Year4,
    Hour,
    Hour2,
    Second,
    Second2,
    TimeLong,
    General,
    AmPmUpper,
    AmPmLower,
    APUpper,
    APLower,
    AmPmLocale,
};

struct Token
{
    TokenKind kind;
    QString text; // literal text
};

bool matchAt(QStringView p, qsizetype i, QStringView what, Qt::CaseSensitivity cs)
{
    return p.mid(i, what.size()).compare(what, cs) == 0 && p.size() - i >= what.size();
}

QList<Token> tokenize(QStringView p, bool *hasDateElement = nullptr)
{
    QList<Token> out;
    bool any = false;
    auto literal = [&](const QString &s) {
        if (!out.isEmpty() && out.back().kind == Literal)
            out.back().text += s;
        else
            out.append(Token{Literal, s});
    };
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p.at(i);
        const QChar l = c.toLower();
        auto run = [&](QChar ch) {
            qsizetype n = 0;
            while (i + n < p.size() && p.at(i + n).toLower() == ch)
                ++n;
            return n;
        };
        if (c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < p.size() && p.at(j) != QLatin1Char('"'))
                ++j;
            literal(p.mid(i + 1, j - i - 1).toString());
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('\\')) {
            if (i + 1 < p.size())
                literal(QString(p.at(i + 1)));
            i += 2;
            continue;
        }
        if (l == QLatin1Char('a')) {
            if (matchAt(p, i, u"AM/PM", Qt::CaseSensitive)) {
                out.append(Token{AmPmUpper, {}});
                i += 5;
                any = true;
                continue;
            }
            if (matchAt(p, i, u"am/pm", Qt::CaseInsensitive)) {
                out.append(Token{AmPmLower, {}});
                i += 5;
                any = true;
                continue;
            }
            if (matchAt(p, i, u"ampm", Qt::CaseInsensitive)) {
                out.append(Token{AmPmLocale, {}});
                i += 4;
                any = true;
                continue;
            }
            if (matchAt(p, i, u"A/P", Qt::CaseSensitive)) {
                out.append(Token{APUpper, {}});
                i += 3;
                any = true;
                continue;
            }
            if (matchAt(p, i, u"a/p", Qt::CaseInsensitive)) {
                out.append(Token{APLower, {}});
                i += 3;
                any = true;
                continue;
            }
            literal(QString(c));
            ++i;
            continue;
        }
        if (c == QLatin1Char('/') || c == QLatin1Char(':')) {
            out.append(Token{Literal, QString(c)});
            out.back().kind = Literal;
            // Marked so that the locale separator replaces it when rendered.
            out.back().text = QString(QChar(c == QLatin1Char('/') ? 0xE000 : 0xE001));
            ++i;
            continue;
        }
        qsizetype n = 0;
        TokenKind kind = Literal;
        switch (l.unicode()) {
        case 'c':
            n = 1;
            kind = General;
            break;
        case 'd':
            n = qMin<qsizetype>(run(l), 6);
            kind = TokenKind(Day + n - 1);
            break;
        case 'w':
            n = qMin<qsizetype>(run(l), 2);
            kind = n == 1 ? WeekDay : Week;
            break;
        case 'm':
            n = qMin<qsizetype>(run(l), 4);
            kind = TokenKind(Month + n - 1);
            break;
        case 'q':
            n = 1;
            kind = Quarter;
            break;
        case 'y':
            n = run(l);
            if (n >= 4) {
                n = 4;
                kind = Year4;
            } else if (n >= 2) {
                n = 2;
                kind = Year2;
            } else {
                kind = DayOfYear;
            }
            break;
        case 'h':
            n = qMin<qsizetype>(run(l), 2);
            kind = n == 1 ? Hour : Hour2;
            break;
        case 'n':
            n = qMin<qsizetype>(run(l), 2);
            kind = n == 1 ? Minute : Minute2;
            break;
        case 's':
            n = qMin<qsizetype>(run(l), 2);
            kind = n == 1 ? Second : Second2;
            break;
        case 't':
            if (run(l) >= 5) {
                n = 5;
                kind = TimeLong;
            }
            break;
        default:
            break;
        }
        if (n == 0) {
            literal(QString(c));
            ++i;
            continue;
        }
        any = true;
        out.append(Token{kind, {}});
        i += n;
    }
    // "m" right after an hour or right before seconds means minutes.
    for (qsizetype k = 0; k < out.size(); ++k) {
        if (out[k].kind != Month && out[k].kind != Month2)
            continue;
        bool minute = false;
        for (qsizetype b = k - 1; b >= 0; --b) {
            if (out[b].kind == Literal)
                continue;
            minute = out[b].kind == Hour || out[b].kind == Hour2;
            break;
        }
        for (qsizetype f = k + 1; !minute && f < out.size(); ++f) {
            if (out[f].kind == Literal)
                continue;
            minute = out[f].kind == Second || out[f].kind == Second2;
            break;
        }
        if (minute)
            out[k].kind = out[k].kind == Month ? Minute : Minute2;
    }
    if (hasDateElement)
        *hasDateElement = any;
    return out;
}

QString two(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

// The tokens of a pattern, remembered for the last few patterns: a report
// formats each of a column's values with the same one.
struct Tokenized
{
    QString pattern;
    QList<Token> tokens;
    bool hasDateElement = false;
};

const Tokenized &tokenized(QStringView pattern)
{
    constexpr int kKept = 8;
    thread_local Tokenized kept[kKept];
    thread_local int next = 0;
    for (const Tokenized &t : kept) {
        if (!t.pattern.isNull() && t.pattern == pattern)
            return t;
    }
    Tokenized &t = kept[next];
    next = (next + 1) % kKept;
    t.pattern = pattern.toString();
    if (t.pattern.isNull())
        t.pattern = QLatin1String(""); // not null: an empty pattern is a pattern
    t.tokens = tokenize(pattern, &t.hasDateElement);
    return t;
}

} // namespace

bool isDatePattern(QStringView pattern)
{
    return tokenized(pattern).hasDateElement;
}

QString format(double serial, QStringView pattern, const ScriptLocale &locale, bool *ok)
{
    QDate date;
    QTime time;
    if (!ScriptDate::fromSerial(serial, date, time)) {
        if (ok)
            *ok = false;
        return QString();
    }
    if (ok)
        *ok = true;
    const QList<Token> tokens = tokenized(pattern).tokens;
    bool twelveHour = false;
    for (const Token &t : tokens) {
        if (t.kind >= AmPmUpper)
            twelveHour = true;
    }
    QString out;
    const int hour = time.hour();
    const int shownHour = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
    const bool afternoon = hour >= 12;
    for (const Token &t : tokens) {
        switch (t.kind) {
        case Literal:
            for (QChar c : t.text) {
                if (c == QChar(0xE000))
                    out += locale.dateSeparator;
                else if (c == QChar(0xE001))
                    out += locale.timeSeparator;
                else
                    out += c;
            }
            break;
        case Day:
            out += QString::number(date.day());
            break;
        case Day2:
            out += two(date.day());
            break;
        case DayAbbr:
            out += locale.dayAbbreviations[date.dayOfWeek() % 7];
            break;
        case DayName:
            out += locale.dayNames[date.dayOfWeek() % 7];
            break;
        case DateShort:
            out += shortDate(serial, locale);
            break;
        case DateLong:
            out += longDate(serial, locale);
            break;
        case WeekDay:
            out += QString::number(ScriptDate::weekday(date));
            break;
        case Week:
            out += QString::number(ScriptDate::weekOfYear(date));
            break;
        case Month:
            out += QString::number(date.month());
            break;
        case Month2:
            out += two(date.month());
            break;
        case MonthAbbr:
            out += locale.monthAbbreviations[date.month() - 1];
            break;
        case MonthName:
            out += locale.monthNames[date.month() - 1];
            break;
        case Minute:
            out += QString::number(time.minute());
            break;
        case Minute2:
            out += two(time.minute());
            break;
        case Quarter:
            out += QString::number((date.month() - 1) / 3 + 1);
            break;
        case DayOfYear:
            out += QString::number(date.dayOfYear());
            break;
        case Year2:
            out += two(date.year() % 100);
            break;
        case Year4:
            out += QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            break;
        case Hour:
            out += QString::number(shownHour);
            break;
        case Hour2:
            out += two(shownHour);
            break;
        case Second:
            out += QString::number(time.second());
            break;
        case Second2:
            out += two(time.second());
            break;
        case TimeLong:
            out += longTime(serial, locale);
            break;
        case General:
            out += generalDate(serial, locale);
            break;
        case AmPmUpper:
            out += afternoon ? QStringLiteral("PM") : QStringLiteral("AM");
            break;
        case AmPmLower:
            out += afternoon ? QStringLiteral("pm") : QStringLiteral("am");
            break;
        case APUpper:
            out += afternoon ? QLatin1Char('P') : QLatin1Char('A');
            break;
        case APLower:
            out += afternoon ? QLatin1Char('p') : QLatin1Char('a');
            break;
        case AmPmLocale:
            out += afternoon ? locale.pm : locale.am;
            break;
        }
    }
    return out;
}

QString generalDate(double serial, const ScriptLocale &locale)
{
    ScriptDate::Parts p;
    if (!ScriptDate::split(serial, p))
        return QString::number(serial);
    const bool hasTime = p.hour || p.minute || p.second;
    const bool hasDate = !(p.year == 1899 && p.month == 12 && p.day == 30);
    // Day 0 is "no date": it shows as a time, midnight included.
    if (!hasDate)
        return longTime(serial, locale);
    if (!hasTime)
        return shortDate(serial, locale);
    return shortDate(serial, locale) + QLatin1Char(' ') + longTime(serial, locale);
}

QString longDate(double serial, const ScriptLocale &locale)
{
    return format(serial, locale.longDate, locale);
}

QString shortDate(double serial, const ScriptLocale &locale)
{
    return format(serial, locale.shortDate, locale);
}

QString longTime(double serial, const ScriptLocale &locale)
{
    return format(serial, locale.longTime, locale);
}

QString shortTime(double serial, const ScriptLocale &locale)
{
    return format(serial, locale.shortTime, locale);
}

} // namespace VbDateFormat
