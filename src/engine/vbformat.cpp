#include "engine/vbformat.h"

#include "engine/scriptconvert.h"
#include "engine/scriptdate.h"
#include "engine/scripterror.h"
#include "engine/scriptlocale.h"
#include "engine/vbdateformat.h"
#include "engine/vbnumberformat.h"

#include <cmath>

namespace VbFormat {

namespace {

QList<QStringView> splitSections(QStringView p)
{
    QList<QStringView> out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        if (c == QLatin1Char('"')) {
            ++i;
            while (i < p.size() && p.at(i) != QLatin1Char('"'))
                ++i;
        } else if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char(';')) {
            out.append(p.mid(start, i - start));
            start = i + 1;
        }
    }
    out.append(p.mid(start));
    return out;
}

bool isTextPattern(QStringView p)
{
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        if (c == QLatin1Char('"')) {
            ++i;
            while (i < p.size() && p.at(i) != QLatin1Char('"'))
                ++i;
        } else if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('@') || c == QLatin1Char('&') || c == QLatin1Char('<')
                   || c == QLatin1Char('>') || c == QLatin1Char('!')) {
            return true;
        }
    }
    return false;
}

QString formatText(const QString &text, QStringView pattern)
{
    const QList<QStringView> sections = splitSections(pattern);
    QStringView section = sections.first();
    if (text.isEmpty() && sections.size() > 1)
        section = sections.at(1);

    struct Item
    {
        int kind; // 0 literal, 1 '@', 2 '&'
        QString text;
    };
    QList<Item> items;
    bool lower = false, upper = false, leftToRight = false;
    int places = 0;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == QLatin1Char('@') || c == QLatin1Char('&')) {
            items.append(Item{c == QLatin1Char('@') ? 1 : 2, {}});
            ++places;
        } else if (c == QLatin1Char('<')) {
            lower = true;
            upper = false;
        } else if (c == QLatin1Char('>')) {
            upper = true;
            lower = false;
        } else if (c == QLatin1Char('!')) {
            leftToRight = true;
        } else if (c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < section.size() && section.at(j) != QLatin1Char('"'))
                ++j;
            items.append(Item{0, section.mid(i + 1, j - i - 1).toString()});
            i = j;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < section.size())
                items.append(Item{0, QString(section.at(++i))});
        } else {
            items.append(Item{0, QString(c)});
        }
    }
    QString t = lower ? text.toLower() : upper ? text.toUpper() : text;
    if (places == 0) {
        QString out;
        for (const Item &it : items)
            out += it.text;
        return out + t;
    }
    // Placeholders take characters from the right unless "!" is given; what
    // does not fit goes to the outer end, so no character is lost.
    const int n = int(t.size());
    QString out;
    int place = 0;
    for (const Item &it : items) {
        if (it.kind == 0) {
            out += it.text;
            continue;
        }
        QString piece;
        if (leftToRight) {
            if (place < n)
                piece = t.at(place);
            if (place == places - 1 && n > places)
                piece += t.mid(places);
        } else {
            const int index = n - places + place; // character for this placeholder
            if (place == 0 && index > 0)
                piece = t.left(index);
            if (index >= 0 && index < n)
                piece += t.at(index);
        }
        if (piece.isEmpty() && it.kind == 1)
            piece = QLatin1Char(' ');
        out += piece;
        ++place;
    }
    return out;
}

QString formatNumberPattern(double v, QStringView pattern, const ScriptLocale &locale, bool isNullValue)
{
    const QList<QStringView> sections = splitSections(pattern);
    if (isNullValue) {
        if (sections.size() >= 4)
            return VbNumberFormat::formatSection(0, sections.at(3), locale);
        return QString();
    }
    QStringView positive = sections.at(0);
    if (v == 0 && sections.size() >= 3 && !sections.at(2).isEmpty())
        return VbNumberFormat::formatSection(0, sections.at(2), locale);
    if (v < 0 && sections.size() >= 2 && !sections.at(1).isEmpty())
        return VbNumberFormat::formatSection(-v, sections.at(1), locale);
    const QString text = VbNumberFormat::formatSection(std::fabs(v), positive, locale);
    if (v < 0)
        return QLatin1Char('-') + text;
    return text;
}

// Where a pattern has date elements and no digit placeholders, the value is a
// date; otherwise a number.
enum class PatternKind { Number, Date, Text, Literal };

