#include "platform/accessfunctions.h"

#include "platform/accesssql.h"

#include <QDateTime>
#include <QString>

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace {

const QString storedFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString textArg(sqlite3_value *v)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return QString::fromUtf8(text, sqlite3_value_bytes(v));
}

bool isNull(sqlite3_value *v)
{
    return sqlite3_value_type(v) == SQLITE_NULL;
}

void resultText(sqlite3_context *ctx, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// A date argument: the copy's text form, another date text, or a Jet serial
// number (days since 1899-12-30, the fraction being the time of day).
QDateTime dateArg(sqlite3_value *v)
{
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        const double serial = sqlite3_value_double(v);
        const double days = std::trunc(serial);
        const qint64 secs = std::llround(std::fabs(serial - days) * 86400.0);
        return QDateTime(QDate(1899, 12, 30).addDays(qint64(days)), QTime(0, 0), Qt::UTC)
            .addSecs(secs);
    }
    const QString text = textArg(v).trimmed();
    QDateTime dt = QDateTime::fromString(text, storedFormat);
    if (!dt.isValid())
        dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!dt.isValid()) {
        const QString lit = AccessSql::dateLiteral(text);
        if (!lit.isEmpty())
            dt = QDateTime::fromString(lit, storedFormat);
    }
    dt.setTimeSpec(Qt::UTC);
    return dt;
}

template <typename F>
void withDate(sqlite3_context *ctx, sqlite3_value *v, F f)
{
    if (isNull(v)) {
        sqlite3_result_null(ctx);
        return;
    }
    const QDateTime dt = dateArg(v);
    if (!dt.isValid()) {
        sqlite3_result_error(ctx, "Data type mismatch in criteria expression.", -1);
        return;
    }
    f(dt);
}

#define NULL_IN_NULL_OUT(i)                                                                       \
    if (isNull(argv[i])) {                                                                        \
        sqlite3_result_null(ctx);                                                                 \
        return;                                                                                   \
    }

void fnLen(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    sqlite3_result_int64(ctx, textArg(argv[0]).size());
}

void fnUCase(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    resultText(ctx, textArg(argv[0]).toUpper());
}

void fnLCase(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    resultText(ctx, textArg(argv[0]).toLower());
}

void fnLeft(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const qint64 len = sqlite3_value_int64(argv[1]);
    if (len < 0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    resultText(ctx, textArg(argv[0]).left(qsizetype(len)));
}

void fnRight(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const qint64 len = sqlite3_value_int64(argv[1]);
    if (len < 0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    resultText(ctx, textArg(argv[0]).right(qsizetype(len)));
}

void fnMid(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 len = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
    if (start < 1 || (argc > 2 && len < 0)) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    const QString text = textArg(argv[0]);
    resultText(ctx, text.mid(qsizetype(start - 1), argc > 2 ? qsizetype(len) : -1));
}

void fnInStr(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    int first = 0;
    qint64 start = 1;
    if (argc == 3) {
        NULL_IN_NULL_OUT(0);
        start = sqlite3_value_int64(argv[0]);
        first = 1;
        if (start < 1) {
            sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
            return;
        }
    }
    NULL_IN_NULL_OUT(first);
    NULL_IN_NULL_OUT(first + 1);
    const QString text = textArg(argv[first]);
    const QString what = textArg(argv[first + 1]);
    if (start > text.size() + 1) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const qsizetype at = text.indexOf(what, qsizetype(start - 1), Qt::CaseInsensitive);
    sqlite3_result_int64(ctx, at < 0 ? 0 : at + 1);
}

void fnNz(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (!isNull(argv[0]))
        sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, argv[1]);
    else
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void fnYear(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0], [&](const QDateTime &d) { sqlite3_result_int(ctx, d.date().year()); });
}

void fnMonth(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0], [&](const QDateTime &d) { sqlite3_result_int(ctx, d.date().month()); });
}

void fnDay(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0], [&](const QDateTime &d) { sqlite3_result_int(ctx, d.date().day()); });
}

void fnHour(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0], [&](const QDateTime &d) { sqlite3_result_int(ctx, d.time().hour()); });
}

void fnMinute(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0],
             [&](const QDateTime &d) { sqlite3_result_int(ctx, d.time().minute()); });
}

void fnSecond(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0],
             [&](const QDateTime &d) { sqlite3_result_int(ctx, d.time().second()); });
}

// Sunday is 1, as in Jet.
void fnWeekday(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0], [&](const QDateTime &d) {
        sqlite3_result_int(ctx, d.date().dayOfWeek() % 7 + 1);
    });
}

void fnNow(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDateTime::currentDateTime().toString(storedFormat));
}

void fnDate(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00")));
}

void fnTime(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QStringLiteral("1899-12-30 ") +
                        QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void fnDateValue(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0], [&](const QDateTime &d) {
        resultText(ctx, d.date().toString(QStringLiteral("yyyy-MM-dd 00:00:00")));
    });
}

void fnCDate(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    withDate(ctx, argv[0], [&](const QDateTime &d) { resultText(ctx, d.toString(storedFormat)); });
}

