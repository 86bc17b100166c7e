#include "lang/evaluate.h"

#include "lang/block_scans.h"
#include "lang/builtins.h"
#include "lang/control_flow.h"
#include "lang/operators.h"
#include "lang/procedures.h"
#include "lang/scopes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

bool At(std::string_view text, size_t i, std::string_view word) {
  return text.compare(i, word.size(), word) == 0;
}

char CharAt(std::string_view text, size_t i) {
  return i < text.size() ? text[i] : '\0';
}

bool IsTwoCharacterComparison(std::string_view text, size_t i) {
  char c = text[i];
  char next = CharAt(text, i + 1);
  return (c == '=' && (next == '>' || next == '<' || next == '=')) ||
         (c == '<' && (next == '=' || next == '>')) || (c == '>' && next == '=') ||
         (c == '!' && next == '=');
}

// Index of the first "(" or ")" outside string literals, or npos.
size_t FirstParenthesis(std::string_view text) {
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') inString = !inString;
    if (!inString && (text[i] == '(' || text[i] == ')')) return i;
  }
  return std::string_view::npos;
}

// The precedence level of an operator at i; -1 when none starts there.
int OperatorLevel(std::string_view text, size_t i) {
  char next = CharAt(text, i + 1);
  switch (text[i]) {
    case ' ':
      if (At(text, i, " AND ") || At(text, i, " XOR ") || At(text, i, " OR ")) return 10;
      return (i == 3 && StartsWith(text, "NOT ")) ? -1 : 0;
    case '=':
    case '<':
    case '>':
      return IsTwoCharacterComparison(text, i) ? 9 : 8;
    case '!':
      return next == '=' ? 9 : -1;
    case '&':
      return next == ' ' ? 7 : -1;
    case '*':
    case '/':
    case '%':
      return 6;
    case '+':
      return 5;
    case '-':
      return next == ' ' ? 5 : -1;
    default:
      return -1;
  }
}

bool IsLoopOrBlockEnd(std::string_view l) {
  return l == "ELSE" || l == "END IF" || l == "ENDIF" || l == "WEND" || StartsWith(l, "NEXT") ||
         StartsWith(l, "FOR ") || StartsWith(l, "WHILE ");
}

// Cuts the operator token and the right part from W at split point s.
void CutOperator(std::string_view w, size_t s, bool statementMode, std::string& op,
                 std::string& right) {
  std::string_view tail = w.substr(std::min(s, w.size()));
  size_t n = static_cast<size_t>(OperatorEnd(tail, true, statementMode));
  op = Normalized(tail.substr(0, n));
  right = Normalized(tail.substr(std::min(n, tail.size())));
}

// The operator and statement tests of a split line, in their fixed order.
Result RunSplitLine(Context& ctx, int32_t wantedKind, const std::string& w, std::string l,
                    std::string o, std::string r, bool statementMode) {
  NormalizeToken(l);
  NormalizeToken(o);
  NormalizeToken(r);
  if (StartsWith(w, "FOR ")) {
    RunFor(ctx, w);
    return std::nullopt;
  }
  if (StartsWith(w, "NEXT")) {
    BackToFor(ctx);
    return std::nullopt;
  }
  if (StartsWith(w, "WHILE ")) {
    RunWhile(ctx, w);
    return std::nullopt;
  }
  if (StartsWith(w, "WEND")) {
    BackToWhile(ctx);
    return std::nullopt;
  }
  if (StartsWith(w, "DIM ")) {
    DeclareVariable(ctx, Normalized(std::string_view(w).substr(3)), kScopeLocal);
    return std::nullopt;
  }
  if (StartsWith(w, "CONST ")) {
    DeclareConstant(ctx, std::string_view(w).substr(6), kScopeLocal);
    return std::nullopt;
  }
  if (o == "=") {
    if (!statementMode) return EvaluateCompare(ctx, Comparison::kEqual, l, r);
    AssignStatement(ctx, l, r);
    return std::nullopt;
  }
  if (o == "+") return EvaluateArithmetic(ctx, Arithmetic::kAdd, wantedKind, l, r);
  if (o == "-") return EvaluateArithmetic(ctx, Arithmetic::kSubtract, wantedKind, l, r);
  if (o == "*") return EvaluateArithmetic(ctx, Arithmetic::kMultiply, wantedKind, l, r);
  if (o == "/") return EvaluateArithmetic(ctx, Arithmetic::kDivide, wantedKind, l, r);
  if (o == "%") return EvaluateRemainder(ctx, wantedKind, l, r);
  if (o == "&") return EvaluateConcat(ctx, l, r);
  if (o == "AND") return EvaluateLogic(ctx, Logic::kAnd, l, r);
  if (o == "OR") return EvaluateLogic(ctx, Logic::kOr, l, r);
  if (o == "XOR") return EvaluateLogic(ctx, Logic::kXor, l, r);
  if (o == "==") return EvaluateCompare(ctx, Comparison::kEqual, l, r);
  if (o == "<") return EvaluateCompare(ctx, Comparison::kLess, l, r);
  if (o == ">") return EvaluateCompare(ctx, Comparison::kGreater, l, r);
  if (o == "<=" || o == "=<") return EvaluateCompare(ctx, Comparison::kLessOrEqual, l, r);
  if (o == ">=" || o == "=>") return EvaluateCompare(ctx, Comparison::kGreaterOrEqual, l, r);
  if (o == "<>" || o == "!=") return EvaluateCompare(ctx, Comparison::kNotEqual, l, r);
  if (StartsWith(w, "IF ") || StartsWith(w, "ELSEIF ") || StartsWith(w, "ELSE")) {
    RunConditional(ctx, w);
    return std::nullopt;
  }
  if (StartsWith(w, "ENDIF") || StartsWith(w, "END IF")) return std::nullopt;
  if (StartsWith(w, "END SUB") || StartsWith(w, "END FUNCTION") || StartsWith(w, "EXIT SUB") ||
      StartsWith(w, "EXIT FUNCTION")) {
    if (CallFrame* frame = ctx.CurrentFrame()) frame->line = -1;
    return std::nullopt;
  }
  if (!o.empty()) {
    ctx.RaiseScriptError("UNKNOWN COMMAND");
    return std::nullopt;
  }
  if (!l.empty()) return Evaluate(ctx, wantedKind, l, statementMode);
  return std::nullopt;
}

