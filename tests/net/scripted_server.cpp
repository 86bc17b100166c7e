#include "scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorl::nettest {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Whether fd has something to read (or is closed) within the time.
bool Readable(int fd, std::chrono::milliseconds time) {
  pollfd entry{fd, POLLIN, 0};
  return poll(&entry, 1, static_cast<int>(time.count())) > 0;
}

}  // namespace

std::string ScriptedConnection::ReadRequest() {
  std::string request;
  auto idleSince = Clock::now();
  while (!server_.stopping_) {
    char buffer[4096];
    if (Readable(fd_, 20ms)) {
      const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<size_t>(got));
      idleSince = Clock::now();
    } else if (Clock::now() - idleSince >
               (request.find("\r\n\r\n") != request.npos ? 150ms : 10s)) {
      break;
    }
  }
  std::lock_guard lock(server_.mutex_);
  server_.requests_.push_back(request);
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
  const auto until = Clock::now() + time;
  while (!server_.stopping_ && Clock::now() < until && !ClientGone(20ms)) {
  }
}

bool ScriptedConnection::ClientGone(std::chrono::milliseconds time) {
  char buffer[512];
  return Readable(fd_, time) && recv(fd_, buffer, sizeof buffer, 0) <= 0;
}

ScriptedServer::ScriptedServer(Script script) : script_(std::move(script)) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  listen(listener_, 8);
  thread_ = std::thread([this] {
    while (!stopping_) {
      const int fd = Readable(listener_, 20ms) ? accept(listener_, nullptr, nullptr) : -1;
      if (fd < 0) continue;
      ScriptedConnection connection(fd, *this);
      script_(connection);
      close(fd);
    }
  });
}

ScriptedServer::~ScriptedServer() {
  stopping_ = true;
  thread_.join();
  close(listener_);
}

std::vector<std::string> ScriptedServer::Requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

}  // namespace quorl::nettest
