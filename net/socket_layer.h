// The socket layer: starts and stops the host's socket library around each
// request, opens connections (through the configured proxy when there is
// one), moves bytes, and shows every failure to the user.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "net/connection.h"
#include "net/network_context.h"
#include "platform/sockets.h"

namespace quorl {

using platform::SocketHandle;

// Results of GetLine and GetData besides a positive byte count.
inline constexpr int kReceiveClosed = 0;    // the peer closed the connection
inline constexpr int kReceiveStopped = -1;  // the user stopped the transfer
inline constexpr int kReceiveFailed = -2;   // a failure, already shown to the user

// 1 when the library runs, 0 after its message. A failing start-up call is
// reported only the first time in a run.
int StartSocketDLL(NetworkContext& ctx);
void StopSocketDLL(NetworkContext& ctx);
// The user's stop: sets ctx.network.abort and makes the waiting call return.
// Honoured only while the library runs.
void AbortNetwork(NetworkContext& ctx);

// A connected socket, or kNoSocket (after a message unless the user stopped).
// viaProxy tells whether the connection goes to the proxy instead of host.
SocketHandle OpenSocket(NetworkContext& ctx, std::string_view host, int32_t port, bool& viaProxy);
// Bytes sent (perhaps fewer than given); 0 when stopped; -1 when the library
// would block; -2 after a reported failure.
int SendData(NetworkContext& ctx, Connection& connection, std::string_view bytes);

// Called with each run of bytes that GetLine takes from the stream, exactly
// as received.
using RawBytesSink = std::function<void(std::string_view)>;
// Takes one whole line from the stream, up to and including its line feed
// (or to the end of the connection), however the bytes arrive, and nothing
// after it. The text keeps the first 255 characters, cut at a NUL byte;
// trailing LF, CR and blanks are trimmed while more than 2 characters remain.
// Returns the count of bytes taken, or a kReceive result.
int GetLine(NetworkContext& ctx, Connection& connection, std::string& text,
            const RawBytesSink& raw = {});
// Receives once, at most min(maximum, 64 KiB) bytes, into buffer (resized to
// the count). Returns the count or a kReceive result.
int GetData(NetworkContext& ctx, Connection& connection, std::string& buffer, size_t maximum);
// Ignores a connection that is closed already.
void CloseSocket(NetworkContext& ctx, Connection& connection);

// The message box for a library failure code; label names the operation.
void ReportSocketError(NetworkContext& ctx, int code, std::string_view label);

}  // namespace quorl
