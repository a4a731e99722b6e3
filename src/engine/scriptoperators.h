#pragma once

#include "engine/scriptprogram.h"
#include "engine/scriptvalue.h"

struct ScriptContext;

// VBScript's operators on values: result subtypes as VBScript gives them
// (Integer results that overflow become Long, Long ones Double), Null
// propagation, Empty as 0 or "", division by zero and overflow as errors.
namespace ScriptOperators {

ScriptValue unary(ScriptNode::Op op, const ScriptValue &operand, ScriptContext &context);
// `flags` tells which operands were written as constants (ScriptNode::Flags);
// comparisons of text with numbers depend on it.
ScriptValue binary(ScriptNode::Op op, const ScriptValue &left, const ScriptValue &right, quint8 flags,
                   ScriptContext &context);

// VBScript's comparison; Null when either side is Null (returned as -2).
int compare(const ScriptValue &left, const ScriptValue &right, quint8 flags, ScriptContext &context);

} // namespace ScriptOperators
