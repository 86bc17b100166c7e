#include "values/value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace quorl {
namespace {

// Numbers are read from at most this many characters of a text.
constexpr size_t kNumberReadLimit = 40;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a hexadecimal number after its prefix: white space, an optional sign,
// then digits. Values beyond the 32-bit signed range give 2147483647.
int32_t ReadHexInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  bool overflow = false;
  for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
    magnitude = magnitude * 16 + HexDigitValue(text[i]);
    if (magnitude > 0x80000000LL) {
      overflow = true;
      magnitude = 0x80000000LL + 1;
    }
  }
  int64_t value = negative ? -magnitude : magnitude;
  if (overflow || value > std::numeric_limits<int32_t>::max() ||
      value < std::numeric_limits<int32_t>::min()) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(value);
}

bool AllOf(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

}  // namespace

Value Value::Integer(int32_t v) {
  Value value;
  value.integer = v;
  return value;
}

Value Value::Boolean(bool v) {
  Value value;
  value.kind = kKindBoolean;
  value.integer = v ? 1 : 0;
  return value;
}

Value Value::Double(double v) {
  Value value;
  value.kind = kKindDouble;
  value.number = v;
  return value;
}

Value Value::String(std::string v) {
  Value value;
  value.kind = kKindString;
  v.resize(std::strlen(v.c_str()));  // the text ends at its first NUL
  value.text.emplace(std::move(v));
  return value;
}

std::string CutAtNul(std::string text) {
  text.resize(std::strlen(text.c_str()));  // the text ends at its first NUL
  return text;
}

