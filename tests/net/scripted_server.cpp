#include "scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorl::nettest {
namespace {

constexpr int kSliceMilliseconds = 20;

}  // namespace

std::string ScriptedConnection::ReadRequest() {
  std::string request;
  auto idleSince = std::chrono::steady_clock::now();
  while (!stopping_) {
    pollfd entry{fd_, POLLIN, 0};
    if (poll(&entry, 1, kSliceMilliseconds) > 0) {
      char buffer[4096];
      const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<size_t>(got));
      idleSince = std::chrono::steady_clock::now();
      continue;
    }
    const bool headerDone = request.find("\r\n\r\n") != std::string::npos;
    const auto idle = std::chrono::steady_clock::now() - idleSince;
    if (headerDone && idle > std::chrono::milliseconds(150)) break;
    if (idle > std::chrono::seconds(10)) break;
  }
  record_(request);
  return request;
}

void ScriptedConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
}

void ScriptedConnection::Pause(std::chrono::milliseconds time) {
  const auto until = std::chrono::steady_clock::now() + time;
  while (!stopping_ && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMilliseconds));
  }
}

void ScriptedConnection::Hold() {
  while (!stopping_ && !ClientGone(std::chrono::milliseconds(kSliceMilliseconds))) {
  }
}

bool ScriptedConnection::ClientGone(std::chrono::milliseconds time) {
  pollfd entry{fd_, POLLIN, 0};
  if (poll(&entry, 1, static_cast<int>(time.count())) <= 0) return false;
  char buffer[512];
  return recv(fd_, buffer, sizeof buffer, 0) <= 0;
}

ScriptedServer::ScriptedServer(Script script) : script_(std::move(script)) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  const int on = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  listen(listener_, 8);
  thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
  stopping_ = true;
  thread_.join();
  close(listener_);
}

std::string ScriptedServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> ScriptedServer::Requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

void ScriptedServer::Serve() {
  while (!stopping_) {
    pollfd entry{listener_, POLLIN, 0};
    if (poll(&entry, 1, kSliceMilliseconds) <= 0) continue;
    const int fd = accept(listener_, nullptr, nullptr);
    if (fd < 0) continue;
    ScriptedConnection connection(fd, stopping_, [this](std::string request) {
      std::lock_guard lock(mutex_);
      requests_.push_back(std::move(request));
    });
    script_(connection);
    close(fd);
  }
}

}  // namespace quorl::nettest
