#include "lang/procedures.h"

#include <new>

#include "lang/builtins.h"
#include "lang/evaluate.h"
#include "lang/scopes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

void ReportBroken(Context& ctx, std::string_view message) {
  ctx.RaiseScriptError(message);
  ctx.RaiseFatalScriptError();
}

// DIM, GLOBAL and CONST lines above the first procedure.
void ScanDeclarations(Context& ctx) {
  for (int i = 0; i < ctx.lines.Count(); ++i) {
    std::string_view line = ctx.lines.Line(i);
    if (StartsWith(line, "DIM ")) {
      DeclareVariable(ctx, Normalized(line.substr(3)), kScopeForm);
    } else if (StartsWith(line, "GLOBAL ")) {
      DeclareVariable(ctx, Normalized(line.substr(6)), kScopeGlobal);
    } else if (StartsWith(line, "CONST ")) {
      DeclareConstant(ctx, line.substr(6), kScopeGlobal);
    }
    if (StartsWith(line, "SUB ") || StartsWith(line, "FUNCTION ")) return;
  }
}

// Finds every SUB and FUNCTION header and checks that procedures do not nest.
void ScanProcedures(Context& ctx) {
  bool open = false;
  for (int i = 0; i < ctx.lines.Count(); ++i) {
    std::string& line = ctx.lines.MutableLine(i);
    NormalizeToken(line);
    if (RemoveProcedureQualifier(line)) NormalizeToken(line);
    bool isFunction = StartsWith(line, "FUNCTION ");
    if (isFunction || StartsWith(line, "SUB ")) {
      if (open) return ReportBroken(ctx, "SUB/FUNCTION DEFINED WITHIN SUB/FUNCTION.");
      size_t nameStart = isFunction ? 8 : 3;
      int parenthesis = FindOutsideQuotes(line, "(");
      // A header without "(" names everything after the keyword.
      size_t nameEnd = parenthesis < 0 ? line.size() : static_cast<size_t>(parenthesis);
      if (nameEnd < nameStart) nameEnd = nameStart;
      if (nameEnd - nameStart > 256) return ReportBroken(ctx, "SUB/FUNCTION NAME TOO LONG.");
      std::string name = Normalized(std::string_view(line).substr(nameStart, nameEnd - nameStart));
      Value entry = Value::Integer(i);
      entry.kind = isFunction ? kKindFunction : kKindSub;
      ctx.procedures.Bind(name, entry);
      open = true;
    } else if (StartsWith(line, "END SUB") || StartsWith(line, "END FUNCTION")) {
      if (!open) return ReportBroken(ctx, "UNEXPECTED END SUB/END FUNCTION");
      open = false;
    }
  }
  if (open) ReportBroken(ctx, "END SUB/END FUNCTION NOT FOUND");
}

// The parameter list of a procedure header, without its parentheses.
std::string ParameterList(Context& ctx, const std::string& header) {
  size_t parenthesis = header.find('(');
  if (parenthesis == std::string::npos) return "";
  std::string inside;
  std::string rest;
  SplitParenthesised(inside, rest, std::string_view(header).substr(parenthesis), ctx);
  NormalizeToken(inside);
  StripOuterParens(inside, ctx);
  return inside;
}

// Evaluates an argument in the caller's frame. The callee's frame is set aside
// meanwhile, so that a call inside the argument pushes its own frame above the
// caller and never touches the callee's.
Result EvaluateInCaller(Context& ctx, int32_t kind, std::string_view argument) {
  CallFrame callee = std::move(ctx.frames.back());
  ctx.frames.pop_back();
  ctx.callerScopeLookup = false;
  Result value = Evaluate(ctx, kind, argument, false);
  ctx.frames.push_back(std::move(callee));
  return value;
}

// Binds the arguments to the parameters; false after a count mismatch.
bool BindArguments(Context& ctx, std::string_view arguments, std::string_view parameters) {
  for (int k = 1;; ++k) {
    std::optional<std::string> argument = NthArgument(arguments, k);
    std::optional<std::string> parameter = NthArgument(parameters, k);
    if (!argument || !parameter) {
      ctx.callerScopeLookup = false;
      if (argument.has_value() == parameter.has_value()) return true;
      ReportBroken(ctx, "PARAMETER COUNT MISMATCH");
      return false;
    }
    NameNode* variable = DeclareVariable(ctx, Normalized(*parameter), kScopeLocal);
    if (!variable) continue;
    int32_t kind = variable->value->kind;
    Result value = EvaluateInCaller(ctx, kind, Normalized(*argument));
    if (!value) continue;
    if (Result converted = ConvertValue(kind, *value)) CopyValue(*variable->value, *converted);
  }
}

