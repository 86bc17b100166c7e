#include "platform/win32/schannel_channels.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/win32/certificate_check.h"

namespace quorl::platform {
namespace {

// What one receive asks for: a whole record of the largest size.
constexpr size_t kReceiveBlock = 16 * 1024 + 512;
// Enough rounds for any handshake; a peer that needs more is broken.
constexpr int kMaxHandshakeRounds = 64;
constexpr unsigned char kAlertRecord = 21;

constexpr ULONG kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                ISC_REQ_CONFIDENTIALITY | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                ISC_REQ_MANUAL_CRED_VALIDATION;

// The system's words for a status code, or its number.
std::string StatusText(SECURITY_STATUS status) {
  char text[256] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(status), 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                        text[length - 1] == ' ' || text[length - 1] == '.')) {
    --length;
  }
  char code[32];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
  return length > 0 ? std::string(text, length) + " (" + code + ")" : "error " + std::string(code);
}

// An alert as the native build's TLS library words it, so that a refused
// handshake reads the same in both programs.
std::string AlertName(unsigned char description) {
  struct Alert {
    unsigned char code;
    const char* name;
  };
  static constexpr Alert kAlerts[] = {
      {10, "sslv3 alert unexpected message"},
      {20, "sslv3 alert bad record mac"},
      {22, "tlsv1 alert record overflow"},
      {40, "sslv3 alert handshake failure"},
      {42, "sslv3 alert bad certificate"},
      {43, "sslv3 alert unsupported certificate"},
      {44, "sslv3 alert certificate revoked"},
      {45, "sslv3 alert certificate expired"},
      {46, "sslv3 alert certificate unknown"},
      {47, "sslv3 alert illegal parameter"},
      {48, "tlsv1 alert unknown ca"},
      {49, "tlsv1 alert access denied"},
      {50, "tlsv1 alert decode error"},
      {51, "tlsv1 alert decrypt error"},
      {70, "tlsv1 alert protocol version"},
      {71, "tlsv1 alert insufficient security"},
      {80, "tlsv1 alert internal error"},
      {86, "tlsv1 alert inappropriate fallback"},
      {90, "tlsv1 alert user cancelled"},
      {112, "tlsv1 unrecognized name"},
      {120, "tlsv1 alert no application protocol"},
  };
  for (const Alert& alert : kAlerts) {
    if (alert.code == description) return alert.name;
  }
  return "alert " + std::to_string(description);
}

// Whether bytes from the peer begin as a TLS record does (a known record
// type, then major version 3); false for a plain HTTP answer.
bool StartsAsTls(std::string_view bytes) {
  const auto type = static_cast<unsigned char>(bytes[0]);
  return type >= 20 && type <= 23 && bytes[1] == 3;
}

// The description of the first unencrypted alert among the records at the
// start of bytes.
std::optional<unsigned char> FirstAlert(std::string_view bytes) {
  size_t at = 0;
  while (at + 5 <= bytes.size()) {
    const size_t length =
        static_cast<unsigned char>(bytes[at + 3]) << 8 | static_cast<unsigned char>(bytes[at + 4]);
    if (static_cast<unsigned char>(bytes[at]) == kAlertRecord && length == 2 &&
        at + 7 <= bytes.size()) {
      return static_cast<unsigned char>(bytes[at + 6]);
    }
    at += 5 + length;
  }
  return std::nullopt;
}

// An IP address is never sent as the server's name.
bool IsAddress(std::string_view host) {
  return host.find(':') != std::string_view::npos ||
         host.find_first_not_of("0123456789.") == std::string_view::npos;
}

// The socket under a session, and the last failure on it.
struct Wire {
  SocketLibrary& sockets;
  SocketHandle socket;
  int error = 0;

  bool SendAll(const char* data, size_t size) {
    for (std::string_view rest(data, size); !rest.empty();) {
      const SocketResult sent = sockets.Send(socket, rest);
      if (sent.Failed()) {
        error = sent.error;
        return false;
      }
      rest.remove_prefix(static_cast<size_t>(sent.value));
    }
    return true;
  }

  // Appends what arrives: the count, 0 at the end of the stream, -1 on failure.
  int64_t ReceiveMore(std::string& into) {
    const size_t had = into.size();
    into.resize(had + kReceiveBlock);
    const SocketResult got = sockets.Receive(socket, std::span<char>(into).subspan(had), false);
    into.resize(had + (got.Failed() ? 0 : static_cast<size_t>(got.value)));
    if (got.Failed()) {
      error = got.error;
      return -1;
    }
    return got.value;
  }
};

