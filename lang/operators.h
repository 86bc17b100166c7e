// The operator routines. Each evaluates its operand texts by calling Evaluate
// again, right operand first, and never short-circuits.
#pragma once

#include <string_view>

#include "lang/arithmetic.h"
#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

Result EvaluateArithmetic(Context& ctx, Arithmetic op, int32_t hint, const Expr& left,
                          const Expr& right);
Result EvaluateRemainder(Context& ctx, int32_t hint, const Expr& left, const Expr& right);
Result EvaluateConcat(Context& ctx, const Expr& left, const Expr& right);
Result EvaluateNegate(Context& ctx, int32_t hint, const Expr& operand);
Result EvaluateNot(Context& ctx, int32_t hint, const Expr& operand);
Result EvaluateCompare(Context& ctx, Comparison op, const Expr& left, const Expr& right);
Result EvaluateLogic(Context& ctx, Logic op, const Expr& left, const Expr& right);
// TARGET = EXPRESSION: a variable keeps its kind; a control gets a property.
// False when nothing was assigned (the reason has been reported).
bool AssignStatement(Context& ctx, const Expr& target, const Expr& expression);
// The text of two values joined, as "&" joins them; none when either has no text.
Result JoinTexts(Context& ctx, Value&& a, Value&& b);

}  // namespace quorl
