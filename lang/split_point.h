// Where a text splits at its loosest operator, and the operator token there.
// Pure functions of the text and the statement mode.
#pragma once

#include <string>
#include <string_view>

namespace quorl {

// Where a text splits into left part, operator and right part.
int FindSplitPoint(std::string_view text, bool statementMode);
// How many characters form the operator token at the start of the text.
int OperatorEnd(std::string_view text, bool stopAtParenthesis, bool statementMode);
// "X.ADDITEM" and the other control method names.
bool IsControlMethod(std::string_view text);
// Cuts the operator token and the right part from W at split point s, both normalised.
void CutOperator(std::string_view w, size_t s, bool statementMode, std::string& op,
                 std::string& right);
// ELSE, END IF, ENDIF, WEND and the lines that begin NEXT, FOR or WHILE.
bool IsLoopOrBlockEnd(std::string_view l);

}  // namespace quorl
