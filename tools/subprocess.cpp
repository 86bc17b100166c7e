#include "tools/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

extern char** environ;

namespace quorl::tools {
namespace {

using Clock = std::chrono::steady_clock;

// How long output is still collected after a timed-out run was killed, in case
// a descendant escaped the process group and keeps a pipe open.
constexpr std::chrono::milliseconds kDrainAfterKill{1000};

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    Reset(std::exchange(other.fd_, -1));
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

struct Pipe {
  UniqueFd readEnd;
  UniqueFd writeEnd;
};

std::optional<Pipe> MakePipe() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  return Pipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// Everything the child needs, prepared before fork: after fork the child may
// only call async-signal-safe functions, so it must not allocate.
struct LaunchPlan {
  std::vector<std::string> argvStorage;
  std::vector<char*> argv;
  std::vector<std::string> envStorage;
  std::vector<char*> envp;  // empty: inherit
  std::string workingDirectory;
  bool searchPath = false;
};

LaunchPlan MakeLaunchPlan(const ProcessRequest& request) {
  LaunchPlan plan;
  plan.argvStorage = request.argv;
  const std::string& program = plan.argvStorage.front();
  if (program.find('/') != std::string::npos) {
    plan.argvStorage.front() = std::filesystem::absolute(program).string();
  } else {
    plan.searchPath = true;
  }
  for (std::string& arg : plan.argvStorage) plan.argv.push_back(arg.data());
  plan.argv.push_back(nullptr);
  if (request.environment) {
    for (const auto& [name, value] : *request.environment) {
      plan.envStorage.push_back(name + "=" + value);
    }
    for (std::string& entry : plan.envStorage) plan.envp.push_back(entry.data());
    plan.envp.push_back(nullptr);
  }
  plan.workingDirectory = request.workingDirectory.string();
  return plan;
}

// Runs in the child after fork. Reports a failure as an errno value on the
// status pipe, whose close-on-exec end tells the parent that exec succeeded.
[[noreturn]] void ExecChild(const LaunchPlan& plan, int stdinFd, int stdoutFd, int stderrFd,
                            int statusFd) {
  setpgid(0, 0);
  // The parent ignores SIGPIPE; an ignored signal would stay ignored across exec.
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  sigaction(SIGPIPE, &defaultAction, nullptr);
  // The pipe ends may themselves be 0, 1 or 2 when the parent runs with a
  // standard stream closed, so they are first moved above 2.
  stdinFd = fcntl(stdinFd, F_DUPFD_CLOEXEC, 3);
  stdoutFd = fcntl(stdoutFd, F_DUPFD_CLOEXEC, 3);
  stderrFd = fcntl(stderrFd, F_DUPFD_CLOEXEC, 3);
  if (stdinFd < 0 || stdoutFd < 0 || stderrFd < 0 || dup2(stdinFd, STDIN_FILENO) < 0 ||
      dup2(stdoutFd, STDOUT_FILENO) < 0 || dup2(stderrFd, STDERR_FILENO) < 0) {
    int error = errno;
    (void)!write(statusFd, &error, sizeof error);
    _exit(127);
  }
  if (!plan.workingDirectory.empty() && chdir(plan.workingDirectory.c_str()) != 0) {
    int error = errno;
    (void)!write(statusFd, &error, sizeof error);
    _exit(127);
  }
  char* const* envp = plan.envp.empty() ? environ : const_cast<char* const*>(plan.envp.data());
  if (plan.searchPath) {
    execvpe(plan.argv[0], plan.argv.data(), envp);
  } else {
    execve(plan.argv[0], plan.argv.data(), envp);
  }
  int error = errno;
  (void)!write(statusFd, &error, sizeof error);
  _exit(127);
}

void SetNonBlocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Appends what is ready on fd; closes it at end of input or on error.
void ReadAvailable(UniqueFd& fd, std::string& sink) {
  char buffer[65536];
  ssize_t count = read(fd.Get(), buffer, sizeof buffer);
  if (count > 0) {
    sink.append(buffer, static_cast<size_t>(count));
  } else if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
    fd.Reset();
  }
}

int WaitForExit(pid_t pid, ProcessResult* result = nullptr) {
  int status = 0;
  struct rusage usage {};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  if (result) {
    result->peakMemoryKiB = usage.ru_maxrss;
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    result->cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  }
  return status;
}

// Feeds standard input and collects both outputs until the child closes them
// or the deadline passes; returns whether the deadline passed.
bool ExchangeData(pid_t pid, const std::string& input, std::chrono::milliseconds timeout,
                  UniqueFd& toChild, UniqueFd& fromStdout, UniqueFd& fromStderr,
                  ProcessResult& result) {
  size_t written = 0;
  if (input.empty()) toChild.Reset();
  if (toChild.IsOpen()) SetNonBlocking(toChild.Get());

  bool timedOut = false;
  Clock::time_point deadline = Clock::now() + timeout;
  while (fromStdout.IsOpen() || fromStderr.IsOpen()) {
    auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (remaining.count() <= 0) {
      if (timedOut) break;  // the grace period after the kill is over too
      timedOut = true;
      kill(-pid, SIGKILL);
      kill(pid, SIGKILL);
      toChild.Reset();
      deadline = Clock::now() + kDrainAfterKill;
      continue;
    }
    pollfd fds[3];
    nfds_t count = 0;
    auto watch = [&](UniqueFd& fd, short events) {
      if (fd.IsOpen()) fds[count++] = pollfd{fd.Get(), events, 0};
    };
    watch(fromStdout, POLLIN);
    watch(fromStderr, POLLIN);
    watch(toChild, POLLOUT);
    int ready = poll(fds, count, static_cast<int>(remaining.count()));
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (nfds_t i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      if (fromStdout.IsOpen() && fds[i].fd == fromStdout.Get()) {
        ReadAvailable(fromStdout, result.standardOutput);
      } else if (fromStderr.IsOpen() && fds[i].fd == fromStderr.Get()) {
        ReadAvailable(fromStderr, result.standardError);
      } else if (toChild.IsOpen() && fds[i].fd == toChild.Get()) {
        ssize_t sent = write(toChild.Get(), input.data() + written, input.size() - written);
        if (sent > 0) written += static_cast<size_t>(sent);
        // A child that stops reading early (EPIPE) simply gets no more input.
        bool failed = sent < 0 && errno != EINTR && errno != EAGAIN;
        if (written == input.size() || failed) toChild.Reset();
      }
    }
  }
  return timedOut;
}

}  // namespace

