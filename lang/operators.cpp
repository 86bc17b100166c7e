#include "lang/operators.h"

#include <cmath>
#include <limits>

#include "lang/evaluate.h"
#include "lang/numbers.h"
#include "lang/scopes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

// Right operand first, then the left one; both always run.
bool EvaluateBoth(Context& ctx, int32_t hint, const Expr& left, const Expr& right,
                  Result& leftValue, Result& rightValue) {
  rightValue = EvaluateExpr(ctx, hint, right);
  leftValue = EvaluateExpr(ctx, hint, left);
  return leftValue && rightValue;
}

Value ZeroOfKind(int32_t kind) {
  return kind == kKindDouble ? Value::Double(0.0) : Value::Integer(0);
}

int CompareTexts(const Value& a, const Value& b) {
  std::string_view x = a.text ? std::string_view(*a.text) : std::string_view();
  std::string_view y = b.text ? std::string_view(*b.text) : std::string_view();
  int order = x.compare(y);  // char_traits<char> compares as unsigned bytes
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool IsNumber(const Value& v) {
  return v.kind == kKindInteger || v.kind == kKindDouble;
}

}  // namespace

Result EvaluateArithmetic(Context& ctx, Arithmetic op, int32_t hint, const Expr& left,
                          const Expr& right) {
  int32_t kind = hint == kKindAny ? kKindDouble : hint;
  Result a;
  Result b;
  if (!EvaluateBoth(ctx, kind, left, right, a, b)) return std::nullopt;
  if (a->kind == kKindDouble || b->kind == kKindDouble) kind = kKindDouble;
  ConvertValueInPlace(kind, *a);
  ConvertValueInPlace(kind, *b);
  if (kind == kKindInteger) {
    if (op == Arithmetic::kDivide && b->integer == 0) {
      ctx.RaiseScriptError("DIVIDE BY ZERO!");
      return ZeroOfKind(kind);
    }
    return Value::Integer(IntegerArithmetic(op, a->integer, b->integer));
  }
  if (kind == kKindDouble) {
    if (op == Arithmetic::kDivide && b->number == 0.0) {
      ctx.RaiseScriptError("DIVIDE BY ZERO!");
      return ZeroOfKind(kind);
    }
    return Value::Double(DoubleArithmetic(op, a->number, b->number));
  }
  ctx.RaiseScriptError("FUNCTION NOT DEFINED!");
  return std::nullopt;
}

Result EvaluateRemainder(Context& ctx, int32_t hint, const Expr& left, const Expr& right) {
  int32_t kind = hint == kKindAny ? kKindInteger : hint;
  Result a;
  Result b;
  if (!EvaluateBoth(ctx, kind, left, right, a, b)) return std::nullopt;
  if (a->kind == kKindDouble || b->kind == kKindDouble) kind = kKindDouble;
  ConvertValueInPlace(kind, *a);
  ConvertValueInPlace(kind, *b);
  if (kind != kKindInteger && kind != kKindDouble) {
    ctx.RaiseScriptError("FUNCTION NOT DEFINED!");
    return std::nullopt;
  }
  int32_t dividend = a->integer;
  int32_t divisor = b->integer;
  if (kind == kKindDouble) {
    dividend = ValueToInteger(*a).integer;
    divisor = ValueToInteger(*b).integer;
  }
  if (divisor == 0) {
    ctx.RaiseScriptError("DIVIDE BY ZERO!");
    return ZeroOfKind(kind);
  }
  int32_t remainder = IntegerRemainder(dividend, divisor);
  return kind == kKindDouble ? Value::Double(remainder) : Value::Integer(remainder);
}

Result JoinTexts(Context& ctx, Value&& a, Value&& b) {
  std::optional<std::string> x = TakeText(std::move(a));
  std::optional<std::string> y = TakeText(std::move(b));
  if (!x || !y || !ctx.TextSizeAllowed(x->size() + y->size())) return std::nullopt;
  *x += *y;
  return Value::String(std::move(*x));
}

Result EvaluateConcat(Context& ctx, const Expr& left, const Expr& right) {
  Result a;
  Result b;
  if (!EvaluateBoth(ctx, kKindAny, left, right, a, b)) return std::nullopt;
  return JoinTexts(ctx, std::move(*a), std::move(*b));
}

Result EvaluateNegate(Context& ctx, int32_t hint, const Expr& operand) {
  int32_t kind = (hint == kKindAny || hint == kKindString) ? kKindInteger : hint;
  Result value = EvaluateExpr(ctx, kind, operand);
  if (!value) return std::nullopt;
  ConvertValueInPlace(kind, *value);
  if (kind == kKindInteger) return Value::Integer(Wrap(-int64_t{value->integer}));
  if (kind == kKindDouble) return Value::Double(-value->number);
  ctx.RaiseScriptError("FUNCTION NOT DEFINED!");
  return std::nullopt;
}

Result EvaluateNot(Context& ctx, int32_t hint, const Expr& operand) {
  int32_t kind = (hint == kKindInteger || hint == kKindBoolean) ? hint : kKindBoolean;
  Result value = EvaluateExpr(ctx, kind, operand);
  if (!value) return std::nullopt;
  return Value::Boolean(value->integer == 0);
}

