#include "server_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace quorl::nettest {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

}  // namespace

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

int FreeLoopbackPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

bool Accepts(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  const bool connected =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

std::optional<std::filesystem::path> FindProgram(const std::string& name) {
  std::string folders = "/usr/sbin:/usr/bin:/sbin:/bin";
  if (const char* path = std::getenv("PATH")) folders = std::string(path) + ":" + folders;
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t colon = folders.find(':', start);
    const std::string folder = folders.substr(start, colon - start);
    const std::filesystem::path candidate = std::filesystem::path(folder) / name;
    if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return std::nullopt;
}

ServerProcess::ServerProcess(const std::vector<std::string>& argv,
                             const std::function<bool()>& ready,
                             std::chrono::milliseconds startTime,
                             const std::filesystem::path& log) {
  std::vector<char*> arguments;
  for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    setpgid(0, 0);
    if (!log.empty()) {
      const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(fd, 1);
      dup2(fd, 2);
    }
    execv(arguments[0], arguments.data());
    _exit(127);
  }
  if (pid_ < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + startTime;
  while (std::chrono::steady_clock::now() < deadline) {
    if (ready()) {
      running_ = true;
      return;
    }
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void ServerProcess::Stop() {
  if (pid_ > 0) {
    kill(-pid_, SIGTERM);
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  running_ = false;
}

ServerProcess::~ServerProcess() {
  Stop();
}

LoopbackServer::LoopbackServer(const std::filesystem::path& folder, const std::string& program)
    : folder_(folder / program), name_(program), program_(FindProgram(program)) {
  if (!program_) {
    problem_ = program + " is not installed";
    return;
  }
  std::filesystem::create_directories(folder_);
  port_ = FreeLoopbackPort();
}

void LoopbackServer::Run(std::vector<std::string> arguments, const std::filesystem::path& log,
                         bool outputToLog, std::chrono::milliseconds startTime) {
  arguments.insert(arguments.begin(), program_->string());
  const int port = port_;
  process_ = std::make_unique<ServerProcess>(
      arguments, [port] { return Accepts(port); }, startTime,
      outputToLog ? log : std::filesystem::path());
  if (!process_->Running()) problem_ = name_ + " did not start: " + ReadFile(log);
}

}  // namespace quorl::nettest
