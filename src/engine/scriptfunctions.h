#pragma once

#include "engine/scriptvalue.h"

struct ScriptContext;

// A built-in function. Arguments arrive evaluated; `argc` is between minArgs
// and maxArgs (the parser has checked). `call` is null for IIf, which the
// evaluator runs itself so that only the chosen branch is evaluated.
struct ScriptFunction
{
    const char *name; // lower case
    quint8 minArgs;
    quint8 maxArgs;
    ScriptValue (*call)(const ScriptValue *args, int argc, ScriptContext &context);
};

namespace ScriptFunctions {

constexpr int kMaxArguments = 8;

const ScriptFunction *find(const char *lowerName);
// The named constants (vbCrLf, vbSunday, ...); false for other names.
bool constant(const char *lowerName, ScriptValue &value);
bool isIIf(const ScriptFunction *function);

} // namespace ScriptFunctions
