#include "formulatext.h"

#include "engine/scriptconvert.h"
#include "engine/scriptdate.h"
#include "engine/scriptlocale.h"
#include "engine/scriptvalue.h"
#include "engine/variabletable.h"
#include "engine/vbformat.h"
#include "platform/adotype.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <vector>

namespace {

// Appends `piece`, doubling its double quotes when it goes inside a string.
void appendPiece(QString &out, QStringView piece, bool quoted)
{
    if (!quoted || !piece.contains(u'"')) {
        out.append(piece);
        return;
    }
    for (const QChar c : piece) {
        out.append(c);
        if (c == u'"')
            out.append(c);
    }
}

QStringView tokenName(QStringView token)
{
    if (token.startsWith(u'['))
        token = token.mid(1);
    if (token.endsWith(u']'))
        token.chop(1);
    return token;
}

// When the token closed at `close` goes on as ".[Name]", the position of
// that name's "]", else 0.
qsizetype qualifiedEnd(const QString &text, qsizetype close)
{
    if (!QStringView(text).mid(close + 1, 2).startsWith(QLatin1String(".[")))
        return 0;
    for (qsizetype k = close + 3; k < text.size(); ++k) {
        if (text.at(k) == u'[')
            return 0;
        if (text.at(k) == u']')
            return k;
    }
    return 0;
}

// "[Section].[Field]" shortened to "[Field]" where it stands complete. A
// qualified reference whose field is no variable goes to `missing` unless
// the section's own record has it.
QString unqualified(const QString &text, const VariableTable &vars,
                    const QualifiedLookup &qualified, const MissingReference &missing)
{
    QString out;
    qsizetype start = 0;
    QVariant unused;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'[')
            continue;
        qsizetype j = i + 1;
        while (j < text.size() && text.at(j) != u'[' && text.at(j) != u']')
            ++j;
        if (j >= text.size() || text.at(j) == u'[')
            continue;
        const qsizetype end = qualifiedEnd(text, j);
        if (end == 0)
            continue;
        const QStringView table = QStringView(text).mid(i + 1, j - i - 1);
        const QStringView name = QStringView(text).mid(j + 3, end - j - 3);
        if (missing && !vars.find(name) && !(qualified && qualified(table, name, unused)))
            missing(table, name);
        out.append(QStringView(text).mid(start, i - start));
        out.append(QStringView(text).mid(j + 2, end - j - 1));
        start = end + 1;
        i = end;
    }
    out.append(QStringView(text).mid(start));
    return out;
}

// Where the reference from `begin` to `end` (both brackets included)
// stands, `quoted` telling whether a string is open there.
FormulaSlot slotAt(QStringView text, qsizetype begin, qsizetype end, bool quoted)
{
    if (quoted)
        return FormulaSlot::InString;
    if (begin > 0 && text.at(begin - 1) == u'#' && end + 1 < text.size() &&
        text.at(end + 1) == u'#')
        return FormulaSlot::InHashes;
    return FormulaSlot::Expression;
}

// A value that brings a "[" of its own, or an odd number of double quotes
// (which would change what later tokens see as quoted), needs the passes.
bool needsPasses(QStringView inserted)
{
    return inserted.contains(u'[') || inserted.count(u'"') % 2 != 0;
}

// Every token of the text in the order of its "[" (what nthBracketToken
// gives for n = 1 … countBrackets), in one scan.
std::vector<QString> allTokens(QStringView text)
{
    std::vector<QString> tokens;
    std::vector<bool> closed;
    QString buffer;
    bool inside = false;
    for (const QChar c : text) {
        if (c == u'[') {
            inside = true;
            tokens.emplace_back();
            closed.push_back(false);
            buffer = QStringLiteral("[");
        } else if (c == u']') {
            inside = false;
            buffer.append(c);
            if (!tokens.empty() && !closed.back()) {
                tokens.back() = buffer;
                closed.back() = true;
            }
        } else if (inside) {
            buffer.append(c);
        }
    }
    const QString last = buffer.trimmed();
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!closed[i])
            tokens[i] = last;
    }
    return tokens;
}

