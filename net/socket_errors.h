// The user-facing text for each socket failure code.
#pragma once

#include <string_view>

namespace quorl {

// "Unknown" for a code without a text of its own.
std::string_view SocketErrorText(int code);

}  // namespace quorl