Result EvaluateCompare(Context& ctx, Comparison op, const Expr& left, const Expr& right) {
  Result a;
  Result b;
  if (!EvaluateBoth(ctx, kKindAny, left, right, a, b)) return std::nullopt;
  if (IsNumber(*a) && IsNumber(*b)) {
    return Value::Boolean(NumbersCompare(op, DoubleOf(*a), DoubleOf(*b)));
  }
  int order = 0;
  if (a->kind == kKindBoolean && b->kind == kKindBoolean) {
    if (op != Comparison::kEqual && op != Comparison::kNotEqual) {
      ctx.RaiseScriptError("SYNTAX ERROR: UNDEFINED COMPARISON");
      return std::nullopt;
    }
    order = a->integer == b->integer ? 0 : 1;
  } else if (a->kind == kKindString && b->kind == kKindString) {
    order = CompareTexts(*a, *b);
  } else {
    ctx.RaiseScriptError("SYNTAX ERROR: COMPARISON OF DIFFERENT TYPES");
    return std::nullopt;
  }
  return Value::Boolean(ComparisonHolds(op, order));
}

Result EvaluateLogic(Context& ctx, Logic op, const Expr& left, const Expr& right) {
  Result a;
  Result b;
  if (!EvaluateBoth(ctx, kKindBoolean, left, right, a, b)) return std::nullopt;
  switch (op) {
    case Logic::kAnd:
      return Value::Boolean(a->integer != 0 && b->integer != 0);
    case Logic::kOr:
      return Value::Boolean(a->integer != 0 || b->integer != 0);
    case Logic::kXor: {
      Value result = Value::Boolean(false);
      result.integer = a->integer ^ b->integer;
      return result;
    }
  }
  return std::nullopt;
}

namespace {

// TARGET = TARGET & X where plans are kept: the steps of evaluating the
// join and assigning it, except that a text variable that is still the
// target once X has run takes X's text at its end, instead of a joined copy
// that then replaces it. Returns what AssignStatement returns.
bool AssignJoined(Context& ctx, const Expr& target, const Plan& join) {
  Result joined;
  {
    EvaluationLevel level(ctx);  // the join's own level
    Result b = EvaluateExpr(ctx, kKindAny, join.Right());
    Value* record = LookupTarget(ctx, target);
    // Reading the left operand has no effect while it is this variable.
    if (b && record && record->kind == kKindString &&
        LookupName(ctx, join.leftPlan->operand->name) == record) {
      std::optional<std::string> text = TakeText(std::move(*b));
      size_t size = record->text ? record->text->size() : 0;
      if (!text || !ctx.TextSizeAllowed(size + text->size())) return false;
      if (!record->text) record->text.emplace();
      *record->text += *text;
      return true;
    }
    Result a = EvaluateExpr(ctx, kKindAny, join.Left());
    if (a && b) joined = JoinTexts(ctx, std::move(*a), std::move(*b));
  }
  Value* record = LookupTarget(ctx, target);
  if (!joined || !record) return false;
  return StoreConverted(*record, std::move(*joined));
}

}  // namespace

bool AssignStatement(Context& ctx, const Expr& target, const Expr& expression) {
  Value* record = LookupTarget(ctx, target);
  if (!record) {
    ctx.RaiseScriptError("ASSIGNMENT TO UNKNOWN VARIABLE");
    return false;
  }
  bool isProperty =
      target.name ? target.name->isProperty : PropertyMark(target.text) != std::string_view::npos;
  if (record->IsControl() || isProperty) {
    size_t mark = PropertyMark(target.text);
    std::string property = isProperty ? Normalized(target.text.substr(mark + 1)) : ".";
    Result value =
        EvaluateExpr(ctx, ctx.controls->PropertyValueKind(*record, property), expression);
    // Looked up again: the expression may have run code that rebound names.
    record = LookupTarget(ctx, target);
    if (!value || !record || !record->IsControl()) return false;
    ctx.controls->SetControlProperty(*record, property, *value);
    return true;
  }
  if (record->constant) {
    ctx.RaiseScriptError("CAN'T RE-ASSIGN CONSTANT");
    return false;
  }
  // The join's level and its left operand's must both stay within the limit.
  const Plan* plan = expression.plan;
  if (plan && plan->step == Step::kConcat && plan->code == kJoinsToItself &&
      record->kind == kKindString && ctx.evaluationDepth + 2 <= kMaxEvaluationDepth) {
    return AssignJoined(ctx, target, *plan);
  }
  // Plain numbers run no code: the record found is the one assigned to.
  if (plan && plan->quickPath && plan->step != Step::kOperand && QuickStore(ctx, *plan, *record)) {
    return true;
  }
  Result value = EvaluateExpr(ctx, record->kind, expression);
  record = LookupTarget(ctx, target);
  if (!value || !record) return false;
  return StoreConverted(*record, std::move(*value));
}

}  // namespace quorl
