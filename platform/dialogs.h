// The seam to the user: message boxes and the modal dialogs. The Windows host
// shows real boxes; the console host writes them to the terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorl::platform {

// Message box styles and answers carry the platform's own numbers, so that a
// script's MSGBOX style passes through unchanged.
enum MessageBoxStyle : int {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbAbortRetryIgnore = 0x2,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbRetryCancel = 0x5,
  kMbButtonMask = 0xF,
  kMbIconHand = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconAsterisk = 0x40,
  kMbDefButton2 = 0x100,
  kMbDefButton3 = 0x200,
  kMbDefButtonMask = 0xF00,
};

enum MessageBoxAnswer : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdAbort = 3,
  kIdRetry = 4,
  kIdIgnore = 5,
  kIdYes = 6,
  kIdNo = 7,
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box and returns the answer. Without a caption the
  // box carries the system's default caption ("Error").
  virtual int MessageBox(std::string_view text, std::optional<std::string_view> caption,
                         int style) = 0;

  // The Open dialog of the loader; none when the user cancels or the host has none.
  virtual std::optional<std::string> ChooseProgramFile() = 0;

  // The input box: the edited text when OK closes it, none on Cancel or close.
  virtual std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                              std::string_view initialText) = 0;
  // The output box: a label and a read-only, scrolling text.
  virtual void OutputBox(std::string_view caption, std::string_view label,
                         std::string_view text) = 0;

  struct Credentials {
    std::string user;
    std::string password;
  };
  // The user/password dialog of an authorisation request; none on Cancel.
  virtual std::optional<Credentials> AskUserPassword(std::string_view prompt) = 0;
};

}  // namespace quorl::platform
