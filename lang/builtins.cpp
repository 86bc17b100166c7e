#include "lang/builtins.h"

#include <array>
#include <unordered_map>

#include "lang/builtin_handlers.h"
#include "lang/evaluate.h"
#include "lang/scopes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

constexpr std::array kBuiltins = {
    BuiltinEntry{"SIN", 1, MathBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"COS", 1, MathBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"TAN", 1, MathBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"SQR", 1, MathBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"ABS", 1, MathBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CLNG", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CINT", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CDBL", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CSNG", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CBOOL", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CSTR", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"LNG", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"INT", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"DBL", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"SNG", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"BOOL", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"STR", 1, ConversionBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"MSG", 1, SystemBuiltin, BuiltinForm::kFunctionOrStatement},
    BuiltinEntry{"UCASE", 1, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"LCASE", 1, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"LEFT", 2, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"RIGHT", 2, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"MID", 3, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CHR", 1, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"ASC", 1, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"LEN", 1, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"INSTR", 2, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"TRIM", 1, StringBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"RGB", 3, MathBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"SHELL", 2, DialogBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"MSGBOX", 3, SystemBuiltin, BuiltinForm::kFunctionOrStatement},
    BuiltinEntry{"INPUTBOX", 3, DialogBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"OUTPUTBOX", 3, DialogBuiltin, BuiltinForm::kFunctionOrStatement},
    BuiltinEntry{"DOEVENTS", 0, ProgramBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"OPENURL", 2, BrowserBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"ESCAPE", 1, EncodingBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"UNESCAPE", 1, EncodingBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"SPACETOPLUS", 1, EncodingBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"PLUSTOSPACE", 1, EncodingBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"TOBASE64", 1, EncodingBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"FROMBASE64", 1, EncodingBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"WRITEINI", 3, ConfigBuiltin, BuiltinForm::kFunctionOrStatement},
    BuiltinEntry{"READINI", 3, ConfigBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"QUORL", 1, ProgramBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"OPENDATA", 2, DataBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"OPENDATACACHE", 4, DataBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"REOPENDATA", 1, DataBuiltin, BuiltinForm::kFunctionOrStatement},
    BuiltinEntry{"READDATA", 1, DataBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"CLOSEDATA", 1, DataBuiltin, BuiltinForm::kFunctionOrStatement},
    BuiltinEntry{"EOFDATA", 1, DataBuiltin, BuiltinForm::kFunction},
    BuiltinEntry{"LOADFRX", 4, DataBuiltin, BuiltinForm::kFunction},
    // Reached as a statement built-in and as a statement word, not as functions.
    BuiltinEntry{"SETSTATUS", 2, StatusBuiltin, BuiltinForm::kStatement},
    BuiltinEntry{"END", 0, ProgramBuiltin, BuiltinForm::kWord},
};

Result ReadOwnVariable(Context& ctx, std::string_view name) {
  if (name == "CRLF") return Value::String("\r\n");
  if (name == "VERSION") return Value::Integer(32);
  if (name == "RND") return Value::Double(ctx.random.Next() / 32767.0);
  ctx.system.PumpMessages();  // DOEVENTS
  return std::nullopt;
}

Result ReadSystemVariable(Context& ctx, std::string_view name) {
  std::optional<Result> value = SystemVariable(ctx, name);
  return value ? std::move(*value) : std::nullopt;
}

Result ReadBrowserVariable(Context& ctx, std::string_view name) {
  std::optional<Result> value = BrowserVariable(ctx, name);
  return value ? std::move(*value) : std::nullopt;
}

Result ReadStatusVariable(Context& ctx, std::string_view name) {
  std::optional<Result> value = StatusVariable(ctx, name);
  return value ? std::move(*value) : std::nullopt;
}

}  // namespace

// Built-in variables are read before any variable: a variable of the same
// name can never be read.
struct BuiltinVariable {
  std::string_view name;
  Result (*read)(Context& ctx, std::string_view name);
};

