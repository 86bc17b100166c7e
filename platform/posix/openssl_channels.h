// The TLS seam with OpenSSL, for the native build. The handshake and every
// record travel through the socket library's Send and Receive (a BIO of our
// own), so they wait, time out and stop exactly like plain transfers.
#pragma once

#include <openssl/bio.h>

#include "platform/secure_channels.h"

namespace quorl::platform {

class OpenSslChannels : public SecureChannels {
 public:
  OpenSslChannels();
  ~OpenSslChannels() override;
  OpenSslChannels(const OpenSslChannels&) = delete;
  OpenSslChannels& operator=(const OpenSslChannels&) = delete;

  std::unique_ptr<SecureChannel> Open(SocketLibrary& sockets, SocketHandle socket,
                                      std::string_view host, const TlsSettings& settings,
                                      TlsOutcome& outcome) override;

 private:
  BIO_METHOD* socketMethod_;
};

}  // namespace quorl::platform