// Runs the body from the line after the header until a line ends it.
Result RunBody(Context& ctx, std::string_view name, bool isFunction, int header) {
  const int depth = ctx.FrameDepth();
  ctx.frames[depth].line = header + 1;
  while (true) {
    // After END no line runs, not even the first of a procedure that was
    // called after it (from an argument or the other side of an operator).
    if (ctx.stopRequested) return std::nullopt;
    CallFrame* frame = &ctx.frames[depth];
    if (frame->line < 0 || frame->line >= ctx.lines.Count()) {
      if (!isFunction) return std::nullopt;
      Value* result = LookupName(ctx, name);
      if (!result) return std::nullopt;
      Value copy;
      CopyValue(copy, *result);
      return copy;
    }
    int32_t running = frame->line;
    if (ctx.lineBudget != 0 && ctx.linesExecuted >= ctx.lineBudget) {
      ctx.stopRequested = true;
      ctx.controls->PostCloseRequest();
      return std::nullopt;
    }
    ++ctx.linesExecuted;
    try {
      RunLine(ctx, running);
    } catch (const std::bad_alloc&) {
      // Nothing of the line can be trusted: report and end this procedure.
      ctx.RaiseScriptError("OUT OF MEMORY!");
      ctx.frames[depth].line = -1;
    }
    frame = &ctx.frames[depth];
    if (frame->line != -1 && frame->line == running) ++frame->line;
  }
}

}  // namespace

void PrepareProgram(Context& ctx) {
  ScanDeclarations(ctx);
  ctx.frames.clear();
  ctx.procedures = NameTree("!!@@BLANK@@!!");
  ScanProcedures(ctx);
  ctx.callerScopeLookup = false;
}

void ReleaseProgram(Context& ctx) {
  ctx.frames.clear();
  ctx.procedures = NameTree("!!@@BLANK@@!!");
  ctx.formTable = NameTree("");
  ctx.globals = NameTree("");
}

bool RemoveProcedureQualifier(std::string& line) {
  for (std::string_view qualifier :
       {"PUBLIC SUB", "PRIVATE SUB", "PUBLIC FUNCTION", "PRIVATE FUNCTION"}) {
    if (StartsWithIgnoringCase(line, qualifier)) {
      line.erase(0, StartsWithIgnoringCase(line, "PUBLIC") ? 6 : 7);
      return true;
    }
  }
  return false;
}

bool HasProcedure(const Context& ctx, std::string_view name) {
  NameNode* node = ctx.procedures.Find(name);
  return node && node->value;
}

int ParameterCount(Context& ctx, std::string_view name) {
  NameNode* entry = ctx.procedures.Find(name);
  if (!entry || !entry->value) return 0;
  std::string parameters = ParameterList(ctx, ctx.lines.Line(entry->value->integer));
  int count = 0;
  while (NthArgument(parameters, count + 1)) ++count;
  return count;
}

Result CallProcedure(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name.empty() || name == " " || ctx.frames.empty()) return std::nullopt;
  NameNode* entry = ctx.procedures.Find(name);
  if (!entry || !entry->value) {
    ReportBroken(ctx, "SUB/FUNCTION NOT FOUND");
    return std::nullopt;
  }
  std::string procedure = entry->name;
  bool isFunction = entry->value->kind == kKindFunction;
  int header = entry->value->integer;
  ctx.CurrentFrame()->line = header;  // errors while binding quote the header

  const std::string& headerLine = ctx.lines.Line(header);
  std::string parameters = ParameterList(ctx, headerLine);
  std::string argumentText = Normalized(arguments);
  // The parentheses of MYSUB(1, 2) go; those of MYSUB F(1) or MYSUB (1), (2)
  // belong to the arguments and stay.
  if (StartsWith(argumentText, "(") &&
      ClosingParenEnd(argumentText) == static_cast<int>(argumentText.size())) {
    StripOuterParens(argumentText, ctx);
  }

  ctx.callerScopeLookup = true;
  if (isFunction) {
    size_t close = headerLine.find(')');
    std::string type = close == std::string::npos ? "" : headerLine.substr(close + 1);
    DeclareVariable(ctx, Normalized(procedure + " " + type), kScopeLocal);
  }
  if (!BindArguments(ctx, argumentText, parameters)) return std::nullopt;
  return RunBody(ctx, procedure, isFunction, header);
}

Result RunProcedure(Context& ctx, std::string_view name, std::string_view arguments) {
  if (!ctx.PushFrame()) return std::nullopt;
  Result result = CallProcedure(ctx, name, arguments);
  ctx.PopFrame();
  return result;
}

Value* GetParameterValue(Context& ctx, std::string_view name, int n) {
  if (name.empty()) return nullptr;
  NameNode* entry = ctx.procedures.Find(name);
  if (!entry || !entry->value) {
    ReportBroken(ctx, "SUB/FUNCTION NOT FOUND");
    return nullptr;
  }
  std::string parameters = ParameterList(ctx, ctx.lines.Line(entry->value->integer));
  std::optional<std::string> parameter = NthArgument(parameters, n);
  if (!parameter) return nullptr;
  std::string declaration = Normalized(*parameter);
  return LookupName(ctx, Normalized(declaration.substr(0, declaration.find(' '))));
}

}  // namespace quorl
