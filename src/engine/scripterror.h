#pragma once

#include <QCoreApplication>
#include <QString>

// A failure of the script evaluator, numbered and worded as VBScript reports it
// so that the texts in the error list read as users of the original know them.
struct ScriptError
{
    enum Code : int {
        None = 0,
        InvalidCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        DivisionByZero = 11,
        TypeMismatch = 13,
        OutOfStackSpace = 28,
        ObjectNotSet = 91,
        InvalidUseOfNull = 94,
        ObjectRequired = 424,
        WrongArguments = 450,
        VariableUndefined = 500,
        SyntaxError = 1002,
        ExpectedCloseParen = 1006,
        ExpectedCloseBracket = 1007,
        ExpectedExpression = 1023,
        ExpectedEndOfStatement = 1025,
        InvalidNumber = 1031,
        InvalidCharacter = 1032,
        UnterminatedString = 1033,
    };

    int number = None;
    QString description;

    // The standard description of a code; `name`, when given, is appended the way
    // VBScript names the offending identifier ("Type mismatch: 'Foo'").
    static ScriptError make(int code, const QString &name = QString());
    static QString standardDescription(int code);
};

// Thrown inside the evaluator only; ScriptEvaluator::evaluate turns it into a result.
class ScriptException
{
public:
    explicit ScriptException(int code, const QString &name = QString())
        : m_code(code), m_name(name)
    {
    }
    int code() const { return m_code; }
    const QString &name() const { return m_name; }
    ScriptError error() const { return ScriptError::make(m_code, m_name); }

private:
    int m_code;
    QString m_name;
};

[[noreturn]] inline void throwScriptError(int code, const QString &name = QString())
{
    throw ScriptException(code, name);
}
