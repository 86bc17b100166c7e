#include "lang/numbers.h"

#include <algorithm>
#include <array>

#include "lang/arithmetic.h"
#include "lang/scopes.h"

namespace quorl {
namespace {

using Number = QuickNumber;

Number Integer(int32_t v) {
  return {0.0, v, Number::kInteger};
}

Number Double(double v) {
  return {v, 0, Number::kDouble};
}

bool IsNumberKind(int32_t kind) {
  return kind == kKindInteger || kind == kKindDouble;
}

Number NumberOf(Context& ctx, const Plan& plan, int32_t hint);

// A variable is read converted to the hint; a literal as it was written.
Number OperandNumber(Context& ctx, const OperandPlan& operand, int32_t hint) {
  if (operand.name.isProperty) return {};
  const Value* found = LookupName(ctx, operand.name);
  if (!found) {
    const Value& literal = operand.literal;
    if (!operand.literalErrors.empty() || !IsNumberKind(literal.kind)) return {};
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
  return {};
}

// Both operands with the working kind, right first; the kind becomes
// double when either is one.
bool Operands(Context& ctx, const Plan& plan, int32_t& kind, Number& a, Number& b) {
  if (kind != kKindInteger && kind != kKindDouble) return false;
  b = NumberOf(ctx, *plan.rightPlan, kind);
  if (!b) return false;
  a = NumberOf(ctx, *plan.leftPlan, kind);
  if (!a) return false;
  if (a.IsDouble() || b.IsDouble()) kind = kKindDouble;
  return true;
}

Number ArithmeticNumber(Context& ctx, const Plan& plan, int32_t hint) {
  auto op = static_cast<Arithmetic>(plan.code);
  int32_t kind = hint == kKindAny ? kKindDouble : hint;
  Number a;
  Number b;
  if (!Operands(ctx, plan, kind, a, b)) return {};
  if (kind == kKindInteger) {
    if (op == Arithmetic::kDivide && b.integer == 0) return {};
    return Integer(IntegerArithmetic(op, a.integer, b.integer));
  }
  if (op == Arithmetic::kDivide && b.AsDouble() == 0.0) return {};
  return Double(DoubleArithmetic(op, a.AsDouble(), b.AsDouble()));
}

Number RemainderNumber(Context& ctx, const Plan& plan, int32_t hint) {
  int32_t kind = hint == kKindAny ? kKindInteger : hint;
  Number a;
  Number b;
  if (!Operands(ctx, plan, kind, a, b)) return {};
  // Doubles are truncated to integers first; the result keeps the kind.
  int32_t dividend = kind == kKindDouble ? DoubleToInteger(a.AsDouble()) : a.integer;
  int32_t divisor = kind == kKindDouble ? DoubleToInteger(b.AsDouble()) : b.integer;
  if (divisor == 0) return {};
  int32_t remainder = IntegerRemainder(dividend, divisor);
  return kind == kKindDouble ? Double(remainder) : Integer(remainder);
}

Number NegatedNumber(Context& ctx, const Plan& plan, int32_t hint) {
  int32_t kind = (hint == kKindAny || hint == kKindString) ? kKindInteger : hint;
  if (kind != kKindInteger && kind != kKindDouble) return {};
  Number value = NumberOf(ctx, *plan.rightPlan, kind);
  if (!value) return {};
  if (kind == kKindInteger) return Integer(Wrap(-int64_t{value.AsInteger()}));
  return Double(-value.AsDouble());
}

Number OperandStep(Context& ctx, const Plan& plan, int32_t hint) {
  return OperandNumber(ctx, *plan.operand, hint);
}

Number NoNumber(Context&, const Plan&, int32_t) {
  return {};
}

// The reader of each step, called through a table so that each keeps a
// frame of its own size: an operand, the common case, needs little.
using NumberReader = Number (*)(Context&, const Plan&, int32_t);
constexpr size_t kSteps = static_cast<size_t>(Step::kAgain) + 1;

constexpr std::array<NumberReader, kSteps> NumberReaders() {
  std::array<NumberReader, kSteps> readers{};
  for (NumberReader& reader : readers) reader = NoNumber;
  readers[static_cast<size_t>(Step::kOperand)] = OperandStep;
  readers[static_cast<size_t>(Step::kArithmetic)] = ArithmeticNumber;
  readers[static_cast<size_t>(Step::kRemainder)] = RemainderNumber;
  readers[static_cast<size_t>(Step::kNegate)] = NegatedNumber;
  return readers;
}

constexpr std::array<NumberReader, kSteps> kNumberReaders = NumberReaders();

Number NumberOf(Context& ctx, const Plan& plan, int32_t hint) {
  return kNumberReaders[static_cast<size_t>(plan.step)](ctx, plan, hint);
}

bool IsNumeric(const Plan* plan) {
  return plan && plan->quickPath && plan->step != Step::kCompare;
}

// The general way would stop at the nesting limit somewhere in the plan.
bool WithinNestingLimit(const Context& ctx, const Plan& plan) {
  return ctx.evaluationDepth + plan.height <= kMaxEvaluationDepth;
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

std::optional<bool> QuickComparison(Context& ctx, const Plan& plan) {
  if (plan.step != Step::kCompare || !WithinNestingLimit(ctx, plan)) return std::nullopt;
  Number right = NumberOf(ctx, *plan.rightPlan, kKindAny);
  if (!right) return std::nullopt;
  Number left = NumberOf(ctx, *plan.leftPlan, kKindAny);
  if (!left) return std::nullopt;
  auto op = static_cast<Comparison>(plan.code);
  return NumbersCompare(op, left.AsDouble(), right.AsDouble());
}

std::optional<Value> QuickValue(Context& ctx, const Plan& plan, int32_t hint) {
  if (plan.step == Step::kCompare) {
    std::optional<bool> holds = QuickComparison(ctx, plan);
    if (!holds) return std::nullopt;
    return Value::Boolean(*holds);
  }
  if (!WithinNestingLimit(ctx, plan)) return std::nullopt;
  Number number = NumberOf(ctx, plan, hint);
  if (!number) return std::nullopt;
  return number.IsDouble() ? Value::Double(number.number) : Value::Integer(number.integer);
}

bool QuickStore(Context& ctx, const Plan& plan, Value& variable) {
  Number number = QuickNumberFor(ctx, plan, variable.kind);
  if (!number) return false;
  StoreNumber(variable, number);
  return true;
}

QuickNumber QuickNumberFor(Context& ctx, const Plan& plan, int32_t variableKind) {
  if (plan.step == Step::kCompare || !WithinNestingLimit(ctx, plan)) return {};
  if (variableKind != kKindInteger && variableKind != kKindDouble) return {};
  return NumberOf(ctx, plan, variableKind);
}

void StoreNumber(Value& variable, QuickNumber number) {
  // What converting the result to the variable's kind gives.
  if (variable.kind == kKindInteger) {
    variable.integer = number.AsInteger();
  } else {
    variable.number = number.AsDouble();
  }
}

}  // namespace quorl
