#include "lang/procedures.h"

#include <algorithm>
#include <array>
#include <new>

#include "lang/builtins.h"
#include "lang/evaluate.h"
#include "lang/numbers.h"
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
std::string ParameterList(ErrorReporter& errors, const std::string& header) {
  size_t parenthesis = header.find('(');
  if (parenthesis == std::string::npos) return "";
  std::string inside;
  std::string rest;
  SplitParenthesised(inside, rest, std::string_view(header).substr(parenthesis), errors);
  NormalizeToken(inside);
  StripOuterParens(inside, errors);
  return inside;
}

// The items of a parameter or argument list, as NthArgument gives them.
std::vector<std::string> ListItems(std::string_view list) {
  std::vector<std::string> items;
  while (std::optional<std::string> item = NthArgument(list, static_cast<int>(items.size()) + 1)) {
    items.push_back(Normalized(*item));
  }
  return items;
}

// What a call needs of the procedure's header. Reading the parameter list
// may report messages; they are given at every call.
std::unique_ptr<ProcedurePlan> ReadProcedure(const Context& ctx, const NameNode& entry) {
  auto procedure = std::make_unique<ProcedurePlan>();
  procedure->name = entry.name;
  procedure->isFunction = entry.value->kind == kKindFunction;
  procedure->header = entry.value->integer;
  procedure->resultName = MakeNameRef(entry.name);
  const std::string& headerLine = ctx.lines.Line(procedure->header);
  MessageList messages(procedure->headerMessages);
  for (const std::string& parameter : ListItems(ParameterList(messages, headerLine))) {
    procedure->parameters.push_back(ReadDeclaration(parameter));
  }
  if (procedure->isFunction) {
    size_t close = headerLine.find(')');
    std::string type = close == std::string::npos ? "" : headerLine.substr(close + 1);
    procedure->result = ReadDeclaration(Normalized(entry.name + " " + type));
    procedure->resultReadDirectly =
        !procedure->resultName.isProperty && procedure->result.name == procedure->resultName.key;
  }
  return procedure;
}

// Binds a parameter or a FUNCTION's result variable in the call's frame.
NameNode* BindLocal(Context& ctx, const Declaration& declaration) {
  NameTree& locals = ctx.frames.back().locals;
  if (declaration.node && declaration.tableIdentity == locals.Identity()) {
    return locals.Bind(*declaration.node, declaration.initial);
  }
  declaration.node = locals.Bind(declaration.name, declaration.initial);
  declaration.tableIdentity = locals.Identity();
  return declaration.node;
}

// Evaluates an argument in the caller's frame. The callee's frame is set aside
// meanwhile, so that a call inside the argument pushes its own frame above the
// caller and never touches the callee's.
Result EvaluateInCaller(Context& ctx, int32_t kind, const Expr& argument) {
  CallFrame callee = std::move(ctx.frames.back());
  ctx.frames.pop_back();
  ctx.callerScopeLookup = false;
  Result value = EvaluateExpr(ctx, kind, argument);
  ctx.frames.push_back(std::move(callee));
  return value;
}

// The values of a call's arguments where all of them are plain numbers
// (lang/numbers.h), read before the callee's frame is pushed: such a reading
// runs no code and reports nothing, and nothing the call does before it
// binds them can change what the caller's names hold, so each is what
// reading it in its turn would give.
struct EarlyArguments {
  static constexpr size_t kMax = 4;
  std::array<QuickNumber, kMax> numbers;
  bool read = false;
};

void ReadEarly(Context& ctx, const CallPlan& call, const ProcedurePlan& procedure,
               EarlyArguments& early) {
  size_t count = std::min(call.arguments.size(), procedure.parameters.size());
  if (count > EarlyArguments::kMax || count > call.argumentPlans.size() || ctx.callerScopeLookup ||
      !procedure.headerMessages.empty()) {
    return;
  }
  for (size_t k = 0; k < count; ++k) {
    const Plan* plan = call.argumentPlans[k].get();
    if (!plan || !plan->quickPath) return;
    early.numbers[k] = QuickNumberFor(ctx, *plan, procedure.parameters[k].initial.kind);
    if (!early.numbers[k]) return;
  }
  early.read = true;
}

