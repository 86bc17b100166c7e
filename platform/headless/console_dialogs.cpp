#include "platform/headless/console_dialogs.h"
#include "platform/text_case.h"

#include <cctype>
#include <string>
#include <vector>

namespace quorl::platform {
namespace {

struct Button {
  std::string_view name;
  int id;
};

std::vector<Button> ButtonsOf(int style) {
  switch (style & kMbButtonMask) {
    case kMbOkCancel:
      return {{"OK", kIdOk}, {"Cancel", kIdCancel}};
    case kMbAbortRetryIgnore:
      return {{"Abort", kIdAbort}, {"Retry", kIdRetry}, {"Ignore", kIdIgnore}};
    case kMbYesNoCancel:
      return {{"Yes", kIdYes}, {"No", kIdNo}, {"Cancel", kIdCancel}};
    case kMbYesNo:
      return {{"Yes", kIdYes}, {"No", kIdNo}};
    case kMbRetryCancel:
      return {{"Retry", kIdRetry}, {"Cancel", kIdCancel}};
    default:
      return {{"OK", kIdOk}};
  }
}

std::string_view Trimmed(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

int ParseMessageBoxAnswer(std::string_view line, int style) {
  std::vector<Button> buttons = ButtonsOf(style);
  size_t defaultIndex = static_cast<size_t>((style & kMbDefButtonMask) >> 8);
  int fallback = buttons[defaultIndex < buttons.size() ? defaultIndex : 0].id;
  std::string_view answer = Trimmed(line);
  for (const Button& button : buttons) {
    if (EqualIgnoringCase(answer, button.name) || answer == std::to_string(button.id)) {
      return button.id;
    }
  }
  return fallback;
}

std::optional<std::string> ConsoleDialogs::ReadAnswerLine() {
  std::string line;
  if (!std::getline(in_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

int ConsoleDialogs::MessageBox(std::string_view text, std::optional<std::string_view> caption,
                               int style) {
  out_ << caption.value_or("Error") << ": " << text << '\n' << std::flush;
  if ((style & kMbButtonMask) == kMbOk) return kIdOk;
  return ParseMessageBoxAnswer(ReadAnswerLine().value_or(""), style);
}

std::optional<std::string> ConsoleDialogs::InputBox(std::string_view caption,
                                                    std::string_view prompt, std::string_view) {
  out_ << caption << ": " << prompt << '\n' << std::flush;
  return ReadAnswerLine();
}

void ConsoleDialogs::OutputBox(std::string_view caption, std::string_view label,
                               std::string_view text) {
  out_ << caption << ": " << label << '\n' << text << '\n' << std::flush;
}

std::optional<Dialogs::Credentials> ConsoleDialogs::AskUserPassword(std::string_view prompt) {
  out_ << "User/Password Required: " << prompt << '\n' << std::flush;
  std::optional<std::string> user = ReadAnswerLine();
  if (!user) return std::nullopt;
  std::optional<std::string> password = ReadAnswerLine();
  if (!password) return std::nullopt;
  return Credentials{*user, *password};
}

}  // namespace quorl::platform
