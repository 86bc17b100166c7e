// The operator routines. Each evaluates its operand texts by calling Evaluate
// again, right operand first, and never short-circuits.
#pragma once

#include <string_view>

#include "lang/context.h"

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

Result EvaluateArithmetic(Context& ctx, Arithmetic op, int32_t hint, std::string_view left,
                          std::string_view right);
Result EvaluateRemainder(Context& ctx, int32_t hint, std::string_view left, std::string_view right);
Result EvaluateConcat(Context& ctx, std::string_view left, std::string_view right);
Result EvaluateNegate(Context& ctx, int32_t hint, std::string_view operand);
Result EvaluateNot(Context& ctx, int32_t hint, std::string_view operand);
Result EvaluateCompare(Context& ctx, Comparison op, std::string_view left, std::string_view right);
Result EvaluateLogic(Context& ctx, Logic op, std::string_view left, std::string_view right);
// TARGET = EXPRESSION: a variable keeps its kind; a control gets a property.
// False when nothing was assigned (the reason has been reported).
bool AssignStatement(Context& ctx, std::string_view target, std::string_view expression);

}  // namespace quorl
