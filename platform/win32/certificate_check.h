// Checks the certificate a server showed in the handshake, as our own step
// after it: the chain must lead to one of the system's trusted roots (or to
// one of the extra roots of a PEM file), each certificate must be valid now,
// and the first must name the host. Schannel's own check is off, because
// its failures do not say which of these went wrong on every system.
#pragma once

#include <string>
#include <string_view>

#include "platform/secure_channels.h"
#include "platform/win32/security_library.h"

namespace quorl::platform {

// TlsFailure::kNone when the certificate is good for host.
TlsOutcome CheckServerCertificate(const CertificateFunctions& functions, PCCERT_CONTEXT certificate,
                                  std::string_view host, const std::string& extraRootsFile);

}  // namespace quorl::platform
