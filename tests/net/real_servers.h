// nginx and tinyproxy, configured in a test's own folder and run on free
// loopback ports for the length of a test.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "server_process.h"

namespace quorl::nettest {

// Skips only when the program is not installed; a server that is there but
// does not start fails the test.
#define REQUIRE_SERVER(server)                                  \
  do {                                                          \
    if ((server).Missing()) GTEST_SKIP() << (server).Problem(); \
    ASSERT_EQ((server).Problem(), "");                          \
  } while (false)

// nginx serving the folder www/: plain files, its own 404 page, and
// /private/ behind Basic authorization with the realm "Sales" for the
// users written with AddUser. extraServers are further server blocks of
// the configuration (such as TLS listeners on ports of their own).
class Nginx : public LoopbackServer {
 public:
  explicit Nginx(const std::filesystem::path& folder, std::string_view extraServers = {});
  std::string Url(std::string_view path) const;
  std::filesystem::path Www() const { return folder_ / "www"; }
  void AddUser(std::string_view user, std::string_view password);
  // Requests served so far, from the access log, once it shows at least
  // `atLeast` of them (nginx writes the log as it ends each connection) or
  // a few seconds have passed.
  int RequestCount(int atLeast = 0) const;
};

// A forward proxy; with connectPort it opens CONNECT tunnels to that port only.
class Tinyproxy : public LoopbackServer {
 public:
  explicit Tinyproxy(const std::filesystem::path& folder, int connectPort = 0);
  // The log, once it holds the text or a few seconds have passed.
  std::string Log(std::string_view awaited = {}) const;
};

}  // namespace quorl::nettest
