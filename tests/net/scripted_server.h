// A small HTTP server inside the test, for what real servers will not do:
// each connection runs a script that reads the request and answers (or
// does not) exactly as the test wants.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorl::nettest {

class ScriptedServer;

class ScriptedConnection {
 public:
  ScriptedConnection(int fd, ScriptedServer& server) : fd_(fd), server_(server) {}
  // Reads up to the end of the header, then whatever follows until the
  // client has sent nothing for a moment; the server records it.
  std::string ReadRequest();
  void Send(std::string_view bytes);
  // Waits, or less when the server is being stopped.
  void Pause(std::chrono::milliseconds time);
  // Waits until the server is stopped or the client goes away.
  void Hold() { Pause(std::chrono::hours(1)); }
  // Waits at most time for the client to go away (true when it has).
  bool ClientGone(std::chrono::milliseconds time);

 private:
  int fd_;
  ScriptedServer& server_;
};

class ScriptedServer {
 public:
  using Script = std::function<void(ScriptedConnection&)>;

  explicit ScriptedServer(Script script);
  // A server that reads each request and sends the same reply.
  explicit ScriptedServer(std::string reply)
      : ScriptedServer([reply](ScriptedConnection& connection) {
          connection.ReadRequest();
          connection.Send(reply);
        }) {}
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  int Port() const { return port_; }
  std::string Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }
  // What each connection has sent so far, in order.
  std::vector<std::string> Requests();

 private:
  friend class ScriptedConnection;

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace quorl::nettest
