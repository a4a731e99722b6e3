#include "engine/vbnumberformat.h"

#include "engine/scriptlocale.h"

#include <charconv>
#include <cmath>

namespace VbNumberFormat {

namespace {

// A non-negative decimal number: digits without leading zeros, and the
// position of the decimal point counted from the first digit.
struct Decimal
{
    std::string digits; // empty for zero
    int point = 0;

    static Decimal of(double magnitude)
    {
        Decimal d;
        if (!(magnitude > 0) || !std::isfinite(magnitude))
            return d;
        char buf[64];
        // 15 significant digits: what the value was meant to be, not its
        // binary neighbour (2.675 rounds to 2.68).
        const auto r = std::to_chars(buf, buf + sizeof(buf), magnitude,
                                     std::chars_format::scientific, 14);
        const char *e = std::find(buf, r.ptr, 'e');
        for (const char *p = buf; p != e; ++p) {
            if (*p != '.')
                d.digits += *p;
        }
        int exponent = 0;
        std::from_chars(*(e + 1) == '+' ? e + 2 : e + 1, r.ptr, exponent);
        d.point = exponent + 1;
        d.trim();
        return d;
    }

    void trim()
    {
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
        size_t lead = 0;
        while (lead < digits.size() && digits[lead] == '0')
            ++lead;
        if (lead) {
            digits.erase(0, lead);
            point -= int(lead);
        }
        if (digits.empty())
            point = 0;
    }

    bool isZero() const { return digits.empty(); }

    void roundTo(int decimals)
    {
        const long keep = long(point) + decimals;
        if (keep >= long(digits.size()))
            return;
        if (keep < 0) {
            digits.clear();
            point = 0;
            return;
        }
        const bool up = digits[size_t(keep)] >= '5';
        digits.resize(size_t(keep));
        if (up) {
            long i = keep - 1;
            while (i >= 0 && digits[size_t(i)] == '9') {
                digits[size_t(i)] = '0';
                --i;
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++point;
            } else {
                ++digits[size_t(i)];
            }
        }
        trim();
    }

    // Integer digits without leading zeros ("" for a value below 1).
    std::string integerDigits() const
    {
        if (point <= 0)
            return {};
        std::string s = digits.substr(0, size_t(std::min<int>(point, int(digits.size()))));
        if (point > int(digits.size()))
            s.append(size_t(point - int(digits.size())), '0');
        return s;
    }

