// The system's TLS (Schannel, through SSPI) and its certificate functions,
// loaded at run time on the first secure request: a program that never
// fetches an https:// URL does not pay for loading them, and the program
// still imports only the system's core DLLs.
#pragma once

#include "platform/win32/windows_api.h"

#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>

namespace quorl::platform {

// The certificate functions that the check of a server's certificate uses.
// clang-format off
#define QUORL_CERTIFICATE_FUNCTIONS(X)                                          \
  X(CertOpenStore) X(CertCloseStore) X(CertAddStoreToCollection)                \
  X(CertAddEncodedCertificateToStore) X(CertFindCertificateInStore)             \
  X(CertFreeCertificateContext) X(CertGetCertificateChain)                      \
  X(CertFreeCertificateChain) X(CertVerifyCertificateChainPolicy)               \
  X(CryptStringToBinaryA)
// clang-format on

struct CertificateFunctions {
#define QUORL_DECLARE(name) decltype(&::name) name;
  QUORL_CERTIFICATE_FUNCTIONS(QUORL_DECLARE)
#undef QUORL_DECLARE
};

class SecurityLibrary {
 public:
  SecurityLibrary() = default;
  ~SecurityLibrary();
  SecurityLibrary(const SecurityLibrary&) = delete;
  SecurityLibrary& operator=(const SecurityLibrary&) = delete;

  // Loads both libraries the first time; false when either is missing or
  // lacks a function.
  bool Load();
  const SecurityFunctionTableA& Sspi() const { return *sspi_; }
  const CertificateFunctions& Certificates() const { return certificates_; }

 private:
  HMODULE secur32_ = nullptr;
  HMODULE crypt32_ = nullptr;
  const SecurityFunctionTableA* sspi_ = nullptr;
  CertificateFunctions certificates_{};
};

}  // namespace quorl::platform
