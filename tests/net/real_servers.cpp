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
  std::string conf = R"(daemon off; master_process off; worker_processes 1;
pid DIR/nginx.pid; error_log DIR/error.log; events { worker_connections 64; }
http {
  access_log DIR/access.log; client_body_temp_path DIR/temp/body; proxy_temp_path DIR/temp/proxy;
  fastcgi_temp_path DIR/temp/fastcgi; uwsgi_temp_path DIR/temp/uwsgi; scgi_temp_path DIR/temp/scgi;
  default_type application/octet-stream; types { text/html html; }
  server {
    listen 127.0.0.1:PORT; root DIR/www;
    location /private/ { auth_basic "Sales"; auth_basic_user_file DIR/htpasswd; }
  }
)";
  const std::string dir = folder_.string();
  for (size_t at = 0; (at = conf.find("DIR", at)) != std::string::npos; at += dir.size()) {
    conf.replace(at, 3, dir);
  }
  conf.replace(conf.find("PORT"), 4, std::to_string(port_));
  WriteFile(folder_ / "nginx.conf", conf + std::string(extraServers) + "}\n");
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
  WriteFile(folder_ / "tinyproxy.conf",
            "Port " + std::to_string(port_) +
                "\nListen 127.0.0.1\nTimeout 30\nMaxClients 8\nAllow 127.0.0.1\nLogLevel Info\n" +
                connectLine + "LogFile \"" + (folder_ / "tinyproxy.log").string() + "\"\n");
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