    char fractionDigit(int i) const // i from 0: first digit after the point
    {
        const long pos = long(point) + i;
        if (pos < 0 || pos >= long(digits.size()))
            return '0';
        return digits[size_t(pos)];
    }
};

enum Kind { Zero, Hash, Point, Percent, Exponent, Comma, Text };

struct Token
{
    Kind kind;
    QString text;     // Text: the literal; Exponent: "E+" etc.
    int part = 0;     // 0 integer, 1 fraction, 2 exponent digits
};

struct Layout
{
    QList<Token> tokens;
    int integerPlaces = 0;
    int fractionPlaces = 0;
    int exponentZeros = 0;
    int exponentPlaces = 0;
    bool group = false;
    int scale = 0; // powers of 1000 to divide by
    int percent = 0;
    bool hasExponent = false;
    bool hasPoint = false;
};

Layout parse(QStringView p)
{
    Layout l;
    int part = 0;
    auto text = [&](const QString &s) {
        if (!l.tokens.isEmpty() && l.tokens.back().kind == Text)
            l.tokens.back().text += s;
        else
            l.tokens.append(Token{Text, s, part});
    };
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        switch (c.unicode()) {
        case '0':
        case '#':
            l.tokens.append(Token{c == QLatin1Char('0') ? Zero : Hash, {}, part});
            if (part == 0)
                ++l.integerPlaces;
            else if (part == 1)
                ++l.fractionPlaces;
            else {
                ++l.exponentPlaces;
                if (c == QLatin1Char('0'))
                    ++l.exponentZeros;
            }
            break;
        case '.':
            if (part == 0) {
                l.tokens.append(Token{Point, {}, part});
                l.hasPoint = true;
                part = 1;
            } else {
                text(QString(c));
            }
            break;
        case ',':
            if (part == 0)
                l.tokens.append(Token{Comma, {}, part});
            else if (part == 1)
                ; // no grouping after the decimal separator
            else
                text(QString(c));
            break;
        case '%':
            l.tokens.append(Token{Percent, {}, part});
            ++l.percent;
            break;
        case 'E':
        case 'e':
            if (part < 2 && i + 1 < p.size()
                && (p.at(i + 1) == QLatin1Char('+') || p.at(i + 1) == QLatin1Char('-'))) {
                l.tokens.append(Token{Exponent, p.mid(i, 2).toString(), part});
                l.hasExponent = true;
                part = 2;
                ++i;
            } else {
                text(QString(c));
            }
            break;
        case '"': {
            qsizetype j = i + 1;
            while (j < p.size() && p.at(j) != QLatin1Char('"'))
                ++j;
            text(p.mid(i + 1, j - i - 1).toString());
            i = j;
            break;
        }
        case '\\':
            if (i + 1 < p.size())
                text(QString(p.at(++i)));
            break;
        default:
            text(QString(c));
            break;
        }
    }
    // Commas: between integer placeholders they group; after the last one
    // (before the point or the end of the number) each divides by 1000.
    int lastInteger = -1;
    for (int k = 0; k < l.tokens.size(); ++k) {
        if (l.tokens[k].part == 0 && (l.tokens[k].kind == Zero || l.tokens[k].kind == Hash))
            lastInteger = k;
    }
    bool seenPlaceholder = false;
    for (int k = 0; k < l.tokens.size(); ++k) {
        const Token &t = l.tokens[k];
        if (t.part != 0)
            break;
        if (t.kind == Zero || t.kind == Hash)
            seenPlaceholder = true;
        if (t.kind != Comma)
            continue;
        if (k > lastInteger) {
            if (seenPlaceholder)
                ++l.scale;
        } else if (seenPlaceholder) {
            l.group = true;
        }
    }
    return l;
}

QString renderDigits(const Layout &l, const std::string &intDigits, const Decimal &fraction,
                     const QString &exponentText, const ScriptLocale &locale)
{
    QString out;
    const int places = l.integerPlaces;
    const int len = int(intDigits.size());
    int placeIndex = 0; // integer placeholders seen so far
    auto emitDigit = [&](int pos) { // pos from the right, 0-based
        out += QLatin1Char(intDigits[size_t(len - 1 - pos)]);
        if (l.group && pos > 0 && pos % 3 == 0)
            out += locale.group;
    };
    // Last fraction digit that must show: a "0" placeholder or a digit not 0.
    int lastShown = -1;
    {
        int f = 0;
        for (const Token &t : l.tokens) {
            if (t.part != 1 || (t.kind != Zero && t.kind != Hash))
                continue;
            if (t.kind == Zero || fraction.fractionDigit(f) != '0')
                lastShown = f;
            ++f;
        }
    }
    int fractionIndex = 0;
    int exponentIndex = 0;
    bool integerDone = places == 0;
    for (const Token &t : l.tokens) {
        switch (t.kind) {
        case Zero:
        case Hash:
            if (t.part == 0) {
                const int pos = places - 1 - placeIndex;
                if (placeIndex == 0) {
                    for (int p = len - 1; p > pos; --p)
                        emitDigit(p);
                }
                if (pos < len)
                    emitDigit(pos);
                else if (t.kind == Zero) {
                    out += QLatin1Char('0');
                    if (l.group && pos > 0 && pos % 3 == 0 && len > 0)
                        out += locale.group;
                }
                ++placeIndex;
                if (placeIndex == places)
                    integerDone = true;
            } else if (t.part == 1) {
                if (fractionIndex <= lastShown)
                    out += QLatin1Char(fraction.fractionDigit(fractionIndex));
                ++fractionIndex;
            } else {
                const int pos = l.exponentPlaces - 1 - exponentIndex;
                const int elen = int(exponentText.size());
                if (exponentIndex == 0) {
                    for (int p = elen - 1; p > pos; --p)
                        out += exponentText.at(elen - 1 - p);
                }
                if (pos < elen)
                    out += exponentText.at(elen - 1 - pos);
                else if (t.kind == Zero)
                    out += QLatin1Char('0');
                ++exponentIndex;
            }
            break;
        case Point:
            if (!integerDone) {
                for (int p = len - 1; p >= 0; --p)
                    emitDigit(p);
                integerDone = true;
            }
            out += locale.decimal;
            break;
        case Percent:
            out += QLatin1Char('%');
            break;
        case Exponent:
            break; // written by the caller's exponent text
        case Comma:
            break;
        case Text:
            out += t.text;
            break;
        }
        if (t.kind == Exponent)
            out += QChar(0xE002); // marks where the exponent letter and sign go
    }
    return out;
}

} // namespace

