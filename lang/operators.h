// The operator routines. Each evaluates its operand texts by calling Evaluate
// again, right operand first, and never short-circuits.
#pragma once

#include <string_view>

#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

enum class Arithmetic { kAdd, kSubtract, kMultiply, kDivide };
enum class Logic { kAnd = 0, kOr = 1, kXor = 2 };
enum class Comparison {
  kEqual = 0,
  kNotEqual = 1,
  kLess = 2,
  kGreater = 3,
  kLessOrEqual = 4,
  kGreaterOrEqual = 5
};

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

}  // namespace quorl