// Why a handshake stopped with a failure underneath, at the socket.
TlsOutcome WireFailure(const Wire& wire) {
  if (wire.error == socket_error::kInterrupted) return TlsOutcome::Failure(TlsFailure::kStopped);
  if (wire.error == socket_error::kConnectionReset ||
      wire.error == socket_error::kConnectionAborted) {
    return TlsOutcome::Failure(TlsFailure::kCutOff);
  }
  TlsOutcome outcome = TlsOutcome::Failure(TlsFailure::kSocketError);
  outcome.socketError = wire.error;
  return outcome;
}

class SchannelChannel final : public SecureChannel {
 public:
  SchannelChannel(const SecurityFunctionTableA& sspi, CredHandle& credentials, Wire wire)
      : sspi_(sspi), credentials_(credentials), wire_(wire) {}
  ~SchannelChannel() override {
    if (haveContext_) sspi_.DeleteSecurityContext(&context_);
  }
  SchannelChannel(const SchannelChannel&) = delete;
  SchannelChannel& operator=(const SchannelChannel&) = delete;

  // Runs the handshake and checks the server's certificate.
  TlsOutcome Handshake(std::string_view host, const TlsSettings& settings,
                       const CertificateFunctions& certificates);

  SocketResult Send(std::string_view bytes) override;
  SocketResult Receive(std::span<char> buffer) override;
  void Shutdown() override;

 private:
  // One call of InitializeSecurityContext with the bytes received so far
  // (none at the start and for the goodbye); its token is sent at once.
  // Bytes it did not use stay in received_.
  SECURITY_STATUS Step(const char* target, bool& sent);
  // Decrypts the whole records held so far into plain_; SEC_E_OK, or
  // SEC_E_INCOMPLETE_MESSAGE when a record is still partly on its way.
  SECURITY_STATUS DecryptHeld();

  const SecurityFunctionTableA& sspi_;
  CredHandle& credentials_;
  Wire wire_;
  CtxtHandle context_{};
  bool haveContext_ = false;
  std::string target_;
  SecPkgContext_StreamSizes sizes_{};
  std::string received_;  // encrypted bytes not yet used
  std::string plain_;     // decrypted bytes not yet given out
  bool ended_ = false;    // the peer has said goodbye
};

SECURITY_STATUS SchannelChannel::Step(const char* target, bool& sent) {
  SecBuffer input[2] = {{static_cast<ULONG>(received_.size()), SECBUFFER_TOKEN, received_.data()},
                        {0, SECBUFFER_EMPTY, nullptr}};
  SecBufferDesc inputs{SECBUFFER_VERSION, 2, input};
  SecBuffer output[1] = {{0, SECBUFFER_TOKEN, nullptr}};
  SecBufferDesc outputs{SECBUFFER_VERSION, 1, output};
  ULONG attributes = 0;
  const SECURITY_STATUS status = sspi_.InitializeSecurityContextA(
      &credentials_, haveContext_ ? &context_ : nullptr, const_cast<char*>(target), kContextFlags,
      0, 0, haveContext_ && !received_.empty() ? &inputs : nullptr, 0, &context_, &outputs,
      &attributes, nullptr);
  if (!haveContext_ && (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK)) {
    haveContext_ = true;
  }
  sent = true;
  if (output[0].pvBuffer) {
    if (output[0].cbBuffer > 0) {
      sent = wire_.SendAll(static_cast<const char*>(output[0].pvBuffer), output[0].cbBuffer);
    }
    sspi_.FreeContextBuffer(output[0].pvBuffer);
  }
  if (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED) {
    if (input[1].BufferType == SECBUFFER_EXTRA && input[1].cbBuffer > 0) {
      received_.erase(0, received_.size() - input[1].cbBuffer);
    } else {
      received_.clear();
    }
  }
  return status;
}