bool isNumberPattern(QStringView p)
{
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        if (c == QLatin1Char('"')) {
            ++i;
            while (i < p.size() && p.at(i) != QLatin1Char('"'))
                ++i;
        } else if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            return true;
        }
    }
    return false;
}

bool roundsToZero(double magnitude, QStringView section)
{
    const Layout l = parse(section);
    double v = magnitude * std::pow(100.0, l.percent) / std::pow(1000.0, l.scale);
    if (l.hasExponent)
        return v == 0;
    Decimal d = Decimal::of(v);
    d.roundTo(l.fractionPlaces);
    return d.isZero();
}

QString formatSection(double magnitude, QStringView section, const ScriptLocale &locale)
{
    const Layout l = parse(section);
    double v = std::fabs(magnitude);
    for (int i = 0; i < l.percent; ++i)
        v *= 100.0;
    for (int i = 0; i < l.scale; ++i)
        v /= 1000.0;
    if (l.integerPlaces == 0 && l.fractionPlaces == 0 && !l.hasPoint) {
        // Only literal text (a section such as "Nothing" for zero).
        QString out;
        for (const Token &t : l.tokens) {
            if (t.kind == Text)
                out += t.text;
            else if (t.kind == Percent)
                out += QLatin1Char('%');
        }
        return out;
    }
    Decimal d = Decimal::of(v);
    QString exponentText;
    QString exponentMark;
    if (l.hasExponent) {
        const int places = qMax(l.integerPlaces, 1);
        int exponent = 0;
        if (!d.isZero()) {
            exponent = d.point - places;
            d.point = places;
            d.roundTo(l.fractionPlaces);
            if (d.point > places) {
                ++exponent;
                d.point = places;
            }
        }
        for (const Token &t : l.tokens) {
            if (t.kind == Exponent) {
                exponentMark = t.text.left(1);
                if (exponent < 0)
                    exponentMark += QLatin1Char('-');
                else if (t.text.at(1) == QLatin1Char('+'))
                    exponentMark += QLatin1Char('+');
            }
        }
        exponentText = QString::number(std::abs(exponent));
        if (exponentText == QLatin1String("0") && l.exponentZeros == 0)
            exponentText.clear();
    } else {
        d.roundTo(l.fractionPlaces);
    }
    QString out = renderDigits(l, d.integerDigits(), d, exponentText, locale);
    out.replace(QChar(0xE002), exponentMark);
    return out;
}

QString fixed(double magnitude, int decimals, bool group, bool leadingDigit, const ScriptLocale &locale)
{
    Decimal d = Decimal::of(std::fabs(magnitude));
    d.roundTo(decimals);
    const std::string intDigits = d.integerDigits();
    QString out;
    const int len = int(intDigits.size());
    for (int i = 0; i < len; ++i) {
        out += QLatin1Char(intDigits[size_t(i)]);
        const int pos = len - 1 - i;
        if (group && pos > 0 && pos % 3 == 0)
            out += locale.group;
    }
    if (len == 0 && (leadingDigit || decimals == 0))
        out += QLatin1Char('0');
    if (decimals > 0) {
        out += locale.decimal;
        for (int i = 0; i < decimals; ++i)
            out += QLatin1Char(d.fractionDigit(i));
    }
    return out;
}

} // namespace VbNumberFormat
