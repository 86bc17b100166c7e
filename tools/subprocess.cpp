#include "tools/subprocess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

extern char** environ;

namespace quorl::tools {
namespace {

// One standard stream of the child, kept in memory: a file never fills up as
// a pipe does, so nothing has to be pumped while the child runs, and output
// left by a killed child is still there to read.
class StreamFile {
 public:
  explicit StreamFile(std::string_view content = {}) : fd_(memfd_create("stream", MFD_CLOEXEC)) {
    if (fd_ >= 0 && pwrite(fd_, content.data(), content.size(), 0) != ssize_t(content.size())) {
      close(std::exchange(fd_, -1));
    }
  }
  StreamFile(const StreamFile&) = delete;
  StreamFile& operator=(const StreamFile&) = delete;
  ~StreamFile() {
    if (fd_ >= 0) close(fd_);
  }
  int Fd() const { return fd_; }
  std::string Content() const {
    std::string text(static_cast<size_t>(lseek(fd_, 0, SEEK_END)), '\0');
    text.resize(static_cast<size_t>(std::max<ssize_t>(0, pread(fd_, text.data(), text.size(), 0))));
    return text;
  }

 private:
  int fd_;
};

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Waits until the child ends or the timeout passes; false on the timeout.
bool AwaitEnd(pid_t pid, std::chrono::milliseconds timeout) {
  pollfd entry{static_cast<int>(syscall(SYS_pidfd_open, pid, 0)), POLLIN, 0};
  if (entry.fd < 0) return true;  // a kernel before 5.3: no timeout
  int ready = 0;
  while ((ready = poll(&entry, 1, static_cast<int>(timeout.count()))) < 0 && errno == EINTR) {
  }
  close(entry.fd);
  return ready != 0;
}

}  // namespace

Environment CurrentEnvironment() {
  Environment environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    const size_t equals = text.find('=');
    if (equals != std::string_view::npos) {
      environment.emplace(text.substr(0, equals), text.substr(equals + 1));
    }
  }
  return environment;
}

ProcessResult RunProcess(const ProcessRequest& request) {
  ProcessResult result;
  if (request.argv.empty()) {
    result.launchError = "no program to run";
    return result;
  }
  std::vector<std::string> argv = request.argv;
  const bool searchPath = argv.front().find('/') == std::string::npos;
  if (!searchPath) argv.front() = std::filesystem::absolute(argv.front()).string();
  std::vector<std::string> environment;
  for (const auto& [name, value] : request.environment.value_or(CurrentEnvironment())) {
    environment.push_back(name + "=" + value);
  }
  const StreamFile input(request.standardInput), output, errors;
  if (input.Fd() < 0 || output.Fd() < 0 || errors.Fd() < 0) {
    result.launchError = std::string("cannot make the stream files: ") + std::strerror(errno);
    return result;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input.Fd(), STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output.Fd(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errors.Fd(), STDERR_FILENO);
  if (!request.workingDirectory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, request.workingDirectory.c_str());
  }
  // Its own process group, so that a kill reaches whatever it started; and
  // SIGPIPE as by default, even when this process ignores it.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);

  pid_t pid = 0;
  const int error = (searchPath ? posix_spawnp : posix_spawn)(&pid, argv.front().c_str(), &actions,
                                                              &attributes, Pointers(argv).data(),
                                                              Pointers(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    result.launchError = "cannot start " + request.argv.front() + ": " + std::strerror(error);
    return result;
  }

  result.timedOut = !AwaitEnd(pid, request.timeout);
  if (result.timedOut) kill(-pid, SIGKILL);
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.peakMemoryKiB = usage.ru_maxrss;
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  result.standardOutput = output.Content();
  result.standardError = errors.Content();
  return result;
}

}  // namespace quorl::tools
