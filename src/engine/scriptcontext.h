#pragma once

#include "engine/scripterror.h"

#include <QtGlobal>

class ScriptLocale;

// What one evaluation carries along: the locale for conversions and a budget
// of text characters, so that a formula such as String(1E9, "x") or a chain of
// concatenations ends with "Out of memory" instead of taking the machine's.
struct ScriptContext
{
    // The longest text a single value may hold, and the total of the texts one
    // evaluation may build.
    static constexpr qint64 kMaxTextLength = 64ll * 1024 * 1024;
    static constexpr qint64 kTextBudget = 256ll * 1024 * 1024;

    explicit ScriptContext(const ScriptLocale &l) : locale(l) {}

    // Call before building a text of `length` characters.
    void chargeText(qint64 length)
    {
        if (length > kMaxTextLength || length > textBudget)
            throwScriptError(ScriptError::OutOfMemory);
        textBudget -= length;
    }

    const ScriptLocale &locale;
    qint64 textBudget = kTextBudget;
};
