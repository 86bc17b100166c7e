#include "platform/posix/openssl_channels.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <climits>
#include <string>

namespace quorl::platform {
namespace {

// The socket that a BIO reads and writes, and the last failure underneath,
// which OpenSSL itself cannot carry.
struct SocketLink {
  SocketLibrary* sockets;
  SocketHandle socket;
  int error = 0;
};

SocketLink& LinkOf(BIO* bio) {
  return *static_cast<SocketLink*>(BIO_get_data(bio));
}

int LinkWrite(BIO* bio, const char* data, int length) {
  SocketLink& link = LinkOf(bio);
  BIO_clear_retry_flags(bio);
  const SocketResult sent =
      link.sockets->Send(link.socket, std::string_view(data, static_cast<size_t>(length)));
  if (sent.Failed()) {
    link.error = sent.error;
    return -1;
  }
  return static_cast<int>(sent.value);
}

// 0 is the end of the stream: no retry flag is set, so OpenSSL takes it so.
int LinkRead(BIO* bio, char* data, int length) {
  SocketLink& link = LinkOf(bio);
  BIO_clear_retry_flags(bio);
  const SocketResult got =
      link.sockets->Receive(link.socket, std::span<char>(data, static_cast<size_t>(length)), false);
  if (got.Failed()) {
    link.error = got.error;
    return -1;
  }
  return static_cast<int>(got.value);
}

long LinkControl(BIO*, int command, long, void*) {
  return command == BIO_CTRL_FLUSH ? 1 : 0;
}

int LinkCreate(BIO* bio) {
  BIO_set_init(bio, 1);
  return 1;
}

std::string ErrorText(unsigned long error) {
  const char* reason = ERR_reason_error_string(error);
  return reason ? reason : "error " + std::to_string(error);
}

TlsOutcome VerificationFailure(long result) {
  switch (result) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
      return TlsOutcome::Failure(TlsFailure::kExpired);
    case X509_V_ERR_CERT_NOT_YET_VALID:
      return TlsOutcome::Failure(TlsFailure::kNotYetValid);
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
      return TlsOutcome::Failure(TlsFailure::kWrongName);
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
      return TlsOutcome::Failure(TlsFailure::kSelfSigned);
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
    case X509_V_ERR_CERT_UNTRUSTED:
      return TlsOutcome::Failure(TlsFailure::kUntrusted);
    default:
      return TlsOutcome::Failure(TlsFailure::kBadCertificate,
                                 X509_verify_cert_error_string(result));
  }
}

// Why SSL_connect gave result: the socket underneath first, then the
// certificate check, then what the TLS library saw on the wire.
TlsOutcome HandshakeFailure(SSL* ssl, int result, const SocketLink& link) {
  const int sslError = SSL_get_error(ssl, result);
  if (link.error == socket_error::kInterrupted) return TlsOutcome::Failure(TlsFailure::kStopped);
  if (link.error == socket_error::kConnectionReset) return TlsOutcome::Failure(TlsFailure::kCutOff);
  if (link.error != 0) {
    TlsOutcome outcome = TlsOutcome::Failure(TlsFailure::kSocketError);
    outcome.socketError = link.error;
    return outcome;
  }
  if (const long verified = SSL_get_verify_result(ssl); verified != X509_V_OK) {
    return VerificationFailure(verified);
  }
  const unsigned long error = ERR_peek_last_error();
  if (error == 0 || sslError == SSL_ERROR_ZERO_RETURN)
    return TlsOutcome::Failure(TlsFailure::kCutOff);
  if (ERR_GET_LIB(error) == ERR_LIB_SSL) {
    const int reason = ERR_GET_REASON(error);
    switch (reason) {
      case SSL_R_WRONG_VERSION_NUMBER:
      case SSL_R_UNKNOWN_PROTOCOL:
      case SSL_R_PACKET_LENGTH_TOO_LONG:
      case SSL_R_RECORD_LENGTH_MISMATCH:
        return TlsOutcome::Failure(TlsFailure::kNotTls);
      case SSL_R_UNEXPECTED_EOF_WHILE_READING:
        return TlsOutcome::Failure(TlsFailure::kCutOff);
      default:
        if (reason >= SSL_AD_REASON_OFFSET)
          return TlsOutcome::Failure(TlsFailure::kRefused, ErrorText(error));
    }
  }
  return TlsOutcome::Failure(TlsFailure::kOther, ErrorText(error));
}

class OpenSslChannel : public SecureChannel {
 public:
  OpenSslChannel(SSL* ssl, std::unique_ptr<SocketLink> link) : ssl_(ssl), link_(std::move(link)) {}
  ~OpenSslChannel() override { SSL_free(ssl_); }
  OpenSslChannel(const OpenSslChannel&) = delete;
  OpenSslChannel& operator=(const OpenSslChannel&) = delete;

