#pragma once

#include "engine/scriptprogram.h"

#include <string>

// Recursive-descent parser over the token shape written by ScriptLexer, with
// VBScript's operator precedence (from loosest: Imp, Eqv, Xor, Or, And, Not,
// comparisons and Is, &, + -, Mod, \, * /, unary -, ^). Function names and
// constants are resolved here, so evaluation looks nothing up by name.
// Throws ScriptException with VBScript's compile-time errors.
class ScriptParser
{
public:
    // Deeper nesting than this ends with "Out of stack space" instead of
    // exhausting the real stack while parsing or evaluating.
    static constexpr int kMaxDepth = 200;
    static constexpr int kMaxTreeDepth = 1000;

    static ScriptProgram parse(const std::string &shape);
};