// The common case in one pass: every "[" is closed before the next one, so
// each token is a "[name]" of its own and replacing them one after the other
// comes to replacing each where it stands. That holds only while no value
// needs the passes (needsPasses); then the caller falls back to them. False
// when the fast way does not apply.
bool replaceClosedTokens(const QString &text, const VariableTable &vars, QString &result,
                         const QualifiedLookup &qualified, const MissingReference &missing)
{
    static const QVariant zero(0);
    QVariant looked;
    result.clear();
    result.reserve(text.size() + 16);
    bool quoted = false;
    qsizetype start = 0; // first character not yet copied
    const qsizetype n = text.size();
    const QChar *p = text.constData();
    // Missing references are told only once the whole text went this way.
    std::vector<std::pair<QStringView, QStringView>> unresolved;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p[i];
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (c != u'[')
            continue;
        qsizetype j = i + 1;
        while (j < n && p[j] != u'[' && p[j] != u']')
            ++j;
        if (j >= n || p[j] == u'[')
            return false;
        result.append(QStringView(p + start, i - start));
        QStringView name(p + i + 1, j - i - 1);
        const qsizetype end = qualifiedEnd(text, j);
        const QVariant *value = nullptr;
        QStringView table;
        if (end > 0) {
            table = name;
            name = QStringView(p + j + 3, end - j - 3);
            if (qualified && qualified(table, name, looked))
                value = &looked;
            j = end;
        }
        if (!value)
            value = vars.find(name);
        if (!value && end > 0 && missing)
            unresolved.emplace_back(table, name);
        const qsizetype before = result.size();
        appendFormulaValue(result, value ? *value : zero, slotAt(text, i, j, quoted));
        if (needsPasses(QStringView(result).mid(before)))
            return false;
        start = j + 1;
        i = j;
        if (result.size() > maxSubstitutedLength)
            return false;
    }
    result.append(QStringView(p + start, n - start));
    for (const auto &[table, name] : unresolved)
        missing(table, name);
    return true;
}

// Replaces every occurrence of `token` (any case) in `work` by the value.
// `work` counts the characters scanned against the budget.
bool replaceToken(QString &work, QStringView token, const QVariant &value, qsizetype &work_done)
{
    work_done += work.size();
    if (work_done > maxSubstitutionWork)
        return false;
    QString out;
    bool quoted = false;
    bool any = false;
    qsizetype start = 0;
    const qsizetype n = work.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = work.at(i);
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (c != token.front() || n - i < token.size())
            continue;
        if (QStringView(work).mid(i, token.size()).compare(token, Qt::CaseInsensitive) != 0)
            continue;
        if (!any) {
            out.reserve(work.size());
            any = true;
        }
        out.append(QStringView(work).mid(start, i - start));
        appendFormulaValue(out, value, slotAt(work, i, i + token.size() - 1, quoted));
        if (out.size() > maxSubstitutedLength)
            return false;
        start = i + token.size();
        i = start - 1;
    }
    if (any) {
        out.append(QStringView(work).mid(start));
        if (out.size() > maxSubstitutedLength)
            return false;
        work = std::move(out);
    }
    return true;
}

} // namespace

int countBrackets(QStringView text)
{
    return int(text.count(u'['));
}

QString nthBracketToken(QStringView text, int n)
{
    int k = 0;
    bool inside = false;
    QString buffer;
    for (const QChar c : text) {
        if (c == u'[') {
            inside = true;
            ++k;
            buffer = QStringLiteral("[");
        } else if (c == u']') {
            inside = false;
            buffer.append(c);
            if (k == n)
                return buffer;
        } else if (inside) {
            buffer.append(c);
        }
    }
    return buffer.trimmed();
}

bool replaceBracketVars(const QString &text, const VariableTable &vars, QString &result,
                        const QualifiedLookup &qualified, const MissingReference &missing)
{
    if (!text.contains(u'[')) {
        result = text;
        return true;
    }
    if (replaceClosedTokens(text, vars, result, qualified, missing))
        return true;

    static const QVariant zero(0);
    result = unqualified(text, vars, qualified, missing);
    const std::vector<QString> tokens = allTokens(result);
    qsizetype workDone = 0;
    for (const QString &token : tokens) {
        const QVariant *value = vars.find(tokenName(token));
        if (!replaceToken(result, token, value ? *value : zero, workDone))
            return false;
    }
    return true;
}

