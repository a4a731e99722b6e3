#pragma once

#include "engine/scripterror.h"
#include "engine/scriptvalue.h"

#include <QLocale>
#include <QString>

class ScriptLocale;

// The outcome of one evaluation: a value, or VBScript's error number and
// description (the value is then Empty).
struct ScriptResult
{
    ScriptValue value;
    ScriptError error;

    bool ok() const { return error.number == ScriptError::None; }
};

// Evaluates VBScript expressions: literals, operators, the built-in functions.
// There are no statements, variables, objects or ways to reach files,
// processes or the network, so a formula from a report file cannot run code.
// Every call stands alone; nothing one evaluation does is seen by the next.
// Parsed programs are kept in a small process-wide cache keyed by the
// expression's shape (its text with the literals taken out), so a formula whose
// substituted values change on every record is parsed once. Not thread-safe.
class ScriptEvaluator
{
public:
    // Conversions between text and numbers or dates (CDbl("1,5"), CStr(1.5),
    // FormatNumber, month names) follow `locale`: the system's by default.
    explicit ScriptEvaluator(const QLocale &locale = QLocale());

    ScriptResult evaluate(const QString &expression) const;

    // Empties the parse cache (for benchmarks and tests of the cache itself).
    static void clearCache();
    static int cacheSize();

private:
    const ScriptLocale *m_locale;
};
