// In-memory stand-ins for the platform services, and a Context built on
// them, for unit tests that run interpreter code without a terminal or a
// window system.
#pragma once

#include <chrono>
#include <ctime>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/context.h"
#include "platform/dde_client.h"
#include "platform/dialogs.h"
#include "platform/system.h"

namespace quorl::fakes {

// Records every message box and answers from a queue of button ids; an empty
// queue answers OK. The input box answers from its own queue (none: Cancel).
class FakeDialogs : public platform::Dialogs {
 public:
  struct Box {
    std::string text;
    std::optional<std::string> caption;
    int style = 0;
  };
  std::vector<Box> boxes;
  std::deque<int> answers;
  std::deque<std::optional<std::string>> inputAnswers;
  std::optional<std::string> programFile;

  int MessageBox(std::string_view text, std::optional<std::string_view> caption,
                 int style) override {
    boxes.push_back(
        {std::string(text), caption ? std::optional<std::string>(*caption) : std::nullopt, style});
    if (answers.empty()) return platform::kIdOk;
    int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> ChooseProgramFile() override { return programFile; }
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    if (inputAnswers.empty()) return std::nullopt;
    std::optional<std::string> answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
  }
  void OutputBox(std::string_view caption, std::string_view label, std::string_view text) override {
    boxes.push_back({std::string(label) + "\n" + std::string(text), std::string(caption), 0});
  }
  std::optional<Credentials> AskUserPassword(std::string_view) override { return std::nullopt; }

  // The texts of the boxes whose caption is the given one.
  std::vector<std::string> TextsWithCaption(std::string_view caption) const {
    std::vector<std::string> texts;
    for (const Box& box : boxes) {
      if (box.caption == caption) texts.push_back(box.text);
    }
    return texts;
  }
};

// A fixed clock and screen; deletions and pumps are counted, nothing touches the disk.
class FakeSystem : public platform::System {
 public:
  uint32_t ticks = 0;
  std::tm localTime{};
  int screenWidth = 1024;
  int screenHeight = 768;
  int pumps = 0;
  std::vector<std::string> deleted;

  uint32_t TickCount() override { return ticks; }
  std::tm LocalTime() override { return localTime; }
  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  void PumpMessages() override { ++pumps; }
  std::string TempDirectory() override { return "/nonexistent-quorl-temp/"; }
  bool DeleteFile(const std::string& path) override {
    deleted.push_back(path);
    return true;
  }
  std::optional<std::string> CreateTempFile(std::string_view) override { return std::nullopt; }
};

// A browser that serves every service: records each conversation as
// "SERVICE|TOPIC|ITEM" (the item empty when none was sent) and answers the
// window-information request with `page` (none: no answer).
class FakeDdeClient : public platform::DdeClient {
 public:
  bool startable = true;
  bool running = false;  // false: no server answers
  std::optional<std::string> page;
  std::vector<std::string> conversations;
  std::chrono::milliseconds lastTimeout{0};

  bool Start() override { return startable; }
  void Stop() override { conversations.push_back("stopped"); }
  platform::DdeConversation Connect(std::string_view service, std::string_view topic) override {
    if (!running) return platform::kNoConversation;
    conversations.push_back(std::string(service) + "|" + std::string(topic) + "|");
    return conversations.size();
  }
  bool StartRequest(platform::DdeConversation conversation, std::string_view item) override {
    conversations.at(conversation - 1) += item;
    return true;
  }
  std::optional<std::string> Request(platform::DdeConversation conversation, std::string_view item,
                                     std::chrono::milliseconds timeout) override {
    StartRequest(conversation, item);
    lastTimeout = timeout;
    return page;
  }
  void Disconnect(platform::DdeConversation) override {}
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
    for (std::string text : dialogs.TextsWithCaption("Quorl")) {
      errors.push_back(text.substr(0, text.find('\n')));
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
