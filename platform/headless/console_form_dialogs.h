// The system menu's boxes in a terminal, printed like the console's message
// boxes ("CAPTION: TEXT"); they have an OK button only, so nothing is read.
#pragma once

#include <ostream>

#include "platform/form_dialogs.h"

namespace quorl::platform {

class ConsoleFormDialogs final : public FormDialogs {
 public:
  explicit ConsoleFormDialogs(std::ostream& out) : out_(out) {}
  void ShowAbout() override;
  void ShowFormInfo(std::string_view aboutText, std::string_view formatText) override;

 private:
  std::ostream& out_;
};

}  // namespace quorl::platform
