// The statement executor: classifies a text, splits it at its loosest
// operator and runs the statement or computes the expression. Where plans
// are kept (lang/plan_cache.h) a text is classified once and its plan run
// each time; otherwise it is split again every time it runs.
#pragma once

#include <string_view>

#include "lang/context.h"
#include "lang/plan.h"
#include "lang/split_point.h"

namespace quorl {

// Counts one level of nested evaluation for as long as it lives.
class EvaluationLevel {
 public:
  explicit EvaluationLevel(Context& ctx) : ctx_(ctx) { ++ctx_.evaluationDepth; }
  ~EvaluationLevel() { --ctx_.evaluationDepth; }
  EvaluationLevel(const EvaluationLevel&) = delete;
  EvaluationLevel& operator=(const EvaluationLevel&) = delete;

 private:
  Context& ctx_;
};

// Executes a line (statement mode) or evaluates an expression with a wanted kind.
Result Evaluate(Context& ctx, int32_t wantedKind, std::string_view text, bool statementMode);
// Executes stored line index, as Evaluate of its text in statement mode.
void RunLine(Context& ctx, int index);
// Evaluates an expression (statement mode clear) through its plan when it has one.
Result EvaluateExpr(Context& ctx, int32_t wantedKind, const Expr& expression);
// Runs a plan as Evaluate runs its text: one level of nesting, the split's
// messages, then the action.
Result RunPlan(Context& ctx, int32_t wantedKind, const Plan& plan);

}  // namespace quorl