// Binds the arguments to the parameters, left to right; false after a count mismatch.
bool BindArguments(Context& ctx, const CallPlan& call, const ProcedurePlan& procedure,
                   EarlyArguments& early) {
  size_t count = std::min(call.arguments.size(), procedure.parameters.size());
  for (size_t k = 0; k < count; ++k) {
    const Declaration& parameter = procedure.parameters[k];
    NameNode* variable = BindLocal(ctx, parameter);
    if (!variable) continue;
    if (early.read) {
      StoreNumber(*variable->value, early.numbers[k]);
      continue;
    }
    const Plan* plan = k < call.argumentPlans.size() ? call.argumentPlans[k].get() : nullptr;
    Result value = EvaluateInCaller(ctx, variable->value->kind, Expr(call.arguments[k], plan));
    if (value) StoreConverted(*variable->value, std::move(*value));
  }
  ctx.callerScopeLookup = false;
  if (call.arguments.size() == procedure.parameters.size()) return true;
  ReportBroken(ctx, "PARAMETER COUNT MISMATCH");
  return false;
}

// Runs the body from the line after the header until a line ends it.
// result is the FUNCTION's variable as the call bound it, or none.
Result RunBody(Context& ctx, const ProcedurePlan& procedure, NameNode* result) {
  const int depth = ctx.FrameDepth();
  ctx.frames[depth].line = procedure.header + 1;
  while (true) {
    // After END no line runs, not even the first of a procedure that was
    // called after it (from an argument or the other side of an operator).
    if (ctx.stopRequested) return std::nullopt;
    CallFrame* frame = &ctx.frames[depth];
    if (frame->line < 0 || frame->line >= ctx.lines.Count()) {
      if (!procedure.isFunction) return std::nullopt;
      // The frame's own table is searched first (no arguments are binding).
      Value* value = result && procedure.resultReadDirectly && !ctx.callerScopeLookup
                         ? result->Bound()
                         : LookupName(ctx, procedure.resultName);
      if (!value) return std::nullopt;
      Value copy;
      CopyValue(copy, *value);
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

// What a call needs of the procedure's header: kept where plans are kept.
const ProcedurePlan& ProcedureOf(Context& ctx, const NameNode& entry,
                                 std::unique_ptr<ProcedurePlan>& transient) {
  if (!ctx.plans.Enabled()) {
    transient = ReadProcedure(ctx, entry);
    return *transient;
  }
  std::unique_ptr<ProcedurePlan>& kept = ctx.plans.Procedure(ctx, entry.value->integer);
  if (!kept) kept = ReadProcedure(ctx, entry);
  return *kept;
}

// Runs a procedure in the frame the caller pushed, with its arguments cut.
Result Call(Context& ctx, const NameNode& entry, const CallPlan& call,
            const ProcedurePlan& procedure, EarlyArguments& early) {
  ctx.CurrentFrame()->line = entry.value->integer;  // errors while binding quote the header
  for (const std::string& message : procedure.headerMessages) ctx.RaiseScriptError(message);
  ctx.callerScopeLookup = true;
  NameNode* result = nullptr;
  if (procedure.isFunction) {
    result = BindLocal(ctx, procedure.result);
  }
  if (!BindArguments(ctx, call, procedure, early)) return std::nullopt;
  return RunBody(ctx, procedure, result);
}

Result Call(Context& ctx, const NameNode& entry, const CallPlan& call) {
  std::unique_ptr<ProcedurePlan> transient;
  EarlyArguments none;
  return Call(ctx, entry, call, ProcedureOf(ctx, entry, transient), none);
}

}  // namespace

CallPlan CutArguments(std::string_view arguments) {
  std::string text = Normalized(arguments);
  // The parentheses of MYSUB(1, 2) go; those of MYSUB F(1) or MYSUB (1), (2)
  // belong to the arguments and stay. Both are there: nothing is reported.
  if (StartsWith(text, "(") && ClosingParenEnd(text) == static_cast<int>(text.size())) {
    text = text.substr(1, text.size() - 2);
  }
  CallPlan call;
  call.arguments = ListItems(text);
  return call;
}

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
  return Call(ctx, *entry, CutArguments(arguments));
}

Result RunProcedure(Context& ctx, std::string_view name, std::string_view arguments) {
  if (!ctx.PushFrame()) return std::nullopt;
  Result result = CallProcedure(ctx, name, arguments);
  ctx.PopFrame();
  return result;
}

Result RunProcedure(Context& ctx, const Plan& plan) {
  if (!plan.call || !plan.call->entry || !plan.call->entry->value) {
    return RunProcedure(ctx, plan.left, plan.right);
  }
  const NameNode& entry = *plan.call->entry;
  std::unique_ptr<ProcedurePlan> transient;
  const ProcedurePlan& procedure = ProcedureOf(ctx, entry, transient);
  EarlyArguments early;
  ReadEarly(ctx, *plan.call, procedure, early);
  if (!ctx.PushFrame()) return std::nullopt;
  Result result = Call(ctx, entry, *plan.call, procedure, early);
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
