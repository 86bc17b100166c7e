// The statement executor: classifies a text, splits it at its loosest
// operator and runs the statement or computes the expression.
#pragma once

#include <string_view>

#include "lang/context.h"

namespace quorl {

// Executes a line (statement mode) or evaluates an expression with a wanted kind.
Result Evaluate(Context& ctx, int32_t wantedKind, std::string_view text, bool statementMode);
// Where a text splits into left part, operator and right part.
int FindSplitPoint(std::string_view text, bool statementMode);
// How many characters form the operator token at the start of the text.
int OperatorEnd(std::string_view text, bool stopAtParenthesis, bool statementMode);
// "X.ADDITEM" and the other control method names.
bool IsControlMethod(std::string_view text);

}  // namespace quorl
