// In-memory stand-ins for the platform services, and a Context built on
// them, for unit tests that run interpreter code without a terminal or a
// window system.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/context.h"
#include "platform/dialogs.h"
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
  FakeContext(const FakeContext&) = delete;
  FakeContext& operator=(const FakeContext&) = delete;

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

}  // namespace quorl::fakes
