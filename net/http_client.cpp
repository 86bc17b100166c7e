#include "net/http_client.h"

#include <fstream>
#include <optional>

#include "net/http_texts.h"
#include "net/secure_connection.h"
#include "net/socket_layer.h"
#include "net/url_parts.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

using Credentials = platform::Dialogs::Credentials;

constexpr std::string_view kRule = "------------------------------------------------------------";
// What the request dump shows in place of a password.
constexpr std::string_view kMaskedPassword = "********";
constexpr size_t kBlockSize = 64 * 1024;

// A copy of a request or reply header in a registered temporary file.
class DumpFile {
 public:
  DumpFile(NetworkContext& ctx, std::string_view prefix, std::string_view title) {
    if (std::optional<std::string> path = ctx.system.CreateTempFile(prefix)) {
      ctx.tempFiles.Register(*path, ctx.system);
      out_.open(*path, std::ios::binary | std::ios::trunc);
    }
    Write(title);
    Write(kRule);
  }
  void Write(std::string_view text) {
    if (out_.is_open()) out_ << DumpLine(text);
  }
  void Finish() {
    Write(kRule);
    out_.close();
  }

 private:
  std::ofstream out_;
};

// Decides from the first bytes of a reply whether it starts with a status
// line; when it does not, passes those bytes on to the output file exactly
// as received, since they belong to the stored reply.
class FirstLineRouter {
 public:
  explicit FirstLineRouter(std::ofstream& output) : output_(output) {}

  void Take(std::string_view bytes) {
    taken_ += static_cast<int64_t>(bytes.size());
    if (decided_) {
      if (!statusLine_) output_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      return;
    }
    pending_ += bytes;
    if (pending_.size() >= 5) Decide();
  }
  // Called once the first line has been taken.
  bool IsStatusLine() {
    if (!decided_) Decide();
    return statusLine_;
  }
  int64_t BytesTaken() const { return taken_; }

 private:
  void Decide() {
    decided_ = true;
    statusLine_ = StartsWithNoCase(pending_, "HTTP/");
    if (!statusLine_) output_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
  }

  std::ofstream& output_;
  std::string pending_;
  bool decided_ = false;
  bool statusLine_ = false;
  int64_t taken_ = 0;
};

int HttpRequest(NetworkContext& ctx, std::string_view url, std::string_view postText,
                const std::string& outputPath, const Credentials* credentials);

// One request and its reply. Credentials, when given, belong to the caller
// for the whole exchange, so nested retries never share them.
class HttpExchange {
 public:
  HttpExchange(NetworkContext& ctx, std::string_view url, std::string_view postText,
               const std::string& outputPath, const Credentials* credentials)
      : ctx_(ctx),
        url_(url),
        postText_(postText),
        outputPath_(outputPath),
        credentials_(credentials),
        parts_(SplitUrl(url)),
        port_(ReadPortNumber(parts_.portText)) {}

  int Run() {
    ShowStatus(ctx_, "Connecting...", -1);
    std::string connecting = "Connecting to: " + parts_.host;
    if (parts_.portText != std::to_string(parts_.DefaultPort())) {
      connecting += ":" + parts_.portText;
    }
    ShowStatus(ctx_, connecting + "...", -1);

    bool viaProxy = false;
    connection_.emplace(*ctx_.network.sockets, OpenSocket(ctx_, parts_.host, port_, viaProxy));
    if (!connection_->IsOpen() || Aborted()) return GiveUp();
    if (parts_.secure && !SecureTheConnection(ctx_, *connection_, parts_.host, port_, viaProxy)) {
      return GiveUp();
    }

    ShowStatus(ctx_, "Sending Request...", -1);
    // A proxy wants the whole URL; through a tunnel the host itself is addressed.
    const bool wholeUrl = viaProxy && !parts_.secure;
    if (!SendRequest(wholeUrl ? url_ : std::string_view(parts_.path))) return 0;
    return ReadReply();
  }

 private:
  bool Aborted() const { return ctx_.network.abort; }

  // Ends the exchange early: socket closed, status line hidden.
  int GiveUp() {
    if (connection_) CloseSocket(ctx_, *connection_);
    HideStatus(ctx_);
    return 0;
  }

  bool SendRequest(std::string_view target) {
    DumpFile dump(ctx_, "QSN", "Header of HTTP request:");
    const std::string requestLine = RequestLine(postText_, target);
    if (!SendText(requestLine, requestLine, dump)) return false;
    if (!SendText(kAgentHeader, kAgentHeader, dump)) return false;
    // Without a Host header no name-based virtual host can be reached.
    if (!PostTextHasHostHeader(postText_)) {
      const std::string host = HostHeader(parts_.host, port_, parts_.DefaultPort());
      if (!SendText(host, host, dump)) return false;
    }
    if (credentials_) {
      // The dump never shows the password, neither in clear nor encoded.
      dump.Write(credentials_->user + ":" + std::string(kMaskedPassword));
      const std::string header = AuthorizationHeader(credentials_->user, credentials_->password);
      const std::string dumped = "Authorization: Basic " + std::string(kMaskedPassword) + "\r\n";
      if (!SendText(header, dumped, dump)) return false;
    }
    if (!SendText(postText_, postText_, dump)) return false;
    const std::string_view end = HeaderEnd(postText_);
    if (!SendText(end, end, dump)) return false;
    dump.Finish();
    return true;
  }

