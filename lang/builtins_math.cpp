// SIN, COS, TAN, SQR, ABS and RGB.
#include <cmath>
#include <cstdint>
#include <limits>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "lang/evaluate.h"

namespace quorl {
namespace {

// Every result outside a function's domain (SQR of a negative number, SIN of
// an infinity) is this one NaN, so that it prints the same on every platform.
double DomainResult(double result) {
  if (std::isnan(result)) return std::copysign(std::numeric_limits<double>::quiet_NaN(), -1.0);
  return result;
}

double ApplyFunction(std::string_view name, double x) {
  if (name == "SIN") return DomainResult(std::sin(x));
  if (name == "COS") return DomainResult(std::cos(x));
  if (name == "TAN") return DomainResult(std::tan(x));
  return DomainResult(std::sqrt(x));  // SQR
}

// ABS keeps an integer argument an integer. The one integer whose magnitude
// does not fit, -2147483648, becomes the double 2147483648.
Value AbsoluteValue(const Value& v) {
  if (v.kind == kKindInteger) {
    if (v.integer == std::numeric_limits<int32_t>::min()) return Value::Double(2147483648.0);
    return Value::Integer(v.integer < 0 ? -v.integer : v.integer);
  }
  return Value::Double(std::fabs(v.number));
}

// Each channel contributes its low byte only.
Result ColourValue(Context& ctx, std::string_view arguments) {
  Result red = GetArgument(ctx, kKindInteger, arguments, 1);
  Result green = GetArgument(ctx, kKindInteger, arguments, 2);
  Result blue = GetArgument(ctx, kKindInteger, arguments, 3);
  if (!red || !green || !blue) {
    ctx.RaiseScriptError("CAN'T CONVERT PARAMETERS!");
    return std::nullopt;
  }
  auto lowByte = [](const Value& v) { return static_cast<uint32_t>(v.integer) & 0xFFu; };
  uint32_t colour = lowByte(*red) | (lowByte(*green) << 8) | (lowByte(*blue) << 16);
  return Value::Integer(static_cast<int32_t>(colour));
}

}  // namespace

Result MathBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name == "RGB") return ColourValue(ctx, arguments);

  // The whole argument text is one number, read with the double hint.
  Result argument = Evaluate(ctx, kKindDouble, arguments, false);
  if (!argument) return std::nullopt;
  if (argument->kind != kKindInteger && argument->kind != kKindDouble) {
    ctx.RaiseScriptError("CAN'T CONVERT VALUE!");
    return std::nullopt;
  }
  if (name == "ABS") return AbsoluteValue(*argument);
  return Value::Double(ApplyFunction(name, ValueToDouble(*argument).number));
}

}  // namespace quorl
