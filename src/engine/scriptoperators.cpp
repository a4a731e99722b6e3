#include "engine/scriptoperators.h"

#include "engine/scriptcontext.h"
#include "engine/scriptconvert.h"
#include "engine/scriptdate.h"
#include "engine/scripterror.h"
#include "engine/scriptlocale.h"

#include <cfloat>
#include <cmath>

namespace ScriptOperators {

namespace {

enum Rank { RByte, RInteger, RLong, RSingle, RDouble, RCurrency, RDate, REmpty };

Rank rankOf(const ScriptValue &v)
{
    switch (v.type()) {
    case ScriptValue::Byte:
        return RByte;
    case ScriptValue::Boolean:
    case ScriptValue::Integer:
        return RInteger;
    case ScriptValue::Long:
        return RLong;
    case ScriptValue::Single:
        return RSingle;
    case ScriptValue::Currency:
        return RCurrency;
    case ScriptValue::Date:
        return RDate;
    case ScriptValue::Empty:
        return REmpty;
    default:
        return RDouble;
    }
}

// The operand as a number: text is read as a Double, Nothing refused.
ScriptValue numericOperand(const ScriptValue &v, ScriptContext &context)
{
    if (v.isString())
        return ScriptValue::fromDouble(ScriptConvert::toDouble(v, context.locale));
    if (v.isNothing())
        throwScriptError(ScriptError::TypeMismatch);
    return v;
}

Rank resultRank(Rank a, Rank b)
{
    if (a == REmpty && b == REmpty)
        return RInteger;
    if (a == REmpty)
        return b;
    if (b == REmpty)
        return a;
    if ((a == RSingle && b == RLong) || (a == RLong && b == RSingle))
        return RDouble;
    return std::max(a, b);
}

ScriptValue fromWide(qint64 v, Rank rank)
{
    if (rank == RByte && v >= 0 && v <= 255)
        return ScriptValue::fromByte(quint8(v));
    if (rank <= RInteger && v >= -32768 && v <= 32767)
        return ScriptValue::fromInteger(qint16(v));
    if (v >= INT32_MIN && v <= INT32_MAX)
        return ScriptValue::fromLong(qint32(v));
    return ScriptValue::fromDouble(double(v));
}

ScriptValue checkedDouble(double d)
{
    if (!std::isfinite(d))
        throwScriptError(ScriptError::Overflow);
    return ScriptValue::fromDouble(d);
}

ScriptValue checkedDate(double d)
{
    if (!ScriptDate::isValidSerial(d))
        throwScriptError(ScriptError::Overflow);
    return ScriptValue::fromDate(d);
}

qint64 wholeOf(const ScriptValue &v)
{
    switch (v.type()) {
    case ScriptValue::Byte:
        return v.byteValue();
    case ScriptValue::Boolean:
        return v.boolValue() ? -1 : 0;
    case ScriptValue::Integer:
        return v.integerValue();
    case ScriptValue::Long:
        return v.longValue();
    default:
        return 0;
    }
}

qint64 currencyOf(const ScriptValue &v, ScriptContext &context)
{
    if (v.isEmpty())
        return 0;
    return ScriptConvert::toCurrency(v, context.locale);
}

ScriptValue arithmetic(ScriptNode::Op op, const ScriptValue &l, const ScriptValue &r, ScriptContext &context)
{
    Rank rank = resultRank(rankOf(l), rankOf(r));
    if (rank == RDate) {
        if (op == ScriptNode::Multiply)
            rank = RDouble;
        else if (op == ScriptNode::Subtract && l.type() == ScriptValue::Date && r.type() == ScriptValue::Date)
            return checkedDouble(l.number() - r.number());
    }
    switch (rank) {
    case RByte:
    case RInteger:
    case RLong:
    case REmpty: {
        const qint64 a = wholeOf(l), b = wholeOf(r);
        const qint64 v = op == ScriptNode::Add ? a + b : op == ScriptNode::Subtract ? a - b : a * b;
        return fromWide(v, rank);
    }
    case RSingle: {
        const double a = float(l.number()), b = float(r.number());
        const double v = op == ScriptNode::Add ? a + b : op == ScriptNode::Subtract ? a - b : a * b;
        if (std::fabs(v) <= double(FLT_MAX))
            return ScriptValue::fromSingle(float(v));
        return checkedDouble(v);
    }
    case RDouble: {
        const double a = l.number(), b = r.number();
        return checkedDouble(op == ScriptNode::Add ? a + b : op == ScriptNode::Subtract ? a - b : a * b);
    }
    case RCurrency: {
        const qint64 a = currencyOf(l, context), b = currencyOf(r, context);
        qint64 v = 0;
        if (op == ScriptNode::Add) {
            if (__builtin_add_overflow(a, b, &v))
                throwScriptError(ScriptError::Overflow);
        } else if (op == ScriptNode::Subtract) {
            if (__builtin_sub_overflow(a, b, &v))
                throwScriptError(ScriptError::Overflow);
        } else {
            // Both are scaled by 10000; round the product's extra scale half to even.
            const __int128 p = __int128(a) * b;
            __int128 q = p / 10000;
            const __int128 rem = p % 10000;
            const __int128 twice = (rem < 0 ? -rem : rem) * 2;
            if (twice > 10000 || (twice == 10000 && (q % 2 != 0)))
                q += p < 0 ? -1 : 1;
            if (q > INT64_MAX || q < INT64_MIN)
                throwScriptError(ScriptError::Overflow);
            v = qint64(q);
        }
        return ScriptValue::fromCurrency(v);
    }
    case RDate: {
        const double a = l.number(), b = r.number();
        return checkedDate(op == ScriptNode::Add ? a + b : a - b);
    }
    }
    return ScriptValue();
}

ScriptValue divide(const ScriptValue &l, const ScriptValue &r)
{
    const double a = l.number(), b = r.number();
    if (b == 0) {
        // 0 / 0 is an overflow in VBScript, anything else a division by zero.
        throwScriptError(a == 0 ? ScriptError::Overflow : ScriptError::DivisionByZero);
    }
    const Rank ra = rankOf(l), rb = rankOf(r);
    const bool single = (ra == RSingle && (rb <= RInteger || rb == RSingle || rb == REmpty))
                        || (rb == RSingle && (ra <= RInteger || ra == REmpty));
    const double v = a / b;
    if (single && std::fabs(v) <= double(FLT_MAX))
        return ScriptValue::fromSingle(float(v));
    return checkedDouble(v);
}

// Operands of \ and Mod: rounded to whole numbers, half to even.
qint64 integerOperand(const ScriptValue &v, ScriptContext &context)
{
    if (v.isEmpty())
        return 0;
    return ScriptConvert::toLong(v, context.locale);
}

Rank integerRank(const ScriptValue &l, const ScriptValue &r)
{
    const Rank a = rankOf(l), b = rankOf(r);
    auto small = [](Rank k) { return k == RByte || k == RInteger || k == REmpty; };
    if (a == RByte && b == RByte)
        return RByte;
    if (small(a) && small(b))
        return RInteger;
    return RLong;
}

ScriptValue integerDivide(ScriptNode::Op op, const ScriptValue &l, const ScriptValue &r, ScriptContext &context)
{
    const qint64 a = integerOperand(l, context), b = integerOperand(r, context);
    if (b == 0)
        throwScriptError(ScriptError::DivisionByZero);
    const qint64 v = op == ScriptNode::IntDivide ? a / b : a % b;
    const Rank rank = integerRank(l, r);
    if (rank == RLong && (v < INT32_MIN || v > INT32_MAX))
        throwScriptError(ScriptError::Overflow);
    return fromWide(v, rank);
}

ScriptValue power(const ScriptValue &l, const ScriptValue &r)
{
    const double a = l.number(), b = r.number();
    if (a < 0 && b != std::trunc(b))
        throwScriptError(ScriptError::InvalidCall);
    if (a == 0 && b < 0)
        throwScriptError(ScriptError::DivisionByZero);
    return checkedDouble(std::pow(a, b));
}

ScriptValue concat(const ScriptValue &l, const ScriptValue &r, ScriptContext &context)
{
    if (l.isNull() && r.isNull())
        return ScriptValue::null();
    if (l.isNothing() || r.isNothing())
        throwScriptError(ScriptError::TypeMismatch);
    const QString a = l.isNull() ? QString() : ScriptConvert::toText(l, context.locale);
    const QString b = r.isNull() ? QString() : ScriptConvert::toText(r, context.locale);
    context.chargeText(qint64(a.size()) + b.size());
    return ScriptValue(a + b);
}

// Logical operators work on Booleans, or bit by bit on whole numbers.
struct LogicalOperand
{
    bool isNull = false;
    bool isBool = false;
    qint64 bits = 0;
    Rank rank = RInteger;
};

LogicalOperand logicalOperand(const ScriptValue &v, ScriptContext &context)
{
    LogicalOperand o;
    switch (v.type()) {
    case ScriptValue::Null:
        o.isNull = true;
        return o;
    case ScriptValue::Boolean:
        o.isBool = true;
        o.bits = v.boolValue() ? -1 : 0;
        return o;
    case ScriptValue::Empty:
        return o;
    case ScriptValue::Byte:
        o.rank = RByte;
        o.bits = v.byteValue();
        return o;
    case ScriptValue::Integer:
        o.bits = v.integerValue();
        return o;
    case ScriptValue::Object:
        throwScriptError(ScriptError::TypeMismatch);
    case ScriptValue::String: {
        const QString t = v.stringValue().trimmed();
        if (t.compare(u"true", Qt::CaseInsensitive) == 0 || t.compare(u"false", Qt::CaseInsensitive) == 0) {
            o.isBool = true;
            o.bits = t.size() == 4 ? -1 : 0;
            return o;
        }
        break;
    }
    default:
        break;
    }
    o.rank = RLong;
    o.bits = ScriptConvert::toLong(v, context.locale);
    return o;
}

ScriptValue bitsResult(qint64 bits, bool isBool, Rank rank)
{
    if (isBool)
        return ScriptValue::fromBool(bits != 0);
    if (rank == RByte)
        return ScriptValue::fromByte(quint8(bits & 0xFF));
    if (rank == RInteger)
        return ScriptValue::fromInteger(qint16(bits));
    return ScriptValue::fromLong(qint32(bits));
}

ScriptValue logical(ScriptNode::Op op, const ScriptValue &lv, const ScriptValue &rv, ScriptContext &context)
{
    const LogicalOperand l = logicalOperand(lv, context);
    const LogicalOperand r = logicalOperand(rv, context);
    const bool isBool = (l.isBool || l.isNull) && (r.isBool || r.isNull);
    Rank rank = RLong;
    {
        const Rank a = l.isNull || l.isBool ? RInteger : l.rank;
        const Rank b = r.isNull || r.isBool ? RInteger : r.rank;
        if (a == RByte && b == RByte)
            rank = RByte;
        else if (a != RLong && b != RLong)
            rank = RInteger;
        if ((l.isNull && r.rank == RByte) || (r.isNull && l.rank == RByte))
            rank = RByte;
    }
    const qint64 all = -1;
    if (l.isNull || r.isNull) {
        // Null is "unknown": the result is known only where the other side
        // decides it alone.
        if (l.isNull && r.isNull)
            return ScriptValue::null();
        const qint64 known = l.isNull ? r.bits : l.bits;
        const qint64 mask = rank == RByte ? 0xFF : all;
        switch (op) {
        case ScriptNode::And:
            if (known == 0)
                return bitsResult(0, isBool, rank);
            return ScriptValue::null();
        case ScriptNode::Or:
            if ((known & mask) == mask)
                return bitsResult(known, isBool, rank);
            return ScriptValue::null();
        case ScriptNode::Imp:
            if (l.isNull && (r.bits & mask) == mask)
                return bitsResult(r.bits, isBool, rank);
            if (r.isNull && l.bits == 0)
                return bitsResult(all, isBool, rank);
            return ScriptValue::null();
        default:
            return ScriptValue::null();
        }
    }
    qint64 v = 0;
    switch (op) {
    case ScriptNode::And:
        v = l.bits & r.bits;
        break;
    case ScriptNode::Or:
        v = l.bits | r.bits;
        break;
    case ScriptNode::Xor:
        v = l.bits ^ r.bits;
        break;
    case ScriptNode::Eqv:
        v = ~(l.bits ^ r.bits);
        break;
    default:
        v = ~l.bits | r.bits;
        break;
    }
    return bitsResult(v, isBool, rank);
}

bool isNumberLike(const ScriptValue &v)
{
    return v.isNumeric();
}

int sign(double d)
{
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

} // namespace

int compare(const ScriptValue &l, const ScriptValue &r, quint8 flags, ScriptContext &context)
{
    if (l.isNull() || r.isNull())
        return -2;
    if (l.isNothing() || r.isNothing())
        throwScriptError(ScriptError::TypeMismatch);
    if (l.isString() && r.isString())
        return sign(l.stringValue().compare(r.stringValue(), Qt::CaseSensitive));
    if (l.isEmpty() && r.isEmpty())
        return 0;
    if (l.isEmpty() || r.isEmpty()) {
        const ScriptValue &other = l.isEmpty() ? r : l;
        const int s = other.isString() ? (other.stringValue().isEmpty() ? 0 : 1) : sign(other.number());
        return l.isEmpty() ? -s : s;
    }
    if (isNumberLike(l) && isNumberLike(r)) {
        if (l.type() == ScriptValue::Currency && r.type() == ScriptValue::Currency)
            return l.currencyValue() < r.currencyValue() ? -1 : l.currencyValue() > r.currencyValue() ? 1 : 0;
        const double a = l.number(), b = r.number();
        return a < b ? -1 : a > b ? 1 : 0;
    }
    // A number and a text. A constant written in the formula converts the
    // other side to its own type; two computed values never convert, and the
    // number is then less than the text.
    const bool numberLeft = isNumberLike(l);
    const ScriptValue &number = numberLeft ? l : r;
    const ScriptValue &text = numberLeft ? r : l;
    const bool numberIsLiteral = flags & (numberLeft ? ScriptNode::LeftLiteral : ScriptNode::RightLiteral);
    const bool textIsLiteral = flags & (numberLeft ? ScriptNode::RightLiteral : ScriptNode::LeftLiteral);
    int s;
    if (numberIsLiteral) {
        const double t = number.type() == ScriptValue::Date ? ScriptConvert::toDate(text, context.locale)
                                                            : ScriptConvert::toDouble(text, context.locale);
        const double n = number.number();
        s = n < t ? -1 : n > t ? 1 : 0;
    } else if (textIsLiteral) {
        s = sign(ScriptConvert::toText(number, context.locale).compare(text.stringValue(), Qt::CaseSensitive));
    } else {
        s = -1;
    }
    return numberLeft ? s : -s;
}

ScriptValue unary(ScriptNode::Op op, const ScriptValue &operand, ScriptContext &context)
{
    if (operand.isNull())
        return operand;
    if (op == ScriptNode::Not) {
        const LogicalOperand o = logicalOperand(operand, context);
        return bitsResult(~o.bits, o.isBool, o.isBool ? RInteger : o.rank);
    }
    const ScriptValue v = numericOperand(operand, context);
    if (op == ScriptNode::Identity)
        return v.isEmpty() ? ScriptValue::fromInteger(0) : v;
    switch (v.type()) {
    case ScriptValue::Empty:
        return ScriptValue::fromInteger(0);
    case ScriptValue::Boolean:
    case ScriptValue::Byte:
    case ScriptValue::Integer:
    case ScriptValue::Long:
        return fromWide(-wholeOf(v), v.type() == ScriptValue::Long ? RLong : RInteger);
    case ScriptValue::Single:
        return ScriptValue::fromSingle(-v.singleValue());
    case ScriptValue::Currency:
        if (v.currencyValue() == INT64_MIN)
            throwScriptError(ScriptError::Overflow);
        return ScriptValue::fromCurrency(-v.currencyValue());
    case ScriptValue::Date:
        return checkedDate(-v.dateValue());
    default:
        return ScriptValue::fromDouble(-v.number());
    }
}

ScriptValue binary(ScriptNode::Op op, const ScriptValue &left, const ScriptValue &right, quint8 flags,
                   ScriptContext &context)
{
    switch (op) {
    case ScriptNode::Concat:
        return concat(left, right, context);
    case ScriptNode::Equal:
    case ScriptNode::NotEqual:
    case ScriptNode::Less:
    case ScriptNode::Greater:
    case ScriptNode::LessEqual:
    case ScriptNode::GreaterEqual: {
        const int c = compare(left, right, flags, context);
        if (c == -2)
            return ScriptValue::null();
        bool b = false;
        switch (op) {
        case ScriptNode::Equal:
            b = c == 0;
            break;
        case ScriptNode::NotEqual:
            b = c != 0;
            break;
        case ScriptNode::Less:
            b = c < 0;
            break;
        case ScriptNode::Greater:
            b = c > 0;
            break;
        case ScriptNode::LessEqual:
            b = c <= 0;
            break;
        default:
            b = c >= 0;
            break;
        }
        return ScriptValue::fromBool(b);
    }
    case ScriptNode::Is:
        if (!left.isNothing() || !right.isNothing())
            throwScriptError(ScriptError::ObjectRequired);
        return ScriptValue::fromBool(true);
    case ScriptNode::And:
    case ScriptNode::Or:
    case ScriptNode::Xor:
    case ScriptNode::Eqv:
    case ScriptNode::Imp:
        return logical(op, left, right, context);
    default:
        break;
    }
    if (left.isNull() || right.isNull())
        return ScriptValue::null();
    if (op == ScriptNode::Add && (left.isString() || left.isEmpty()) && (right.isString() || right.isEmpty())
        && !(left.isEmpty() && right.isEmpty())) {
        const QString &a = left.isString() ? left.stringValue() : right.stringValue();
        if (!left.isString() || !right.isString())
            return ScriptValue(a);
        context.chargeText(qint64(left.stringValue().size()) + right.stringValue().size());
        return ScriptValue(left.stringValue() + right.stringValue());
    }
    const ScriptValue l = numericOperand(left, context);
    const ScriptValue r = numericOperand(right, context);
    switch (op) {
    case ScriptNode::Add:
    case ScriptNode::Subtract:
    case ScriptNode::Multiply:
        return arithmetic(op, l, r, context);
    case ScriptNode::Divide:
        return divide(l, r);
    case ScriptNode::IntDivide:
    case ScriptNode::Modulo:
        return integerDivide(op, l, r, context);
    case ScriptNode::Power:
        return power(l, r);
    default:
        break;
    }
    return ScriptValue();
}

} // namespace ScriptOperators
