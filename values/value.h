// The one typed record of the interpreter: variables, constants, arguments,
// results, procedure entries and control records are all a Value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

// Kind codes. 0 and 1 double as FUNCTION and SUB entries of the procedure
// table; codes of 15 and above mark the form and its controls.
inline constexpr int32_t kKindFunction = 0;
inline constexpr int32_t kKindInteger = 1;
inline constexpr int32_t kKindSub = 1;
inline constexpr int32_t kKindString = 2;
inline constexpr int32_t kKindBoolean = 3;
inline constexpr int32_t kKindDouble = 5;
inline constexpr int32_t kKindForm = 15;
// The "no preference" kind hint.
inline constexpr int32_t kKindAny = -1;

struct Value {
  int32_t kind = kKindInteger;
  bool held = false;      // belongs to a name table
  bool constant = false;  // made by CONST: assignment is refused
  int32_t integer = 0;    // integer and boolean payload; header line of a procedure entry
  double number = 0.0;    // double payload
  // String payload. Absent for a STRING variable that was never assigned,
  // which converts to FALSE while the empty text converts to TRUE.
  std::optional<std::string> text;
  // Control records only: the platform's handle of the control's window.
  uint32_t window = 0;

  bool IsControl() const { return kind >= kKindForm; }

  static Value Integer(int32_t v);
  static Value Boolean(bool v);
  static Value Double(double v);
  static Value String(std::string v);  // cut at the first NUL byte
};

// A temporary result; nullopt is "no value".
using Result = std::optional<Value>;

// Where conversions and literal reading report their failures.
class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  virtual void RaiseScriptError(std::string_view message) = 0;
};

// Keeps the messages for later, in order.
class MessageList final : public ErrorReporter {
 public:
  explicit MessageList(std::vector<std::string>& messages) : messages_(messages) {}
  void RaiseScriptError(std::string_view message) override { messages_.emplace_back(message); }

 private:
  std::vector<std::string>& messages_;
};

// A text never holds a NUL byte: a NUL ends it.
std::string CutAtNul(std::string text);

// Truncates toward zero; beyond the 32-bit range the nearest end, NaN 0.
int32_t DoubleToInteger(double d);

// The longest text a value holds, so that a script that keeps doubling a
// text is stopped long before it exhausts the machine.
inline constexpr size_t kMaxTextBytes = 32 * 1024 * 1024;

Value ValueToInteger(const Value& v);
Value ValueToDouble(const Value& v);
// What ValueToInteger and ValueToDouble give, without making a Value.
inline int32_t IntegerOf(const Value& v) {
  if (v.kind == kKindInteger || v.kind == kKindBoolean) return v.integer;
  if (v.kind == kKindDouble) return DoubleToInteger(v.number);
  return ValueToInteger(v).integer;
}
inline double DoubleOf(const Value& v) {
  if (v.kind == kKindInteger || v.kind == kKindBoolean) return v.integer;
  if (v.kind == kKindDouble) return v.number;
  return ValueToDouble(v).number;
}
Value ValueToBoolean(const Value& v);
Result ValueToString(const Value& v);  // none for procedure entries and controls

// kKindAny gives an exact copy; 1, 5 and 3 convert to integer, double and
// boolean; every other code converts to string.
Result ConvertValue(int32_t kind, const Value& v);
// Converts in place; the value is unchanged when the conversion gives none.
void ConvertValueInPlace(int32_t kind, Value& v);
// The target takes the source's kind and payload; flags and control fields stay.
void CopyValue(Value& target, const Value& source);
// ConvertValue to the target's kind, then CopyValue, with a text moved
// instead of copied. False when the conversion gives none.
bool StoreConverted(Value& target, Value&& value);
// The text ValueToString gives; a string value's own text is moved out.
std::optional<std::string> TakeText(Value&& v);

// Reads a literal token (string, TRUE/FALSE, double, decimal, hexadecimal).
Value ParseLiteral(std::string_view token, ErrorReporter& errors);

// "%g" with a sign and at least three exponent digits: 1e+006.
std::string FormatDouble(double v);

// The first 40 characters read as a decimal integer (wrapping) or a double.
int32_t ReadDecimalInteger(std::string_view text);
double ReadDecimalDouble(std::string_view text);

}  // namespace quorl
