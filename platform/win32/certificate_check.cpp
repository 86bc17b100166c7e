#include "platform/win32/certificate_check.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace quorl::platform {
namespace {

// Of the SSL policy's extra parameters (their header is WinINet's).
constexpr DWORD kServerAuthentication = 2;
constexpr DWORD kIgnoreUnknownAuthority = 0x00000100;
constexpr DWORD kEncodings = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

std::string CodeText(DWORD code) {
  char text[32];
  std::snprintf(text, sizeof text, "error 0x%08lX", static_cast<unsigned long>(code));
  return text;
}

// A certificate store that closes itself.
class Store {
 public:
  Store(const CertificateFunctions& f, HCERTSTORE store) : f_(f), store_(store) {}
  ~Store() {
    if (store_) f_.CertCloseStore(store_, 0);
  }
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;
  HCERTSTORE get() const { return store_; }

 private:
  const CertificateFunctions& f_;
  HCERTSTORE store_;
};

// Every certificate of a PEM file, in a store of its own; none when the
// file cannot be read or holds no certificate.
HCERTSTORE ReadRoots(const CertificateFunctions& f, const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return nullptr;
  std::ostringstream text;
  text << in.rdbuf();
  const std::string pem = text.str();
  HCERTSTORE store =
      f.CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, CERT_STORE_CREATE_NEW_FLAG, nullptr);
  if (!store) return nullptr;
  constexpr std::string_view kEnd = "-----END CERTIFICATE-----";
  int added = 0;
  for (size_t begin = pem.find("-----BEGIN CERTIFICATE-----"); begin != std::string::npos;
       begin = pem.find("-----BEGIN CERTIFICATE-----", begin + 1)) {
    const size_t end = pem.find(kEnd, begin);
    if (end == std::string::npos) break;
    const std::string block = pem.substr(begin, end + kEnd.size() - begin);
    DWORD size = 0;
    if (!f.CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()),
                                CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) {
      continue;
    }
    std::vector<BYTE> der(size);
    if (f.CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()),
                               CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr) &&
        f.CertAddEncodedCertificateToStore(store, kEncodings, der.data(), size,
                                           CERT_STORE_ADD_USE_EXISTING, nullptr)) {
      ++added;
    }
  }
  if (added == 0) {
    f.CertCloseStore(store, 0);
    return nullptr;
  }
  return store;
}

bool HoldsCertificate(const CertificateFunctions& f, HCERTSTORE store, PCCERT_CONTEXT wanted) {
  PCCERT_CONTEXT found =
      f.CertFindCertificateInStore(store, kEncodings, 0, CERT_FIND_EXISTING, wanted, nullptr);
  if (!found) return false;
  f.CertFreeCertificateContext(found);
  return true;
}

std::wstring Wide(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(length > 0 ? length : 0));
  return wide;
}

// The certificates of the chain, from the server's own to the root.
std::vector<PCERT_CHAIN_ELEMENT> Elements(PCCERT_CHAIN_CONTEXT chain) {
  if (chain->cChain == 0) return {};
  const CERT_SIMPLE_CHAIN& simple = *chain->rgpChain[0];
  return {simple.rgpElement, simple.rgpElement + simple.cElement};
}

// The chain's own verdict, read before the SSL policy's: not every system's
// policy refuses a chain that stops short of any root.
TlsOutcome ChainVerdict(PCCERT_CHAIN_CONTEXT chain, bool rootFromFile) {
  const std::vector<PCERT_CHAIN_ELEMENT> elements = Elements(chain);
  DWORD errors = chain->TrustStatus.dwErrorStatus;
  if (rootFromFile) errors &= ~static_cast<DWORD>(CERT_TRUST_IS_UNTRUSTED_ROOT);
  if (errors & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN)) {
    const bool signsItself = elements.size() == 1 && (elements[0]->TrustStatus.dwInfoStatus &
                                                      CERT_TRUST_IS_SELF_SIGNED) != 0;
    return TlsOutcome::Failure(signsItself ? TlsFailure::kSelfSigned : TlsFailure::kUntrusted);
  }
  if (errors & CERT_TRUST_IS_NOT_TIME_VALID) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    for (const PCERT_CHAIN_ELEMENT element : elements) {
      if (CompareFileTime(&now, &element->pCertContext->pCertInfo->NotBefore) < 0) {
        return TlsOutcome::Failure(TlsFailure::kNotYetValid);
      }
    }
    return TlsOutcome::Failure(TlsFailure::kExpired);
  }
  // Revocation is not asked for, so its status is never known.
  errors &=
      ~static_cast<DWORD>(CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION);
  if (errors != 0) {
    return TlsOutcome::Failure(TlsFailure::kBadCertificate, "chain " + CodeText(errors));
  }
  return {};
}

