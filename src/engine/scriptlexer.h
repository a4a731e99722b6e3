#pragma once

#include "engine/scriptvalue.h"

#include <string>
#include <vector>

// Splits an expression into tokens. The tokens are written as a compact byte
// string, the expression's "shape": one byte per token, identifiers followed by
// their lower-case name and a 0 byte, literals by nothing. The literal values go
// to a separate list in the order they appear. Two texts that differ only in
// their literals ("12.5*3" and "7*4") have the same shape, so one parsed program
// serves both; that is what keeps evaluation fast when field values are
// substituted into a formula as text for every record.
class ScriptLexer
{
public:
    enum Token : char {
        End = 0,
        Literal = 1,
        Identifier,
        LParen,
        RParen,
        Comma,
        Plus,
        Minus,
        Star,
        Slash,
        Backslash,
        Caret,
        Ampersand,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        KwMod,
        KwNot,
        KwAnd,
        KwOr,
        KwXor,
        KwEqv,
        KwImp,
        KwIs,
        KwTrue,
        KwFalse,
        KwEmpty,
        KwNull,
        KwNothing,
    };

    // Fills shape and literals (both cleared first). Throws ScriptException for
    // text that is no token: an unterminated string, a bad number or date
    // literal, a character that has no meaning in an expression.
    static void tokenize(const QString &text, std::string &shape, std::vector<ScriptValue> &literals);
};