namespace {

constexpr std::array kBuiltinVariables = {
    BuiltinVariable{"CRLF", ReadOwnVariable},
    BuiltinVariable{"VERSION", ReadOwnVariable},
    BuiltinVariable{"RND", ReadOwnVariable},
    BuiltinVariable{"DOEVENTS", ReadOwnVariable},
    BuiltinVariable{"SCREENX", ReadSystemVariable},
    BuiltinVariable{"SCREENY", ReadSystemVariable},
    BuiltinVariable{"CMDLINE", ReadSystemVariable},
    BuiltinVariable{"OPSYS", ReadSystemVariable},
    BuiltinVariable{"NOW", ReadSystemVariable},
    BuiltinVariable{"AUTHOR", ReadSystemVariable},
    BuiltinVariable{"WEBURL", ReadBrowserVariable},
    BuiltinVariable{"WEBNAME", ReadBrowserVariable},
    BuiltinVariable{"ENDSTATUS", ReadStatusVariable},
};

// The names are fixed: one table, made the first time it is asked.
template <typename Entry, size_t N>
const Entry* FindByName(const std::array<Entry, N>& entries, std::string_view name) {
  static const std::unordered_map<std::string_view, const Entry*> kByName = [&entries] {
    std::unordered_map<std::string_view, const Entry*> byName;
    for (const Entry& entry : entries) byName.emplace(entry.name, &entry);
    return byName;
  }();
  auto found = kByName.find(name);
  return found == kByName.end() ? nullptr : found->second;
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
  for (size_t i = 0; i < arguments.size(); ++i) {
    const char c = arguments[i];
    if (c == '"') {
      inString = !inString;
    } else if (inString) {
      continue;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (c == ',' && depth == 0) {
      if (index == n) {
        end = i;
        return true;
      }
      ++index;
      begin = i + 1;
    }
  }
  if (index != n || inString || depth != 0) return false;
  end = arguments.size();
  return true;
}

}  // namespace

const BuiltinEntry* FindBuiltin(std::string_view name) {
  return FindByName(kBuiltins, name);
}

const BuiltinVariable* FindBuiltinVariable(std::string_view name) {
  return FindByName(kBuiltinVariables, name);
}

bool IsBuiltinFunctionName(std::string_view name) {
  const BuiltinEntry* entry = FindBuiltin(name);
  return entry && (entry->form == BuiltinForm::kFunction ||
                   entry->form == BuiltinForm::kFunctionOrStatement);
}

bool IsStatementBuiltin(std::string_view name) {
  const BuiltinEntry* entry = FindBuiltin(name);
  return entry && (entry->form == BuiltinForm::kStatement ||
                   entry->form == BuiltinForm::kFunctionOrStatement);
}

// The n-th argument as written, within the arguments' text.
std::optional<std::string_view> ArgumentText(std::string_view arguments, int n) {
  size_t begin = 0;
  size_t end = 0;
  if (!LocateArgument(arguments, n, begin, end)) return std::nullopt;
  return arguments.substr(begin, std::min(end - begin, kMaxTextLength));
}

std::optional<std::string> NthArgument(std::string_view arguments, int n) {
  std::optional<std::string_view> argument = ArgumentText(arguments, n);
  if (!argument) return std::nullopt;
  return std::string(*argument);
}

Result GetArgument(Context& ctx, int32_t kind, std::string_view arguments, int n) {
  std::optional<std::string_view> argument = ArgumentText(arguments, n);
  if (!argument) return std::nullopt;
  Result value = Evaluate(ctx, kind, *argument, false);
  if (!value) return std::nullopt;
  // An integer needs no conversion: most arguments are handles, counts and positions.
  if (kind == kKindInteger && value->kind == kKindInteger) return Value::Integer(value->integer);
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
  return entry ? CallBuiltin(ctx, *entry, arguments) : std::nullopt;
}

Result CallBuiltin(Context& ctx, const BuiltinEntry& entry, std::string_view arguments) {
  if (!CheckArgumentCount(ctx, arguments, entry.maxArguments)) return std::nullopt;
  return entry.handler(ctx, entry.name, arguments);
}

std::unique_ptr<OperandPlan> ReadOperand(std::string_view text) {
  auto operand = std::make_unique<OperandPlan>();
  operand->variable = FindBuiltinVariable(text);
  if (operand->variable) return operand;
  operand->name = MakeNameRef(text);
  MessageList messages(operand->literalErrors);
  operand->literal = ParseLiteral(text, messages);
  return operand;
}

Result EvaluateOperand(Context& ctx, int32_t hint, const OperandPlan& operand) {
  if (operand.variable) return operand.variable->read(ctx, operand.variable->name);
  if (std::optional<Result> named = ReadName(ctx, operand.name, hint)) return std::move(*named);
  for (const std::string& message : operand.literalErrors) ctx.RaiseScriptError(message);
  return operand.literal;
}

PlainOperand PeekOperand(Context& ctx, const Plan* plan) {
  if (!plan || plan->step != Step::kOperand || plan->operand->variable) return {};
  const OperandPlan& operand = *plan->operand;
  if (operand.name.isProperty) return {};
  if (const Value* found = LookupName(ctx, operand.name)) {
    if (found->IsControl()) return {};
    return {found, true};
  }
  if (!operand.literalErrors.empty()) return {};
  return {&operand.literal, false};
}

Result EvaluateOperand(Context& ctx, int32_t hint, std::string_view text) {
  return EvaluateOperand(ctx, hint, *ReadOperand(text));
}

}  // namespace quorl