int32_t DoubleToInteger(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (d <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(d);
}

int32_t ReadDecimalInteger(std::string_view text) {
  text = text.substr(0, kNumberReadLimit);
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t magnitude = 0;  // wraps modulo 2^32
  for (; i < text.size() && IsDigit(text[i]); ++i) magnitude = magnitude * 10u + (text[i] - '0');
  return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

double ReadDecimalDouble(std::string_view text) {
  text = text.substr(0, kNumberReadLimit);
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Only digits, one decimal point and an exponent with digits are read.
  size_t start = i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  size_t end = i;
  bool negativeExponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  double value = 0.0;
  std::string number(text.substr(start, end - start));
  if (number.front() == '.') number.insert(number.begin(), '0');
  auto read = std::from_chars(number.data(), number.data() + number.size(), value);
  if (read.ec == std::errc::result_out_of_range) {
    // Too large for a double is infinity, too small is 0. The 40 characters
    // leave the digits too few to decide this: the exponent's sign does.
    value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

std::string FormatDouble(double v) {
  if (std::isnan(v)) return std::signbit(v) ? "-1.#IND" : "1.#QNAN";
  if (std::isinf(v)) return v < 0 ? "-1.#INF" : "1.#INF";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", v);
  std::string text(buffer);
  size_t e = text.find('e');
  if (e == std::string::npos) return text;
  // The exponent has a sign and at least three digits, as on the original platform.
  std::string digits = text.substr(e + 2);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return text.substr(0, e + 2) + digits;
}

Value ValueToInteger(const Value& v) {
  switch (v.kind) {
    case kKindInteger:
    case kKindBoolean:
      return Value::Integer(v.integer);
    case kKindDouble:
      return Value::Integer(DoubleToInteger(v.number));
    case kKindString:
      return Value::Integer(v.text ? ReadDecimalInteger(*v.text) : 0);
    default:
      return Value::Integer(0);
  }
}

Value ValueToDouble(const Value& v) {
  switch (v.kind) {
    case kKindInteger:
    case kKindBoolean:
      return Value::Double(v.integer);
    case kKindDouble:
      return Value::Double(v.number);
    case kKindString:
      return Value::Double(v.text ? ReadDecimalDouble(*v.text) : 0.0);
    default:
      return Value::Double(0.0);
  }
}

Value ValueToBoolean(const Value& v) {
  switch (v.kind) {
    case kKindInteger:
      return Value::Boolean(v.integer != 0);
    case kKindDouble:
      return Value::Boolean(v.number != 0.0);
    case kKindBoolean:
      return Value::Boolean(v.integer != 0);
    case kKindString:
      return Value::Boolean(v.text.has_value());
    default:
      return Value::Boolean(false);
  }
}

Result ValueToString(const Value& v) {
  switch (v.kind) {
    case kKindInteger:
      return Value::String(std::to_string(v.integer));
    case kKindDouble:
      return Value::String(FormatDouble(v.number));
    case kKindBoolean:
      return Value::String(v.integer != 0 ? "1" : "0");
    case kKindString:
      return Value::String(v.text.value_or(""));
    default:
      return std::nullopt;
  }
}

Result ConvertValue(int32_t kind, const Value& v) {
  switch (kind) {
    case kKindAny: {
      Value copy;
      CopyValue(copy, v);
      return copy;
    }
    case kKindInteger:
      return ValueToInteger(v);
    case kKindDouble:
      return ValueToDouble(v);
    case kKindBoolean:
      return ValueToBoolean(v);
    default:
      return ValueToString(v);
  }
}

void ConvertValueInPlace(int32_t kind, Value& v) {
  Result converted = ConvertValue(kind, v);
  if (!converted) return;
  v.kind = converted->kind;
  v.integer = converted->integer;
  v.number = converted->number;
  v.text = std::move(converted->text);
}

void CopyValue(Value& target, const Value& source) {
  if (target.kind == kKindString) target.text.reset();
  target.kind = source.kind;
  switch (source.kind) {
    case kKindInteger:
    case kKindBoolean:
      target.integer = source.integer;
      break;
    case kKindDouble:
      target.number = source.number;
      break;
    case kKindString:
      target.text = source.text.value_or("");
      break;
    default:
      break;
  }
}

bool StoreConverted(Value& target, Value&& value) {
  if (value.kind == target.kind) {
    switch (target.kind) {
      case kKindInteger:
        target.integer = value.integer;
        return true;
      case kKindBoolean:
        target.integer = value.integer != 0 ? 1 : 0;
        return true;
      case kKindDouble:
        target.number = value.number;
        return true;
      case kKindString:
        target.text = TakeText(std::move(value));
        return true;
      default:
        break;
    }
  }
  Result converted = ConvertValue(target.kind, value);
  if (!converted) return false;
  CopyValue(target, *converted);
  return true;
}

std::optional<std::string> TakeText(Value&& v) {
  if (v.kind != kKindString) {
    Result text = ValueToString(v);
    if (!text) return std::nullopt;
    return std::move(*text->text);
  }
  if (!v.text) return std::string();
  return CutAtNul(std::move(*v.text));
}

Value ParseLiteral(std::string_view token, ErrorReporter& errors) {
  if (!token.empty() && token.front() == '"' && token.back() == '"') {
    std::string text;
    if (token.size() >= 2) {
      std::string_view inner = token.substr(1, token.size() - 2);
      for (size_t i = 0; i < inner.size(); ++i) {
        text += inner[i];
        if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;
      }
    }
    return Value::String(std::move(text));
  }
  if (token == "TRUE") return Value::Boolean(true);
  if (token == "FALSE") return Value::Boolean(false);
  if (token.find('.') != std::string_view::npos || (!token.empty() && token.back() == '#')) {
    std::string number(token);
    if (number.back() == '#') number.back() = '.';  // 5# is 5.0
    if (AllOf(number, "0123456789.")) return Value::Double(ReadDecimalDouble(number));
    errors.RaiseScriptError("CAN'T CONVERT VALUE!");
    return Value::Integer(0);
  }
  if (AllOf(token, "0123456789")) return Value::Integer(ReadDecimalInteger(token));
  if (token.size() >= 2 && token[0] == '&' && (token[1] == 'H' || token[1] == 'h')) {
    return Value::Integer(ReadHexInteger(token.substr(2)));
  }
  if (!token.empty() && (token[0] == 'H' || token[0] == 'h')) {
    return Value::Integer(ReadHexInteger(token.substr(1)));
  }
  errors.RaiseScriptError("CAN'T CONVERT VALUE!");
  return Value::Integer(0);
}

}  // namespace quorl
