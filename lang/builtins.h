// Built-in functions and variables: names, argument handling and dispatch.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lang/context.h"

namespace quorl {

bool IsBuiltinFunctionName(std::string_view name);
// Built-ins that may be written as statements without parentheses.
bool IsStatementBuiltin(std::string_view name);
Result CallBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// A single operand: built-in variable, variable or property, or literal.
Result EvaluateOperand(Context& ctx, int32_t hint, std::string_view text);

// The n-th argument (from 1) as written, or none.
std::optional<std::string> NthArgument(std::string_view arguments, int n);
// The n-th argument evaluated with the kind as hint and converted to it.
Result GetArgument(Context& ctx, int32_t kind, std::string_view arguments, int n);
Result GetArgumentOr(Context& ctx, int32_t kind, std::string_view arguments, int n,
                     std::string_view defaultText);
// False, after "PARAMETER COUNT MISMATCH", when argument n + 1 exists.
bool CheckArgumentCount(Context& ctx, std::string_view arguments, int n);

}  // namespace quorl
