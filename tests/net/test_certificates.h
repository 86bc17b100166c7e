// A certificate authority of the test's own and the server certificates it
// signs, written as PEM files, so that TLS tests never touch the system's
// trusted roots.
#pragma once

#include <openssl/types.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace quorl::nettest {

struct CertificateFiles {
  std::filesystem::path certificate;
  std::filesystem::path key;
};

struct Validity {
  std::chrono::hours from{-24};
  std::chrono::hours to{24 * 30};
};

class TestAuthority {
 public:
  struct KeyFree {
    void operator()(EVP_PKEY* key) const;
  };
  struct CertificateFree {
    void operator()(X509* certificate) const;
  };
  // Makes the authority's key and certificate in folder.
  explicit TestAuthority(std::filesystem::path folder);
  std::filesystem::path RootFile() const { return folder_ / "ca.pem"; }
  // A server certificate for a DNS name, signed by this authority, or by
  // its own key when selfSigned.
  CertificateFiles Issue(std::string_view stem, std::string_view dnsName, Validity validity = {},
                         bool selfSigned = false);

 private:
  std::filesystem::path folder_;
  long serial_ = 1;
  std::unique_ptr<EVP_PKEY, KeyFree> key_;
  std::unique_ptr<X509, CertificateFree> root_;
};

}  // namespace quorl::nettest