  SocketResult Send(std::string_view bytes) override {
    ERR_clear_error();
    link_->error = 0;
    const int length = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
    const int sent = SSL_write(ssl_, bytes.data(), length);
    if (sent > 0) return SocketResult::Success(sent);
    return SocketResult::Failure(link_->error ? link_->error : socket_error::kConnectionAborted);
  }

  SocketResult Receive(std::span<char> buffer) override {
    ERR_clear_error();
    link_->error = 0;
    const int length = static_cast<int>(std::min<size_t>(buffer.size(), INT_MAX));
    const int got = SSL_read(ssl_, buffer.data(), length);
    if (got > 0) return SocketResult::Success(got);
    if (link_->error) return SocketResult::Failure(link_->error);
    if (SSL_get_error(ssl_, got) == SSL_ERROR_ZERO_RETURN) return SocketResult::Success(0);
    return SocketResult::Failure(socket_error::kConnectionAborted);
  }

  void Shutdown() override {
    // Only a healthy session can still say goodbye.
    if (link_->error == 0 && !(SSL_get_shutdown(ssl_) & SSL_SENT_SHUTDOWN)) {
      ERR_clear_error();
      SSL_shutdown(ssl_);
    }
  }

 private:
  SSL* ssl_;
  std::unique_ptr<SocketLink> link_;
};

struct SslFree {
  void operator()(SSL* ssl) const { SSL_free(ssl); }
};

}  // namespace

OpenSslChannels::OpenSslChannels()
    : socketMethod_(BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "quorl socket")) {
  BIO_meth_set_write(socketMethod_, LinkWrite);
  BIO_meth_set_read(socketMethod_, LinkRead);
  BIO_meth_set_ctrl(socketMethod_, LinkControl);
  BIO_meth_set_create(socketMethod_, LinkCreate);
}

OpenSslChannels::~OpenSslChannels() {
  SSL_CTX_free(context_);
  BIO_meth_free(socketMethod_);
}

SSL_CTX* OpenSslChannels::ContextFor(const std::string& extraRootsFile, TlsOutcome& outcome) {
  // Reading the system's roots takes a while (tens of milliseconds for
  // Debian's bundle), so one context serves every request of a run while
  // the extra roots stay the same.
  if (context_ && contextRoots_ == extraRootsFile) return context_;
  SSL_CTX_free(context_);
  context_ = nullptr;
  SSL_CTX* context = SSL_CTX_new(TLS_client_method());
  if (!context) {
    outcome = TlsOutcome::Failure(TlsFailure::kOther, ErrorText(ERR_peek_last_error()));
    return nullptr;
  }
  SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
  // The system's roots (SSL_CERT_FILE and SSL_CERT_DIR may point elsewhere).
  SSL_CTX_set_default_verify_paths(context);
  if (!extraRootsFile.empty() &&
      SSL_CTX_load_verify_locations(context, extraRootsFile.c_str(), nullptr) != 1) {
    SSL_CTX_free(context);
    outcome = TlsOutcome::Failure(TlsFailure::kExtraRootsUnusable);
    return nullptr;
  }
  SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
  // Read whole records at once rather than header and body apart.
  SSL_CTX_set_read_ahead(context, 1);
  context_ = context;
  contextRoots_ = extraRootsFile;
  return context_;
}

std::unique_ptr<SecureChannel> OpenSslChannels::Open(SocketLibrary& sockets, SocketHandle socket,
                                                     std::string_view host,
                                                     const TlsSettings& settings,
                                                     TlsOutcome& outcome) {
  ERR_clear_error();
  SSL_CTX* context = ContextFor(settings.extraRootsFile, outcome);
  if (!context) return nullptr;
  std::unique_ptr<SSL, SslFree> ssl(SSL_new(context));
  auto link = std::make_unique<SocketLink>(SocketLink{&sockets, socket});
  BIO* bio = BIO_new(socketMethod_);
  if (!ssl || !bio) {
    BIO_free(bio);
    outcome = TlsOutcome::Failure(TlsFailure::kOther, ErrorText(ERR_peek_last_error()));
    return nullptr;
  }
  BIO_set_data(bio, link.get());
  SSL_set_bio(ssl.get(), bio, bio);

  const std::string name(host);
  // An address is checked against the certificate's addresses and is never
  // sent as a server name; a name is both.
  if (X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl.get()), name.c_str()) != 1) {
    SSL_set_tlsext_host_name(ssl.get(), name.c_str());
    SSL_set_hostflags(ssl.get(), X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    SSL_set1_host(ssl.get(), name.c_str());
  }
  ERR_clear_error();

  if (const int result = SSL_connect(ssl.get()); result != 1) {
    outcome = HandshakeFailure(ssl.get(), result, *link);
    return nullptr;
  }
  // HTTP/1.0 ends a body by closing the connection, and many servers close
  // without the TLS goodbye; the client checks a stated length itself.
  SSL_set_options(ssl.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
  outcome = TlsOutcome{};
  return std::make_unique<OpenSslChannel>(ssl.release(), std::move(link));
}

}  // namespace quorl::platform
