#include "engine/scripterror.h"

ScriptError ScriptError::make(int code, const QString &name)
{
    ScriptError e;
    e.number = code;
    e.description = standardDescription(code);
    if (!name.isEmpty())
        e.description += QStringLiteral(": '") + name + QLatin1Char('\'');
    return e;
}

QString ScriptError::standardDescription(int code)
{
    switch (code) {
    case InvalidCall:
        return QCoreApplication::translate("ScriptError", "Invalid procedure call or argument");
    case Overflow:
        return QCoreApplication::translate("ScriptError", "Overflow");
    case OutOfMemory:
        return QCoreApplication::translate("ScriptError", "Out of memory");
    case DivisionByZero:
        return QCoreApplication::translate("ScriptError", "Division by zero");
    case TypeMismatch:
        return QCoreApplication::translate("ScriptError", "Type mismatch");
    case OutOfStackSpace:
        return QCoreApplication::translate("ScriptError", "Out of stack space");
    case ObjectNotSet:
        return QCoreApplication::translate("ScriptError", "Object variable not set");
    case InvalidUseOfNull:
        return QCoreApplication::translate("ScriptError", "Invalid use of Null");
    case ObjectRequired:
        return QCoreApplication::translate("ScriptError", "Object required");
    case WrongArguments:
        return QCoreApplication::translate("ScriptError",
                                           "Wrong number of arguments or invalid property assignment");
    case VariableUndefined:
        return QCoreApplication::translate("ScriptError", "Variable is undefined");
    case SyntaxError:
        return QCoreApplication::translate("ScriptError", "Syntax error");
    case ExpectedCloseParen:
        return QCoreApplication::translate("ScriptError", "Expected ')'");
    case ExpectedCloseBracket:
        return QCoreApplication::translate("ScriptError", "Expected ']'");
    case ExpectedExpression:
        return QCoreApplication::translate("ScriptError", "Expected expression");
    case ExpectedEndOfStatement:
        return QCoreApplication::translate("ScriptError", "Expected end of statement");
    case InvalidNumber:
        return QCoreApplication::translate("ScriptError", "Invalid number");
    case InvalidCharacter:
        return QCoreApplication::translate("ScriptError", "Invalid character");
    case UnterminatedString:
        return QCoreApplication::translate("ScriptError", "Unterminated string constant");
    default:
        return QCoreApplication::translate("ScriptError", "Unknown runtime error");
    }
}
