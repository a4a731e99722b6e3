#include "engine/scriptconvert.h"

#include "engine/scriptdate.h"
#include "engine/scripterror.h"
#include "engine/scriptlocale.h"
#include "engine/vbdateformat.h"

#include <QDate>

#include <charconv>
#include <cmath>
#include <limits>

namespace ScriptConvert {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0xA0)
           || c == QChar(0x202F) || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

QStringView trimmed(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// &H / &O text: up to 32 bits; values that fit in 16 bits are Integers and so
// read with their sign, as VBScript's literals are.
ParseResult parseRadix(QStringView s, double &value)
{
    const int radix = (s.at(1) == QLatin1Char('H') || s.at(1) == QLatin1Char('h')) ? 16 : 8;
    quint64 n = 0;
    qsizetype digits = 0;
    for (qsizetype i = 2; i < s.size(); ++i) {
        const int d = QChar(s.at(i)).isDigit() ? s.at(i).unicode() - '0'
                      : (radix == 16 && s.at(i).toLower() >= QLatin1Char('a')
                         && s.at(i).toLower() <= QLatin1Char('f'))
                          ? s.at(i).toLower().unicode() - 'a' + 10
                          : -1;
        if (d < 0 || d >= radix)
            return ParseResult::NotANumber;
        n = n * radix + d;
        ++digits;
        if (n > 0xFFFFFFFFull)
            return ParseResult::Overflow;
    }
    if (digits == 0)
        return ParseResult::NotANumber;
    if (n <= 0xFFFF)
        value = qint16(quint16(n));
    else
        value = qint32(quint32(n));
    return ParseResult::Ok;
}

} // namespace

