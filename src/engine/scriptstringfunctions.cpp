// The string built-ins: InStr, Mid, Replace, ... and the character codes.
#include "engine/scriptbuiltins.h"
#include "engine/scripterror.h"

#include <algorithm>

namespace ScriptBuiltins {

namespace {

#define RETURN_NULL_FOR_NULL(v) \
    if ((v).isNull())           \
        return ScriptValue::null();

// A count or position argument: whole, not negative (or at least 1).
qint64 count(const ScriptValue &v, ScriptContext &c, qint64 minimum = 0)
{
    const qint64 k = whole(v, c);
    if (k < minimum)
        throwScriptError(ScriptError::InvalidCall);
    return k;
}

ScriptValue result(QString &&s, ScriptContext &c)
{
    c.chargeText(s.size());
    return ScriptValue(std::move(s));
}

bool isSpace(QChar ch)
{
    return ch == QLatin1Char(' ');
}

// Windows-1252, the code page whose codes Chr and Asc use on an English system.
constexpr char16_t kHighHalf[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar ansiChar(int code)
{
    if (code >= 0x80 && code < 0xA0)
        return QChar(kHighHalf[code - 0x80]);
    return QChar(char16_t(code));
}

int ansiCode(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighHalf[i] == u)
            return 0x80 + i;
    }
    return '?';
}

} // namespace

SCRIPT_BUILTIN(fnLen)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    if (a[0].isString())
        return ScriptValue::fromLong(qint32(a[0].stringValue().size()));
    return ScriptValue::fromLong(qint32(text(a[0], c).size()));
}

SCRIPT_BUILTIN(fnLeft)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const qint64 k = count(a[1], c);
    const QString s = text(a[0], c);
    return ScriptValue(s.left(qsizetype(std::min<qint64>(k, s.size()))));
}

SCRIPT_BUILTIN(fnRight)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const qint64 k = count(a[1], c);
    const QString s = text(a[0], c);
    return ScriptValue(s.right(qsizetype(std::min<qint64>(k, s.size()))));
}

SCRIPT_BUILTIN(fnMid)
{
    RETURN_NULL_FOR_NULL(a[0]);
    const qint64 start = count(a[1], c, 1);
    const qint64 length = n > 2 ? count(a[2], c) : -1;
    const QString s = text(a[0], c);
    if (start > s.size())
        return ScriptValue(QString());
    const qint64 available = s.size() - (start - 1);
    return ScriptValue(s.mid(qsizetype(start - 1), qsizetype(length < 0 ? available : std::min(length, available))));
}

SCRIPT_BUILTIN(fnLCase)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue(text(a[0], c).toLower());
}

SCRIPT_BUILTIN(fnUCase)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue(text(a[0], c).toUpper());
}

SCRIPT_BUILTIN(fnLTrim)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const QString s = text(a[0], c);
    qsizetype i = 0;
    while (i < s.size() && isSpace(s.at(i)))
        ++i;
    return ScriptValue(s.mid(i));
}

SCRIPT_BUILTIN(fnRTrim)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const QString s = text(a[0], c);
    qsizetype j = s.size();
    while (j > 0 && isSpace(s.at(j - 1)))
        --j;
    return ScriptValue(s.left(j));
}

SCRIPT_BUILTIN(fnTrim)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const QString s = text(a[0], c);
    qsizetype i = 0, j = s.size();
    while (i < j && isSpace(s.at(i)))
        ++i;
    while (j > i && isSpace(s.at(j - 1)))
        --j;
    return ScriptValue(s.mid(i, j - i));
}

SCRIPT_BUILTIN(fnSpace)
{
    Q_UNUSED(n);
    const qint64 k = count(a[0], c);
    c.chargeText(k);
    return ScriptValue(QString(qsizetype(k), QLatin1Char(' ')));
}

SCRIPT_BUILTIN(fnString)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[1]);
    const qint64 k = count(a[0], c);
    QChar ch;
    if (a[1].isString()) {
        if (a[1].stringValue().isEmpty())
            throwScriptError(ScriptError::InvalidCall);
        ch = a[1].stringValue().at(0);
    } else {
        const qint32 code = whole(a[1], c);
        ch = ansiChar(((code % 256) + 256) % 256);
    }
    c.chargeText(k);
    return ScriptValue(QString(qsizetype(k), ch));
}

SCRIPT_BUILTIN(fnStrReverse)
{
    Q_UNUSED(n);
    QString s = text(a[0], c);
    std::reverse(s.begin(), s.end());
    return ScriptValue(std::move(s));
}

SCRIPT_BUILTIN(fnStrComp)
{
    if (a[0].isNull() || a[1].isNull())
        return ScriptValue::null();
    const Qt::CaseSensitivity cs = compareMode(a, n, 2, c);
    const int r = text(a[0], c).compare(text(a[1], c), cs);
    return ScriptValue::fromInteger(r < 0 ? -1 : r > 0 ? 1 : 0);
}

