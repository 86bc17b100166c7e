// The interpreter's side of the network tests: a Context on the real POSIX
// sockets and temporary files, with recorded message boxes, scripted answers
// to the user/password dialog and a hook into the message pump.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lang/context.h"
#include "platform/posix/openssl_channels.h"
#include "platform/posix/posix_sockets.h"
#include "platform/posix/posix_system.h"
#include "server_process.h"
#include "tests/unit/fakes.h"
#include "tools/temporary_directory.h"

namespace quorl::nettest {

class PumpedSystem : public platform::PosixSystem {
 public:
  explicit PumpedSystem(std::filesystem::path temp) : temp_(std::move(temp)) {}
  std::string TempDirectory() override { return temp_.string() + "/"; }
  void PumpMessages() override {
    ++pumps;
    if (onPump) onPump();
  }

  int pumps = 0;
  std::function<void()> onPump;  // what a nested event procedure would do

 private:
  std::filesystem::path temp_;
};

class ScriptedDialogs : public fakes::FakeDialogs {
 public:
  std::optional<Credentials> AskUserPassword(std::string_view prompt) override {
    prompts.emplace_back(prompt);
    if (credentials.empty()) return std::nullopt;
    std::optional<Credentials> answer = credentials.front();
    credentials.pop_front();
    return answer;
  }

  std::deque<std::optional<Credentials>> credentials;
  std::vector<std::string> prompts;
};

class NetClient {
 public:
  NetClient();
  ~NetClient();
  NetClient(const NetClient&) = delete;
  NetClient& operator=(const NetClient&) = delete;

  // NetworkRequest into a fresh output file; the file's content in body.
  int Fetch(const std::string& url, const std::string& postText, std::string* body = nullptr);
  // A data-access built-in called with the argument text as a script writes it.
  Result Call(std::string_view name, std::string_view arguments);
  // "caption: text" of each message box shown.
  std::vector<std::string> Messages() const;
  // The contents of the registered temporary files whose names start with
  // prefix, in the order of registration (before the registry wraps).
  std::vector<std::string> TempFiles(const std::string& prefix) const;

  std::filesystem::path Work() const { return folder_.Path() / "work"; }

  tools::TemporaryDirectory folder_{"quorl-net"};
  PumpedSystem system{folder_.Path() / "tmp"};
  ScriptedDialogs dialogs;
  platform::PosixSockets sockets;
  platform::OpenSslChannels tls;
  Context ctx{dialogs, system};

 private:
  std::filesystem::path previousFolder_;
};

}  // namespace quorl::nettest
