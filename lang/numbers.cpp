#include "lang/numbers.h"

#include <algorithm>

#include "lang/arithmetic.h"
#include "lang/scopes.h"

namespace quorl {
namespace {

struct Number {
  bool isDouble = false;
  int32_t integer = 0;
  double number = 0.0;

  double AsDouble() const { return isDouble ? number : integer; }
  int32_t AsInteger() const { return isDouble ? DoubleToInteger(number) : integer; }
};

Number Integer(int32_t v) {
  return {false, v, 0.0};
}

Number Double(double v) {
  return {true, 0, v};
}

bool IsNumberKind(int32_t kind) {
  return kind == kKindInteger || kind == kKindDouble;
}

std::optional<Number> NumberOf(Context& ctx, const Plan& plan, int32_t hint);

// A variable is read converted to the hint; a literal as it was written.
std::optional<Number> OperandNumber(Context& ctx, const OperandPlan& operand, int32_t hint) {
  if (operand.name.isProperty) return std::nullopt;
  const Value* found = LookupName(ctx, operand.name);
  if (!found) {
    const Value& literal = operand.literal;
    if (!operand.literalErrors.empty() || !IsNumberKind(literal.kind)) return std::nullopt;
    return literal.kind == kKindDouble ? Double(literal.number) : Integer(literal.integer);
  }
  // As ValueToInteger and ValueToDouble convert integers, booleans and doubles.
  bool isDouble = found->kind == kKindDouble;
  bool convertible = isDouble || found->kind == kKindInteger || found->kind == kKindBoolean;
  if (hint == kKindInteger && convertible) {
    return Integer(isDouble ? DoubleToInteger(found->number) : found->integer);
  }
  if (hint == kKindDouble && convertible) {
    return Double(isDouble ? found->number : static_cast<double>(found->integer));
  }
  if (hint == kKindAny && IsNumberKind(found->kind)) {
    return isDouble ? Double(found->number) : Integer(found->integer);
  }
  return std::nullopt;
}

// Both operands with the working kind, right first; the kind becomes
// double when either is one.
bool Operands(Context& ctx, const Plan& plan, int32_t& kind, Number& a, Number& b) {
  if (kind != kKindInteger && kind != kKindDouble) return false;
  std::optional<Number> right = NumberOf(ctx, *plan.rightPlan, kind);
  if (!right) return false;
  std::optional<Number> left = NumberOf(ctx, *plan.leftPlan, kind);
  if (!left) return false;
  a = *left;
  b = *right;
  if (a.isDouble || b.isDouble) kind = kKindDouble;
  return true;
}

std::optional<Number> ArithmeticNumber(Context& ctx, const Plan& plan, int32_t hint) {
  auto op = static_cast<Arithmetic>(plan.code);
  int32_t kind = hint == kKindAny ? kKindDouble : hint;
  Number a;
  Number b;
  if (!Operands(ctx, plan, kind, a, b)) return std::nullopt;
  if (kind == kKindInteger) {
    if (op == Arithmetic::kDivide && b.integer == 0) return std::nullopt;
    return Integer(IntegerArithmetic(op, a.integer, b.integer));
  }
  if (op == Arithmetic::kDivide && b.AsDouble() == 0.0) return std::nullopt;
  return Double(DoubleArithmetic(op, a.AsDouble(), b.AsDouble()));
}

std::optional<Number> RemainderNumber(Context& ctx, const Plan& plan, int32_t hint) {
  int32_t kind = hint == kKindAny ? kKindInteger : hint;
  Number a;
  Number b;
  if (!Operands(ctx, plan, kind, a, b)) return std::nullopt;
  // Doubles are truncated to integers first; the result keeps the kind.
  int32_t dividend = kind == kKindDouble ? DoubleToInteger(a.AsDouble()) : a.integer;
  int32_t divisor = kind == kKindDouble ? DoubleToInteger(b.AsDouble()) : b.integer;
  if (divisor == 0) return std::nullopt;
  int32_t remainder = IntegerRemainder(dividend, divisor);
  return kind == kKindDouble ? Double(remainder) : Integer(remainder);
}

std::optional<Number> NegatedNumber(Context& ctx, const Plan& plan, int32_t hint) {
  int32_t kind = (hint == kKindAny || hint == kKindString) ? kKindInteger : hint;
  if (kind != kKindInteger && kind != kKindDouble) return std::nullopt;
  std::optional<Number> value = NumberOf(ctx, *plan.rightPlan, kind);
  if (!value) return std::nullopt;
  if (kind == kKindInteger) return Integer(Wrap(-int64_t{value->AsInteger()}));
  return Double(-value->AsDouble());
}

std::optional<Number> NumberOf(Context& ctx, const Plan& plan, int32_t hint) {
  switch (plan.step) {
    case Step::kOperand:
      return OperandNumber(ctx, *plan.operand, hint);
    case Step::kArithmetic:
      return ArithmeticNumber(ctx, plan, hint);
    case Step::kRemainder:
      return RemainderNumber(ctx, plan, hint);
    case Step::kNegate:
      return NegatedNumber(ctx, plan, hint);
    default:
      return std::nullopt;
  }
}

bool IsNumeric(const Plan* plan) {
  return plan && plan->quickPath && plan->step != Step::kCompare;
}

}  // namespace

void MarkQuickPath(Plan& plan) {
  if (!plan.errors.empty()) return;
  auto height = [](const Plan& piece) { return static_cast<uint16_t>(piece.height + 1); };
  switch (plan.step) {
    case Step::kOperand:
      plan.quickPath = !plan.operand->variable;
      break;
    case Step::kArithmetic:
    case Step::kRemainder:
    case Step::kCompare:
      plan.quickPath = IsNumeric(plan.leftPlan.get()) && IsNumeric(plan.rightPlan.get());
      if (plan.quickPath) plan.height = std::max(height(*plan.leftPlan), height(*plan.rightPlan));
      break;
    case Step::kNegate:
      plan.quickPath = IsNumeric(plan.rightPlan.get());
      if (plan.quickPath) plan.height = height(*plan.rightPlan);
      break;
    default:
      break;
  }
}

std::optional<Value> QuickValue(Context& ctx, const Plan& plan, int32_t hint) {
  // The general way would stop at the nesting limit somewhere in here.
  if (ctx.evaluationDepth + plan.height > kMaxEvaluationDepth) return std::nullopt;
  if (plan.step == Step::kCompare) {
    std::optional<Number> right = NumberOf(ctx, *plan.rightPlan, kKindAny);
    if (!right) return std::nullopt;
    std::optional<Number> left = NumberOf(ctx, *plan.leftPlan, kKindAny);
    if (!left) return std::nullopt;
    auto op = static_cast<Comparison>(plan.code);
    return Value::Boolean(NumbersCompare(op, left->AsDouble(), right->AsDouble()));
  }
  std::optional<Number> number = NumberOf(ctx, plan, hint);
  if (!number) return std::nullopt;
  return number->isDouble ? Value::Double(number->number) : Value::Integer(number->integer);
}

}  // namespace quorl