ParseResult parseNumber(QStringView text, const ScriptLocale &locale, double &value, bool strict)
{
    QStringView s = trimmed(text);
    if (s.isEmpty() || s.size() > 4096)
        return ParseResult::NotANumber;
    if (s.size() > 2 && s.at(0) == QLatin1Char('&')) {
        const QChar k = s.at(1).toUpper();
        if (k == QLatin1Char('H') || k == QLatin1Char('O'))
            return parseRadix(s, value);
    }

    bool negative = false;
    bool brackets = false;
    if (s.front() == QLatin1Char('(') && s.back() == QLatin1Char(')')) {
        brackets = true;
        s = trimmed(s.mid(1, s.size() - 2));
    }
    auto stripCurrency = [&](QStringView &t) {
        QStringView sym = locale.isC ? QStringView(u"$") : QStringView(locale.locale.currencySymbol());
        if (sym.isEmpty())
            return;
        if (t.startsWith(sym))
            t = trimmed(t.mid(sym.size()));
        else if (t.endsWith(sym))
            t = trimmed(t.left(t.size() - sym.size()));
    };
    stripCurrency(s);
    if (!s.isEmpty() && (s.front() == QLatin1Char('-') || s.front() == QLatin1Char('+'))) {
        negative = s.front() == QLatin1Char('-');
        s = trimmed(s.mid(1));
        stripCurrency(s);
    } else if (!s.isEmpty() && (s.back() == QLatin1Char('-') || s.back() == QLatin1Char('+'))) {
        negative = s.back() == QLatin1Char('-');
        s = trimmed(s.left(s.size() - 1));
    }
    if (brackets && negative)
        return ParseResult::NotANumber;
    negative = negative || brackets;

    char buf[160];
    int len = 0;
    if (negative)
        buf[len++] = '-';
    qsizetype i = 0;
    int mantissaDigits = 0;
    int digitsSinceGroup = -1; // -1: no group separator seen yet
    bool seenDigit = false;
    const QChar group = locale.group;
    const QChar decimal = locale.decimal;
    // Leading zeros and digits beyond what a double holds are not copied one by
    // one: keep the buffer small but the scale right.
    int droppedIntegerDigits = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (isDigit(c)) {
            seenDigit = true;
            if (digitsSinceGroup >= 0)
                ++digitsSinceGroup;
            if (mantissaDigits < 40) {
                buf[len++] = char(c.unicode());
                ++mantissaDigits;
            } else {
                ++droppedIntegerDigits;
            }
        } else if (c == group && c != decimal && seenDigit) {
            if (strict && digitsSinceGroup >= 0 && digitsSinceGroup != 3)
                return ParseResult::NotANumber;
            digitsSinceGroup = 0;
        } else if (group == QChar(0xA0) && c == QLatin1Char(' ') && seenDigit) {
            digitsSinceGroup = 0; // a typed blank stands for a no-break space
        } else {
            break;
        }
    }
    if (strict && digitsSinceGroup >= 0 && digitsSinceGroup != 3)
        return ParseResult::NotANumber;
    if (i < s.size() && s.at(i) == decimal) {
        ++i;
        buf[len++] = '.';
        for (; i < s.size() && isDigit(s.at(i)); ++i) {
            seenDigit = true;
            if (mantissaDigits < 40) {
                buf[len++] = char(s.at(i).unicode());
                ++mantissaDigits;
            }
        }
    }
    if (!seenDigit)
        return ParseResult::NotANumber;
    long exponent = droppedIntegerDigits;
    if (i < s.size()) {
        const QChar e = s.at(i).toLower();
        if (e != QLatin1Char('e') && e != QLatin1Char('d'))
            return ParseResult::NotANumber;
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
            expNegative = s.at(i) == QLatin1Char('-');
            ++i;
        }
        if (i >= s.size() || !isDigit(s.at(i)))
            return ParseResult::NotANumber;
        long e10 = 0;
        for (; i < s.size() && isDigit(s.at(i)); ++i) {
            if (e10 < 100000)
                e10 = e10 * 10 + (s.at(i).unicode() - '0');
        }
        exponent += expNegative ? -e10 : e10;
        if (i != s.size())
            return ParseResult::NotANumber;
    }
    if (exponent != 0) {
        const int n = snprintf(buf + len, sizeof(buf) - len, "e%ld", exponent);
        len += n;
    }
    double d = 0;
    const auto r = std::from_chars(buf, buf + len, d);
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow gives 0, overflow an error.
        if (exponent < 0)
            d = 0;
        else
            return ParseResult::Overflow;
    } else if (r.ec != std::errc() || r.ptr != buf + len) {
        return ParseResult::NotANumber;
    }
    if (!std::isfinite(d))
        return ParseResult::Overflow;
    value = d == 0 ? 0.0 : d;
    return ParseResult::Ok;
}

// ---------------------------------------------------------------- dates

