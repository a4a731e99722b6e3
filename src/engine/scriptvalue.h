#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

// The evaluator's Variant: the subtypes VBScript distinguishes, with VarType
// numbers as their values. Currency is a 64-bit count of ten-thousandths; a Date
// is a count of days since 1899-12-30 whose fraction is the time of day (for
// days before that date the fraction still counts forwards from midnight).
class ScriptValue
{
public:
    enum Type : quint8 {
        Empty = 0,
        Null = 1,
        Integer = 2,
        Long = 3,
        Single = 4,
        Double = 5,
        Currency = 6,
        Date = 7,
        String = 8,
        Object = 9, // only Nothing: the evaluator has no objects
        Boolean = 11,
        Byte = 17,
    };

    ScriptValue() noexcept { m_num.d = 0; }
    explicit ScriptValue(const QString &text) : m_type(String), m_text(text) { m_num.d = 0; }
    explicit ScriptValue(QString &&text) : m_type(String), m_text(std::move(text)) { m_num.d = 0; }

    static ScriptValue null() { return withType(Null); }
    static ScriptValue nothing() { return withType(Object); }
    static ScriptValue fromBool(bool b);
    static ScriptValue fromByte(quint8 b);
    static ScriptValue fromInteger(qint16 i);
    static ScriptValue fromLong(qint32 l);
    static ScriptValue fromSingle(float f);
    static ScriptValue fromDouble(double d);
    static ScriptValue fromCurrency(qint64 tenThousandths);
    static ScriptValue fromDate(double serial);
    static ScriptValue fromString(const QString &s) { return ScriptValue(s); }

    // Database values arrive as QVariant; strings, numbers, booleans, dates and
    // nulls map to the matching subtype, anything else to its text.
    static ScriptValue fromVariant(const QVariant &v);
    QVariant toVariant() const;

    Type type() const { return m_type; }
    bool isEmpty() const { return m_type == Empty; }
    bool isNull() const { return m_type == Null; }
    bool isString() const { return m_type == String; }
    bool isNothing() const { return m_type == Object; }
    // Numbers in the wide sense: every subtype that arithmetic takes without a
    // text conversion (Boolean and Date included, Empty excluded).
    bool isNumeric() const
    {
        return m_type != Empty && m_type != Null && m_type != String && m_type != Object;
    }

    bool boolValue() const { return m_num.b; }
    quint8 byteValue() const { return m_num.by; }
    qint16 integerValue() const { return m_num.i; }
    qint32 longValue() const { return m_num.l; }
    float singleValue() const { return m_num.f; }
    double doubleValue() const { return m_num.d; }
    qint64 currencyValue() const { return m_num.cy; }
    double dateValue() const { return m_num.d; }
    const QString &stringValue() const { return m_text; }

    // The value of a numeric subtype as a double (True is -1, a currency its
    // amount, a date its serial); 0 for Empty and every non-numeric subtype.
    double number() const;

    int varType() const { return m_type; }
    QString typeName() const;

    // Same subtype and same value; for tests and caches, not VBScript's "=".
    bool identical(const ScriptValue &other) const;

private:
    static ScriptValue withType(Type t)
    {
        ScriptValue v;
        v.m_type = t;
        return v;
    }

    Type m_type = Empty;
    union {
        bool b;
        quint8 by;
        qint16 i;
        qint32 l;
        float f;
        double d;
        qint64 cy;
    } m_num;
    QString m_text;
};

Q_DECLARE_METATYPE(ScriptValue)
