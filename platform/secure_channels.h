// The seam to the system's TLS: turns a connected socket of the socket
// library into a secure channel. The native build implements it with
// OpenSSL; the Windows host can implement it with Schannel. Every byte on
// the wire goes through SocketLibrary::Send and Receive, so waits, timeouts
// and the user's stop behave exactly as they do for plain connections.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/sockets.h"

namespace quorl::platform {

// Why a handshake failed. The network code turns these into its messages.
enum class TlsFailure {
  kNone,
  kStopped,             // a socket wait ended with socket_error::kInterrupted
  kSocketError,         // the socket failed underneath; the code is in socketError
  kCutOff,              // the peer closed or reset the connection in the handshake
  kNotTls,              // the peer answered with something other than TLS
  kRefused,             // the peer ended the handshake with an alert
  kUntrusted,           // the chain does not lead to a trusted root
  kSelfSigned,          // the certificate signs itself and is not trusted
  kExpired,             // the certificate (or one in its chain) has expired
  kNotYetValid,         // the certificate is not valid yet
  kWrongName,           // the certificate is for another host name
  kBadCertificate,      // any other problem with the certificate
  kExtraRootsUnusable,  // TlsSettings::extraRootsFile could not be read as PEM
  kOther,               // anything else; detail says what
};

struct TlsOutcome {
  TlsFailure failure = TlsFailure::kNone;
  int socketError = 0;
  // Words of the TLS library for kRefused, kBadCertificate and kOther.
  std::string detail;

  static TlsOutcome Failure(TlsFailure failure, std::string detail = {}) {
    return {failure, 0, std::move(detail)};
  }
};

struct TlsSettings {
  // A PEM file of certificate authorities trusted besides the system's own
  // roots; empty for none. Verification itself can never be turned off.
  std::string extraRootsFile;
};

// An established TLS session over one socket. It does not own the socket.
class SecureChannel {
 public:
  virtual ~SecureChannel() = default;
  // Encrypts and sends bytes; value is the count of them taken. Failures
  // carry the socket library's code.
  virtual SocketResult Send(std::string_view bytes) = 0;
  // Waits for data and decrypts at most buffer.size() bytes; value 0 means
  // the peer has ended the stream. A record that does not decrypt fails
  // with socket_error::kConnectionAborted.
  virtual SocketResult Receive(std::span<char> buffer) = 0;
  // Tells the peer that the session ends, as far as that can be done
  // without waiting; the caller closes the socket afterwards.
  virtual void Shutdown() = 0;
};

class SecureChannels {
 public:
  virtual ~SecureChannels() = default;
  // Runs the client handshake on a connected socket: sends host as the
  // server name (unless it is an IP address), verifies the certificate
  // chain against the system's trusted roots (and settings.extraRootsFile)
  // and checks that the certificate names host. None on failure, with the
  // reason in outcome.
  virtual std::unique_ptr<SecureChannel> Open(SocketLibrary& sockets, SocketHandle socket,
                                              std::string_view host, const TlsSettings& settings,
                                              TlsOutcome& outcome) = 0;
};

}  // namespace quorl::platform
