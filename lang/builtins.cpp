#include "lang/builtins.h"

#include <array>

#include "lang/builtin_handlers.h"
#include "lang/evaluate.h"
#include "lang/scopes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

struct BuiltinEntry {
  std::string_view name;
  int maxArguments;
  BuiltinHandler handler;
  bool isFunctionName;  // one of the names IsBuiltinFunctionName accepts
};

constexpr std::array kBuiltins = {
    BuiltinEntry{"SIN", 1, MathBuiltin, true},
    BuiltinEntry{"COS", 1, MathBuiltin, true},
    BuiltinEntry{"TAN", 1, MathBuiltin, true},
    BuiltinEntry{"SQR", 1, MathBuiltin, true},
    BuiltinEntry{"ABS", 1, MathBuiltin, true},
    BuiltinEntry{"CLNG", 1, ConversionBuiltin, true},
    BuiltinEntry{"CINT", 1, ConversionBuiltin, true},
    BuiltinEntry{"CDBL", 1, ConversionBuiltin, true},
    BuiltinEntry{"CSNG", 1, ConversionBuiltin, true},
    BuiltinEntry{"CBOOL", 1, ConversionBuiltin, true},
    BuiltinEntry{"CSTR", 1, ConversionBuiltin, true},
    BuiltinEntry{"LNG", 1, ConversionBuiltin, true},
    BuiltinEntry{"INT", 1, ConversionBuiltin, true},
    BuiltinEntry{"DBL", 1, ConversionBuiltin, true},
    BuiltinEntry{"SNG", 1, ConversionBuiltin, true},
    BuiltinEntry{"BOOL", 1, ConversionBuiltin, true},
    BuiltinEntry{"STR", 1, ConversionBuiltin, true},
    BuiltinEntry{"MSG", 1, SystemBuiltin, true},
    BuiltinEntry{"UCASE", 1, StringBuiltin, true},
    BuiltinEntry{"LCASE", 1, StringBuiltin, true},
    BuiltinEntry{"LEFT", 2, StringBuiltin, true},
    BuiltinEntry{"RIGHT", 2, StringBuiltin, true},
    BuiltinEntry{"MID", 3, StringBuiltin, true},
    BuiltinEntry{"CHR", 1, StringBuiltin, true},
    BuiltinEntry{"ASC", 1, StringBuiltin, true},
    BuiltinEntry{"LEN", 1, StringBuiltin, true},
    BuiltinEntry{"INSTR", 2, StringBuiltin, true},
    BuiltinEntry{"TRIM", 1, StringBuiltin, true},
    BuiltinEntry{"RGB", 3, MathBuiltin, true},
    BuiltinEntry{"SHELL", 2, DialogBuiltin, true},
    BuiltinEntry{"MSGBOX", 3, SystemBuiltin, true},
    BuiltinEntry{"INPUTBOX", 3, DialogBuiltin, true},
    BuiltinEntry{"OUTPUTBOX", 3, DialogBuiltin, true},
    BuiltinEntry{"DOEVENTS", 0, ProgramBuiltin, true},
    BuiltinEntry{"OPENURL", 2, BrowserBuiltin, true},
    BuiltinEntry{"ESCAPE", 1, EncodingBuiltin, true},
    BuiltinEntry{"UNESCAPE", 1, EncodingBuiltin, true},
    BuiltinEntry{"SPACETOPLUS", 1, EncodingBuiltin, true},
    BuiltinEntry{"PLUSTOSPACE", 1, EncodingBuiltin, true},
    BuiltinEntry{"TOBASE64", 1, EncodingBuiltin, true},
    BuiltinEntry{"FROMBASE64", 1, EncodingBuiltin, true},
    BuiltinEntry{"WRITEINI", 3, ConfigBuiltin, true},
    BuiltinEntry{"READINI", 3, ConfigBuiltin, true},
    BuiltinEntry{"QUORL", 1, ProgramBuiltin, true},
    BuiltinEntry{"OPENDATA", 2, DataBuiltin, true},
    BuiltinEntry{"OPENDATACACHE", 4, DataBuiltin, true},
    BuiltinEntry{"REOPENDATA", 1, DataBuiltin, true},
    BuiltinEntry{"READDATA", 1, DataBuiltin, true},
    BuiltinEntry{"CLOSEDATA", 1, DataBuiltin, true},
    BuiltinEntry{"EOFDATA", 1, DataBuiltin, true},
    BuiltinEntry{"LOADFRX", 4, DataBuiltin, true},
    // Reached as a statement built-in and as a statement word, not as functions.
    BuiltinEntry{"SETSTATUS", 2, StatusBuiltin, false},
    BuiltinEntry{"END", 0, ProgramBuiltin, false},
};

