#include "net/secure_connection.h"

#include <string>

#include "net/http_texts.h"
#include "net/quorl_config.h"
#include "net/socket_layer.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

using platform::TlsFailure;

constexpr std::string_view kCaption = "Open Socket";
constexpr int kBoxStyle = platform::kMbOk | platform::kMbIconExclamation;

void ShowBox(NetworkContext& ctx, const std::string& text) {
  ctx.dialogs.MessageBox(text, kCaption, kBoxStyle);
}

void ShowTlsFailure(NetworkContext& ctx, std::string_view host, const std::string& reason) {
  ShowBox(ctx, "Could not open a secure connection to:\n  " + std::string(host) + "\n" + reason);
}

std::string FailureReason(const platform::TlsOutcome& outcome, const std::string& extraRoots) {
  switch (outcome.failure) {
    case TlsFailure::kCutOff:
      return "The server closed the connection during the secure handshake.";
    case TlsFailure::kNotTls:
      return "The server does not answer in TLS on this port (plain HTTP?).";
    case TlsFailure::kRefused:
      return "The server refused the secure handshake (" + outcome.detail + ").";
    case TlsFailure::kUntrusted:
      return "The server's certificate is not issued by a trusted authority.";
    case TlsFailure::kSelfSigned:
      return "The server's certificate is self-signed and not trusted.";
    case TlsFailure::kExpired:
      return "The server's certificate has expired.";
    case TlsFailure::kNotYetValid:
      return "The server's certificate is not valid yet.";
    case TlsFailure::kWrongName:
      return "The server's certificate is for another host name.";
    case TlsFailure::kBadCertificate:
      return "The server's certificate was rejected (" + outcome.detail + ").";
    case TlsFailure::kExtraRootsUnusable:
      return "The certificate file named by " + std::string(kExtraRootsKey) +
             " in Quorl.INI cannot be read:\n  " + extraRoots;
    default:
      return "The secure handshake failed (" + outcome.detail + ").";
  }
}

// Asks the proxy for a tunnel to host:port; true once it stands.
bool OpenTunnel(NetworkContext& ctx, Connection& connection, std::string_view host, int32_t port) {
  const std::string target = std::string(host) + ":" + std::to_string(port);
  std::string request = "CONNECT " + target + " HTTP/1.0\r\n";
  request += kAgentHeader;
  request += "\r\n";
  for (std::string_view rest = request; !rest.empty();) {
    const int sent = SendData(ctx, connection, rest);
    if (sent < 0 || ctx.network.abort) return false;
    rest.remove_prefix(static_cast<size_t>(sent));
  }

  std::string status;
  int n = GetLine(ctx, connection, status);
  if (n == kReceiveStopped || n == kReceiveFailed || ctx.network.abort) return false;
  if (n == kReceiveClosed || !StartsWithNoCase(status, "HTTP/") ||
      !StatusCode(status).starts_with('2')) {
    const std::string said =
        n == kReceiveClosed ? "It closed the connection." : "It answered: " + status;
    ShowBox(ctx, "The proxy did not open a tunnel to:\n  " + target + "\n" + said);
    return false;
  }
  // The proxy's own header lines end with an empty line; TLS follows.
  std::string line;
  do {
    n = GetLine(ctx, connection, line);
    if (n == kReceiveStopped || n == kReceiveFailed || ctx.network.abort) return false;
  } while (n != kReceiveClosed && !Normalized(line).empty());
  if (n == kReceiveClosed) {
    ShowBox(ctx,
            "The proxy did not open a tunnel to:\n  " + target + "\nIt closed the connection.");
    return false;
  }
  return true;
}

}  // namespace

bool SecureTheConnection(NetworkContext& ctx, Connection& connection, std::string_view host,
                         int32_t port, bool viaProxy) {
  if (!ctx.network.tls) {
    ShowTlsFailure(ctx, host, "This Quorl has no secure connections.");
    return false;
  }
  if (viaProxy && !OpenTunnel(ctx, connection, host, port)) return false;

  ShowStatus(ctx, "Securing connection to: " + std::string(host) + "...", -1);
  platform::TlsSettings settings;
  settings.extraRootsFile = ReadQuorlConfig(ctx, kExtraRootsKey);
  TrimBlanks(settings.extraRootsFile);
  platform::TlsOutcome outcome;
  std::unique_ptr<platform::SecureChannel> channel =
      ctx.network.tls->Open(connection.Sockets(), connection.Socket(), host, settings, outcome);
  if (channel) {
    connection.UseChannel(std::move(channel));
    return true;
  }
  if (ctx.network.abort || outcome.failure == TlsFailure::kStopped) return false;
  if (outcome.failure == TlsFailure::kSocketError) {
    ReportSocketError(ctx, outcome.socketError, kCaption);
  } else {
    ShowTlsFailure(ctx, host, FailureReason(outcome, settings.extraRootsFile));
  }
  return false;
}

}  // namespace quorl
