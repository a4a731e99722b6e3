#include "xmlformat.h"

#include "platform/xmldom.h"

#include <charconv>
#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

namespace XmlFormat {

void setNamespace(XmlNode &element)
{
    element.setAttribute(QStringLiteral("xmlns"), QString::fromUtf16(namespaceUri));
}

bool isElement(const XmlNode &node, QStringView name)
{
    return node.isElement() && node.baseName().compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace XmlFormat

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool textToBool(QStringView text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().toUpper().unicode()) {
    case 'Y':
    case 'T':
    case 'V':
    case 'O':
        return true;
    default:
        return false;
    }
}

QString normalizeLineBreaks(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QStringLiteral("\r\n");
        } else if (ch == QLatin1Char('\n')) {
            out += QStringLiteral("\r\n");
        } else {
            out += ch;
        }
    }
    return out;
}

namespace {

// For a number from_chars found out of range: true when it is tiny rather
// than huge, judged by its decimal magnitude.
bool isTooSmall(const std::string &number)
{
    long long magnitude = 0; // position of the first significant digit
    bool seenSignificant = false;
    bool afterPoint = false;
    size_t i = 0;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        const char c = number[i];
        if (c == '.') {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            if (!seenSignificant && c != '0') {
                seenSignificant = true;
                if (afterPoint)
                    --magnitude;
            } else if (!seenSignificant && afterPoint) {
                --magnitude;
            } else if (seenSignificant && !afterPoint) {
                ++magnitude;
            }
        }
    }
    long long exponent = 0;
    bool negative = false;
    for (++i; i < number.size(); ++i) {
        if (number[i] == '-')
            negative = true;
        else if (number[i] >= '0' && number[i] <= '9' && exponent < 1000000000)
            exponent = exponent * 10 + (number[i] - '0');
    }
    return magnitude + (negative ? -exponent : exponent) < 0;
}

} // namespace

std::optional<double> leadingNumber(QStringView text)
{
    // Collect the number's characters in ASCII, skipping blanks as the
    // reader always has, then convert without any locale.
    std::string digits;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
            ++i;
    };
    auto takeDigits = [&] {
        qsizetype count = 0;
        for (;;) {
            skipBlanks();
            if (i < n && text[i] >= u'0' && text[i] <= u'9') {
                digits += char(text[i].unicode());
                ++i;
                ++count;
            } else {
                return count;
            }
        }
    };

    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            digits += '-';
        ++i;
    }
    qsizetype mantissa = takeDigits();
    skipBlanks();
    if (i < n && text[i] == u'.') {
        ++i;
        digits += '.';
        mantissa += takeDigits();
    }
    if (mantissa == 0)
        return std::nullopt;
    skipBlanks();
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        const qsizetype mark = i;
        const size_t keep = digits.size();
        ++i;
        skipBlanks();
        digits += 'e';
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            digits += char(text[i].unicode());
            ++i;
        }
        if (takeDigits() == 0) {
            // "1E" alone: the exponent is not part of the number.
            digits.resize(keep);
            i = mark;
        }
    }

    double value = 0;
    const char *first = digits.data();
    const auto res = std::from_chars(first, first + digits.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as 0; overflow is no number for any property.
        return isTooSmall(digits) ? std::optional<double>(0.0) : std::nullopt;
    }
    if (res.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

// Whole-number properties round as the stored value always has: half to even.
std::optional<long long> roundedInRange(double v, long long low, long long high)
{
    const double r = std::nearbyint(v);
    if (!(r >= double(low) && r <= double(high)))
        return std::nullopt;
    return static_cast<long long>(r);
}

} // namespace

float readAttr(const XmlNode &node, QStringView name, float &value)
{
    if (const QString *text = node.getNamedItem(name)) {
        if (const auto v = leadingNumber(*text); v && std::fabs(*v) <= double(FLT_MAX))
            value = float(*v);
    }
    return value;
}

int readAttr(const XmlNode &node, QStringView name, int &value)
{
    return readAttr(node, name, value, INT_MIN, INT_MAX);
}

int readAttr(const XmlNode &node, QStringView name, int &value, int low, int high)
{
    if (const QString *text = node.getNamedItem(name)) {
        if (const auto v = leadingNumber(*text)) {
            if (const auto r = roundedInRange(*v, low, high))
                value = int(*r);
        }
    }
    return value;
}

unsigned char readAttr(const XmlNode &node, QStringView name, unsigned char &value)
{
    int wide = value;
    readAttr(node, name, wide, 0, 255);
    value = static_cast<unsigned char>(wide);
    return value;
}

bool readAttr(const XmlNode &node, QStringView name, bool &value)
{
    if (const QString *text = node.getNamedItem(name))
        value = textToBool(*text);
    return value;
}

QString readAttr(const XmlNode &node, QStringView name, QString &value)
{
    if (const QString *text = node.getNamedItem(name))
        value = *text;
    return value;
}
