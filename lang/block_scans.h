// The scans that find the partner line of a block statement.
#pragma once

#include "lang/context.h"

namespace quorl {

void SkipToEndIf(Context& ctx);
void SkipToNextBranch(Context& ctx);
void SkipToWend(Context& ctx);
void BackToWhile(Context& ctx);
void SkipToNext(Context& ctx);
void BackToFor(Context& ctx);

}  // namespace quorl
