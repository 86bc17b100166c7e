// Message boxes and dialogs in a terminal. A box prints "CAPTION: TEXT"; a
// question box then reads the answer from a line of input.
#pragma once

#include <istream>
#include <ostream>

#include "platform/dialogs.h"

namespace quorl::platform {

class ConsoleDialogs : public Dialogs {
 public:
  ConsoleDialogs(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  int MessageBox(std::string_view text, std::optional<std::string_view> caption,
                 int style) override;
  // The console has no Open dialog.
  std::optional<std::string> ChooseProgramFile() override { return std::nullopt; }
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initialText) override;
  void OutputBox(std::string_view caption, std::string_view label, std::string_view text) override;
  std::optional<Credentials> AskUserPassword(std::string_view prompt) override;

 protected:
  // One line of input without its line end; none at the end of input.
  std::optional<std::string> ReadAnswerLine();
  std::istream& in_;
  std::ostream& out_;
};

// The answer a typed line gives for a box of the given style.
int ParseMessageBoxAnswer(std::string_view line, int style);

}  // namespace quorl::platform
