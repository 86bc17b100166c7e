// Makes an open connection secure for an https:// URL: through a proxy it
// first asks the proxy for a tunnel to the host (CONNECT), then runs the TLS
// handshake with the host itself. Every failure is shown in a box that
// names the host and the reason.
#pragma once

#include <cstdint>
#include <string_view>

#include "net/connection.h"
#include "net/network_context.h"

namespace quorl {

// The key of section "QuorlConfig" that may name a PEM file of certificate
// authorities to trust besides the system's own.
inline constexpr std::string_view kExtraRootsKey = "CAFile";

// true once the connection carries TLS to host; false after a message (none
// when the user stopped the transfer).
bool SecureTheConnection(NetworkContext& ctx, Connection& connection, std::string_view host,
                         int32_t port, bool viaProxy);

}  // namespace quorl