  // Sends the whole text, however many calls that takes.
  bool SendText(std::string_view text, std::string_view dumped, DumpFile& dump) {
    dump.Write(dumped);
    int sent = 0;
    while (!text.empty()) {
      sent = SendData(ctx_, *connection_, text);
      ctx_.system.PumpMessages();
      if (sent < 0 || Aborted()) break;
      text.remove_prefix(static_cast<size_t>(sent));
    }
    if (sent < 0 || Aborted()) {
      GiveUp();
      return false;
    }
    return true;
  }

  int ReadReply() {
    ShowStatus(ctx_, "Waiting for reply...", -1);
    std::ofstream output(outputPath_, std::ios::binary | std::ios::trunc);
    if (!output) return GiveUp();

    DumpFile dump(ctx_, "QRC", "Header of HTTP reply:");
    FirstLineRouter router(output);
    std::string line;
    int n = GetLine(ctx_, *connection_, line,
                    [&router](std::string_view bytes) { router.Take(bytes); });
    dump.Write(line);

    bool failed = false;
    int64_t contentLength = -1;
    int64_t received = 0;
    if (router.IsStatusLine()) {
      bool needAuthorization = StatusCode(line) == "401";
      std::string challenge;
      bool headerEnded = false;
      ctx_.system.PumpMessages();
      while (n != kReceiveClosed && !headerEnded && !Aborted()) {
        if (n == kReceiveFailed) break;
        if (n > 0) {
          const std::string clean = Normalized(line);
          if (clean.empty()) {
            headerEnded = true;
          } else if (std::optional<int64_t> length = ContentLength(clean)) {
            contentLength = *length;
          } else if (StartsWithNoCase(clean, "WWW-Authenticate:")) {
            challenge = clean;
            needAuthorization = true;
          }
        }
        if (!headerEnded) {
          n = GetLine(ctx_, *connection_, line);
          dump.Write(line);
        }
        ctx_.system.PumpMessages();
      }
      dump.Finish();
      // A reply that ends inside its header is incomplete, whatever it said so far.
      if (!headerEnded) failed = true;
      if (needAuthorization && !failed && !Aborted()) {
        CloseSocket(ctx_, *connection_);
        HideStatus(ctx_);
        output.close();
        return HandleAuthRequest(challenge);
      }
    } else {
      dump.Finish();
      // A connection closed before any byte arrived brought no reply at all.
      if (n == kReceiveFailed || n == kReceiveClosed) failed = true;
      received = router.BytesTaken();
    }

    std::string block;
    while (!failed && !Aborted()) {
      n = GetData(ctx_, *connection_, block, kBlockSize);
      if (n == kReceiveClosed || Aborted()) break;
      if (n == kReceiveFailed) {
        failed = true;
        break;
      }
      if (n > 0) {
        output.write(block.data(), n);
        received += n;
      }
      ShowStatus(ctx_, TransferProgressText(received, contentLength),
                 TransferPercent(received, contentLength));
      ctx_.system.PumpMessages();
    }

    output.close();
    if (output.fail()) failed = true;  // the stored copy is incomplete
    CloseSocket(ctx_, *connection_);
    HideStatus(ctx_);
    // A body shorter than its stated length is a broken transfer, not a reply.
    if (contentLength >= 0 && received < contentLength) failed = true;
    return Aborted() || failed ? 0 : 1;
  }

  int HandleAuthRequest(std::string_view challenge) {
    const std::optional<std::string> realm = BasicRealm(challenge);
    if (!realm) {
      ctx_.RaiseScriptError("Authorization scheme not supported by Quorl (Only Basic supported)");
      return 0;
    }
    const std::optional<Credentials> credentials =
        ctx_.dialogs.AskUserPassword(AuthPrompt(*realm, parts_.host));
    if (!credentials) return 0;
    return HttpRequest(ctx_, url_, postText_, outputPath_, &*credentials);
  }

  NetworkContext& ctx_;
  std::string_view url_;
  std::string_view postText_;
  const std::string& outputPath_;
  const Credentials* credentials_;
  UrlParts parts_;
  int32_t port_;
  std::optional<Connection> connection_;
};

int HttpRequest(NetworkContext& ctx, std::string_view url, std::string_view postText,
                const std::string& outputPath, const Credentials* credentials) {
  return HttpExchange(ctx, url, postText, outputPath, credentials).Run();
}

// Clears the busy flag and stops the library however the request ends.
class RequestScope {
 public:
  explicit RequestScope(NetworkContext& ctx) : ctx_(ctx) {
    ctx_.network.busy = true;
    ctx_.network.abort = false;
  }
  ~RequestScope() {
    StopSocketDLL(ctx_);
    ctx_.network.busy = false;
  }
  RequestScope(const RequestScope&) = delete;
  RequestScope& operator=(const RequestScope&) = delete;

 private:
  NetworkContext& ctx_;
};

}  // namespace

int NetworkRequest(NetworkContext& ctx, std::string_view url, std::string_view postText,
                   const std::string& outputPath) {
  if (ctx.network.busy) {
    ctx.RaiseScriptError("NETWORK REQUEST ALREADY IN PROGRESS!");
    return 0;
  }
  RequestScope scope(ctx);
  if (!ctx.network.libraryStarted && StartSocketDLL(ctx) == 0) return 0;
  if (ctx.network.abort) return 0;
  return HttpRequest(ctx, url, postText, outputPath, nullptr);
}

}  // namespace quorl
