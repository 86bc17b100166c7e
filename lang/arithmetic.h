// The operators' codes and the arithmetic on 32-bit integers and doubles
// that the operator routines and the quick path for numbers share.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace quorl {

enum class Arithmetic { kAdd, kSubtract, kMultiply, kDivide };
enum class Logic { kAnd = 0, kOr = 1, kXor = 2 };
enum class Comparison {
  kEqual = 0,
  kNotEqual = 1,
  kLess = 2,
  kGreater = 3,
  kLessOrEqual = 4,
  kGreaterOrEqual = 5
};

inline int32_t Wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

inline int32_t IntegerArithmetic(Arithmetic op, int32_t a, int32_t b) {
  switch (op) {
    case Arithmetic::kAdd:
      return Wrap(int64_t{a} + b);
    case Arithmetic::kSubtract:
      return Wrap(int64_t{a} - b);
    case Arithmetic::kMultiply:
      return Wrap(int64_t{a} * b);
    case Arithmetic::kDivide:
      // -2147483648 / -1 wraps round to itself instead of trapping.
      return (a == std::numeric_limits<int32_t>::min() && b == -1) ? a : a / b;
  }
  return 0;
}

inline double DoubleArithmetic(Arithmetic op, double a, double b) {
  switch (op) {
    case Arithmetic::kAdd:
      return a + b;
    case Arithmetic::kSubtract:
      return a - b;
    case Arithmetic::kMultiply:
      return a * b;
    case Arithmetic::kDivide:
      return a / b;
  }
  return 0.0;
}

inline int32_t IntegerRemainder(int32_t a, int32_t b) {
  return (b == -1) ? 0 : a % b;
}

inline bool ComparisonHolds(Comparison op, int order) {
  switch (op) {
    case Comparison::kEqual:
      return order == 0;
    case Comparison::kNotEqual:
      return order != 0;
    case Comparison::kLess:
      return order < 0;
    case Comparison::kGreater:
      return order > 0;
    case Comparison::kLessOrEqual:
      return order <= 0;
    case Comparison::kGreaterOrEqual:
      return order >= 0;
  }
  return false;
}

// Two numbers compared as doubles; NaN is unequal to everything, itself too.
inline bool NumbersCompare(Comparison op, double x, double y) {
  if (std::isnan(x) || std::isnan(y)) return op == Comparison::kNotEqual;
  return ComparisonHolds(op, x < y ? -1 : (x > y ? 1 : 0));
}

}  // namespace quorl
