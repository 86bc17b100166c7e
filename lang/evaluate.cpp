#include "lang/evaluate.h"

#include "lang/block_scans.h"
#include "lang/builtins.h"
#include "lang/classify.h"
#include "lang/control_flow.h"
#include "lang/numbers.h"
#include "lang/operators.h"
#include "lang/procedures.h"
#include "lang/scopes.h"

namespace quorl {
namespace {

Result RunForLine(Context& ctx, const ForPlan* cut) {
  if (!cut) {
    RunFor(ctx, nullptr);
    return std::nullopt;
  }
  ForParts parts{Expr(cut->variable, cut->variablePlan.get(), &cut->variableName),
                 Expr(cut->start, cut->startPlan.get()), Expr(cut->end, cut->endPlan.get()),
                 Expr(cut->step, cut->stepPlan.get()), cut->variableReadsItself};
  RunFor(ctx, &parts);
  return std::nullopt;
}

// END SUB, END FUNCTION, EXIT SUB and EXIT FUNCTION end the running body.
void EndBody(Context& ctx) {
  if (CallFrame* frame = ctx.CurrentFrame()) frame->line = -1;
}

// The action of a plan; the pieces are evaluated through their plans.
Result Execute(Context& ctx, int32_t wantedKind, const Plan& plan) {
  switch (plan.step) {
    case Step::kNothing:
      return std::nullopt;
    case Step::kOperand:
      return EvaluateOperand(ctx, wantedKind, *plan.operand);
    case Step::kNegate:
      return EvaluateNegate(ctx, wantedKind, plan.Right());
    case Step::kNot:
      return EvaluateNot(ctx, wantedKind, plan.Right());
    case Step::kConditional:
      RunConditional(ctx, plan.code != 0, plan.Right());
      return std::nullopt;
    case Step::kControlMethod:
      return ctx.controls->CallControlMethod(plan.left, plan.right);
    case Step::kProcedure:
      return RunProcedure(ctx, plan);
    case Step::kBuiltin:
      return plan.builtin ? CallBuiltin(ctx, *plan.builtin, plan.right) : std::nullopt;
    case Step::kFor:
      return RunForLine(ctx, plan.forParts.get());
    case Step::kNext:
      BackToFor(ctx);
      return std::nullopt;
    case Step::kWhile:
      RunWhile(ctx, plan.Right());
      return std::nullopt;
    case Step::kWend:
      BackToWhile(ctx);
      return std::nullopt;
    case Step::kDim:
      DeclareVariable(ctx, plan.right, kScopeLocal);
      return std::nullopt;
    case Step::kConst:
      DeclareConstant(ctx, plan.right, kScopeLocal);
      return std::nullopt;
    case Step::kAssign:
      AssignStatement(ctx, plan.Left(), plan.Right());
      return std::nullopt;
    case Step::kCompare:
      return EvaluateCompare(ctx, static_cast<Comparison>(plan.code), plan.Left(), plan.Right());
    case Step::kArithmetic:
      return EvaluateArithmetic(ctx, static_cast<Arithmetic>(plan.code), wantedKind, plan.Left(),
                                plan.Right());
    case Step::kRemainder:
      return EvaluateRemainder(ctx, wantedKind, plan.Left(), plan.Right());
    case Step::kConcat:
      return EvaluateConcat(ctx, plan.Left(), plan.Right());
    case Step::kLogic:
      return EvaluateLogic(ctx, static_cast<Logic>(plan.code), plan.Left(), plan.Right());
    case Step::kEndBody:
      EndBody(ctx);
      return std::nullopt;
    case Step::kUnknownCommand:
      ctx.RaiseScriptError("UNKNOWN COMMAND");
      return std::nullopt;
    case Step::kAgain:
      if (plan.leftPlan) return RunPlan(ctx, wantedKind, *plan.leftPlan);
      return Evaluate(ctx, wantedKind, plan.left, plan.statementMode);
  }
  return std::nullopt;
}

// Once the plan's level is entered: false, after saying so, when it nests
// too deeply; otherwise the split's messages are given and the action may run.
bool MayRun(Context& ctx, const Plan& plan) {
  if (ctx.evaluationDepth > kMaxEvaluationDepth) {
    ctx.RaiseScriptError("EXPRESSION NESTED TOO DEEPLY!");
    return false;
  }
  for (const std::string& message : plan.errors) ctx.RaiseScriptError(message);
  return true;
}

// A stored line's action: the statements that give no value run without
// making one.
void RunStatement(Context& ctx, const Plan& plan) {
  switch (plan.step) {
    case Step::kAssign:
      AssignStatement(ctx, plan.Left(), plan.Right());
      return;
    case Step::kConditional:
      RunConditional(ctx, plan.code != 0, plan.Right());
      return;
    case Step::kNext:
      BackToFor(ctx);
      return;
    case Step::kWend:
      BackToWhile(ctx);
      return;
    case Step::kFor:
      RunForLine(ctx, plan.forParts.get());
      return;
    case Step::kWhile:
      RunWhile(ctx, plan.Right());
      return;
    case Step::kEndBody:
      EndBody(ctx);
      return;
    default:
      Execute(ctx, 0, plan);
      return;
  }
}

}  // namespace

Result RunPlan(Context& ctx, int32_t wantedKind, const Plan& plan) {
  if (plan.emptyText) return std::nullopt;
  EvaluationLevel level(ctx);
  if (!MayRun(ctx, plan)) return std::nullopt;
  return Execute(ctx, wantedKind, plan);
}

Result Evaluate(Context& ctx, int32_t wantedKind, std::string_view text, bool statementMode) {
  if (text.empty()) return std::nullopt;
  if (ctx.plans.Enabled()) {
    PlanHandle plan = ctx.plans.ForText(ctx, text, statementMode);
    return EvaluateExpr(ctx, wantedKind, Expr(text, &*plan));
  }
  return RunPlan(ctx, wantedKind, Classify(ctx, text, statementMode));
}

void RunLine(Context& ctx, int index) {
  if (!ctx.plans.Enabled()) {
    Evaluate(ctx, 0, ctx.lines.Line(index), true);
    return;
  }
  const Plan& plan = ctx.plans.ForLine(ctx, index);
  if (plan.emptyText) return;
  EvaluationLevel level(ctx);
  if (MayRun(ctx, plan)) RunStatement(ctx, plan);
}

Result EvaluateExpr(Context& ctx, int32_t wantedKind, const Expr& expression) {
  const Plan* plan = expression.plan;
  if (!plan) return Evaluate(ctx, wantedKind, expression.text, false);
  if (plan->quickPath) {
    // Reading a variable, a control's property or a literal runs no script
    // code, so its level of nesting changes nothing but the depth check.
    if (plan->step == Step::kOperand) {
      if (ctx.evaluationDepth < kMaxEvaluationDepth) {
        return EvaluateOperand(ctx, wantedKind, *plan->operand);
      }
    } else if (std::optional<Value> value = QuickValue(ctx, *plan, wantedKind)) {
      return value;
    }
  }
  return RunPlan(ctx, wantedKind, *plan);
}

}  // namespace quorl