Environment CurrentEnvironment() {
  Environment environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string_view text(*entry);
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    environment.emplace(text.substr(0, equals), text.substr(equals + 1));
  }
  return environment;
}

ProcessResult RunProcess(const ProcessRequest& request) {
  ProcessResult result;
  if (request.argv.empty()) {
    result.launchError = "no program to run";
    return result;
  }
  // Writing to a child that has already exited must fail with EPIPE, not kill us.
  signal(SIGPIPE, SIG_IGN);

  LaunchPlan plan = MakeLaunchPlan(request);
  auto input = MakePipe();
  auto output = MakePipe();
  auto errors = MakePipe();
  auto status = MakePipe();
  if (!input || !output || !errors || !status) {
    result.launchError = std::string("cannot create pipes: ") + std::strerror(errno);
    return result;
  }

  pid_t pid = fork();
  if (pid < 0) {
    result.launchError = std::string("cannot fork: ") + std::strerror(errno);
    return result;
  }
  if (pid == 0) {
    ExecChild(plan, input->readEnd.Get(), output->writeEnd.Get(), errors->writeEnd.Get(),
              status->writeEnd.Get());
  }
  // Also set here, so that a kill right after fork reaches the whole group.
  setpgid(pid, pid);
  input->readEnd.Reset();
  output->writeEnd.Reset();
  errors->writeEnd.Reset();
  status->writeEnd.Reset();

  int childError = 0;
  ssize_t statusBytes;
  do {
    statusBytes = read(status->readEnd.Get(), &childError, sizeof childError);
  } while (statusBytes < 0 && errno == EINTR);
  if (statusBytes == sizeof childError) {
    WaitForExit(pid);
    result.launchError = "cannot start " + request.argv.front() + ": " + std::strerror(childError);
    return result;
  }

  result.timedOut = ExchangeData(pid, request.standardInput, request.timeout, input->writeEnd,
                                 output->readEnd, errors->readEnd, result);
  if (result.timedOut) kill(-pid, SIGKILL);
  int waitStatus = WaitForExit(pid, &result);
  if (WIFEXITED(waitStatus)) result.exitCode = WEXITSTATUS(waitStatus);
  if (WIFSIGNALED(waitStatus)) result.signal = WTERMSIG(waitStatus);
  return result;
}

}  // namespace quorl::tools
