#include "engine/scriptlexer.h"

#include "engine/scriptconvert.h"
#include "engine/scripterror.h"
#include "engine/scriptlocale.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

inline bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

inline bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

inline int hexDigit(char16_t c)
{
    if (isAsciiDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

struct Keyword
{
    const char *name;
    ScriptLexer::Token token;
};

constexpr Keyword kKeywords[] = {
    {"mod", ScriptLexer::KwMod},     {"not", ScriptLexer::KwNot},
    {"and", ScriptLexer::KwAnd},     {"or", ScriptLexer::KwOr},
    {"xor", ScriptLexer::KwXor},     {"eqv", ScriptLexer::KwEqv},
    {"imp", ScriptLexer::KwImp},     {"is", ScriptLexer::KwIs},
    {"true", ScriptLexer::KwTrue},   {"false", ScriptLexer::KwFalse},
    {"empty", ScriptLexer::KwEmpty}, {"null", ScriptLexer::KwNull},
    {"nothing", ScriptLexer::KwNothing},
};

// Decimal literal at s[i]: integers become Integer, Long or Double by size, as
// VBScript types its constants; a point or an exponent makes a Double.
ScriptValue lexNumber(const char16_t *s, qsizetype n, qsizetype &i)
{
    char buf[96];
    buf[0] = '0';
    int len = 1;
    bool isInteger = true;
    quint64 whole = 0;
    bool wholeOverflow = false;
    int dropped = 0; // integer digits beyond what the buffer keeps
    while (i < n && isAsciiDigit(s[i])) {
        if (whole > (UINT64_MAX - 9) / 10)
            wholeOverflow = true;
        else
            whole = whole * 10 + (s[i] - u'0');
        if (len < 40) {
            if (len > 1 || s[i] != u'0')
                buf[len++] = char(s[i]);
        } else {
            ++dropped;
        }
        ++i;
    }
    if (i < n && s[i] == u'.') {
        isInteger = false;
        buf[len++] = '.';
        ++i;
        while (i < n && isAsciiDigit(s[i])) {
            if (len < 80)
                buf[len++] = char(s[i]);
            ++i;
        }
    }
    long exponent = dropped;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        bool negative = false;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) {
            negative = s[j] == u'-';
            ++j;
        }
        if (j < n && isAsciiDigit(s[j])) {
            isInteger = false;
            long e = 0;
            while (j < n && isAsciiDigit(s[j])) {
                if (e < 100000)
                    e = e * 10 + (s[j] - u'0');
                ++j;
            }
            exponent += negative ? -e : e;
            i = j;
        } else {
            throwScriptError(ScriptError::InvalidNumber);
        }
    }
    if (isInteger && !wholeOverflow && dropped == 0) {
        if (whole <= 32767)
            return ScriptValue::fromInteger(qint16(whole));
        if (whole <= 2147483647)
            return ScriptValue::fromLong(qint32(whole));
        return ScriptValue::fromDouble(double(whole));
    }
    if (exponent != 0) {
        buf[len++] = 'e';
        len = int(std::to_chars(buf + len, buf + sizeof(buf), exponent).ptr - buf);
    }
    double d = 0;
    const auto r = std::from_chars(buf, buf + len, d);
    if (r.ec == std::errc::result_out_of_range) {
        if (exponent < 0)
            return ScriptValue::fromDouble(0.0);
        throwScriptError(ScriptError::Overflow);
    }
    if (r.ec != std::errc() || !std::isfinite(d))
        throwScriptError(ScriptError::InvalidNumber);
    return ScriptValue::fromDouble(d);
}

// &H and &O literals: up to 16 bits an Integer, up to 32 bits a Long, both read
// as two's complement (&HFFFF is -1).
ScriptValue lexRadix(const char16_t *s, qsizetype n, qsizetype &i, int radix)
{
    quint64 v = 0;
    int digits = 0;
    while (i < n) {
        const int d = hexDigit(s[i]);
        if (d < 0 || d >= radix)
            break;
        v = v * radix + d;
        if (v > 0xFFFFFFFFull)
            throwScriptError(ScriptError::Overflow);
        ++digits;
        ++i;
    }
    if (digits == 0)
        throwScriptError(ScriptError::InvalidNumber);
    bool forceLong = false;
    if (i < n && s[i] == u'&') {
        forceLong = true;
        ++i;
    }
    if (v <= 0xFFFF && !forceLong)
        return ScriptValue::fromInteger(qint16(quint16(v)));
    return ScriptValue::fromLong(qint32(quint32(v)));
}

} // namespace

