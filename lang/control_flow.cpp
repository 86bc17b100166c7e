#include "lang/control_flow.h"

#include <cmath>

#include "lang/block_scans.h"
#include "lang/builtins.h"
#include "lang/evaluate.h"
#include "lang/numbers.h"
#include "lang/operators.h"
#include "lang/scopes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

// Ends a loop that cannot go on, after one report: the same failure would
// otherwise come back on every pass, for ever. A part whose evaluation gave
// no value without a message of its own is reported with the loop's message.
void EndBrokenLoop(Context& ctx, uint64_t errorsBefore, std::string_view message,
                   void (*skip)(Context&)) {
  if (ctx.errorsReported == errorsBefore) ctx.RaiseScriptError(message);
  skip(ctx);
}

// The condition evaluated as a BOOLEAN; none when it gave no value.
std::optional<bool> ConditionHolds(Context& ctx, const Expr& condition) {
  const Plan* plan = condition.plan;
  if (plan && plan->quickPath && plan->step == Step::kCompare) {
    if (std::optional<bool> holds = QuickComparison(ctx, *plan)) return holds;
  }
  Result value = EvaluateExpr(ctx, kKindBoolean, condition);
  if (!value) return std::nullopt;
  return ValueToBoolean(*value).integer != 0;
}

bool TakeResumeFlag(Context& ctx) {
  bool resumed = ctx.resumeFlag;
  ctx.resumeFlag = false;
  return resumed;
}

// The condition of an IF or ELSEIF line: the text up to its closing " THEN".
// A line without " THEN" takes the whole rest as its condition.
std::string ConditionText(std::string_view line, size_t start) {
  std::string_view rest = line.substr(std::min(start, line.size()));
  int then = FindKeyword(rest, " THEN");
  return Normalized(then < 0 ? rest : rest.substr(0, static_cast<size_t>(then)));
}

// Adds the step to the loop variable. INTEGER variables take the sum as text,
// so they keep their own kind; DOUBLE variables step in double arithmetic.
// False when the variable could not be stepped.
bool StepVariable(Context& ctx, const ForParts& parts) {
  Value* variable = LookupTarget(ctx, parts.variable);
  bool isDouble = variable && !variable->IsControl() && variable->kind == kKindDouble;
  Result sum = EvaluateArithmetic(ctx, Arithmetic::kAdd, isDouble ? kKindDouble : kKindInteger,
                                  parts.variable, parts.step);
  if (!sum) return false;
  if (isDouble) {
    if (variable->constant) {
      ctx.RaiseScriptError("CAN'T RE-ASSIGN CONSTANT");
      return false;
    }
    CopyValue(*variable, ValueToDouble(*sum));
    return true;
  }
  Result text = ConvertValue(kKindString, *sum);
  return text && AssignStatement(ctx, parts.variable, *text->text);
}

bool TablesHoldLiteralNames(const Context& ctx) {
  return ctx.procedures.HoldsLiteralNames() || ctx.formTable.HoldsLiteralNames() ||
         ctx.globals.HoldsLiteralNames() ||
         (!ctx.frames.empty() && ctx.frames.back().locals.HoldsLiteralNames());
}

bool IsNumber(const Value& v) {
  return v.kind == kKindInteger || v.kind == kKindDouble;
}

// Where plans are kept, a FOR line whose variable is a plain INTEGER or
// DOUBLE variable, and whose step and end are plain variables or literals,
// steps the variable and tests the end on the values themselves. The result
// is what the general way gives: there an INTEGER variable takes the sum as
// text, which reads back as the same number as long as no procedure or
// variable has a name that does not begin with a letter. False, having
// changed nothing, when the line does not qualify.
bool StepDirectly(Context& ctx, const ForParts& parts) {
  // The general way nests two levels deeper than the line (a negative sum's text).
  if (!ctx.plans.Enabled() || ctx.callerScopeLookup ||
      ctx.evaluationDepth + 2 > kMaxEvaluationDepth) {
    return false;
  }
  Value* variable = LookupTarget(ctx, parts.variable);
  if (!variable || variable->IsControl() || variable->constant) return false;
  PlainOperand self = parts.variableReadsItself ? PlainOperand{variable, true}
                                                : PeekOperand(ctx, parts.variable.plan);
  PlainOperand step = PeekOperand(ctx, parts.step.plan);
  PlainOperand end = PeekOperand(ctx, parts.end.plan);
  if (self.value != variable || !step.value || !end.value || !IsNumber(*end.value)) return false;
  if (variable->kind == kKindInteger) {
    if (TablesHoldLiteralNames(ctx)) return false;
    if (!step.isVariable && step.value->kind != kKindInteger) return false;
    variable->integer = Wrap(int64_t{variable->integer} + IntegerOf(*step.value));
  } else if (variable->kind == kKindDouble) {
    variable->number += DoubleOf(*step.value);
  } else {
    return false;
  }
  // The step is read again after the variable changed (it may be the variable).
  double by = DoubleOf(*step.value);
  double x = DoubleOf(*variable);
  double y = DoubleOf(*end.value);
  if (NumbersCompare(by > 0 ? Comparison::kGreater : Comparison::kLess, x, y)) SkipToNext(ctx);
  return true;
}

}  // namespace

