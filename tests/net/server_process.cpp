#include "server_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "tools/subprocess.h"

namespace quorl::nettest {
namespace {

// Binds to the port (0: any free one) or connects to it; the port, or 0.
int LoopbackSocket(int port, bool connecting) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  auto* generic = reinterpret_cast<sockaddr*>(&address);
  socklen_t length = sizeof address;
  const bool done = connecting
                        ? connect(fd, generic, length) == 0
                        : bind(fd, generic, length) == 0 && getsockname(fd, generic, &length) == 0;
  close(fd);
  return done ? ntohs(address.sin_port) : 0;
}

}  // namespace

int FreeLoopbackPort() {
  return LoopbackSocket(0, false);
}

std::string ReplaceAll(std::string text, std::string_view mark, std::string_view by) {
  for (size_t at = 0; (at = text.find(mark, at)) != std::string::npos; at += by.size()) {
    text.replace(at, mark.size(), by);
  }
  return text;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator(file), {});
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

bool Await(const std::function<bool()>& done, std::chrono::milliseconds time) {
  const auto deadline = std::chrono::steady_clock::now() + time;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
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
  auto settled = [&] {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;  // it ended before it was ready
    return pid_ < 0 || ready();
  };
  running_ = pid_ > 0 && Await(settled, startTime) && pid_ > 0;
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

LoopbackServer::LoopbackServer(const std::filesystem::path& folder, const std::string& program)
    : folder_(folder / program), port_(FreeLoopbackPort()) {
  // Where Debian installs the servers.
  for (const char* bin : {"/usr/sbin/", "/usr/bin/"}) {
    if (access((bin + program).c_str(), X_OK) == 0) program_ = bin + program;
  }
  problem_ = program_ ? "" : program + " is not installed";
  std::filesystem::create_directories(folder_);
}

void LoopbackServer::Run(std::vector<std::string> arguments, const std::filesystem::path& log,
                         bool outputToLog, std::chrono::milliseconds startTime) {
  arguments.insert(arguments.begin(), program_->string());
  process_ = std::make_unique<ServerProcess>(
      arguments, [this] { return LoopbackSocket(port_, true) != 0; }, startTime,
      outputToLog ? log : std::filesystem::path());
  if (!process_->Running()) problem_ = arguments[0] + " did not start: " + ReadFile(log);
}

Nginx::Nginx(const std::filesystem::path& folder, std::string_view extraServers)
    : LoopbackServer(folder, "nginx") {
  if (Missing()) return;
  std::filesystem::create_directories(Www() / "private");
  WriteFile(folder_ / "htpasswd", "");
  std::string conf = R"(daemon off; master_process off; worker_processes 1;
pid DIR/nginx.pid; error_log DIR/error.log; events { worker_connections 64; }
http {
  access_log DIR/access.log; client_body_temp_path DIR/body; proxy_temp_path DIR/proxy;
  fastcgi_temp_path DIR/fastcgi; uwsgi_temp_path DIR/uwsgi; scgi_temp_path DIR/scgi;
  default_type application/octet-stream; types { text/html html; }
  server {
    listen 127.0.0.1:PORT; root DIR/www;
    location /private/ { auth_basic "Sales"; auth_basic_user_file DIR/htpasswd; }
  }
)";
  const std::string dir = folder_.string();
  conf = ReplaceAll(ReplaceAll(conf, "DIR", dir), "PORT", std::to_string(port_));
  WriteFile(folder_ / "nginx.conf", conf + std::string(extraServers) + "}\n");
  Run({"-p", dir, "-c", dir + "/nginx.conf", "-e", dir + "/error.log"}, folder_ / "error.log");
}

void Nginx::AddUser(std::string_view user, std::string_view password) {
  // nginx reads the "{PLAIN}" scheme, so no hashing tool is needed.
  WriteFile(folder_ / "htpasswd", ReadFile(folder_ / "htpasswd") + std::string(user) + ":{PLAIN}" +
                                      std::string(password) + "\n");
}

int Nginx::RequestCount(int atLeast) const {
  int count = 0;
  Await([&] {
    const std::string log = ReadFile(folder_ / "access.log");
    count = static_cast<int>(std::ranges::count(log, '\n'));
    return count >= atLeast;
  });
  return count;
}

Tinyproxy::Tinyproxy(const std::filesystem::path& folder, int connectPort)
    : LoopbackServer(folder, "tinyproxy") {
  if (Missing()) return;
  WriteFile(folder_ / "tinyproxy.conf",
            "Port " + std::to_string(port_) +
                "\nListen 127.0.0.1\nTimeout 30\nMaxClients 8\nAllow 127.0.0.1\nLogLevel Info\n" +
                (connectPort ? "ConnectPort " + std::to_string(connectPort) + "\n" : "") +
                "LogFile \"" + (folder_ / "tinyproxy.log").string() + "\"\n");
  Run({"-d", "-c", (folder_ / "tinyproxy.conf").string()}, folder_ / "tinyproxy.log");
}

std::string Tinyproxy::Log(std::string_view awaited) const {
  std::string log;
  Await([&] { return (log = ReadFile(folder_ / "tinyproxy.log")).find(awaited) != log.npos; });
  return log;
}

Chromium::Chromium(const std::filesystem::path& folder) : LoopbackServer(folder, "chromium") {
  if (Missing()) return;
  Run({"--headless=new", "--no-sandbox", "--disable-gpu", "--remote-debugging-address=127.0.0.1",
       "--remote-debugging-port=" + std::to_string(port_),
       "--user-data-dir=" + (folder_ / "profile").string(), "--disable-background-networking",
       "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-quic",
       "about:blank"},
      folder_ / "chromium.log", true, 20s);
}

platform::DevToolsTarget Chromium::AwaitFrontTab(
    const std::function<bool(const platform::DevToolsTarget&)>& test) const {
  platform::DevToolsTarget front;
  Await(
      [&] {
        tools::ProcessRequest request;
        request.argv = {"curl", "-s", "--max-time", "5", "http://" + Address() + "/json/list"};
        std::vector<platform::DevToolsTarget> tabs =
            platform::ParseTargets(tools::RunProcess(request).standardOutput)
                .value_or(std::vector<platform::DevToolsTarget>{});
        std::erase_if(tabs, [](const auto& tab) { return tab.type != "page"; });
        front = tabs.empty() ? platform::DevToolsTarget{} : tabs.front();
        return test(front);
      },
      10s);
  return front;
}

}  // namespace quorl::nettest
