// Classifying a text as Evaluate does: the plan of what it is and how it
// splits.
#pragma once

#include <memory>
#include <string_view>

#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

// The plan of a text, without plans for its pieces.
Plan Classify(Context& ctx, std::string_view text, bool statementMode);
// The plan of a text with the plans of the pieces it evaluates, as deep as
// depth allows; deeper pieces are classified when they run.
std::unique_ptr<Plan> BuildPlan(Context& ctx, std::string_view text, bool statementMode,
                                int depth = 0);

}  // namespace quorl
