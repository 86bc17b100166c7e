// IF / ELSEIF / ELSE, WHILE / WEND and FOR / NEXT lines.
#pragma once

#include <string_view>

#include "lang/context.h"

namespace quorl {

void RunConditional(Context& ctx, std::string_view line);
void RunWhile(Context& ctx, std::string_view line);
void RunFor(Context& ctx, std::string_view line);

}  // namespace quorl
