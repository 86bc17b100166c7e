// A small HTTP server inside the test, for what real servers will not do:
// each connection runs a script that reads the request and answers (or
// does not) exactly as the test wants.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorl::nettest {

using namespace std::chrono_literals;

// Whether fd has something to read (or is closed) within the time.
inline bool Readable(int fd, std::chrono::milliseconds time) {
  pollfd entry{fd, POLLIN, 0};
  return poll(&entry, 1, static_cast<int>(time.count())) > 0;
}

class ScriptedConnection {
 public:
  ScriptedConnection(int fd, const std::atomic<bool>& stopping,
                     std::function<void(const std::string&)> record)
      : fd_(fd), stopping_(stopping), record_(std::move(record)) {}
  // Reads up to the end of the header, then whatever follows until the
  // client has sent nothing for a moment; the server records it.
  std::string ReadRequest() {
    std::string request;
    auto idleSince = std::chrono::steady_clock::now();
    for (char buffer[4096]; !stopping_;) {
      const auto idle = std::chrono::steady_clock::now() - idleSince;
      if (Readable(fd_, 20ms)) {
        const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<size_t>(got));
        idleSince = std::chrono::steady_clock::now();
      } else if (idle > (request.find("\r\n\r\n") != request.npos ? 150ms : 10s)) {
        break;
      }
    }
    record_(request);
    return request;
  }
  void Send(std::string_view bytes) {
    ssize_t sent = 0;
    while (!bytes.empty() && (sent = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL)) > 0) {
      bytes.remove_prefix(static_cast<size_t>(sent));
    }
  }
  // Waits, or less when the server is being stopped. Reads nothing: a
  // connection closed with unread data is reset.
  void Pause(std::chrono::milliseconds time) {
    const auto until = std::chrono::steady_clock::now() + time;
    while (!stopping_ && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(20ms);
    }
  }
  // Waits until the server is stopped or the client goes away.
  void Hold() {
    while (!stopping_ && !ClientGone(20ms)) {
    }
  }
  // Waits at most time for the client to go away (true when it has).
  bool ClientGone(std::chrono::milliseconds time) {
    char buffer[512];
    return Readable(fd_, time) && recv(fd_, buffer, sizeof buffer, 0) <= 0;
  }

 private:
  int fd_;
  const std::atomic<bool>& stopping_;
  std::function<void(const std::string&)> record_;
};

class ScriptedServer {
 public:
  using Script = std::function<void(ScriptedConnection&)>;

  explicit ScriptedServer(Script script) : listener_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(listener_, 8);
    thread_ = std::thread([this, script = std::move(script)] {
      while (!stopping_) {
        const int fd = Readable(listener_, 20ms) ? accept(listener_, nullptr, nullptr) : -1;
        if (fd < 0) continue;
        ScriptedConnection connection(fd, stopping_, [this](const std::string& request) {
          std::lock_guard lock(mutex_);
          requests_.push_back(request);
        });
        script(connection);
        close(fd);
      }
    });
  }
  // A server that reads each request and sends the same reply.
  explicit ScriptedServer(std::string reply)
      : ScriptedServer([reply](ScriptedConnection& connection) {
          connection.ReadRequest();
          connection.Send(reply);
        }) {}
  ~ScriptedServer() {
    stopping_ = true;
    thread_.join();
    close(listener_);
  }
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  int Port() const { return port_; }
  std::string Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }
  // What each connection has sent so far, in order.
  std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  int listener_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace quorl::nettest