void ScriptLexer::tokenize(const QString &text, std::string &shape, std::vector<ScriptValue> &literals)
{
    shape.clear();
    literals.clear();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = s[i];
        switch (c) {
        case u' ':
        case u'\t':
        case u'\r':
        case u'\n':
        case 0xA0:
            ++i;
            continue;
        case u'_':
            // Line continuation: harmless inside one expression.
            ++i;
            continue;
        case u'(':
            shape += LParen;
            ++i;
            continue;
        case u')':
            shape += RParen;
            ++i;
            continue;
        case u',':
            shape += Comma;
            ++i;
            continue;
        case u'+':
            shape += Plus;
            ++i;
            continue;
        case u'-':
            shape += Minus;
            ++i;
            continue;
        case u'*':
            shape += Star;
            ++i;
            continue;
        case u'/':
            shape += Slash;
            ++i;
            continue;
        case u'\\':
            shape += Backslash;
            ++i;
            continue;
        case u'^':
            shape += Caret;
            ++i;
            continue;
        case u'=':
            shape += Equal;
            ++i;
            continue;
        case u'<':
            ++i;
            if (i < n && s[i] == u'>') {
                shape += NotEqual;
                ++i;
            } else if (i < n && s[i] == u'=') {
                shape += LessEqual;
                ++i;
            } else {
                shape += Less;
            }
            continue;
        case u'>':
            ++i;
            if (i < n && s[i] == u'=') {
                shape += GreaterEqual;
                ++i;
            } else {
                shape += Greater;
            }
            continue;
        case u'&':
            if (i + 2 < n && (s[i + 1] == u'H' || s[i + 1] == u'h') && hexDigit(s[i + 2]) >= 0) {
                i += 2;
                literals.push_back(lexRadix(s, n, i, 16));
                shape += Literal;
            } else if (i + 2 < n && (s[i + 1] == u'O' || s[i + 1] == u'o') && hexDigit(s[i + 2]) >= 0
                       && hexDigit(s[i + 2]) < 8) {
                i += 2;
                literals.push_back(lexRadix(s, n, i, 8));
                shape += Literal;
            } else {
                shape += Ampersand;
                ++i;
            }
            continue;
        case u'"': {
            // Doubled quotes stand for one; the common case has none and is
            // taken as one slice.
            ++i;
            QString value;
            qsizetype start = i;
            for (;;) {
                if (i >= n)
                    throwScriptError(ScriptError::UnterminatedString);
                if (s[i] == u'"') {
                    if (i + 1 < n && s[i + 1] == u'"') {
                        value.append(QStringView(s + start, i + 1 - start));
                        i += 2;
                        start = i;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            if (value.isEmpty())
                value = text.mid(start, i - start);
            else
                value.append(QStringView(s + start, i - start));
            ++i;
            literals.push_back(ScriptValue(std::move(value)));
            shape += Literal;
            continue;
        }
        case u'#': {
            qsizetype j = i + 1;
            while (j < n && s[j] != u'#' && s[j] != u'\n' && s[j] != u'\r')
                ++j;
            if (j >= n || s[j] != u'#')
                throwScriptError(ScriptError::SyntaxError);
            // Date literals are always read the US way, whatever the locale.
            double serial = 0;
            if (!ScriptConvert::parseDate(QStringView(s + i + 1, j - i - 1),
                                          ScriptLocale::forLocale(QLocale::c()), serial))
                throwScriptError(ScriptError::SyntaxError);
            literals.push_back(ScriptValue::fromDate(serial));
            shape += Literal;
            i = j + 1;
            continue;
        }
        case u'[': {
            qsizetype j = i + 1;
            while (j < n && s[j] != u']' && s[j] != u'\n' && s[j] != u'\r')
                ++j;
            if (j >= n || s[j] != u']')
                throwScriptError(ScriptError::ExpectedCloseBracket);
            shape += Identifier;
            const QByteArray name = QStringView(s + i + 1, j - i - 1).toString().toLower().toUtf8();
            for (char ch : name)
                shape += ch == 0 ? '?' : ch;
            shape += '\0';
            i = j + 1;
            continue;
        }
        default:
            break;
        }
        if (isAsciiDigit(c) || (c == u'.' && i + 1 < n && isAsciiDigit(s[i + 1]))) {
            literals.push_back(lexNumber(s, n, i));
            shape += Literal;
            continue;
        }
        if (isAsciiLetter(c)) {
            const qsizetype start = i;
            while (i < n && (isAsciiLetter(s[i]) || isAsciiDigit(s[i]) || s[i] == u'_'))
                ++i;
            const qsizetype len = i - start;
            char name[16];
            if (len < qsizetype(sizeof(name))) {
                for (qsizetype k = 0; k < len; ++k)
                    name[k] = char(s[start + k] | 0x20);
                name[len] = 0;
                bool keyword = false;
                for (const Keyword &kw : kKeywords) {
                    if (std::strcmp(kw.name, name) == 0) {
                        shape += kw.token;
                        keyword = true;
                        break;
                    }
                }
                if (keyword)
                    continue;
            }
            shape += Identifier;
            for (qsizetype k = 0; k < len; ++k) {
                const char16_t ch = s[start + k];
                shape += char(ch == u'_' ? '_' : (isAsciiDigit(ch) ? char(ch) : char(ch | 0x20)));
            }
            shape += '\0';
            continue;
        }
        throwScriptError(ScriptError::InvalidCharacter);
    }
}