QString replaceBracketVars(const QString &text, const VariableTable &vars)
{
    QString result;
    replaceBracketVars(text, vars, result);
    return result;
}

QVariant collectionItem(const VariableTable &vars, QStringView key, const QVariant &defaultValue)
{
    const QVariant *value = vars.find(key);
    return value ? *value : defaultValue;
}

QString nullToEmpty(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return cstr(ScriptValue::fromVariant(value));
}

namespace {

// The text form of formulaText, appended.
void appendText(QString &out, const QVariant &value, bool quoted)
{
    if (!value.isValid() || value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::QString:
        appendPiece(out, value.toString(), quoted);
        return;
    case QMetaType::Bool:
        out.append(value.toBool() ? QLatin1String("True") : QLatin1String("False"));
        return;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
        out.append(QString::number(value.toLongLong()));
        return;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        out.append(QString::number(value.toULongLong()));
        return;
    case QMetaType::Float:
        out.append(QString::number(value.toFloat(), 'g', QLocale::FloatingPointShortest));
        return;
    case QMetaType::Double:
        out.append(QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest));
        return;
    case QMetaType::QDate:
        out.append(value.toDate().toString(Qt::ISODate));
        return;
    case QMetaType::QTime:
        out.append(value.toTime().toString(QStringLiteral("HH:mm:ss")));
        return;
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        out.append(dt.date().toString(Qt::ISODate));
        if (dt.time() != QTime(0, 0))
            out.append(dt.time().toString(QStringLiteral(" HH:mm:ss")));
        return;
    }
    case QMetaType::QByteArray:
        return; // a picture or other binary value has no place in a formula
    default:
        appendPiece(out, value.toString(), quoted);
        return;
    }
}

void appendStringLiteral(QString &out, QStringView text)
{
    out.append(u'"');
    appendPiece(out, text, true);
    out.append(u'"');
}

// A #…# literal the evaluator reads back as the same date and time (to the
// second) in every locale: year first, four digits, so that no day order
// applies. False for a date outside the evaluator's years 100 to 9999.
bool appendDateLiteral(QString &out, const QDate &date, const QTime &time, bool withDate,
                       bool withTime)
{
    if (withDate && (!date.isValid() || date.year() < 100 || date.year() > 9999))
        return false;
    out.append(u'#');
    if (withDate)
        out.append(QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day()));
    if (withDate && withTime)
        out.append(u' ');
    if (withTime)
        out.append(QString::asprintf("%02d:%02d:%02d", time.hour(), time.minute(), time.second()));
    out.append(u'#');
    return true;
}

void appendLiteral(QString &out, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        out.append(QLatin1String("Null"));
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        appendText(out, value, false);
        return;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double: {
        const QString number = formulaText(value);
        if (number.startsWith(u'-'))
            out.append(u'(' + number + u')');
        else
            out.append(number);
        return;
    }
    case QMetaType::QDate:
        if (!appendDateLiteral(out, value.toDate(), QTime(0, 0), true, false))
            appendStringLiteral(out, formulaText(value));
        return;
    case QMetaType::QTime:
        if (!value.toTime().isValid())
            out.append(QLatin1String("Null"));
        else
            appendDateLiteral(out, QDate(), value.toTime(), false, true);
        return;
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (!dt.isValid())
            out.append(QLatin1String("Null"));
        else if (!appendDateLiteral(out, dt.date(), dt.time(), true, dt.time() != QTime(0, 0)))
            appendStringLiteral(out, formulaText(value));
        return;
    }
    case QMetaType::QByteArray:
        out.append(QLatin1String("\"\"")); // a picture or other binary value has no text
        return;
    default:
        appendStringLiteral(out, value.toString());
        return;
    }
}

} // namespace

void appendFormulaValue(QString &out, const QVariant &value, FormulaSlot slot)
{
    switch (slot) {
    case FormulaSlot::Expression:
        appendLiteral(out, value);
        return;
    case FormulaSlot::InString:
        appendText(out, value, true);
        return;
    case FormulaSlot::InHashes:
        appendText(out, value, false);
        return;
    }
}

