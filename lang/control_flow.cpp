#include "lang/control_flow.h"

#include "lang/block_scans.h"
#include "lang/evaluate.h"
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

struct ForParts {
  std::string variable;
  std::string start;
  std::string end;
  std::string step;
};

// FOR VAR = START TO END [STEP STEP]; false when "=" or " TO " is missing.
bool CutForLine(std::string_view line, ForParts& parts) {
  size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals < 3) return false;
  std::string_view afterEquals = line.substr(equals + 1);
  size_t to = static_cast<size_t>(FindText(afterEquals, " TO "));
  if (to >= afterEquals.size()) return false;
  std::string_view afterTo = afterEquals.substr(to + 4);
  size_t step = static_cast<size_t>(FindText(afterTo, " STEP "));
  parts.variable = Normalized(line.substr(3, equals - 3));
  parts.start = Normalized(afterEquals.substr(0, to));
  parts.end = Normalized(afterTo.substr(0, step));
  parts.step = step < afterTo.size() ? Normalized(afterTo.substr(step + 6)) : "1";
  return true;
}

// Adds the step to the loop variable. INTEGER variables take the sum as text,
// so they keep their own kind; DOUBLE variables step in double arithmetic.
// False when the variable could not be stepped.
bool StepVariable(Context& ctx, const ForParts& parts) {
  Value* variable = LookupName(ctx, parts.variable);
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

}  // namespace

void RunConditional(Context& ctx, std::string_view line) {
  bool resumed = TakeResumeFlag(ctx);
  bool isElse = StartsWith(line, "ELSEIF ") || StartsWith(line, "ELSE");
  if (!resumed && isElse) {
    // The previous branch of this construct has just run to its end.
    SkipToEndIf(ctx);
    return;
  }
  std::string condition;
  if (StartsWith(line, "IF ")) {
    condition = ConditionText(line, 2);
  } else if (StartsWith(line, "ELSEIF ")) {
    condition = ConditionText(line, 6);
  } else {
    condition = "TRUE";
  }
  Result value = Evaluate(ctx, kKindBoolean, condition, false);
  if (value && ValueToBoolean(*value).integer == 0) SkipToNextBranch(ctx);
}

void RunWhile(Context& ctx, std::string_view line) {
  TakeResumeFlag(ctx);
  uint64_t errorsBefore = ctx.errorsReported;
  Result value = Evaluate(ctx, kKindBoolean, Normalized(line.substr(5)), false);
  if (!value) {
    EndBrokenLoop(ctx, errorsBefore, "ERROR IN WHILE LOOP", SkipToWend);
  } else if (ValueToBoolean(*value).integer == 0) {
    SkipToWend(ctx);
  }
}

void RunFor(Context& ctx, std::string_view line) {
  bool resumed = TakeResumeFlag(ctx);
  uint64_t errorsBefore = ctx.errorsReported;
  auto broken = [&] { EndBrokenLoop(ctx, errorsBefore, "ERROR IN FOR LOOP", SkipToNext); };
  ForParts parts;
  if (!CutForLine(line, parts)) return broken();
  if (!resumed) {
    if (!AssignStatement(ctx, parts.variable, parts.start)) broken();
    return;
  }
  if (!StepVariable(ctx, parts)) return broken();
  Result step = Evaluate(ctx, kKindDouble, parts.step, false);
  if (!step) return broken();
  ConvertValueInPlace(kKindDouble, *step);
  Comparison exitTest = step->number > 0 ? Comparison::kGreater : Comparison::kLess;
  Result finished = EvaluateCompare(ctx, exitTest, parts.variable, parts.end);
  if (!finished) return broken();
  if (finished->integer != 0) SkipToNext(ctx);
}

}  // namespace quorl
