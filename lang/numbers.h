// A quick path for expressions of plain numbers: arithmetic, remainders,
// negations and comparisons whose operands are variables or literals
// holding integers or doubles. It computes what the operator routines
// compute, in the same order, without evaluating each piece as a level of
// its own; it never reports anything and changes nothing, so whatever it
// cannot take (another kind, a division by zero, a control) it leaves to
// the general way, which then does all of it.
#pragma once

#include <optional>

#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

// A number of the quick path, or none (the general way must run the plan).
// Small enough to come back in registers.
struct QuickNumber {
  enum Kind : uint8_t { kNone, kInteger, kDouble };
  double number = 0.0;
  int32_t integer = 0;
  Kind kind = kNone;

  explicit operator bool() const { return kind != kNone; }
  bool IsDouble() const { return kind == kDouble; }
  double AsDouble() const { return kind == kDouble ? number : integer; }
  int32_t AsInteger() const { return kind == kDouble ? DoubleToInteger(number) : integer; }
};

// Marks a kept plan (whose pieces have their plans) for the quick path.
void MarkQuickPath(Plan& plan);
// Whether a marked comparison holds, or none when the general way must run it.
std::optional<bool> QuickComparison(Context& ctx, const Plan& plan);
// The value of a marked plan, or none when the general way must run it.
std::optional<Value> QuickValue(Context& ctx, const Plan& plan, int32_t hint);
// Assigns the value of a marked plan (no comparison) to an INTEGER or
// DOUBLE variable, evaluated with the variable's kind as hint and converted
// to it; false, having changed nothing, when the general way must run it.
bool QuickStore(Context& ctx, const Plan& plan, Value& variable);
// What QuickStore would store in a variable of that kind, read now.
QuickNumber QuickNumberFor(Context& ctx, const Plan& plan, int32_t variableKind);
// Stores such a number in a variable of the kind it was read for.
void StoreNumber(Value& variable, QuickNumber number);

}  // namespace quorl
