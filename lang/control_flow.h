// IF / ELSEIF / ELSE, WHILE / WEND and FOR / NEXT lines. Each line is read
// into its parts (once, where plans are kept) and then run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

// What a conditional line tests, and whether it continues a chain (ELSEIF
// and ELSE lines, which a branch that ran to its end passes over).
struct ConditionalLine {
  bool continuesChain = false;
  std::string condition;
};
ConditionalLine ReadConditionalLine(std::string_view line);
std::string WhileCondition(std::string_view line);

// FOR VAR = START TO END [STEP STEP], each part normalised; none when "=" or
// " TO " is missing.
struct ForLineText {
  std::string variable;
  std::string start;
  std::string end;
  std::string step;
};
std::optional<ForLineText> CutForLine(std::string_view line);

// The parts as the FOR statement evaluates them; the variable carries its
// name reference where plans are kept.
struct ForParts {
  Expr variable;
  Expr start;
  Expr end;
  Expr step;
  // The variable's plan reads the variable under the name it is assigned by.
  bool variableReadsItself = false;
};

void RunConditional(Context& ctx, bool continuesChain, const Expr& condition);
void RunWhile(Context& ctx, const Expr& condition);
// parts is null for a line that cannot be cut.
void RunFor(Context& ctx, const ForParts* parts);

}  // namespace quorl