TlsOutcome SchannelChannel::Handshake(std::string_view host, const TlsSettings& settings,
                                      const CertificateFunctions& certificates) {
  target_ = IsAddress(host) ? std::string() : std::string(host);
  const char* target = target_.empty() ? nullptr : target_.c_str();
  bool sent = true;
  SECURITY_STATUS status = Step(target, sent);
  bool checkedStart = false;
  for (int round = 0; status != SEC_E_OK && round < kMaxHandshakeRounds; ++round) {
    if (!sent) return WireFailure(wire_);
    const bool needMore = status == SEC_E_INCOMPLETE_MESSAGE ||
                          (status == SEC_I_CONTINUE_NEEDED && received_.empty());
    if (status != SEC_E_INCOMPLETE_MESSAGE && status != SEC_I_CONTINUE_NEEDED &&
        status != SEC_I_INCOMPLETE_CREDENTIALS) {
      if (const std::optional<unsigned char> alert = FirstAlert(received_)) {
        return TlsOutcome::Failure(TlsFailure::kRefused, AlertName(*alert));
      }
      return TlsOutcome::Failure(
          status == SEC_E_ALGORITHM_MISMATCH ? TlsFailure::kRefused : TlsFailure::kOther,
          StatusText(status));
    }
    if (needMore) {
      do {
        const int64_t got = wire_.ReceiveMore(received_);
        if (got < 0) return WireFailure(wire_);
        if (got == 0) return TlsOutcome::Failure(TlsFailure::kCutOff);
      } while (!checkedStart && received_.size() < 3);
    }
    // A server that answers in plain HTTP is told apart from a broken one.
    if (!checkedStart && received_.size() >= 3) {
      if (!StartsAsTls(received_)) return TlsOutcome::Failure(TlsFailure::kNotTls);
      checkedStart = true;
    }
    // With SEC_I_INCOMPLETE_CREDENTIALS the server asked for a client
    // certificate; the next call goes on without one.
    status = Step(target, sent);
  }
  if (status != SEC_E_OK) return TlsOutcome::Failure(TlsFailure::kOther, StatusText(status));
  if (!sent) return WireFailure(wire_);

  PCCERT_CONTEXT certificate = nullptr;
  if (sspi_.QueryContextAttributesA(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) !=
          SEC_E_OK ||
      !certificate) {
    return TlsOutcome::Failure(TlsFailure::kBadCertificate, "the server showed no certificate");
  }
  TlsOutcome checked =
      CheckServerCertificate(certificates, certificate, host, settings.extraRootsFile);
  certificates.CertFreeCertificateContext(certificate);
  if (checked.failure != TlsFailure::kNone) return checked;
  if (const SECURITY_STATUS queried =
          sspi_.QueryContextAttributesA(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_);
      queried != SEC_E_OK) {
    return TlsOutcome::Failure(TlsFailure::kOther, StatusText(queried));
  }
  return {};
}

