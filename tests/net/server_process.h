// Real servers for the network tests: a free loopback port, and a server
// program run in the background for the length of a test.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::nettest {

// A TCP port on 127.0.0.1 that nothing listens on right now.
int FreeLoopbackPort();
// Whether something accepts connections on 127.0.0.1:port.
bool Accepts(int port);
// The full path of a program found in PATH or the system folders, or none.
std::optional<std::filesystem::path> FindProgram(const std::string& name);

std::string ReadFile(const std::filesystem::path& path);
// The quoted form of a text as a script's string literal.
inline std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}
// Makes the folders on the way.
void WriteFile(const std::filesystem::path& path, std::string_view content);

// Runs a program in its own process group until the object goes away.
class ServerProcess {
 public:
  // Starts argv and waits until ready() holds; Running() tells whether that
  // happened within the time allowed. With a log, the output goes there
  // instead of the test's own.
  ServerProcess(const std::vector<std::string>& argv, const std::function<bool()>& ready,
                std::chrono::milliseconds startTime = std::chrono::seconds(10),
                const std::filesystem::path& log = {});
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  bool Running() const { return running_; }
  void Stop();

 private:
  int pid_ = -1;
  bool running_ = false;
};

// A server program that a test runs from a folder of its own on a free
// loopback port, for as long as the object lives.
class LoopbackServer {
 public:
  // Why the server is not there: empty when it runs.
  const std::string& Problem() const { return problem_; }
  // The program is not installed: the test is skipped.
  bool Missing() const { return !program_; }
  int Port() const { return port_; }
  void Stop() { process_.reset(); }

 protected:
  // Finds the program and picks the port; the folder is made.
  LoopbackServer(const std::filesystem::path& folder, const std::string& program);
  // Runs the program with the arguments until its port accepts; when it
  // does not, the problem quotes the log. With outputToLog the program's
  // output goes there, else it writes the log itself.
  void Run(std::vector<std::string> arguments, const std::filesystem::path& log,
           bool outputToLog = false,
           std::chrono::milliseconds startTime = std::chrono::seconds(10));

  std::filesystem::path folder_;
  int port_ = 0;

 private:
  std::string name_;
  std::optional<std::filesystem::path> program_;
  std::string problem_;
  std::unique_ptr<ServerProcess> process_;
};

}  // namespace quorl::nettest
