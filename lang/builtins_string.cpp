// UCASE, LCASE, TRIM, LEN, LEFT, RIGHT, MID, INSTR, CHR and ASC. Texts are
// bytes: positions and lengths count bytes, and only ASCII letters change case.
#include <algorithm>
#include <cstdint>
#include <string>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"

namespace quorl {
namespace {

std::string StringArgument(const Value& v) {
  return v.text.value_or("");
}

std::string ChangeCase(std::string text, bool upper) {
  for (char& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// One final line feed, then one final carriage return, then blanks and tabs
// at both ends.
std::string TrimText(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The first (LEFT) or last (RIGHT) count bytes; a count of 0 or less gives the
// empty text, one at or above the length the whole text.
std::string TakeEnd(const std::string& text, int32_t count, bool fromLeft) {
  if (count <= 0) return "";
  size_t n = std::min(text.size(), static_cast<size_t>(count));
  return fromLeft ? text.substr(0, n) : text.substr(text.size() - n);
}

// From the 1-based start (below 1 counts as 1) to the end for length -1,
// otherwise at most length bytes; any other negative length takes nothing.
std::string MiddlePart(const std::string& text, int32_t start, int32_t length) {
  size_t begin = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  if (begin >= text.size()) return "";
  if (length == -1) return text.substr(begin);
  if (length < 0) return "";
  return text.substr(begin, static_cast<size_t>(length));
}

Result Mid(Context& ctx, std::string_view arguments) {
  Result text = GetArgument(ctx, kKindString, arguments, 1);
  Result start = GetArgument(ctx, kKindInteger, arguments, 2);
  Result length = GetArgumentOr(ctx, kKindInteger, arguments, 3, "-1");
  if (!text || !start || !length) {
    ctx.RaiseScriptError("CAN'T CONVERT PARAMETERS!");
    return std::nullopt;
  }
  return Value::String(MiddlePart(StringArgument(*text), start->integer, length->integer));
}

// LEFT, RIGHT and INSTR: two arguments, none without a message when either is missing.
Result TwoArgumentFunction(Context& ctx, std::string_view name, std::string_view arguments) {
  int32_t secondKind = name == "INSTR" ? kKindString : kKindInteger;
  Result first = GetArgument(ctx, kKindString, arguments, 1);
  Result second = GetArgument(ctx, secondKind, arguments, 2);
  if (!first || !second) return std::nullopt;
  std::string text = StringArgument(*first);
  if (name == "INSTR") {
    // Byte-wise and case-sensitive; the empty text is found at position 1.
    size_t found = text.find(StringArgument(*second));
    return Value::Integer(found == std::string::npos ? 0 : static_cast<int32_t>(found) + 1);
  }
  return Value::String(TakeEnd(text, second->integer, name == "LEFT"));
}

}  // namespace

Result StringBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name == "MID") return Mid(ctx, arguments);
  if (name == "LEFT" || name == "RIGHT" || name == "INSTR") {
    return TwoArgumentFunction(ctx, name, arguments);
  }
  if (name == "CHR") {
    Result code = GetArgument(ctx, kKindInteger, arguments, 1);
    if (!code) return std::nullopt;
    // The low byte; byte 0 ends a text, so CHR(0) is the empty text.
    return Value::String(std::string(1, static_cast<char>(code->integer & 0xFF)));
  }

  Result argument = GetArgument(ctx, kKindString, arguments, 1);
  if (!argument) return std::nullopt;
  std::string text = StringArgument(*argument);
  if (name == "UCASE" || name == "LCASE") return Value::String(ChangeCase(text, name == "UCASE"));
  if (name == "TRIM") return Value::String(TrimText(std::move(text)));
  if (name == "LEN") return Value::Integer(static_cast<int32_t>(text.size()));
  // ASC: the first byte as a signed 8-bit number; 0 for the empty text.
  return Value::Integer(text.empty() ? 0 : static_cast<int32_t>(static_cast<int8_t>(text[0])));
}

}  // namespace quorl
