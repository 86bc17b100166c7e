// The status strip at the bottom of the form: a text and an optional
// progress bar, shown while long work runs.
#pragma once

#include <string_view>

#include "lang/context.h"

namespace quorl {

// percent -1 shows no progress bar.
void ShowStatus(Context& ctx, std::string_view text, int percent);
void HideStatus(Context& ctx);

}  // namespace quorl