PatternKind kindOf(QStringView pattern)
{
    const QStringView first = splitSections(pattern).first();
    if (VbNumberFormat::isNumberPattern(first))
        return PatternKind::Number;
    if (VbDateFormat::isDatePattern(first))
        return PatternKind::Date;
    if (isTextPattern(pattern))
        return PatternKind::Text;
    return PatternKind::Literal;
}

bool textAsNumber(const QString &s, const ScriptLocale &locale, double &d)
{
    if (ScriptConvert::parseNumber(s, locale, d, true) == ScriptConvert::ParseResult::Ok)
        return true;
    static const ScriptLocale &c = ScriptLocale::forLocale(QLocale::c());
    return !locale.isC && ScriptConvert::parseNumber(s, c, d, true) == ScriptConvert::ParseResult::Ok;
}

bool textAsDate(const QString &s, const ScriptLocale &locale, double &serial)
{
    if (ScriptConvert::parseDate(s, locale, serial))
        return true;
    static const ScriptLocale &c = ScriptLocale::forLocale(QLocale::c());
    return !locale.isC && ScriptConvert::parseDate(s, c, serial);
}

// The value as a number or a date for formatting; false when it is neither.
bool numericOf(const ScriptValue &value, const ScriptLocale &locale, double &d, bool &isDate)
{
    isDate = value.type() == ScriptValue::Date;
    if (value.isNumeric()) {
        d = value.number();
        return true;
    }
    if (value.isString()) {
        if (textAsNumber(value.stringValue(), locale, d))
            return true;
        if (textAsDate(value.stringValue(), locale, d)) {
            isDate = true;
            return true;
        }
    }
    return false;
}

bool named(const ScriptValue &value, QStringView name, const ScriptLocale &locale, QString &out)
{
    static const char *const names[] = {"general number", "currency", "fixed", "standard",
                                        "percent", "scientific", "yes/no", "true/false",
                                        "on/off", "general date", "long date", "medium date",
                                        "short date", "long time", "medium time", "short time"};
    int which = -1;
    const QStringView trimmed = name.trimmed();
    for (int i = 0; i < int(std::size(names)); ++i) {
        if (trimmed.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            which = i;
    }
    if (which < 0)
        return false;
    double d = 0;
    bool isDate = false;
    if (!numericOf(value, locale, d, isDate)) {
        out = value.isString() ? value.stringValue() : QString();
        return true;
    }
    switch (which) {
    case 0:
        out = ScriptConvert::numberText(d, 15, locale);
        break;
    case 1:
        out = formatCurrency(d, -1, UseDefault, UseDefault, UseDefault, locale);
        break;
    case 2:
        out = (d < 0 && !VbNumberFormat::roundsToZero(-d, u"0.00") ? QStringLiteral("-") : QString())
              + VbNumberFormat::fixed(d, 2, false, true, locale);
        break;
    case 3:
        out = formatNumber(d, 2, -1, 0, -1, locale);
        break;
    case 4:
        out = formatPercent(d, 2, -1, 0, -1, locale);
        break;
    case 5:
        out = formatNumberPattern(d, u"0.00E+00", locale, false);
        break;
    case 6:
        out = d != 0 ? QCoreApplication::translate("VbFormat", "Yes") : QCoreApplication::translate("VbFormat", "No");
        break;
    case 7:
        out = d != 0 ? QCoreApplication::translate("VbFormat", "True") : QCoreApplication::translate("VbFormat", "False");
        break;
    case 8:
        out = d != 0 ? QCoreApplication::translate("VbFormat", "On") : QCoreApplication::translate("VbFormat", "Off");
        break;
    default: {
        if (!ScriptDate::isValidSerial(d)) {
            out = cstr(value, locale.locale);
            break;
        }
        switch (which) {
        case 9:
            out = VbDateFormat::generalDate(d, locale);
            break;
        case 10:
            out = VbDateFormat::longDate(d, locale);
            break;
        case 11:
            out = VbDateFormat::format(d, u"dd-mmm-yy", locale);
            break;
        case 12:
            out = VbDateFormat::shortDate(d, locale);
            break;
        case 13:
            out = VbDateFormat::longTime(d, locale);
            break;
        case 14:
            out = VbDateFormat::format(d, u"hh:nn AM/PM", locale);
            break;
        default:
            out = VbDateFormat::shortTime(d, locale);
            break;
        }
        break;
    }
    }
    return true;
}

QString unchanged(const ScriptValue &value, const ScriptLocale &locale)
{
    return cstr(value, locale.locale);
}

} // namespace