void fnDateSerial(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    NULL_IN_NULL_OUT(1);
    NULL_IN_NULL_OUT(2);
    // Months and days out of range roll over, as in Jet.
    const QDate date = QDate(int(sqlite3_value_int(argv[0])), 1, 1)
                           .addMonths(sqlite3_value_int(argv[1]) - 1)
                           .addDays(sqlite3_value_int(argv[2]) - 1);
    if (!date.isValid()) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    resultText(ctx, date.toString(QStringLiteral("yyyy-MM-dd 00:00:00")));
}

void fnInt(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER)
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    else
        sqlite3_result_double(ctx, std::floor(sqlite3_value_double(argv[0])));
}

void fnFix(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER)
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    else
        sqlite3_result_double(ctx, std::trunc(sqlite3_value_double(argv[0])));
}

void fnSgn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const double v = sqlite3_value_double(argv[0]);
    sqlite3_result_int(ctx, v > 0 ? 1 : (v < 0 ? -1 : 0));
}

// The number at the start of a text, spaces ignored, as Val reads it.
void fnVal(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    QString text = textArg(argv[0]);
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\t'));
    qsizetype end = 0;
    if (end < text.size() && (text.at(end) == QLatin1Char('-') || text.at(end) == QLatin1Char('+')))
        ++end;
    bool dot = false;
    while (end < text.size() && (text.at(end).isDigit() || (!dot && text.at(end) == QLatin1Char('.')))) {
        dot = dot || text.at(end) == QLatin1Char('.');
        ++end;
    }
    bool ok = false;
    const double v = text.left(end).toDouble(&ok);
    sqlite3_result_double(ctx, ok ? v : 0.0);
}

void fnCStr(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    resultText(ctx, textArg(argv[0]));
}

void roundToInteger(sqlite3_context *ctx, sqlite3_value *v, qint64 low, qint64 high)
{
    if (isNull(v)) {
        sqlite3_result_null(ctx);
        return;
    }
    // Jet rounds halves to even.
    const double r = std::nearbyint(sqlite3_value_double(v));
    if (!(r >= double(low) && r <= double(high))) {
        sqlite3_result_error(ctx, "Overflow", -1);
        return;
    }
    sqlite3_result_int64(ctx, qint64(r));
}

void fnCInt(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    roundToInteger(ctx, argv[0], -32768, 32767);
}

void fnCLng(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    roundToInteger(ctx, argv[0], std::numeric_limits<qint32>::min(),
                   std::numeric_limits<qint32>::max());
}

void fnCDbl(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
}

void fnCBool(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const QString text = textArg(argv[0]).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        sqlite3_result_int(ctx, 1);
    else if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        sqlite3_result_int(ctx, 0);
    else
        sqlite3_result_int(ctx, sqlite3_value_double(argv[0]) != 0.0 ? 1 : 0);
}

void fnChr(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const qint64 code = sqlite3_value_int64(argv[0]);
    if (code < 0 || code > 0xFFFF) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    resultText(ctx, QString(QChar(char16_t(code))));
}

void fnAsc(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const QString text = textArg(argv[0]);
    if (text.isEmpty()) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    sqlite3_result_int(ctx, text.at(0).unicode());
}

void fnSpace(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    NULL_IN_NULL_OUT(0);
    const qint64 count = sqlite3_value_int64(argv[0]);
    if (count < 0 || count > 1000000) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    resultText(ctx, QString(qsizetype(count), QLatin1Char(' ')));
}

struct Function
{
    const char *name;
    int args;
    void (*fn)(sqlite3_context *, int, sqlite3_value **);
    bool deterministic;
};

const Function functions[] = {
    {"Len", 1, fnLen, true},          {"UCase", 1, fnUCase, true},
    {"LCase", 1, fnLCase, true},      {"JetLeft", 2, fnLeft, true},
    {"JetRight", 2, fnRight, true},      {"Mid", 2, fnMid, true},
    {"Mid", 3, fnMid, true},          {"InStr", 2, fnInStr, true},
    {"InStr", 3, fnInStr, true},      {"Nz", 1, fnNz, true},
    {"Nz", 2, fnNz, true},            {"Year", 1, fnYear, true},
    {"Month", 1, fnMonth, true},      {"Day", 1, fnDay, true},
    {"Hour", 1, fnHour, true},        {"Minute", 1, fnMinute, true},
    {"Second", 1, fnSecond, true},    {"Weekday", 1, fnWeekday, true},
    {"Now", 0, fnNow, false},         {"Date", 0, fnDate, false},
    {"Time", 0, fnTime, false},       {"DateValue", 1, fnDateValue, true},
    {"DateSerial", 3, fnDateSerial, true}, {"CDate", 1, fnCDate, true},
    {"Int", 1, fnInt, true},          {"Fix", 1, fnFix, true},
    {"Sgn", 1, fnSgn, true},          {"Val", 1, fnVal, true},
    {"CStr", 1, fnCStr, true},        {"CInt", 1, fnCInt, true},
    {"CLng", 1, fnCLng, true},        {"CDbl", 1, fnCDbl, true},
    {"CBool", 1, fnCBool, true},      {"Chr", 1, fnChr, true},
    {"Asc", 1, fnAsc, true},          {"Space", 1, fnSpace, true},
};

} // namespace

bool AccessFunctions::install(sqlite3 *db)
{
    for (const Function &f : functions) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        if (sqlite3_create_function(db, f.name, f.args, flags, nullptr, f.fn, nullptr, nullptr) !=
            SQLITE_OK)
            return false;
    }
    return true;
}
