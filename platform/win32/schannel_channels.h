// The TLS seam with the system's Schannel through SSPI, for the desktop
// program. Handshake tokens and records travel through the socket library's
// Send and Receive, so they wait, time out and stop like plain transfers;
// the certificate is checked by CheckServerCertificate.
#pragma once

#include "platform/secure_channels.h"
#include "platform/win32/security_library.h"

namespace quorl::platform {

class SchannelChannels final : public SecureChannels {
 public:
  SchannelChannels() = default;
  ~SchannelChannels() override;
  SchannelChannels(const SchannelChannels&) = delete;
  SchannelChannels& operator=(const SchannelChannels&) = delete;

  std::unique_ptr<SecureChannel> Open(SocketLibrary& sockets, SocketHandle socket,
                                      std::string_view host, const TlsSettings& settings,
                                      TlsOutcome& outcome) override;

 private:
  // The client credentials, acquired once for the run.
  bool Acquire(TlsOutcome& outcome);

  SecurityLibrary library_;
  CredHandle credentials_{};
  bool acquired_ = false;
};

}  // namespace quorl::platform
