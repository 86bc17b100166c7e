#include "platform/posix/devtools_browser.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/posix/whole_file.h"
#include "platform/text_case.h"

namespace quorl::platform {
namespace {

// How long an open or activate request may take; the browser's own
// requests answer in milliseconds on loopback.
constexpr std::chrono::milliseconds kRequestTime{3000};
constexpr std::string_view kTopics[] = {"WWW_OpenURL", "WWW_Activate", "WWW_GetWindowInfo"};

bool IsTopic(std::string_view topic, std::string_view name) {
  return EqualIgnoringCase(topic, name);
}

// The status code and the length of the body, once the header is complete.
struct ReplyHeader {
  int status = 0;
  std::optional<size_t> contentLength;
  size_t bodyStart = 0;
};

std::optional<ReplyHeader> ReadReplyHeader(std::string_view reply) {
  const size_t end = reply.find("\r\n\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  ReplyHeader header;
  header.bodyStart = end + 4;
  const size_t blank = reply.find(' ');
  if (blank < end) std::from_chars(reply.data() + blank + 1, reply.data() + end, header.status);
  size_t line = reply.find("\r\n");
  while (line < end) {
    const size_t next = reply.find("\r\n", line + 2);
    const std::string_view field = reply.substr(line + 2, next - line - 2);
    constexpr std::string_view kLength = "content-length:";
    if (field.size() > kLength.size() &&
        EqualIgnoringCase(field.substr(0, kLength.size()), kLength)) {
      std::string_view number = field.substr(kLength.size());
      while (!number.empty() && number.front() == ' ') number.remove_prefix(1);
      size_t length = 0;
      if (std::from_chars(number.data(), number.data() + number.size(), length).ec == std::errc()) {
        header.contentLength = length;
      }
    }
    line = next;
  }
  return header;
}

}  // namespace

bool DevToolsBrowser::Start() {
  int error = 0;
  started_ = sockets_.Start(
                 [this] {
                   system_.PumpMessages();
                   return false;
                 },
                 error) == SocketLibrary::StartOutcome::kStarted;
  return started_;
}

void DevToolsBrowser::Stop() {
  if (started_) sockets_.Stop();
  started_ = false;
  conversations_.clear();
  lastOpenedTab_.clear();
}

std::optional<DevToolsBrowser::Endpoint> DevToolsBrowser::FindEndpoint() {
  std::string address = address_ ? address_() : std::string();
  if (address.empty()) address = kDefaultDevToolsAddress;
  Endpoint endpoint;
  endpoint.host = address;
  const size_t colon = address.rfind(':');
  int port = 9222;
  if (colon != std::string::npos) {
    const auto [end, error] =
        std::from_chars(address.data() + colon + 1, address.data() + address.size(), port);
    if (error != std::errc() || end != address.data() + address.size()) return std::nullopt;
    address.resize(colon);
  }
  if (port <= 0 || port > 65535) return std::nullopt;
  const SocketResult resolved = sockets_.Resolve(address);
  if (resolved.Failed()) return std::nullopt;
  endpoint.address = static_cast<uint32_t>(resolved.value);
  endpoint.port = static_cast<uint16_t>(port);
  return endpoint;
}

std::optional<DevToolsBrowser::Reply> DevToolsBrowser::Exchange(const Endpoint& endpoint,
                                                                std::string_view method,
                                                                const std::string& target,
                                                                std::chrono::milliseconds timeout) {
  sockets_.SetTimeouts({timeout, timeout});
  const SocketResult opened = sockets_.OpenStream();
  if (opened.Failed()) return std::nullopt;
  const SocketHandle socket = opened.value;
  std::optional<Reply> reply;
  std::string request = std::string(method) + " " + target + " HTTP/1.1\r\nHost: " + endpoint.host +
                        "\r\nConnection: close\r\n\r\n";
  bool sent = !sockets_.Connect(socket, endpoint.address, endpoint.port).Failed();
  for (std::string_view rest = request; sent && !rest.empty();) {
    const SocketResult written = sockets_.Send(socket, rest);
    sent = !written.Failed();
    if (sent) rest.remove_prefix(static_cast<size_t>(written.value));
  }
  std::string received;
  std::vector<char> buffer(16384);
  while (sent) {
    const SocketResult got = sockets_.Receive(socket, buffer, false);
    if (got.Failed()) break;
    received.append(buffer.data(), static_cast<size_t>(got.value));
    const std::optional<ReplyHeader> header = ReadReplyHeader(received);
    const bool closed = got.value == 0;
    if (header && (closed || (header->contentLength &&
                              received.size() >= header->bodyStart + *header->contentLength))) {
      reply = Reply{header->status, received.substr(header->bodyStart)};
      if (header->contentLength) reply->body.resize(*header->contentLength);
      break;
    }
    if (closed) break;
  }
  sockets_.Close(socket);
  return reply;
}

DdeConversation DevToolsBrowser::Connect(std::string_view, std::string_view topic) {
  if (!started_) return kNoConversation;
  bool known = false;
  for (std::string_view name : kTopics) known = known || IsTopic(topic, name);
  if (!known) return kNoConversation;
  // A browser answers when its endpoint does.
  const std::optional<Endpoint> endpoint = FindEndpoint();
  if (!endpoint) return kNoConversation;
  const std::optional<Reply> version = Exchange(*endpoint, "GET", "/json/version", kRequestTime);
  if (!version || version->status != 200) return kNoConversation;
  conversations_[++lastConversation_] = std::string(topic);
  return lastConversation_;
}

bool DevToolsBrowser::StartRequest(DdeConversation conversation, std::string_view item) {
  return Answer(conversation, item, kRequestTime).has_value();
}

std::optional<std::string> DevToolsBrowser::Request(DdeConversation conversation,
                                                    std::string_view item,
                                                    std::chrono::milliseconds timeout) {
  return Answer(conversation, item, timeout);
}

std::optional<std::string> DevToolsBrowser::Answer(DdeConversation conversation,
                                                   std::string_view item,
                                                   std::chrono::milliseconds timeout) {
  const auto found = conversations_.find(conversation);
  if (found == conversations_.end()) return std::nullopt;
  const std::string topic = found->second;
  const std::optional<Endpoint> endpoint = FindEndpoint();
  if (!endpoint) return std::nullopt;
  if (IsTopic(topic, "WWW_OpenURL")) return OpenUrl(*endpoint, item, timeout);

  const std::optional<std::vector<DevToolsTarget>> pages = Pages(*endpoint, timeout);
  if (!pages || pages->empty()) return std::nullopt;
  if (IsTopic(topic, "WWW_GetWindowInfo")) return WindowInfoAnswer(pages->front());
  // WWW_Activate: the tab this client opened last, else the front one.
  const std::string tab = lastOpenedTab_.empty() ? pages->front().id : lastOpenedTab_;
  const std::optional<Reply> activated =
      Exchange(*endpoint, "GET", "/json/activate/" + EscapeForQuery(tab), timeout);
  if (!activated || activated->status != 200) return std::nullopt;
  return std::string();
}

std::optional<std::vector<DevToolsTarget>> DevToolsBrowser::Pages(
    const Endpoint& endpoint, std::chrono::milliseconds timeout) {
  const std::optional<Reply> list = Exchange(endpoint, "GET", "/json/list", timeout);
  if (!list || list->status != 200) return std::nullopt;
  std::optional<std::vector<DevToolsTarget>> targets = ParseTargets(list->body);
  if (!targets) return std::nullopt;
  // The list holds the browser's own views too; its tabs come most recently
  // activated first.
  std::erase_if(*targets, [](const DevToolsTarget& target) { return target.type != "page"; });
  return targets;
}

std::optional<std::string> DevToolsBrowser::OpenUrl(const Endpoint& endpoint, std::string_view item,
                                                    std::chrono::milliseconds timeout) {
  const std::optional<OpenUrlItem> request = ParseOpenUrlItem(item);
  if (!request) return std::nullopt;
  std::string target = request->url;
  if (!request->postText.empty()) {
    std::optional<std::string> postText = request->postText;
    if (postText->starts_with('^')) postText = ReadWholeFile(postText->substr(1));
    if (!postText) return std::nullopt;
    const std::optional<std::string> page = MakePostingPage(request->url, *postText);
    if (!page) return std::nullopt;
    target = "file://" + EscapeForQuery(*page);
  }
  const std::optional<Reply> opened =
      Exchange(endpoint, "PUT", "/json/new?" + EscapeForQuery(target), timeout);
  if (!opened || opened->status != 200) return std::nullopt;
  const std::optional<std::vector<DevToolsTarget>> tab = ParseTargets(opened->body);
  if (!tab || tab->size() != 1) return std::nullopt;
  lastOpenedTab_ = tab->front().id;
  if (target != request->url) AwaitTitle(endpoint, lastOpenedTab_);
  return lastOpenedTab_;
}

void DevToolsBrowser::AwaitTitle(const Endpoint& endpoint, const std::string& tab) {
  const auto deadline = std::chrono::steady_clock::now() + kRequestTime;
  while (std::chrono::steady_clock::now() < deadline) {
    const std::optional<std::vector<DevToolsTarget>> pages = Pages(endpoint, kRequestTime);
    if (!pages) return;
    const auto found = std::ranges::find(*pages, tab, &DevToolsTarget::id);
    if (found == pages->end() || !found->title.empty()) return;
    system_.PumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::optional<std::string> DevToolsBrowser::MakePostingPage(std::string_view url,
                                                            std::string_view postText) {
  constexpr std::string_view kSuffix = ".html";  // the browser shows it as HTML
  std::string pattern = system_.TempDirectory() + "QRLXXXXXX" + std::string(kSuffix);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemps(name.data(), static_cast<int>(kSuffix.size()));
  if (fd < 0) return std::nullopt;
  close(fd);
  const std::string path = name.data();
  if (keepTempFile_) keepTempFile_(path);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << PostingPage(url, postText);
  file.close();
  if (!file) return std::nullopt;
  return path;
}

}  // namespace quorl::platform