// InStr([start,] string1, string2[, compare]): with three or four arguments
// the first is the start position.
SCRIPT_BUILTIN(fnInStr)
{
    qint64 start = 1;
    int first = 0;
    if (n >= 3) {
        if (a[0].isNull())
            throwScriptError(ScriptError::InvalidUseOfNull);
        start = count(a[0], c, 1);
        first = 1;
    }
    const Qt::CaseSensitivity cs = n == 4 ? compareMode(a, n, 3, c) : Qt::CaseSensitive;
    if (a[first].isNull() || a[first + 1].isNull())
        return ScriptValue::null();
    const QString s = text(a[first], c);
    const QString find = text(a[first + 1], c);
    if (start > s.size())
        return ScriptValue::fromLong(0);
    if (find.isEmpty())
        return ScriptValue::fromLong(qint32(start));
    return ScriptValue::fromLong(qint32(s.indexOf(find, qsizetype(start - 1), cs) + 1));
}

SCRIPT_BUILTIN(fnInStrRev)
{
    if (a[0].isNull() || a[1].isNull())
        return ScriptValue::null();
    const QString s = text(a[0], c);
    const QString find = text(a[1], c);
    qint64 start = n > 2 ? whole(a[2], c) : -1;
    if (start == 0 || start < -1)
        throwScriptError(ScriptError::InvalidCall);
    const Qt::CaseSensitivity cs = compareMode(a, n, 3, c);
    if (start == -1)
        start = s.size();
    if (find.isEmpty())
        return ScriptValue::fromLong(qint32(start));
    if (start > s.size())
        return ScriptValue::fromLong(0);
    // The match must end at or before position start.
    const qint64 from = start - find.size();
    if (from < 0)
        return ScriptValue::fromLong(0);
    return ScriptValue::fromLong(qint32(s.lastIndexOf(find, qsizetype(from), cs) + 1));
}

// Replace(expression, find, with[, start[, count[, compare]]]): the result
// begins at `start`, as VBScript's does.
SCRIPT_BUILTIN(fnReplace)
{
    for (int i = 0; i < 3; ++i) {
        if (a[i].isNull())
            return ScriptValue::null();
    }
    const QString s = text(a[0], c);
    const QString find = text(a[1], c);
    const QString with = text(a[2], c);
    const qint64 start = n > 3 ? count(a[3], c, 1) : 1;
    qint64 times = n > 4 ? whole(a[4], c) : -1;
    if (times < -1)
        throwScriptError(ScriptError::InvalidCall);
    const Qt::CaseSensitivity cs = compareMode(a, n, 5, c);
    if (start > s.size())
        return ScriptValue(QString());
    const QString rest = s.mid(qsizetype(start - 1));
    if (find.isEmpty() || times == 0)
        return ScriptValue(rest);
    QString out;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype hit = times == 0 ? -1 : rest.indexOf(find, pos, cs);
        if (hit < 0)
            break;
        if (qint64(out.size()) + (hit - pos) + with.size() > ScriptContext::kMaxTextLength)
            throwScriptError(ScriptError::OutOfMemory);
        out.append(QStringView(rest).mid(pos, hit - pos));
        out.append(with);
        pos = hit + find.size();
        if (times > 0)
            --times;
    }
    out.append(QStringView(rest).mid(pos));
    return result(std::move(out), c);
}

SCRIPT_BUILTIN(fnAsc)
{
    Q_UNUSED(n);
    const QString s = text(a[0], c);
    if (s.isEmpty())
        throwScriptError(ScriptError::InvalidCall);
    return ScriptValue::fromInteger(qint16(ansiCode(s.at(0))));
}

SCRIPT_BUILTIN(fnAscW)
{
    Q_UNUSED(n);
    const QString s = text(a[0], c);
    if (s.isEmpty())
        throwScriptError(ScriptError::InvalidCall);
    return ScriptValue::fromInteger(qint16(s.at(0).unicode()));
}

SCRIPT_BUILTIN(fnChr)
{
    Q_UNUSED(n);
    const qint32 code = whole(a[0], c);
    if (code < 0 || code > 255)
        throwScriptError(ScriptError::InvalidCall);
    return ScriptValue(QString(ansiChar(code)));
}

SCRIPT_BUILTIN(fnChrW)
{
    Q_UNUSED(n);
    const qint32 code = whole(a[0], c);
    if (code < -32768 || code > 65535)
        throwScriptError(ScriptError::InvalidCall);
    return ScriptValue(QString(QChar(char16_t(code & 0xFFFF))));
}

} // namespace ScriptBuiltins
