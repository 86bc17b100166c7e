// The interpreter's own configuration: section "QuorlConfig" of "Quorl.INI".
#pragma once

#include <string>
#include <string_view>

#include "net/network_context.h"

namespace quorl {

// The value of a key, at most 255 characters; empty when the key is absent
// or the host has installed no INI reader (ctx.network.readQuorlConfig).
std::string ReadQuorlConfig(NetworkContext& ctx, std::string_view key);

}  // namespace quorl