SocketResult SchannelChannel::Send(std::string_view bytes) {
  const size_t taken = std::min<size_t>(bytes.size(), sizes_.cbMaximumMessage);
  std::string record(sizes_.cbHeader + taken + sizes_.cbTrailer, '\0');
  std::copy_n(bytes.begin(), taken, record.begin() + sizes_.cbHeader);
  SecBuffer buffers[4] = {
      {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
      {static_cast<ULONG>(taken), SECBUFFER_DATA, record.data() + sizes_.cbHeader},
      {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + taken},
      {0, SECBUFFER_EMPTY, nullptr}};
  SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
  if (sspi_.EncryptMessage(&context_, 0, &message, 0) != SEC_E_OK) {
    return SocketResult::Failure(socket_error::kConnectionAborted);
  }
  // The trailer may come out shorter than its room: send what was made.
  const std::string_view made(record.data(),
                              buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
  if (!wire_.SendAll(made.data(), made.size())) return SocketResult::Failure(wire_.error);
  return SocketResult::Success(static_cast<int64_t>(taken));
}

SECURITY_STATUS SchannelChannel::DecryptHeld() {
  while (!received_.empty()) {
    SecBuffer buffers[4] = {
        {static_cast<ULONG>(received_.size()), SECBUFFER_DATA, received_.data()},
        {0, SECBUFFER_EMPTY, nullptr},
        {0, SECBUFFER_EMPTY, nullptr},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = sspi_.DecryptMessage(&context_, &message, 0, nullptr);
    if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE) return status;
    std::string extra;
    for (const SecBuffer& buffer : buffers) {
      if (buffer.BufferType == SECBUFFER_DATA && buffer.cbBuffer > 0) {
        plain_.append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
      } else if (buffer.BufferType == SECBUFFER_EXTRA && buffer.cbBuffer > 0) {
        extra.assign(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
      }
    }
    received_ = std::move(extra);
    if (status == SEC_I_RENEGOTIATE) {
      // Messages of the handshake after it (such as new session tickets)
      // go back to the handshake, which may answer them.
      bool sent = true;
      const SECURITY_STATUS answered = Step(target_.empty() ? nullptr : target_.c_str(), sent);
      if (!sent || (answered != SEC_E_OK && answered != SEC_I_CONTINUE_NEEDED)) return answered;
    }
  }
  return SEC_E_OK;
}

SocketResult SchannelChannel::Receive(std::span<char> buffer) {
  while (plain_.empty() && !ended_) {
    const SECURITY_STATUS status = DecryptHeld();
    if (status == SEC_I_CONTEXT_EXPIRED) {
      ended_ = true;
      break;
    }
    if (status != SEC_E_OK && status != SEC_E_INCOMPLETE_MESSAGE) {
      return SocketResult::Failure(wire_.error ? wire_.error : socket_error::kConnectionAborted);
    }
    if (!plain_.empty()) break;
    const int64_t got = wire_.ReceiveMore(received_);
    if (got < 0) return SocketResult::Failure(wire_.error);
    // HTTP/1.0 ends a body by closing the connection, and many servers close
    // without the TLS goodbye; the client checks a stated length itself.
    if (got == 0) ended_ = true;
  }
  const size_t count = std::min(buffer.size(), plain_.size());
  std::copy_n(plain_.begin(), count, buffer.begin());
  plain_.erase(0, count);
  return SocketResult::Success(static_cast<int64_t>(count));
}

void SchannelChannel::Shutdown() {
  // Only a healthy session can still say goodbye.
  if (!haveContext_ || wire_.error != 0 || ended_) return;
  DWORD type = SCHANNEL_SHUTDOWN;
  SecBuffer control[1] = {{sizeof type, SECBUFFER_TOKEN, &type}};
  SecBufferDesc controls{SECBUFFER_VERSION, 1, control};
  if (sspi_.ApplyControlToken(&context_, &controls) != SEC_E_OK) return;
  received_.clear();
  bool sent = true;
  Step(target_.empty() ? nullptr : target_.c_str(), sent);
}

}  // namespace

SchannelChannels::~SchannelChannels() {
  if (acquired_) library_.Sspi().FreeCredentialHandle(&credentials_);
}

bool SchannelChannels::Acquire(TlsOutcome& outcome) {
  if (acquired_) return true;
  if (!library_.Load()) {
    outcome = TlsOutcome::Failure(TlsFailure::kOther,
                                  "the system's TLS (SECUR32.DLL, CRYPT32.DLL) is missing");
    return false;
  }
  SCHANNEL_CRED settings{};
  settings.dwVersion = SCHANNEL_CRED_VERSION;
  settings.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT;
  // The certificate is checked by our own step; no client certificate is
  // ever offered.
  settings.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
  char package[] = UNISP_NAME_A;
  SECURITY_STATUS status = library_.Sspi().AcquireCredentialsHandleA(
      nullptr, package, SECPKG_CRED_OUTBOUND, nullptr, &settings, nullptr, nullptr, &credentials_,
      nullptr);
  if (status != SEC_E_OK) {
    // A system that does not know TLS 1.3 by this name.
    settings.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
    status = library_.Sspi().AcquireCredentialsHandleA(nullptr, package, SECPKG_CRED_OUTBOUND,
                                                       nullptr, &settings, nullptr, nullptr,
                                                       &credentials_, nullptr);
  }
  if (status != SEC_E_OK) {
    outcome = TlsOutcome::Failure(TlsFailure::kOther, StatusText(status));
    return false;
  }
  acquired_ = true;
  return true;
}

std::unique_ptr<SecureChannel> SchannelChannels::Open(SocketLibrary& sockets, SocketHandle socket,
                                                      std::string_view host,
                                                      const TlsSettings& settings,
                                                      TlsOutcome& outcome) {
  if (!Acquire(outcome)) return nullptr;
  auto channel =
      std::make_unique<SchannelChannel>(library_.Sspi(), credentials_, Wire{sockets, socket});
  outcome = channel->Handshake(host, settings, library_.Certificates());
  if (outcome.failure != TlsFailure::kNone) return nullptr;
  return channel;
}

}  // namespace quorl::platform