const BuiltinEntry* FindBuiltin(std::string_view name) {
  for (const BuiltinEntry& entry : kBuiltins) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// Finds where the n-th argument starts and ends: commas split outside string
// literals and parentheses. False when the text has fewer arguments or ends
// inside a literal or an open parenthesis.
bool LocateArgument(std::string_view arguments, int n, size_t& begin, size_t& end) {
  if (arguments.empty() || n < 1) return false;
  bool inString = false;
  int depth = 0;
  int index = 1;
  begin = 0;
  for (size_t i = 0; i <= arguments.size(); ++i) {
    bool atEnd = i == arguments.size();
    char c = atEnd ? '\0' : arguments[i];
    if (!atEnd && c == '"') inString = !inString;
    if (!atEnd && !inString) {
      if (c == '(') ++depth;
      if (c == ')') --depth;
    }
    if (atEnd || (c == ',' && !inString && depth == 0)) {
      if (index == n) {
        if (atEnd && (inString || depth != 0)) return false;
        end = i;
        return true;
      }
      if (atEnd) return false;
      ++index;
      begin = i + 1;
    }
  }
  return false;
}

Result BuiltinVariable(Context& ctx, std::string_view name, bool& found) {
  found = true;
  if (name == "CRLF") return Value::String("\r\n");
  if (name == "VERSION") return Value::Integer(32);
  if (name == "RND") return Value::Double(ctx.random.Next() / 32767.0);
  if (name == "DOEVENTS") {
    ctx.system.PumpMessages();
    return std::nullopt;
  }
  if (std::optional<Result> value = SystemVariable(ctx, name)) return std::move(*value);
  if (std::optional<Result> value = BrowserVariable(ctx, name)) return std::move(*value);
  if (std::optional<Result> value = StatusVariable(ctx, name)) return std::move(*value);
  found = false;
  return std::nullopt;
}

}  // namespace

bool IsBuiltinFunctionName(std::string_view name) {
  const BuiltinEntry* entry = FindBuiltin(name);
  return entry && entry->isFunctionName;
}

bool IsStatementBuiltin(std::string_view name) {
  return name == "SETSTATUS" || name == "WRITEINI" || name == "MSGBOX" || name == "MSG" ||
         name == "OUTPUTBOX" || name == "CLOSEDATA" || name == "REOPENDATA";
}

std::optional<std::string> NthArgument(std::string_view arguments, int n) {
  size_t begin = 0;
  size_t end = 0;
  if (!LocateArgument(arguments, n, begin, end)) return std::nullopt;
  return std::string(arguments.substr(begin, std::min(end - begin, kMaxTextLength)));
}

Result GetArgument(Context& ctx, int32_t kind, std::string_view arguments, int n) {
  std::optional<std::string> argument = NthArgument(arguments, n);
  if (!argument) return std::nullopt;
  Result value = Evaluate(ctx, kind, *argument, false);
  if (!value) return std::nullopt;
  return ConvertValue(kind, *value);
}

Result GetArgumentOr(Context& ctx, int32_t kind, std::string_view arguments, int n,
                     std::string_view defaultText) {
  Result value = GetArgument(ctx, kind, arguments, n);
  if (value) return value;
  return GetArgument(ctx, kind, defaultText, 1);
}

bool CheckArgumentCount(Context& ctx, std::string_view arguments, int n) {
  // The extra argument is evaluated to find out whether it exists.
  if (!GetArgument(ctx, kKindInteger, arguments, n + 1)) return true;
  ctx.RaiseScriptError("PARAMETER COUNT MISMATCH");
  ctx.RaiseFatalScriptError();
  return false;
}

Result CallBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  const BuiltinEntry* entry = FindBuiltin(name);
  if (!entry) return std::nullopt;
  if (!CheckArgumentCount(ctx, arguments, entry->maxArguments)) return std::nullopt;
  return entry->handler(ctx, name, arguments);
}

Result EvaluateOperand(Context& ctx, int32_t hint, std::string_view text) {
  bool isVariable = false;
  Result builtin = BuiltinVariable(ctx, text, isVariable);
  if (isVariable) return builtin;
  if (std::optional<Result> named = ReadName(ctx, text, hint)) return std::move(*named);
  return ParseLiteral(text, ctx);
}

}  // namespace quorl
