// Built-in functions and variables: names, argument handling and dispatch.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

using BuiltinHandler = Result (*)(Context& ctx, std::string_view name, std::string_view arguments);

// How a built-in may be written: as a function (NAME(...)), as a statement
// without parentheses (NAME ...), as both, or only as a word of its own (END).
enum class BuiltinForm : uint8_t { kFunction, kStatement, kFunctionOrStatement, kWord };

struct BuiltinEntry {
  std::string_view name;
  int maxArguments;
  BuiltinHandler handler;
  BuiltinForm form;
};

// Every built-in and built-in variable, by its exact name; none for others.
const BuiltinEntry* FindBuiltin(std::string_view name);
const BuiltinVariable* FindBuiltinVariable(std::string_view name);
bool IsBuiltinFunctionName(std::string_view name);
// Built-ins that may be written as statements without parentheses.
bool IsStatementBuiltin(std::string_view name);
Result CallBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
Result CallBuiltin(Context& ctx, const BuiltinEntry& entry, std::string_view arguments);

// A single operand: built-in variable, variable or property, or literal.
// ReadOperand decides which (a literal is read there, once).
std::unique_ptr<OperandPlan> ReadOperand(std::string_view text);
Result EvaluateOperand(Context& ctx, int32_t hint, const OperandPlan& operand);
Result EvaluateOperand(Context& ctx, int32_t hint, std::string_view text);
// What a plan that is a plain variable or literal reads, when reading it
// can have no effect (no built-in variable, no control, no message): the
// variable's own record, converted by the reader to its hint, or the literal,
// which is not. A null value for every other plan.
struct PlainOperand {
  const Value* value = nullptr;
  bool isVariable = false;
};
PlainOperand PeekOperand(Context& ctx, const Plan* plan);

// The n-th argument (from 1) as written, or none.
std::optional<std::string> NthArgument(std::string_view arguments, int n);
// The n-th argument evaluated with the kind as hint and converted to it.
Result GetArgument(Context& ctx, int32_t kind, std::string_view arguments, int n);
Result GetArgumentOr(Context& ctx, int32_t kind, std::string_view arguments, int n,
                     std::string_view defaultText);
// False, after "PARAMETER COUNT MISMATCH", when argument n + 1 exists.
bool CheckArgumentCount(Context& ctx, std::string_view arguments, int n);

}  // namespace quorl
