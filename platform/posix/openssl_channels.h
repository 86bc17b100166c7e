// The TLS seam with OpenSSL, for the native build. The handshake and every
// record travel through the socket library's Send and Receive (a BIO of our
// own), so they wait, time out and stop exactly like plain transfers.
#pragma once

#include <openssl/bio.h>

#include <string>

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
  // The context for these extra roots, made on first use.
  SSL_CTX* ContextFor(const std::string& extraRootsFile, TlsOutcome& outcome);

  BIO_METHOD* socketMethod_;
  SSL_CTX* context_ = nullptr;
  std::string contextRoots_;
};

}  // namespace quorl::platform
