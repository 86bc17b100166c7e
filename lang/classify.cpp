// The decisions of Evaluate, in their fixed order: what a text is, where it
// splits and which action gets which pieces. Nothing here runs script code;
// the messages a split gives are kept in the plan and given when it runs.
#include "lang/classify.h"

#include "lang/builtins.h"
#include "lang/control_flow.h"
#include "lang/operators.h"
#include "lang/scopes.h"
#include "lang/split_point.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

void MakeOperand(Plan& plan, std::string_view text) {
  plan.step = Step::kOperand;
  plan.operand = ReadOperand(text);
}

void MakeBinary(Plan& plan, Step step, uint8_t code, std::string l, std::string r) {
  plan.step = step;
  plan.code = code;
  plan.left = std::move(l);
  plan.right = std::move(r);
}

bool MakeOperator(Plan& plan, const std::string& o, std::string& l, std::string& r) {
  struct Operator {
    std::string_view text;
    Step step;
    uint8_t code;
  };
  static constexpr Operator kOperators[] = {
      {"+", Step::kArithmetic, static_cast<uint8_t>(Arithmetic::kAdd)},
      {"-", Step::kArithmetic, static_cast<uint8_t>(Arithmetic::kSubtract)},
      {"*", Step::kArithmetic, static_cast<uint8_t>(Arithmetic::kMultiply)},
      {"/", Step::kArithmetic, static_cast<uint8_t>(Arithmetic::kDivide)},
      {"%", Step::kRemainder, 0},
      {"&", Step::kConcat, 0},
      {"AND", Step::kLogic, static_cast<uint8_t>(Logic::kAnd)},
      {"OR", Step::kLogic, static_cast<uint8_t>(Logic::kOr)},
      {"XOR", Step::kLogic, static_cast<uint8_t>(Logic::kXor)},
      {"==", Step::kCompare, static_cast<uint8_t>(Comparison::kEqual)},
      {"<", Step::kCompare, static_cast<uint8_t>(Comparison::kLess)},
      {">", Step::kCompare, static_cast<uint8_t>(Comparison::kGreater)},
      {"<=", Step::kCompare, static_cast<uint8_t>(Comparison::kLessOrEqual)},
      {"=<", Step::kCompare, static_cast<uint8_t>(Comparison::kLessOrEqual)},
      {">=", Step::kCompare, static_cast<uint8_t>(Comparison::kGreaterOrEqual)},
      {"=>", Step::kCompare, static_cast<uint8_t>(Comparison::kGreaterOrEqual)},
      {"<>", Step::kCompare, static_cast<uint8_t>(Comparison::kNotEqual)},
      {"!=", Step::kCompare, static_cast<uint8_t>(Comparison::kNotEqual)},
  };
  for (const Operator& op : kOperators) {
    if (o == op.text) {
      MakeBinary(plan, op.step, op.code, std::move(l), std::move(r));
      return true;
    }
  }
  return false;
}

// The operator and statement tests of a split line, in their fixed order.
void ClassifySplitLine(Plan& plan, const std::string& w, std::string l, std::string o,
                       std::string r) {
  NormalizeToken(l);
  NormalizeToken(o);
  NormalizeToken(r);
  if (StartsWith(w, "FOR ")) {
    plan.step = Step::kFor;
    if (std::optional<ForLineText> parts = CutForLine(w)) {
      plan.forParts = std::make_unique<ForPlan>();
      ForPlan& cut = *plan.forParts;
      cut.variableName = MakeNameRef(parts->variable);
      cut.variable = std::move(parts->variable);
      cut.start = std::move(parts->start);
      cut.end = std::move(parts->end);
      cut.step = std::move(parts->step);
    }
  } else if (StartsWith(w, "NEXT")) {
    plan.step = Step::kNext;
  } else if (StartsWith(w, "WHILE ")) {
    plan.step = Step::kWhile;
    plan.right = WhileCondition(w);
  } else if (StartsWith(w, "WEND")) {
    plan.step = Step::kWend;
  } else if (StartsWith(w, "DIM ")) {
    plan.step = Step::kDim;
    plan.right = Normalized(std::string_view(w).substr(3));
  } else if (StartsWith(w, "CONST ")) {
    plan.step = Step::kConst;
    plan.right = w.substr(6);
  } else if (o == "=") {
    if (plan.statementMode) {
      plan.target = std::make_unique<NameRef>(MakeNameRef(l));
      MakeBinary(plan, Step::kAssign, 0, std::move(l), std::move(r));
    } else {
      MakeBinary(plan, Step::kCompare, static_cast<uint8_t>(Comparison::kEqual), std::move(l),
                 std::move(r));
    }
  } else if (MakeOperator(plan, o, l, r)) {
    return;
  } else if (StartsWith(w, "IF ") || StartsWith(w, "ELSEIF ") || StartsWith(w, "ELSE")) {
    ConditionalLine line = ReadConditionalLine(w);
    plan.step = Step::kConditional;
    plan.code = line.continuesChain ? 1 : 0;
    plan.right = std::move(line.condition);
  } else if (StartsWith(w, "ENDIF") || StartsWith(w, "END IF")) {
    plan.step = Step::kNothing;
  } else if (StartsWith(w, "END SUB") || StartsWith(w, "END FUNCTION") ||
             StartsWith(w, "EXIT SUB") || StartsWith(w, "EXIT FUNCTION")) {
    plan.step = Step::kEndBody;
  } else if (!o.empty()) {
    plan.step = Step::kUnknownCommand;
  } else if (!l.empty()) {
    plan.step = Step::kAgain;
    plan.left = std::move(l);
  }
}

