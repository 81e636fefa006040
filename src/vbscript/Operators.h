#pragma once
// VBScript's operators on variants: the type a result takes (Integer + Integer stays Integer and
// grows to Long, then Double, when it overflows), Null propagation, strings that take part in
// arithmetic as numbers, and the comparison rules for strings against numbers. Errors throw
// RuntimeError.
#include "platform/ScriptValue.h"
#include "vbscript/Ast.h"

namespace quillon::vbscript {

using platform::ScriptValue;

// An object operand stands for its default value.
ScriptValue Dereference(const ScriptValue& value);

ScriptValue Arithmetic(Op op, const ScriptValue& left, const ScriptValue& right);
ScriptValue Concatenate(const ScriptValue& left, const ScriptValue& right);
ScriptValue Logical(Op op, const ScriptValue& left, const ScriptValue& right);
ScriptValue Negate(const ScriptValue& operand);
ScriptValue LogicalNot(const ScriptValue& operand);

// Compares two values; Null when either is Null. A literal operand makes the other one follow
// its type ("10" = 10 is true when 10 is written in the code, a string is greater than any
// number otherwise).
ScriptValue Compare(Op op, const ScriptValue& left, const ScriptValue& right,
                    bool left_literal = false, bool right_literal = false);
// -1, 0 or 1 for non-Null values, with the same rules.
int CompareOrder(const ScriptValue& left, const ScriptValue& right, bool left_literal,
                 bool right_literal, bool ignore_case = false);
// The truth of a condition: Null counts as false.
bool IsTrue(const ScriptValue& value);

// Conversions that throw the error the variant rules give.
std::string ToText(const ScriptValue& value);
double ToDouble(const ScriptValue& value);
int32_t ToLong(const ScriptValue& value);
bool ToBoolean(const ScriptValue& value);
double ToDate(const ScriptValue& value);

}  // namespace quillon::vbscript