QString formulaText(const QVariant &value)
{
    QString out;
    appendText(out, value, false);
    return out;
}

QVariant formulaFieldValue(const QVariant &value, int adoType)
{
    if (!AdoType::isDate(adoType) || value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    QStringView s = QStringView(text).trimmed();
    // A zone mark after the time ("Z", "+02:00"): the wall-clock time as
    // written is the one shown, as for the dates the database layer reads.
    static const QRegularExpression zone(QStringLiteral("\\d(Z|[+-]\\d\\d:?\\d\\d)$"));
    const QRegularExpressionMatch m = zone.match(s);
    if (m.hasMatch() && s.size() > 10)
        s.chop(m.capturedLength(1));
    double serial = 0;
    QDate date;
    QTime time;
    if (!ScriptConvert::parseDate(s, ScriptLocale::current(), serial) ||
        !ScriptDate::fromSerial(serial, date, time))
        return value;
    switch (adoType) {
    case AdoType::DBDate:
        if (time == QTime(0, 0))
            return date;
        break;
    case AdoType::DBTime:
        if (serial >= 0 && serial < 1)
            return time;
        break;
    default:
        break;
    }
    return QDateTime(date, time, Qt::UTC);
}

QString replaceMeVar(const QString &formula, const QString &meText)
{
    static const QLatin1String me("[me]");
    if (!formula.contains(me, Qt::CaseInsensitive))
        return formula;

    // What [me] stands for outside a string.
    QString bare;
    double number = 0;
    if (!meText.trimmed().isEmpty()
        && ScriptConvert::parseNumber(meText, ScriptLocale::current(), number, true)
               == ScriptConvert::ParseResult::Ok) {
        appendLiteral(bare, QVariant(number));
    } else {
        appendStringLiteral(bare, meText);
    }

    QString out;
    out.reserve(formula.size() + meText.size() + 2);
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < formula.size(); ++i) {
        const QChar c = formula.at(i);
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (c != u'[' || QStringView(formula).mid(i, 4).compare(me, Qt::CaseInsensitive) != 0)
            continue;
        out.append(QStringView(formula).mid(start, i - start));
        if (quoted)
            appendPiece(out, meText, true);
        else
            out.append(bare);
        start = i + 4;
        i = start - 1;
    }
    out.append(QStringView(formula).mid(start));
    return out;
}

bool booleanLiteral(QStringView expression, bool &value)
{
    if (expression.size() > 6)
        return false;
    static const char *const trueTexts[] = {"true", "=true", "=t", "=yes", "=y", "y", "yes", "t"};
    static const char *const falseTexts[] = {"false", "=false", "=f", "=no", "=n", "n", "no", "f"};
    for (const char *t : trueTexts) {
        if (expression.compare(QLatin1String(t), Qt::CaseInsensitive) == 0) {
            value = true;
            return true;
        }
    }
    for (const char *t : falseTexts) {
        if (expression.compare(QLatin1String(t), Qt::CaseInsensitive) == 0) {
            value = false;
            return true;
        }
    }
    return false;
}

QString replacePercentVars(const QString &text, int page, int pages, const QString &fileName,
                           const QString &title)
{
    if (!text.contains(u'%'))
        return text;
    QString out = text;
    out.replace(QLatin1String("%page%"), QString::number(page));
    out.replace(QLatin1String("%pages%"), QString::number(pages));
    if (out.contains(QLatin1String("%time%")) || out.contains(QLatin1String("%date%"))) {
        const QDateTime now = QDateTime::currentDateTime();
        const ScriptValue serial
            = ScriptValue::fromDate(ScriptDate::toSerial(now.date(), now.time()));
        out.replace(QLatin1String("%time%"), formatValue(serial, QStringLiteral("Long Time")));
        out.replace(QLatin1String("%date%"), formatValue(serial, QStringLiteral("Short Date")));
    }
    out.replace(QLatin1String("%filename%"), fileName);
    out.replace(QLatin1String("%title%"), title);
    return out;
}
