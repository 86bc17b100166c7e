#include "real_servers.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace quorl::nettest {

Nginx::Nginx(const std::filesystem::path& folder, std::string_view extraServers)
    : LoopbackServer(folder, "nginx") {
  if (Missing()) return;
  std::filesystem::create_directories(Www() / "private");
  for (const char* temp : {"body", "proxy", "fastcgi", "uwsgi", "scgi"}) {
    std::filesystem::create_directories(folder_ / "temp" / temp);
  }
  WriteFile(folder_ / "htpasswd", "");
  const std::string dir = folder_.string();
  WriteFile(folder_ / "nginx.conf",
            "daemon off;\n"
            "master_process off;\n"
            "worker_processes 1;\n"
            "pid " +
                dir +
                "/nginx.pid;\n"
                "error_log " +
                dir +
                "/error.log;\n"
                "events { worker_connections 64; }\n"
                "http {\n"
                "  access_log " +
                dir +
                "/access.log;\n"
                "  client_body_temp_path " +
                dir +
                "/temp/body;\n"
                "  proxy_temp_path " +
                dir +
                "/temp/proxy;\n"
                "  fastcgi_temp_path " +
                dir +
                "/temp/fastcgi;\n"
                "  uwsgi_temp_path " +
                dir +
                "/temp/uwsgi;\n"
                "  scgi_temp_path " +
                dir +
                "/temp/scgi;\n"
                "  default_type application/octet-stream;\n"
                "  types { text/html html; }\n"
                "  server {\n"
                "    listen 127.0.0.1:" +
                std::to_string(port_) +
                ";\n"
                "    root " +
                Www().string() +
                ";\n"
                "    location /private/ {\n"
                "      auth_basic \"Sales\";\n"
                "      auth_basic_user_file " +
                dir +
                "/htpasswd;\n"
                "    }\n"
                "  }\n" +
                std::string(extraServers) + "}\n");
  Run({"-p", dir, "-c", dir + "/nginx.conf", "-e", dir + "/error.log"}, folder_ / "error.log");
}

std::string Nginx::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void Nginx::AddUser(std::string_view user, std::string_view password) {
  // nginx reads the "{PLAIN}" scheme, so no hashing tool is needed.
  const std::string entries = ReadFile(folder_ / "htpasswd") + std::string(user) + ":{PLAIN}" +
                              std::string(password) + "\n";
  WriteFile(folder_ / "htpasswd", entries);
}

int Nginx::RequestCount(int atLeast) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (true) {
    const std::string log = ReadFile(folder_ / "access.log");
    const int count = static_cast<int>(std::count(log.begin(), log.end(), '\n'));
    if (count >= atLeast || std::chrono::steady_clock::now() > deadline) return count;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

Tinyproxy::Tinyproxy(const std::filesystem::path& folder, int connectPort)
    : LoopbackServer(folder, "tinyproxy") {
  if (Missing()) return;
  const std::string connectLine =
      connectPort ? "ConnectPort " + std::to_string(connectPort) + "\n" : std::string();
  WriteFile(folder_ / "tinyproxy.conf", "Port " + std::to_string(port_) +
                                            "\n"
                                            "Listen 127.0.0.1\n"
                                            "Timeout 30\n"
                                            "MaxClients 8\n"
                                            "Allow 127.0.0.1\n"
                                            "LogLevel Info\n" +
                                            connectLine + "LogFile \"" +
                                            (folder_ / "tinyproxy.log").string() + "\"\n");
  Run({"-d", "-c", (folder_ / "tinyproxy.conf").string()}, folder_ / "tinyproxy.log");
}

std::string Tinyproxy::Log(std::string_view awaited) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (true) {
    const std::string log = ReadFile(folder_ / "tinyproxy.log");
    if (log.find(awaited) != std::string::npos || std::chrono::steady_clock::now() > deadline) {
      return log;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace quorl::nettest