ConditionalLine ReadConditionalLine(std::string_view line) {
  ConditionalLine read;
  read.continuesChain = StartsWith(line, "ELSEIF ") || StartsWith(line, "ELSE");
  if (StartsWith(line, "IF ")) {
    read.condition = ConditionText(line, 2);
  } else if (StartsWith(line, "ELSEIF ")) {
    read.condition = ConditionText(line, 6);
  } else {
    read.condition = "TRUE";
  }
  return read;
}

std::string WhileCondition(std::string_view line) {
  return Normalized(line.substr(std::min<size_t>(5, line.size())));
}

std::optional<ForLineText> CutForLine(std::string_view line) {
  size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals < 3) return std::nullopt;
  std::string_view afterEquals = line.substr(equals + 1);
  size_t to = static_cast<size_t>(FindText(afterEquals, " TO "));
  if (to >= afterEquals.size()) return std::nullopt;
  std::string_view afterTo = afterEquals.substr(to + 4);
  size_t step = static_cast<size_t>(FindText(afterTo, " STEP "));
  ForLineText parts;
  parts.variable = Normalized(line.substr(3, equals - 3));
  parts.start = Normalized(afterEquals.substr(0, to));
  parts.end = Normalized(afterTo.substr(0, step));
  parts.step = step < afterTo.size() ? Normalized(afterTo.substr(step + 6)) : "1";
  return parts;
}

void RunConditional(Context& ctx, bool continuesChain, const Expr& condition) {
  bool resumed = TakeResumeFlag(ctx);
  if (!resumed && continuesChain) {
    // The previous branch of this construct has just run to its end.
    SkipToEndIf(ctx);
    return;
  }
  std::optional<bool> holds = ConditionHolds(ctx, condition);
  if (holds && !*holds) SkipToNextBranch(ctx);
}

void RunWhile(Context& ctx, const Expr& condition) {
  TakeResumeFlag(ctx);
  uint64_t errorsBefore = ctx.errorsReported;
  std::optional<bool> holds = ConditionHolds(ctx, condition);
  if (!holds) {
    EndBrokenLoop(ctx, errorsBefore, "ERROR IN WHILE LOOP", SkipToWend);
  } else if (!*holds) {
    SkipToWend(ctx);
  }
}

void RunFor(Context& ctx, const ForParts* cut) {
  bool resumed = TakeResumeFlag(ctx);
  uint64_t errorsBefore = ctx.errorsReported;
  auto broken = [&] { EndBrokenLoop(ctx, errorsBefore, "ERROR IN FOR LOOP", SkipToNext); };
  if (!cut) return broken();
  const ForParts& parts = *cut;
  if (!resumed) {
    if (!AssignStatement(ctx, parts.variable, parts.start)) broken();
    return;
  }
  if (StepDirectly(ctx, parts)) return;
  if (!StepVariable(ctx, parts)) return broken();
  Result step = EvaluateExpr(ctx, kKindDouble, parts.step);
  if (!step) return broken();
  ConvertValueInPlace(kKindDouble, *step);
  Comparison exitTest = step->number > 0 ? Comparison::kGreater : Comparison::kLess;
  Result finished = EvaluateCompare(ctx, exitTest, parts.variable, parts.end);
  if (!finished) return broken();
  if (finished->integer != 0) SkipToNext(ctx);
}

}  // namespace quorl
