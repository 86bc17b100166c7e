#include "net/socket_layer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <span>

#include "net/quorl_config.h"
#include "net/socket_errors.h"
#include "net/url_parts.h"

namespace quorl {
namespace {

namespace socket_error = platform::socket_error;
using platform::kNoSocket;

constexpr int kBoxStyle = platform::kMbOk | platform::kMbIconExclamation;
constexpr size_t kMaxLineText = 255;
constexpr size_t kPeekSize = 255;
constexpr size_t kMaxReceive = 64 * 1024;

constexpr std::string_view kLibraryGone =
    "Unable to load Windows socket library (WSOCK32.DLL or WINSOCK.DLL).\n"
    "Network functions of Quorl will not work.";
constexpr std::string_view kEntryPointMissing =
    "One or more necessary functions not found in Windows socket library (WINSOCK.DLL)!\n"
    "Network functions of Quorl will not work.";
constexpr std::string_view kStartupFailed =
    "Unable to initialize Windows socket library (WINSOCK.DLL)!\n"
    "Network functions of Quorl will not work.";

void ShowBox(NetworkContext& ctx, std::string_view text, std::string_view caption) {
  ctx.dialogs.MessageBox(text, caption, kBoxStyle);
}

// The result of a receive that failed or was stopped: no message when the
// user stopped the transfer or when the call would block.
int ReceiveFailure(NetworkContext& ctx, int error, std::string_view label) {
  if (ctx.network.abort || error == socket_error::kWouldBlock) return kReceiveStopped;
  ReportSocketError(ctx, error, label);
  return kReceiveFailed;
}

std::optional<uint32_t> AddressOf(NetworkContext& ctx, const std::string& name) {
  if (std::optional<uint32_t> dotted = ParseDottedAddress(name)) return dotted;
  const platform::SocketResult resolved = ctx.network.sockets->Resolve(name);
  if (resolved.Failed()) return std::nullopt;
  return static_cast<uint32_t>(resolved.value);
}

bool IsUnreachable(int error) {
  return error == socket_error::kTimedOut || error == socket_error::kHostDown ||
         error == socket_error::kNetworkDown;
}

}  // namespace

void ReportSocketError(NetworkContext& ctx, int code, std::string_view label) {
  std::string text = "Error communication on network:\n  ";
  text += SocketErrorText(code);
  ShowBox(ctx, text, "Windows Socket Error" + std::string(label));
}

int StartSocketDLL(NetworkContext& ctx) {
  NetworkState& net = ctx.network;
  int error = 0;
  using Outcome = platform::SocketLibrary::StartOutcome;
  const Outcome outcome = net.sockets ? net.sockets->Start(
                                            [&ctx] {
                                              ctx.system.PumpMessages();
                                              return ctx.network.abort;
                                            },
                                            error)
                                      : Outcome::kNotLoadable;
  switch (outcome) {
    case Outcome::kNotLoadable:
      ShowBox(ctx, kLibraryGone, "Start Socket DLL");
      return 0;
    case Outcome::kEntryPointMissing:
      ShowBox(ctx, kEntryPointMissing, "Start Socket DLL");
      return 0;
    case Outcome::kStartupFailed:
      if (!net.startFailureReported) {
        net.startFailureReported = true;
        ReportSocketError(ctx, error, "StartSocketDLL()");
        ShowBox(ctx, kStartupFailed, "Start Socket DLL");
      }
      return 0;
    case Outcome::kStarted:
      break;
  }
  net.sockets->SetTimeouts(net.timeouts);
  net.libraryStarted = true;
  return 1;
}

void StopSocketDLL(NetworkContext& ctx) {
  if (ctx.network.sockets && ctx.network.libraryStarted) ctx.network.sockets->Stop();
  ctx.network.libraryStarted = false;
}

void AbortNetwork(NetworkContext& ctx) {
  if (!ctx.network.libraryStarted) return;
  ctx.network.abort = true;
  ctx.network.sockets->CancelBlockingCall();
}

SocketHandle OpenSocket(NetworkContext& ctx, std::string_view host, int32_t port, bool& viaProxy) {
  platform::SocketLibrary& sockets = *ctx.network.sockets;
  std::string name(host);
  viaProxy = false;
  if (std::optional<ProxyAddress> proxy = ParseProxySetting(ReadQuorlConfig(ctx, "Proxy"))) {
    ShowStatus(ctx, "Connecting to: " + name + " (via " + proxy->host + ")...", -1);
    name = proxy->host;
    port = proxy->port;
    viaProxy = true;
  }

  const std::optional<uint32_t> address = AddressOf(ctx, name);
  if (ctx.network.abort) return kNoSocket;
  if (!address) {
    ShowBox(ctx, "Could not determine network (IP) address for:\n  " + name, "Open Socket");
    return kNoSocket;
  }
  if (port < 0 || port > 65535) {
    ReportSocketError(ctx, socket_error::kAddressNotAvailable, "Open Socket");
    return kNoSocket;
  }

  const platform::SocketResult opened = sockets.OpenStream();
  if (ctx.network.abort) {
    if (!opened.Failed()) sockets.Close(opened.value);
    return kNoSocket;
  }
  if (opened.Failed()) {
    ReportSocketError(ctx, opened.error, "Open Socket");
    return kNoSocket;
  }

  const SocketHandle socket = opened.value;
  const platform::SocketResult connected =
      sockets.Connect(socket, *address, static_cast<uint16_t>(port));
  if (ctx.network.abort || connected.Failed()) {
    sockets.Close(socket);
    if (ctx.network.abort) return kNoSocket;
    if (IsUnreachable(connected.error)) {
      ShowBox(ctx, "Server is not responding or network is down:\n  " + name, "Open Socket");
    } else {
      ReportSocketError(ctx, connected.error, "Open Socket");
    }
    return kNoSocket;
  }
  return socket;
}

int SendData(NetworkContext& ctx, Connection& connection, std::string_view bytes) {
  const platform::SocketResult sent = connection.Send(bytes);
  if (ctx.network.abort) return 0;
  if (sent.Failed()) {
    if (sent.error == socket_error::kWouldBlock) return -1;
    ReportSocketError(ctx, sent.error, "Send Data");
    return -2;
  }
  return static_cast<int>(sent.value);
}

int GetLine(NetworkContext& ctx, Connection& connection, std::string& text,
            const RawBytesSink& raw) {
  text.clear();
  std::array<char, kPeekSize> peeked{};
  int64_t taken = 0;
  bool lineEnded = false;
  while (!lineEnded) {
    const platform::SocketResult peek = connection.Receive(peeked, true);
    if (ctx.network.abort || peek.Failed()) return ReceiveFailure(ctx, peek.error, "Get Line");
    if (peek.value == 0) break;  // closed: what was taken so far is the last line

    const std::string_view seen(peeked.data(), static_cast<size_t>(peek.value));
    const size_t lineFeed = seen.find('\n');
    const size_t wanted = lineFeed == std::string_view::npos ? seen.size() : lineFeed + 1;
    std::array<char, kPeekSize> chunk{};
    const platform::SocketResult got =
        connection.Receive(std::span<char>(chunk.data(), wanted), false);
    if (ctx.network.abort || got.Failed()) return ReceiveFailure(ctx, got.error, "Get Line");
    if (got.value == 0) break;

    const std::string_view bytes(chunk.data(), static_cast<size_t>(got.value));
    if (raw) raw(bytes);
    if (text.size() < kMaxLineText) text += bytes.substr(0, kMaxLineText - text.size());
    taken += got.value;
    lineEnded = bytes.back() == '\n';
  }
  if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  while (text.size() > 2 && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return static_cast<int>(std::min<int64_t>(taken, INT_MAX));
}

int GetData(NetworkContext& ctx, Connection& connection, std::string& buffer, size_t maximum) {
  buffer.resize(std::min(maximum, kMaxReceive));
  const platform::SocketResult got = connection.Receive(buffer, false);
  if (ctx.network.abort || got.Failed()) {
    buffer.clear();
    return ReceiveFailure(ctx, got.error, "Get Data");
  }
  buffer.resize(static_cast<size_t>(got.value));
  return static_cast<int>(got.value);
}

void CloseSocket(NetworkContext& ctx, Connection& connection) {
  if (const int error = connection.Close(); error != 0) {
    ReportSocketError(ctx, error, "Close Socket");
  }
}

}  // namespace quorl
