#pragma once

#include "engine/scriptvalue.h"

#include <QtGlobal>

#include <vector>

struct ScriptFunction;

// A parsed expression: a tree of nodes stored in one array, children before
// parents, the root last. Literals are not stored here but referred to by
// their position in the text, so one program serves every text of the same
// shape.
struct ScriptNode
{
    enum Kind : quint8 {
        Literal,  // a: literal slot
        Constant, // a: index into ScriptProgram::constants
        Unary,    // op, a: operand
        Binary,   // op, a, b: operands; flags: which operands are literals
        Call,     // function, a: first entry in ScriptProgram::arguments, b: count
    };
    enum Op : quint8 {
        Negate,
        Identity,
        Not,
        Add,
        Subtract,
        Multiply,
        Divide,
        IntDivide,
        Modulo,
        Power,
        Concat,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        Is,
        And,
        Or,
        Xor,
        Eqv,
        Imp,
    };
    enum Flags : quint8 { LeftLiteral = 1, RightLiteral = 2 };

    Kind kind;
    Op op = Negate;
    quint8 flags = 0;
    qint32 a = 0;
    qint32 b = 0;
    const ScriptFunction *function = nullptr;
};

struct ScriptProgram
{
    std::vector<ScriptNode> nodes;
    std::vector<qint32> arguments;
    std::vector<ScriptValue> constants;
    int root = -1;
};
