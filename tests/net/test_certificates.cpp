#include "test_certificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace quorl::nettest {
namespace {

using Key = std::unique_ptr<EVP_PKEY, TestAuthority::KeyFree>;
using Certificate = std::unique_ptr<X509, TestAuthority::CertificateFree>;

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("making test certificates: ") + what);
}

Key NewKey() {
  Key key(EVP_EC_gen("P-256"));
  Check(key != nullptr, "key");
  return key;
}

void AddExtension(X509* certificate, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
  Check(extension != nullptr, "extension");
  X509_add_ext(certificate, extension, -1);
  X509_EXTENSION_free(extension);
}

// issuer and issuerKey are null for a certificate that signs itself; a
// certificate without a DNS name is an authority's.
Certificate NewCertificate(const std::string& commonName, const std::string& dnsName, EVP_PKEY* key,
                           X509* issuer, EVP_PKEY* issuerKey, Validity validity, long serial) {
  Certificate certificate(X509_new());
  X509* c = certificate.get();
  X509_set_version(c, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(c), serial);
  X509_gmtime_adj(X509_getm_notBefore(c), std::chrono::seconds(validity.from).count());
  X509_gmtime_adj(X509_getm_notAfter(c), std::chrono::seconds(validity.to).count());
  X509_NAME* name = X509_get_subject_name(c);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
  X509_set_issuer_name(c, issuer ? X509_get_subject_name(issuer) : name);
  X509_set_pubkey(c, key);
  if (dnsName.empty()) {
    AddExtension(c, c, NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(c, c, NID_key_usage, "critical,keyCertSign,cRLSign,digitalSignature");
  } else {
    AddExtension(c, issuer ? issuer : c, NID_subject_alt_name, "DNS:" + dnsName);
  }
  Check(X509_sign(c, issuerKey ? issuerKey : key, EVP_sha256()) > 0, "signature");
  return certificate;
}

void WritePem(const std::filesystem::path& path, X509* certificate, EVP_PKEY* key) {
  FILE* file = std::fopen(path.c_str(), "w");
  Check(file != nullptr, "file");
  const bool written =
      certificate ? PEM_write_X509(file, certificate) == 1
                  : PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
  std::fclose(file);
  Check(written, "PEM");
}

}  // namespace

void TestAuthority::KeyFree::operator()(EVP_PKEY* key) const {
  EVP_PKEY_free(key);
}

void TestAuthority::CertificateFree::operator()(X509* certificate) const {
  X509_free(certificate);
}

TestAuthority::TestAuthority(std::filesystem::path folder)
    : folder_(std::move(folder)), key_(NewKey()) {
  std::filesystem::create_directories(folder_);
  // A name of its own: a system store may hold another test's authority for
  // a moment, and a chain must never be built up to that one.
  const std::string name = "Quorl Test Authority " + folder_.parent_path().filename().string();
  root_ = NewCertificate(name, "", key_.get(), nullptr, nullptr,
                         Validity{std::chrono::hours(-24), std::chrono::hours(24 * 365)}, 1);
  WritePem(RootFile(), root_.get(), nullptr);
}

CertificateFiles TestAuthority::Issue(std::string_view stem, std::string_view dnsName,
                                      Validity validity, bool selfSigned) {
  Key key = NewKey();
  const std::string name(dnsName);
  const Certificate certificate =
      NewCertificate(name, name, key.get(), selfSigned ? nullptr : root_.get(),
                     selfSigned ? nullptr : key_.get(), validity, ++serial_);
  CertificateFiles files{folder_ / (std::string(stem) + ".pem"),
                         folder_ / (std::string(stem) + ".key")};
  WritePem(files.certificate, certificate.get(), nullptr);
  WritePem(files.key, nullptr, key.get());
  return files;
}

}  // namespace quorl::nettest
