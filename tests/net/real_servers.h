// nginx and tinyproxy, configured in a test's own folder and run on free
// loopback ports for the length of a test.
#pragma once

#include <filesystem>
#include <memory>
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
// users written with AddUser.
class Nginx {
 public:
  explicit Nginx(const std::filesystem::path& folder);
  // Why the server is not there: empty when it runs.
  const std::string& Problem() const { return problem_; }
  bool Missing() const { return missing_; }
  std::string Url(std::string_view path) const;
  std::filesystem::path Www() const { return folder_ / "www"; }
  void AddUser(std::string_view user, std::string_view password);
  // Requests served so far, from the access log, once it shows at least
  // `atLeast` of them (nginx writes the log as it ends each connection) or
  // a few seconds have passed.
  int RequestCount(int atLeast = 0) const;
  void Stop() { process_.reset(); }

 private:
  std::filesystem::path folder_;
  int port_ = 0;
  bool missing_ = false;
  std::string problem_;
  std::unique_ptr<ServerProcess> process_;
};

class Tinyproxy {
 public:
  explicit Tinyproxy(const std::filesystem::path& folder);
  const std::string& Problem() const { return problem_; }
  bool Missing() const { return missing_; }
  int Port() const { return port_; }
  // The log, once it holds the text or a few seconds have passed.
  std::string Log(std::string_view awaited = {}) const;

 private:
  std::filesystem::path folder_;
  int port_ = 0;
  bool missing_ = false;
  std::string problem_;
  std::unique_ptr<ServerProcess> process_;
};

}  // namespace quorl::nettest