// A built-in called with its argument text cut out of W.
Result RunBuiltinCall(Context& ctx, int32_t wantedKind, const std::string& w, std::string l,
                      std::string o, size_t s, bool statementMode) {
  std::string arguments;
  std::string rest;
  if (!IsStatementBuiltin(l) || StartsWith(o, "(")) {
    std::string x = Normalized(std::string_view(w).substr(s));
    int k = ClosingParenEnd(x) == static_cast<int>(x.size())
                ? SplitParenthesised(arguments, rest, x, ctx)
                : SplitParenthesised(arguments, rest, std::string_view(x).substr(1), ctx);
    s = static_cast<size_t>(k);
  } else {
    // The statement form's argument is simply the rest of the line.
    arguments = std::string(std::string_view(w).substr(std::min(s + 1, w.size())));
  }
  NormalizeToken(rest);
  if (rest.empty() || rest.front() == '\'') return CallBuiltin(ctx, l, arguments);
  // Text follows the call: the line is taken apart at the operator after it.
  std::string right;
  l = w.substr(0, std::min(s, w.size()));
  CutOperator(w, s, statementMode, o, right);
  return RunSplitLine(ctx, wantedKind, w, l, o, right, statementMode);
}

}  // namespace

bool IsControlMethod(std::string_view text) {
  size_t mark = PropertyMark(text);
  if (mark == std::string_view::npos) return false;
  std::string method = Normalized(text.substr(mark + 1));
  return method == "CLEAR" || method == "LIST" || method == "SELECTED" || method == "REMOVEITEM" ||
         method == "ADDITEM";
}

int FindSplitPoint(std::string_view text, bool statementMode) {
  bool inString = false;
  bool seenParenthesis = false;
  int depth = 0;
  int bestLevel = -1;
  int bestPosition = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      inString = !inString;
    } else if (!inString && (c == '(' || c == ')')) {
      depth += c == '(' ? 1 : -1;
      seenParenthesis = true;
    }
    if (inString || depth != 0) continue;
    if (statementMode && c == '=' && CharAt(text, i + 1) == ' ' && bestLevel == -1 &&
        !seenParenthesis) {
      return static_cast<int>(i);
    }
    int level = OperatorLevel(text, i);
    if (level > bestLevel) {
      bestLevel = level;
      bestPosition = static_cast<int>(i);
    }
  }
  if (bestLevel >= 0) return bestPosition;
  size_t parenthesis = FirstParenthesis(text);
  return static_cast<int>(parenthesis == std::string_view::npos ? text.size() : parenthesis);
}

