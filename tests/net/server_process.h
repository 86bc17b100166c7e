// Real servers for the network tests: a free loopback port, and a server
// program run in the background for the length of a test.
#pragma once

#include <chrono>
#include <filesystem>
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
// Makes the folders on the way.
void WriteFile(const std::filesystem::path& path, std::string_view content);

// Runs a program in its own process group until the object goes away.
class ServerProcess {
 public:
  // Starts argv and waits until port accepts connections; Running() tells
  // whether that happened within the time allowed. With a log, the output
  // goes there instead of the test's own.
  ServerProcess(const std::vector<std::string>& argv, int port,
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

}  // namespace quorl::nettest