namespace {

struct DateToken
{
    enum Kind { Number, Word, Separator } kind;
    int value = 0;
    int digits = 0;
    QStringView text;
    QChar sep;
};

int monthFromWord(QStringView w, const ScriptLocale &locale)
{
    static const ScriptLocale &english = ScriptLocale::forLocale(QLocale::c());
    for (const ScriptLocale *l : {&locale, &english}) {
        for (int m = 0; m < 12; ++m) {
            if (w.compare(l->monthNames[m], Qt::CaseInsensitive) == 0
                || w.compare(l->monthAbbreviations[m], Qt::CaseInsensitive) == 0)
                return m + 1;
            QStringView abbr(l->monthAbbreviations[m]);
            if (abbr.endsWith(QLatin1Char('.')) && w.compare(abbr.chopped(1), Qt::CaseInsensitive) == 0)
                return m + 1;
        }
    }
    // "Sept" and similar four-letter forms.
    if (w.size() >= 3) {
        for (int m = 0; m < 12; ++m) {
            if (english.monthNames[m].startsWith(w, Qt::CaseInsensitive))
                return m + 1;
        }
    }
    return 0;
}

bool isDayWord(QStringView w, const ScriptLocale &locale)
{
    static const ScriptLocale &english = ScriptLocale::forLocale(QLocale::c());
    for (const ScriptLocale *l : {&locale, &english}) {
        for (int d = 0; d < 7; ++d) {
            if (w.compare(l->dayNames[d], Qt::CaseInsensitive) == 0
                || w.compare(l->dayAbbreviations[d], Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

// 0 none, 1 AM, 2 PM
int meridiemFromWord(QStringView w, const ScriptLocale &locale)
{
    if (w.compare(u"am", Qt::CaseInsensitive) == 0 || w.compare(u"a", Qt::CaseInsensitive) == 0
        || w.compare(locale.am, Qt::CaseInsensitive) == 0)
        return 1;
    if (w.compare(u"pm", Qt::CaseInsensitive) == 0 || w.compare(u"p", Qt::CaseInsensitive) == 0
        || w.compare(locale.pm, Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}

bool validDay(int y, int m, int d)
{
    return m >= 1 && m <= 12 && d >= 1 && y >= 100 && y <= 9999 && d <= QDate(y, m, 1).daysInMonth();
}

} // namespace

bool parseDate(QStringView text, const ScriptLocale &locale, double &serial)
{
    QStringView s = trimmed(text);
    if (s.isEmpty() || s.size() > 200)
        return false;

    QList<DateToken> tokens;
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s.at(i);
        if (isDigit(c)) {
            qsizetype j = i;
            int v = 0;
            while (j < s.size() && isDigit(s.at(j))) {
                if (j - i < 6)
                    v = v * 10 + (s.at(j).unicode() - '0');
                ++j;
            }
            if (j - i > 5)
                return false;
            tokens.append({DateToken::Number, v, int(j - i), s.mid(i, j - i), QChar()});
            i = j;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < s.size() && (s.at(j).isLetter() || s.at(j) == QLatin1Char('.')))
                ++j;
            QStringView w = s.mid(i, j - i);
            while (w.endsWith(QLatin1Char('.')))
                w.chop(1);
            tokens.append({DateToken::Word, 0, 0, w, QChar()});
            i = j;
        } else if (isBlank(c)) {
            ++i;
        } else {
            tokens.append({DateToken::Separator, 0, 0, s.mid(i, 1), c});
            ++i;
        }
    }

    // Time: N ':' N [':' N ['.' N]] [AM|PM], or N AM|PM.
    int hour = -1, minute = 0, second = 0, meridiem = 0;
    QList<DateToken> rest;
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const DateToken &t = tokens.at(k);
        const bool colonNext = k + 2 < tokens.size() && tokens.at(k + 1).kind == DateToken::Separator
                               && (tokens.at(k + 1).sep == QLatin1Char(':') || tokens.at(k + 1).sep == locale.timeSeparator)
                               && tokens.at(k + 2).kind == DateToken::Number;
        const bool meridiemNext = k + 1 < tokens.size() && tokens.at(k + 1).kind == DateToken::Word
                                  && meridiemFromWord(tokens.at(k + 1).text, locale) != 0;
        if (t.kind == DateToken::Number && hour < 0 && (colonNext || meridiemNext)) {
            hour = t.value;
            if (colonNext) {
                minute = tokens.at(k + 2).value;
                k += 2;
                if (k + 2 < tokens.size() && tokens.at(k + 1).kind == DateToken::Separator
                    && (tokens.at(k + 1).sep == QLatin1Char(':') || tokens.at(k + 1).sep == locale.timeSeparator)
                    && tokens.at(k + 2).kind == DateToken::Number) {
                    second = tokens.at(k + 2).value;
                    k += 2;
                    if (k + 2 < tokens.size() && tokens.at(k + 1).kind == DateToken::Separator
                        && (tokens.at(k + 1).sep == QLatin1Char('.') || tokens.at(k + 1).sep == locale.decimal)
                        && tokens.at(k + 2).kind == DateToken::Number) {
                        k += 2; // fractions of a second are dropped
                    }
                }
            }
            if (k + 1 < tokens.size() && tokens.at(k + 1).kind == DateToken::Word) {
                meridiem = meridiemFromWord(tokens.at(k + 1).text, locale);
                if (meridiem)
                    ++k;
            }
            continue;
        }
        rest.append(t);
    }
    if (hour >= 0) {
        if (meridiem) {
            if (hour < 1 || hour > 12)
                return false;
            hour = hour % 12 + (meridiem == 2 ? 12 : 0);
        }
        if (hour > 23 || minute > 59 || second > 59)
            return false;
    }

    // Date: numbers, at most one month name; weekday names and separators are
    // skipped; anything else means the text is not a date.
    QList<DateToken> numbers;
    int monthName = 0;
    for (const DateToken &t : rest) {
        if (t.kind == DateToken::Number) {
            numbers.append(t);
        } else if (t.kind == DateToken::Word) {
            if (t.text.compare(u"T", Qt::CaseInsensitive) == 0 && hour >= 0)
                continue;
            const int m = monthFromWord(t.text, locale);
            if (m && !monthName)
                monthName = m;
            else if (!isDayWord(t.text, locale))
                return false;
        } else {
            static const QString allowed = QStringLiteral("/-.,");
            if (!allowed.contains(t.sep) && t.sep != locale.dateSeparator)
                return false;
        }
    }

    double day = 0;
    const bool hasDate = !numbers.isEmpty() || monthName;
    if (hasDate) {
        int y = 0, m = 0, d = 0;
        const int thisYear = QDate::currentDate().year();
        auto year = [](const DateToken &t) { return t.digits <= 2 ? ScriptDate::expandYear(t.value) : t.value; };
        auto isYearish = [](const DateToken &t) { return t.digits >= 3 || t.value > 31; };
        if (monthName) {
            m = monthName;
            if (numbers.size() == 1) {
                if (isYearish(numbers[0])) {
                    y = year(numbers[0]);
                    d = 1;
                } else {
                    y = thisYear;
                    d = numbers[0].value;
                }
            } else if (numbers.size() == 2) {
                if (isYearish(numbers[0])) {
                    y = year(numbers[0]);
                    d = numbers[1].value;
                } else {
                    d = numbers[0].value;
                    y = year(numbers[1]);
                }
            } else {
                return false;
            }
        } else if (numbers.size() == 3) {
            const DateToken &a = numbers[0], &b = numbers[1], &c = numbers[2];
            if (isYearish(a) || locale.dateOrder == ScriptLocale::YearMonthDay) {
                y = year(a);
                m = b.value;
                d = c.value;
            } else if (locale.dateOrder == ScriptLocale::DayMonthYear) {
                d = a.value;
                m = b.value;
                y = year(c);
            } else {
                m = a.value;
                d = b.value;
                y = year(c);
            }
            if (!validDay(y, m, d) && validDay(y, d, m))
                std::swap(m, d);
        } else if (numbers.size() == 2) {
            const DateToken &a = numbers[0], &b = numbers[1];
            if (isYearish(a)) {
                y = year(a);
                m = b.value;
                d = 1;
            } else if (isYearish(b) && b.digits >= 3) {
                m = a.value;
                y = year(b);
                d = 1;
            } else {
                y = thisYear;
                if (locale.dateOrder == ScriptLocale::DayMonthYear) {
                    d = a.value;
                    m = b.value;
                } else {
                    m = a.value;
                    d = b.value;
                }
                if (!validDay(y, m, d) && validDay(y, d, m))
                    std::swap(m, d);
            }
        } else {
            return false;
        }
        if (!validDay(y, m, d))
            return false;
        day = ScriptDate::toSerial(QDate(y, m, d), QTime(0, 0));
    }
    if (!hasDate && hour < 0)
        return false;
    const double t = hour >= 0 ? ScriptDate::timeToFraction(hour, minute, second) : 0.0;
    serial = day >= 0 ? day + t : day - t;
    return true;
}

// ---------------------------------------------------------------- text

QString numberText(double value, int significantDigits, const ScriptLocale &locale)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::general,
                                 significantDigits);
    QString out;
    out.reserve(int(r.ptr - buf));
    for (const char *p = buf; p != r.ptr; ++p) {
        if (*p == 'e')
            out += QLatin1Char('E');
        else if (*p == '.')
            out += locale.decimal;
        else
            out += QLatin1Char(*p);
    }
    return out;
}

QString currencyText(qint64 cy, const ScriptLocale &locale)
{
    const bool negative = cy < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(cy) : quint64(cy);
    QString out = QString::number(magnitude / 10000);
    quint64 fraction = magnitude % 10000;
    if (fraction) {
        QString f = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        out += locale.decimal + f;
    }
    return negative ? QLatin1Char('-') + out : out;
}

QString dateText(double serial, const ScriptLocale &locale)
{
    return VbDateFormat::generalDate(serial, locale);
}

double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

// ---------------------------------------------------------------- conversions

QString toText(const ScriptValue &v, const ScriptLocale &locale)
{
    switch (v.type()) {
    case ScriptValue::Empty:
        return QString();
    case ScriptValue::Null:
        throwScriptError(ScriptError::InvalidUseOfNull);
    case ScriptValue::Boolean:
        return v.boolValue() ? QStringLiteral("True") : QStringLiteral("False");
    case ScriptValue::Byte:
        return QString::number(v.byteValue());
    case ScriptValue::Integer:
        return QString::number(v.integerValue());
    case ScriptValue::Long:
        return QString::number(v.longValue());
    case ScriptValue::Single:
        return numberText(v.singleValue(), 7, locale);
    case ScriptValue::Double:
        return numberText(v.doubleValue(), 15, locale);
    case ScriptValue::Currency:
        return currencyText(v.currencyValue(), locale);
    case ScriptValue::Date:
        return dateText(v.dateValue(), locale);
    case ScriptValue::String:
        return v.stringValue();
    case ScriptValue::Object:
        break;
    }
    throwScriptError(ScriptError::TypeMismatch);
}

double toDouble(const ScriptValue &v, const ScriptLocale &locale)
{
    switch (v.type()) {
    case ScriptValue::Empty:
        return 0.0;
    case ScriptValue::Null:
        throwScriptError(ScriptError::InvalidUseOfNull);
    case ScriptValue::String: {
        double d = 0;
        switch (parseNumber(v.stringValue(), locale, d)) {
        case ParseResult::Ok:
            return d;
        case ParseResult::Overflow:
            throwScriptError(ScriptError::Overflow);
        case ParseResult::NotANumber:
            break;
        }
        throwScriptError(ScriptError::TypeMismatch);
    }
    case ScriptValue::Object:
        throwScriptError(ScriptError::TypeMismatch);
    default:
        return v.number();
    }
}

float toSingle(const ScriptValue &v, const ScriptLocale &locale)
{
    if (v.type() == ScriptValue::Single)
        return v.singleValue();
    const double d = toDouble(v, locale);
    if (std::fabs(d) > double(std::numeric_limits<float>::max()))
        throwScriptError(ScriptError::Overflow);
    return float(d);
}

qint32 toLong(const ScriptValue &v, const ScriptLocale &locale)
{
    switch (v.type()) {
    case ScriptValue::Long:
        return v.longValue();
    case ScriptValue::Integer:
        return v.integerValue();
    case ScriptValue::Byte:
        return v.byteValue();
    case ScriptValue::Boolean:
        return v.boolValue() ? -1 : 0;
    default:
        break;
    }
    const double d = roundHalfEven(toDouble(v, locale));
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        throwScriptError(ScriptError::Overflow);
    return qint32(d);
}

qint16 toInteger(const ScriptValue &v, const ScriptLocale &locale)
{
    const qint32 l = toLong(v, locale);
    if (l < -32768 || l > 32767)
        throwScriptError(ScriptError::Overflow);
    return qint16(l);
}

quint8 toByte(const ScriptValue &v, const ScriptLocale &locale)
{
    const qint32 l = toLong(v, locale);
    if (l < 0 || l > 255)
        throwScriptError(ScriptError::Overflow);
    return quint8(l);
}

qint64 toCurrency(const ScriptValue &v, const ScriptLocale &locale)
{
    switch (v.type()) {
    case ScriptValue::Currency:
        return v.currencyValue();
    case ScriptValue::Long:
        return qint64(v.longValue()) * 10000;
    case ScriptValue::Integer:
        return qint64(v.integerValue()) * 10000;
    case ScriptValue::Byte:
        return qint64(v.byteValue()) * 10000;
    case ScriptValue::Boolean:
        return v.boolValue() ? -10000 : 0;
    default:
        break;
    }
    const double d = roundHalfEven(toDouble(v, locale) * 10000.0);
    if (!(d >= -9.2233720368547758e18 && d < 9.2233720368547758e18))
        throwScriptError(ScriptError::Overflow);
    return qint64(d);
}

double toDate(const ScriptValue &v, const ScriptLocale &locale)
{
    double serial = 0;
    switch (v.type()) {
    case ScriptValue::Date:
        return v.dateValue();
    case ScriptValue::Null:
        throwScriptError(ScriptError::InvalidUseOfNull);
    case ScriptValue::String:
        if (parseDate(v.stringValue(), locale, serial))
            return serial;
        if (parseNumber(v.stringValue(), locale, serial) != ParseResult::Ok)
            throwScriptError(ScriptError::TypeMismatch);
        break;
    case ScriptValue::Object:
        throwScriptError(ScriptError::TypeMismatch);
    default:
        serial = v.number();
        break;
    }
    if (!ScriptDate::isValidSerial(serial))
        throwScriptError(ScriptError::Overflow);
    return serial;
}

bool toBool(const ScriptValue &v, const ScriptLocale &locale)
{
    switch (v.type()) {
    case ScriptValue::Boolean:
        return v.boolValue();
    case ScriptValue::Empty:
        return false;
    case ScriptValue::Null:
        throwScriptError(ScriptError::InvalidUseOfNull);
    case ScriptValue::String: {
        const QStringView s = trimmed(v.stringValue());
        if (s.compare(u"true", Qt::CaseInsensitive) == 0 || s.compare(u"#true#", Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(u"false", Qt::CaseInsensitive) == 0 || s.compare(u"#false#", Qt::CaseInsensitive) == 0)
            return false;
        double d = 0;
        if (parseNumber(s, locale, d) != ParseResult::Ok)
            throwScriptError(ScriptError::TypeMismatch);
        return d != 0;
    }
    case ScriptValue::Object:
        throwScriptError(ScriptError::TypeMismatch);
    default:
        return v.number() != 0;
    }
}

ScriptValue toNumeric(const ScriptValue &v, const ScriptLocale &locale)
{
    if (v.isString())
        return ScriptValue::fromDouble(toDouble(v, locale));
    if (v.isEmpty())
        return ScriptValue::fromInteger(0);
    if (v.isNull())
        throwScriptError(ScriptError::InvalidUseOfNull);
    if (v.isNothing())
        throwScriptError(ScriptError::TypeMismatch);
    return v;
}

} // namespace ScriptConvert

QString cstr(const ScriptValue &value, const QLocale &locale)
{
    if (value.isNull())
        return QString();
    if (value.isNothing())
        return QStringLiteral("Nothing");
    return ScriptConvert::toText(value, ScriptLocale::forLocale(locale));
}