int OperatorEnd(std::string_view text, bool stopAtParenthesis, bool statementMode) {
  if (StartsWith(text, "\"")) {
    for (size_t i = 1; i < text.size(); ++i) {
      if (text[i] != '"') continue;
      if (CharAt(text, i + 1) != '"') return static_cast<int>(i + 1);
      ++i;  // a doubled quote does not close the literal
    }
    return static_cast<int>(text.size());
  }
  if (StartsWith(text, "(")) return 1;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    char next = CharAt(text, i + 1);
    if (At(text, i, " AND ") || At(text, i, " XOR ")) return static_cast<int>(i + 4);
    if (At(text, i, " OR ")) return static_cast<int>(i + 3);
    if (statementMode && c == '=' && next == ' ') return static_cast<int>(i + 1);
    if (IsTwoCharacterComparison(text, i)) return static_cast<int>(i + 2);
    if (c == '>' || c == '=' || c == '<') return static_cast<int>(i + 1);
    if ((c == '&' && next == ' ') || c == '+' || (c == '-' && next == ' ') || c == '*' ||
        c == '/' || c == '%') {
      return static_cast<int>(i + 1);
    }
  }
  if (!stopAtParenthesis) return static_cast<int>(text.size());
  size_t parenthesis = FirstParenthesis(text);
  return static_cast<int>(parenthesis == std::string_view::npos ? text.size() : parenthesis + 1);
}

namespace {

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

}  // namespace

Result Evaluate(Context& ctx, int32_t wantedKind, std::string_view text, bool statementMode) {
  if (text.empty()) return std::nullopt;
  EvaluationLevel level(ctx);
  if (ctx.evaluationDepth > kMaxEvaluationDepth) {
    ctx.RaiseScriptError("EXPRESSION NESTED TOO DEEPLY!");
    return std::nullopt;
  }
  std::string w(text.substr(0, kMaxTextLength));
  NormalizeToken(w);
  if (StartsWith(w, "\"") && IsStringLiteral(w)) return EvaluateOperand(ctx, wantedKind, w);
  if (w == "END") return CallBuiltin(ctx, "END", "");
  while (StartsWith(w, "(") && ClosingParenEnd(w) == static_cast<int>(w.size())) {
    StripOuterParens(w, ctx);
  }
  if (StartsWith(w, "-")) {
    std::string_view rest = std::string_view(w).substr(1);
    if (OperatorEnd(rest, false, statementMode) == static_cast<int>(rest.size())) {
      return EvaluateNegate(ctx, wantedKind, rest);
    }
  } else if (StartsWith(w, "NOT ")) {
    std::string_view rest = std::string_view(w).substr(4);
    if (OperatorEnd(rest, false, statementMode) == static_cast<int>(rest.size())) {
      return EvaluateNot(ctx, wantedKind, rest);
    }
  }
  // A conditional line is a conditional whatever operators its condition holds.
  if (statementMode && (StartsWith(w, "IF ") || StartsWith(w, "ELSEIF "))) {
    RunConditional(ctx, w);
    return std::nullopt;
  }

  size_t s = static_cast<size_t>(FindSplitPoint(w, statementMode));
  std::string l = w.substr(0, s);
  if (s == w.size() && !IsLoopOrBlockEnd(l) && !IsControlMethod(l) && !IsSubName(ctx, l)) {
    return EvaluateOperand(ctx, wantedKind, w);
  }
  std::string o;
  std::string r;
  CutOperator(w, s, statementMode, o, r);

  if (statementMode) {
    std::optional<std::string> first = FirstWord(w);
    // A method's statement form takes the rest of its line as its argument,
    // as a statement built-in does.
    if (first && IsControlMethod(*first)) {
      return ctx.controls->CallControlMethod(*first,
                                             Normalized(std::string_view(w).substr(w.find(' '))));
    }
    if (first && (IsSubName(ctx, *first) || IsStatementBuiltin(*first))) {
      l = *first;
      s = l.size();
    }
  }
  bool isFunctionCall = IsFunctionName(ctx, l) && StartsWith(o, "(");
  if (isFunctionCall || IsSubName(ctx, l)) {
    return RunProcedure(ctx, l, std::string_view(w).substr(s));
  }
  if (IsBuiltinFunctionName(l) || IsStatementBuiltin(l)) {
    return RunBuiltinCall(ctx, wantedKind, w, l, o, s, statementMode);
  }
  // A control method's argument is the rest of the line as written; joining
  // the cut operator and right part again would lose the blanks around them.
  if (IsControlMethod(l)) {
    return ctx.controls->CallControlMethod(l, Normalized(std::string_view(w).substr(s)));
  }
  return RunSplitLine(ctx, wantedKind, w, l, o, r, statementMode);
}

}  // namespace quorl
