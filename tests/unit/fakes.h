// In-memory stand-ins for the platform services, and a Context built on
// them, for unit tests and fuzz targets that run interpreter code without a
// terminal, a window system or a network: a socket library's peer sends
// scripted runs of bytes.
#pragma once

#include <algorithm>
#include <ctime>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/context.h"
#include "platform/dialogs.h"
#include "platform/sockets.h"
#include "platform/system.h"

namespace quorl::fakes {

// Records every message box and answers OK; the other dialogs answer Cancel.
class FakeDialogs : public platform::Dialogs {
 public:
  struct Box {
    std::string text;
    std::optional<std::string> caption;
  };
  std::vector<Box> boxes;

  int MessageBox(std::string_view text, std::optional<std::string_view> caption, int) override {
    boxes.push_back(
        {std::string(text), caption ? std::optional<std::string>(*caption) : std::nullopt});
    return platform::kIdOk;
  }
  std::optional<std::string> ChooseProgramFile() override { return std::nullopt; }
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return std::nullopt;
  }
  void OutputBox(std::string_view caption, std::string_view label, std::string_view text) override {
    boxes.push_back({std::string(label) + "\n" + std::string(text), std::string(caption)});
  }
  std::optional<Credentials> AskUserPassword(std::string_view) override { return std::nullopt; }
};

// A fixed clock and screen; deletions are recorded, nothing touches the disk.
class FakeSystem : public platform::System {
 public:
  std::tm localTime{};
  std::vector<std::string> deleted;

  uint32_t TickCount() override { return 0; }
  std::tm LocalTime() override { return localTime; }
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  void PumpMessages() override {}
  std::string TempDirectory() override { return "/nonexistent-quorl-temp/"; }
  bool DeleteFile(const std::string& path) override {
    deleted.push_back(path);
    return true;
  }
  std::optional<std::string> CreateTempFile(std::string_view) override { return std::nullopt; }
};

// A Context on the fakes with the outermost call frame pushed, as a running
// program has it.
struct FakeContext {
  FakeDialogs dialogs;
  FakeSystem system;
  Context ctx{dialogs, system};

  FakeContext() { ctx.PushFrame(); }

  // The texts of the run-time error boxes, without the line that follows them.
  std::vector<std::string> Errors() const {
    std::vector<std::string> errors;
    for (const FakeDialogs::Box& box : dialogs.boxes) {
      if (box.caption == "Quorl") errors.push_back(box.text.substr(0, box.text.find('\n')));
    }
    return errors;
  }
};

// Collects the messages that conversions and text utilities report.
class RecordingErrors : public ErrorReporter {
 public:
  std::vector<std::string> messages;
  void RaiseScriptError(std::string_view message) override { messages.emplace_back(message); }
};

// A receive that finds nothing waiting takes the next run of `arrivals`, as
// if it had just arrived; names resolve through `names`.
class ScriptedSockets : public platform::SocketLibrary {
 public:
  StartOutcome startOutcome = StartOutcome::kStarted;
  int startError = 0;
  int connectError = 0;
  std::map<std::string, uint32_t> names;
  std::deque<std::string> arrivals;
  int cancels = 0;

  StartOutcome Start(platform::WaitHook, int& error) override {
    error = startError;
    return startOutcome;
  }
  void Stop() override {}
  void CancelBlockingCall() override { ++cancels; }
  void SetTimeouts(platform::SocketTimeouts) override {}
  platform::SocketResult Resolve(std::string_view name) override {
    auto found = names.find(std::string(name));
    if (found == names.end()) {
      return platform::SocketResult::Failure(platform::socket_error::kHostNotFound);
    }
    return platform::SocketResult::Success(found->second);
  }
  platform::SocketResult OpenStream() override { return platform::SocketResult::Success(7); }
  platform::SocketResult Connect(platform::SocketHandle, uint32_t, uint16_t) override {
    if (connectError) return platform::SocketResult::Failure(connectError);
    return platform::SocketResult::Success(0);
  }
  platform::SocketResult Send(platform::SocketHandle, std::string_view bytes) override {
    return platform::SocketResult::Success(static_cast<int64_t>(bytes.size()));
  }
  platform::SocketResult Receive(platform::SocketHandle, std::span<char> buffer,
                                 bool peek) override {
    if (waiting_.empty() && !arrivals.empty()) {
      waiting_ = arrivals.front();
      arrivals.pop_front();
    }
    const size_t count = std::min(buffer.size(), waiting_.size());
    std::copy_n(waiting_.begin(), count, buffer.begin());
    if (!peek) waiting_.erase(0, count);
    return platform::SocketResult::Success(static_cast<int64_t>(count));
  }
  int Close(platform::SocketHandle) override { return 0; }

 private:
  std::string waiting_;
};

}  // namespace quorl::fakes