// What the SSL policy adds: the host name.
TlsOutcome PolicyVerdict(DWORD error) {
  if (error == 0) return {};
  if (error == static_cast<DWORD>(CERT_E_CN_NO_MATCH)) {
    return TlsOutcome::Failure(TlsFailure::kWrongName);
  }
  return TlsOutcome::Failure(TlsFailure::kBadCertificate, CodeText(error));
}

}  // namespace

TlsOutcome CheckServerCertificate(const CertificateFunctions& f, PCCERT_CONTEXT certificate,
                                  std::string_view host, const std::string& extraRootsFile) {
  // The extra roots join the certificates the server sent as places to find
  // issuers in; a chain that ends at one of them is trusted below.
  Store extraRoots(f, extraRootsFile.empty() ? nullptr : ReadRoots(f, extraRootsFile));
  if (!extraRootsFile.empty() && !extraRoots.get()) {
    return TlsOutcome::Failure(TlsFailure::kExtraRootsUnusable);
  }
  Store both(f, extraRoots.get() ? f.CertOpenStore(CERT_STORE_PROV_COLLECTION, 0, 0, 0, nullptr)
                                 : nullptr);
  if (both.get()) {
    f.CertAddStoreToCollection(both.get(), certificate->hCertStore, 0, 0);
    f.CertAddStoreToCollection(both.get(), extraRoots.get(), 0, 0);
  }

  char serverAuthentication[] = szOID_PKIX_KP_SERVER_AUTH;
  LPSTR usages[] = {serverAuthentication};
  CERT_CHAIN_PARA parameters{};
  parameters.cbSize = sizeof parameters;
  parameters.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  parameters.RequestedUsage.Usage.cUsageIdentifier = 1;
  parameters.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  if (!f.CertGetCertificateChain(nullptr, certificate, nullptr,
                                 both.get() ? both.get() : certificate->hCertStore, &parameters, 0,
                                 nullptr, &chain)) {
    return TlsOutcome::Failure(TlsFailure::kBadCertificate, CodeText(GetLastError()));
  }

  const std::vector<PCERT_CHAIN_ELEMENT> elements = Elements(chain);
  const bool rootFromFile =
      extraRoots.get() && !elements.empty() &&
      (chain->TrustStatus.dwErrorStatus & CERT_TRUST_IS_UNTRUSTED_ROOT) != 0 &&
      HoldsCertificate(f, extraRoots.get(), elements.back()->pCertContext);

  TlsOutcome outcome = ChainVerdict(chain, rootFromFile);
  std::wstring serverName = Wide(host);
  SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
  ssl.cbSize = sizeof ssl;
  ssl.dwAuthType = kServerAuthentication;
  ssl.fdwChecks = rootFromFile ? kIgnoreUnknownAuthority : 0;
  ssl.pwszServerName = serverName.data();
  CERT_CHAIN_POLICY_PARA policy{};
  policy.cbSize = sizeof policy;
  policy.dwFlags = rootFromFile ? CERT_CHAIN_POLICY_ALLOW_UNKNOWN_CA_FLAG : 0;
  policy.pvExtraPolicyPara = &ssl;
  CERT_CHAIN_POLICY_STATUS status{};
  status.cbSize = sizeof status;
  if (outcome.failure == TlsFailure::kNone) {
    outcome = f.CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &status)
                  ? PolicyVerdict(status.dwError)
                  : TlsOutcome::Failure(TlsFailure::kBadCertificate, CodeText(GetLastError()));
  }
  f.CertFreeCertificateChain(chain);
  return outcome;
}

}  // namespace quorl::platform