QString format(const ScriptValue &value, const QString &pattern, const ScriptLocale &locale)
{
    if (value.isNothing())
        return unchanged(value, locale);
    if (pattern.isEmpty())
        return unchanged(value, locale);
    QString out;
    if (named(value, pattern, locale, out))
        return out;

    switch (kindOf(pattern)) {
    case PatternKind::Text: {
        if (value.isNull())
            return formatText(QString(), pattern);
        return formatText(unchanged(value, locale), pattern);
    }
    case PatternKind::Number:
    case PatternKind::Literal: {
        if (value.isNull())
            return formatNumberPattern(0, pattern, locale, true);
        if (value.isEmpty())
            return QString();
        double d = 0;
        bool isDate = false;
        if (!numericOf(value, locale, d, isDate))
            return unchanged(value, locale);
        return formatNumberPattern(d, pattern, locale, false);
    }
    case PatternKind::Date: {
        if (value.isNull() || value.isEmpty())
            return QString();
        double d = 0;
        bool isDate = false;
        if (!numericOf(value, locale, d, isDate))
            return unchanged(value, locale);
        bool ok = false;
        const QString text = VbDateFormat::format(d, splitSections(pattern).first(), locale, &ok);
        return ok ? text : unchanged(value, locale);
    }
    }
    return unchanged(value, locale);
}

QString formatNumber(double value, int decimals, int leadingDigit, int parens, int group,
                     const ScriptLocale &locale)
{
    if (decimals < 0)
        decimals = 2;
    decimals = qMin(decimals, 99);
    const bool lead = leadingDigit != 0;
    const bool useParens = parens != 0 && parens != UseDefault;
    const bool useGroup = group != 0;
    const QString digits = VbNumberFormat::fixed(value, decimals, useGroup, lead, locale);
    Q_ASSERT(!digits.isEmpty());
    const bool negative = value < 0 && !VbNumberFormat::roundsToZero(-value, decimals ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0')) : QStringLiteral("0"));
    if (!negative)
        return digits;
    return useParens ? QLatin1Char('(') + digits + QLatin1Char(')') : QLatin1Char('-') + digits;
}

QString formatCurrency(double value, int decimals, int leadingDigit, int parens, int group,
                       const ScriptLocale &locale)
{
    if (decimals < 0)
        decimals = locale.currencyDigits;
    decimals = qMin(decimals, 99);
    const QString digits = VbNumberFormat::fixed(value, decimals, group != 0, leadingDigit != 0, locale);
    const bool negative = value < 0 && !VbNumberFormat::roundsToZero(-value, decimals ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0')) : QStringLiteral("0"));
    if (!negative)
        return locale.currencyPositive.arg(digits);
    if (parens == UseDefault)
        return locale.currencyNegative.arg(digits);
    const QString positive = locale.currencyPositive.arg(digits);
    return parens ? QLatin1Char('(') + positive + QLatin1Char(')') : QLatin1Char('-') + positive;
}

QString formatPercent(double value, int decimals, int leadingDigit, int parens, int group,
                      const ScriptLocale &locale)
{
    return formatNumber(value * 100.0, decimals, leadingDigit, parens, group, locale) + QLatin1Char('%');
}

QString formatDateTime(double serial, int namedFormat, const ScriptLocale &locale)
{
    switch (namedFormat) {
    case 1:
        return VbDateFormat::longDate(serial, locale);
    case 2:
        return VbDateFormat::shortDate(serial, locale);
    case 3:
        return VbDateFormat::longTime(serial, locale);
    case 4:
        return VbDateFormat::shortTime(serial, locale);
    default:
        return VbDateFormat::generalDate(serial, locale);
    }
}

} // namespace VbFormat

QString formatValue(const ScriptValue &value, const QString &pattern)
{
    return VbFormat::format(value, pattern, ScriptLocale::current());
}

QString formatValue(const ScriptValue &value, const QString &pattern, const QLocale &locale)
{
    return VbFormat::format(value, pattern, ScriptLocale::forLocale(locale));
}