// A built-in called with its argument text cut out of W; the text after the
// call, if any, is taken apart at the operator that follows.
void ClassifyBuiltinCall(Plan& plan, const std::string& w, std::string l, std::string o, size_t s) {
  std::string arguments;
  std::string rest;
  if (!IsStatementBuiltin(l) || StartsWith(o, "(")) {
    std::string x = Normalized(std::string_view(w).substr(s));
    MessageList messages(plan.errors);
    std::string_view afterFirst = std::string_view(x).substr(std::min<size_t>(1, x.size()));
    int k = ClosingParenEnd(x) == static_cast<int>(x.size())
                ? SplitParenthesised(arguments, rest, x, messages)
                : SplitParenthesised(arguments, rest, afterFirst, messages);
    s = static_cast<size_t>(k);
  } else {
    // The statement form's argument is simply the rest of the line.
    arguments = std::string(std::string_view(w).substr(std::min(s + 1, w.size())));
  }
  NormalizeToken(rest);
  if (rest.empty() || rest.front() == '\'') {
    plan.step = Step::kBuiltin;
    plan.builtin = FindBuiltin(l);
    plan.left = std::move(l);
    plan.right = std::move(arguments);
    return;
  }
  std::string right;
  l = w.substr(0, std::min(s, w.size()));
  CutOperator(w, s, plan.statementMode, o, right);
  ClassifySplitLine(plan, w, std::move(l), std::move(o), std::move(right));
}

}  // namespace

Plan Classify(Context& ctx, std::string_view text, bool statementMode) {
  Plan plan;
  plan.statementMode = statementMode;
  if (text.empty()) {
    plan.emptyText = true;
    return plan;
  }
  std::string w(text.substr(0, kMaxTextLength));
  NormalizeToken(w);
  if (StartsWith(w, "\"") && IsStringLiteral(w)) {
    MakeOperand(plan, w);
    return plan;
  }
  if (w == "END") {
    plan.step = Step::kBuiltin;
    plan.builtin = FindBuiltin(w);
    plan.left = w;
    return plan;
  }
  MessageList messages(plan.errors);
  while (StartsWith(w, "(") && ClosingParenEnd(w) == static_cast<int>(w.size())) {
    StripOuterParens(w, messages);
  }
  if (StartsWith(w, "-") || StartsWith(w, "NOT ")) {
    bool negate = StartsWith(w, "-");
    std::string_view rest = std::string_view(w).substr(negate ? 1 : 4);
    if (OperatorEnd(rest, false, statementMode) == static_cast<int>(rest.size())) {
      plan.step = negate ? Step::kNegate : Step::kNot;
      plan.right = std::string(rest);
      return plan;
    }
  }
  // A conditional line is a conditional whatever operators its condition holds.
  if (statementMode && (StartsWith(w, "IF ") || StartsWith(w, "ELSEIF "))) {
    ConditionalLine line = ReadConditionalLine(w);
    plan.step = Step::kConditional;
    plan.code = line.continuesChain ? 1 : 0;
    plan.right = std::move(line.condition);
    return plan;
  }

  size_t s = static_cast<size_t>(FindSplitPoint(w, statementMode));
  std::string l = w.substr(0, s);
  if (s == w.size() && !IsLoopOrBlockEnd(l) && !IsControlMethod(l) && !IsSubName(ctx, l)) {
    MakeOperand(plan, w);
    return plan;
  }
  std::string o;
  std::string r;
  CutOperator(w, s, statementMode, o, r);

  if (statementMode) {
    std::optional<std::string> first = FirstWord(w);
    // A method's statement form takes the rest of its line as its argument,
    // as a statement built-in does.
    if (first && IsControlMethod(*first)) {
      plan.step = Step::kControlMethod;
      plan.left = std::move(*first);
      plan.right = Normalized(std::string_view(w).substr(w.find(' ')));
      return plan;
    }
    if (first && (IsSubName(ctx, *first) || IsStatementBuiltin(*first))) {
      l = *first;
      s = l.size();
    }
  }
  bool isFunctionCall = IsFunctionName(ctx, l) && StartsWith(o, "(");
  if (isFunctionCall || IsSubName(ctx, l)) {
    plan.step = Step::kProcedure;
    plan.right = std::string(std::string_view(w).substr(s));
    plan.left = std::move(l);
    return plan;
  }
  if (IsBuiltinFunctionName(l) || IsStatementBuiltin(l)) {
    ClassifyBuiltinCall(plan, w, std::move(l), std::move(o), s);
    return plan;
  }
  // A control method's argument is the rest of the line as written; joining
  // the cut operator and right part again would lose the blanks around them.
  if (IsControlMethod(l)) {
    plan.step = Step::kControlMethod;
    plan.right = Normalized(std::string_view(w).substr(s));
    plan.left = std::move(l);
    return plan;
  }
  ClassifySplitLine(plan, w, std::move(l), std::move(o), std::move(r));
  return plan;
}

}  // namespace quorl
