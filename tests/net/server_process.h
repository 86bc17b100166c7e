// Servers for the network tests. Real ones, each run in the background on a
// free loopback port from a folder of the test's own: nginx, tinyproxy and a
// headless Chromium, and any other program that a test starts. And a small
// HTTP server inside the test, for what real servers will not do: each
// connection runs a script that reads the request and answers (or does not)
// exactly as the test wants.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/posix/devtools_texts.h"
#include "tools/subprocess.h"

namespace quorl::nettest {

using namespace std::chrono_literals;

// A TCP port on 127.0.0.1 that nothing listens on right now.
int FreeLoopbackPort();
std::string ReadFile(const std::filesystem::path& path);
// Makes the folders on the way.
void WriteFile(const std::filesystem::path& path, std::string_view content);
// The quoted form of a text as a script's string literal.
inline std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}
// The text with every mark replaced.
std::string ReplaceAll(std::string text, std::string_view mark, std::string_view by);
// Asks again every 20 ms until done() holds or time runs out; whether it held.
bool Await(const std::function<bool()>& done, std::chrono::milliseconds time = 3s);

// Runs a program in its own process group until the object goes away.
class ServerProcess {
 public:
  // Starts argv and waits until ready() holds; Running() tells whether that
  // happened within the time allowed. With a log, the output goes there
  // instead of the test's own.
  ServerProcess(const std::vector<std::string>& argv, const std::function<bool()>& ready,
                std::chrono::milliseconds startTime = 10s, const std::filesystem::path& log = {});
  ~ServerProcess() { Stop(); }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  bool Running() const { return running_; }
  void Stop();

 private:
  int pid_ = -1;
  bool running_ = false;
};

// Skips only when the program is not installed; a server that is there but
// does not start fails the test.
#define REQUIRE_SERVER(server)                                  \
  do {                                                          \
    if ((server).Missing()) GTEST_SKIP() << (server).Problem(); \
    ASSERT_EQ((server).Problem(), "");                          \
  } while (false)

// A server program installed on this machine, for as long as the object lives.
class LoopbackServer {
 public:
  // Why the server is not there: empty when it runs.
  const std::string& Problem() const { return problem_; }
  // The program is not installed: the test is skipped.
  bool Missing() const { return !program_; }
  int Port() const { return port_; }
  std::string Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }
  void Stop() { process_.reset(); }

 protected:
  // Finds the program and picks the port; the folder is made.
  LoopbackServer(const std::filesystem::path& folder, const std::string& program);
  // Runs the program with the arguments until its port accepts; when it
  // does not, the problem quotes the log. With outputToLog the program's
  // output goes there, else it writes the log itself.
  void Run(std::vector<std::string> arguments, const std::filesystem::path& log,
           bool outputToLog = false, std::chrono::milliseconds startTime = 10s);

  std::filesystem::path folder_;
  int port_ = 0;

 private:
  std::optional<std::filesystem::path> program_;
  std::string problem_;
  std::unique_ptr<ServerProcess> process_;
};

// nginx serving the folder www/: plain files, its own 404 page, and
// /private/ behind Basic authorization with the realm "Sales" for the
// users written with AddUser. extraServers are further server blocks of
// the configuration (such as TLS listeners on ports of their own).
class Nginx : public LoopbackServer {
 public:
  explicit Nginx(const std::filesystem::path& folder, std::string_view extraServers = {});
  std::filesystem::path Www() const { return folder_ / "www"; }
  void AddUser(std::string_view user, std::string_view password);
  // Requests served so far, from the access log, once it shows at least
  // `atLeast` of them (nginx writes the log as it ends each connection).
  int RequestCount(int atLeast = 0) const;
};

// A forward proxy; with connectPort it opens CONNECT tunnels to that port only.
class Tinyproxy : public LoopbackServer {
 public:
  explicit Tinyproxy(const std::filesystem::path& folder, int connectPort = 0);
  // The log, once it holds the text.
  std::string Log(std::string_view awaited) const;
};

// A headless Chromium with its DevTools endpoint on the port and a fresh profile.
class Chromium : public LoopbackServer {
 public:
  explicit Chromium(const std::filesystem::path& folder);
  // "127.0.0.1:PORT", as the browser link's configuration names it.
  std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
  // The front tab once it satisfies the test, or whatever is in front
  // after a few seconds.
  platform::DevToolsTarget AwaitFrontTab(
      const std::function<bool(const platform::DevToolsTarget&)>& test) const;
};

struct CertificateFiles {
  std::filesystem::path certificate;
  std::filesystem::path key;
};

// A certificate authority of the test's own and the server certificates it
// signs, made by the openssl program as PEM files, so that the tests need not
// trust anything else.
class TestAuthority {
 public:
  explicit TestAuthority(std::filesystem::path folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    // A name of its own: a system store may hold another test's authority for
    // a moment, and a chain must never be built up to that one.
    NewKey({"-x509", "-days", "365", "-keyout", Key("ca"), "-out", RootFile().string(), "-subj",
            "/CN=Quorl Test Authority " + folder_.parent_path().filename().string()});
  }
  std::filesystem::path RootFile() const { return folder_ / "ca.pem"; }
  // A server certificate for a DNS name, valid for the given days from now
  // (ended already when negative) and signed by this authority; or signed by
  // its own key, for 30 days.
  CertificateFiles Issue(const std::string& stem, const std::string& dnsName, int days = 30,
                         bool selfSigned = false) {
    const std::string certificate = (folder_ / (stem + ".pem")).string();
    const std::string name = "subjectAltName=DNS:" + dnsName;
    const std::string request = selfSigned ? certificate : certificate + ".csr";
    NewKey({"-keyout", Key(stem), "-out", request, "-subj", "/CN=" + dnsName, "-addext", name,
            selfSigned ? "-x509" : "-batch"});
    if (!selfSigned) {
      WriteFile(folder_ / "name.ext", name);
      Run({"x509", "-req", "-in", request, "-CA", RootFile().string(), "-CAkey", Key("ca"), "-days",
           std::to_string(days), "-extfile", (folder_ / "name.ext").string(), "-out", certificate});
    }
    return {certificate, Key(stem)};
  }

 private:
  std::string Key(const std::string& stem) const { return (folder_ / (stem + ".key")).string(); }
  void NewKey(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes"});
    Run(arguments);
  }
  static void Run(std::vector<std::string> arguments) {
    tools::ProcessRequest request;
    request.argv = {"openssl"};
    request.argv.insert(request.argv.end(), arguments.begin(), arguments.end());
    const tools::ProcessResult result = tools::RunProcess(request);
    if (result.exitCode != 0) throw std::runtime_error("openssl: " + result.standardError);
  }

  std::filesystem::path folder_;
};

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
