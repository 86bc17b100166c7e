// The HTTP/1.0 client behind the data-access built-ins: fetches one URL into
// a file, through the configured proxy, with Basic authorization when the
// server asks for it and progress on the status line.
#pragma once

#include <string>
#include <string_view>

#include "net/network_context.h"

namespace quorl {

// 1 when a whole reply arrived and its body (or, for a reply without a
// status line, all of it) is in the output file; 0 otherwise. A second
// request while one runs is refused with a message.
int NetworkRequest(NetworkContext& ctx, std::string_view url, std::string_view postText,
                   const std::string& outputPath);

}  // namespace quorl
