#include "net/http_texts.h"

#include <cctype>
#include <cstdint>

#include "net/encodings.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

std::string KiloText(int64_t bytes) {
  return std::to_string(bytes / 1024) + "." + std::to_string(bytes % 1024 * 10 / 1024) + "k...";
}

}  // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

std::string RequestLine(std::string_view postText, std::string_view target) {
  return std::string(postText.empty() ? "GET " : "POST ") + std::string(target) + " HTTP/1.0 \r\n";
}

std::string HostHeader(std::string_view host, int32_t port, int32_t defaultPort) {
  std::string header = "Host: ";
  header += host;
  if (port != defaultPort) {
    header += ':';
    header += std::to_string(port);
  }
  header += "\r\n";
  return header;
}

bool PostTextHasHostHeader(std::string_view postText) {
  size_t start = 0;
  while (start <= postText.size()) {
    const std::string_view rest = postText.substr(start);
    // The empty line ends the header lines; what follows is the body.
    if (rest.empty() || rest.front() == '\n' || rest.starts_with("\r\n")) break;
    if (StartsWithNoCase(rest, "Host:")) return true;
    const size_t lineFeed = postText.find('\n', start);
    if (lineFeed == std::string_view::npos) break;
    start = lineFeed + 1;
  }
  return false;
}

std::string AuthorizationHeader(std::string_view user, std::string_view password) {
  return "Authorization: Basic " + EncodeBase64(std::string(user) + ":" + std::string(password)) +
         "\r\n";
}

std::string_view HeaderEnd(std::string_view postText) {
  return !postText.empty() && postText.back() == '\n' ? "\r\n" : "\r\n\r\n";
}

std::string DumpLine(std::string_view text) {
  std::string line(text);
  if (line.empty() || (line.back() != '\n' && line.back() != '\r')) line += "\r\n";
  return line;
}

std::string StatusCode(std::string_view statusLine) {
  const size_t first = statusLine.find(' ');
  if (first == std::string_view::npos) return {};
  const size_t second = statusLine.find(' ', first + 1);
  return Normalized(statusLine.substr(
      first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
}

std::optional<int64_t> ContentLength(std::string_view headerLine) {
  constexpr std::string_view kName = "Content-Length:";
  if (!StartsWithNoCase(headerLine, kName)) return std::nullopt;
  std::string_view number = headerLine.substr(kName.size());
  while (!number.empty() && (number.front() == ' ' || number.front() == '\t')) {
    number.remove_prefix(1);
  }
  int64_t length = 0;
  for (char c : number) {
    if (c < '0' || c > '9') break;
    if (length > (INT64_MAX - 9) / 10) return -1;  // absurd: treated as no length
    length = length * 10 + (c - '0');
  }
  return length;
}

std::optional<std::string> BasicRealm(std::string_view challengeLine) {
  constexpr size_t kHeaderNameLength = 17;  // "WWW-Authenticate:"
  const std::string challenge =
      Normalized(challengeLine.substr(std::min(kHeaderNameLength, challengeLine.size())));
  if (!StartsWithNoCase(challenge, "Basic")) return std::nullopt;
  const std::string parameters = Normalized(std::string_view(challenge).substr(5));
  if (!StartsWithNoCase(parameters, "Realm=")) return "(Unknown Realm)";
  std::string quoted = Normalized(std::string_view(parameters).substr(6));
  if (!quoted.empty() && quoted.front() == '"') quoted.erase(0, 1);
  if (!quoted.empty() && quoted.back() == '"') quoted.pop_back();
  std::string realm;
  for (size_t i = 0; i < quoted.size(); ++i) {
    realm += quoted[i];
    if (quoted[i] == '"' && i + 1 < quoted.size() && quoted[i + 1] == '"') ++i;
  }
  return realm;
}

std::string AuthPrompt(std::string_view realm, std::string_view host) {
  return "Enter username and password for " + std::string(realm) + " at \"" + std::string(host) +
         "\".";
}

std::string TransferProgressText(int64_t received, int64_t total) {
  if (total > 0) {
    return "Got:  " + std::to_string(TransferPercent(received, total)) + "% of " + KiloText(total);
  }
  return "Got:  " + KiloText(received);
}

int TransferPercent(int64_t received, int64_t total) {
  if (total <= 0) return -1;
  return static_cast<int>(received * 100 / total);
}

}  // namespace quorl
