// The boxes reached from the form's system menu.
#pragma once

#include <string_view>

namespace quorl::platform {

class FormDialogs {
 public:
  virtual ~FormDialogs() = default;
  // The About box: the program's name, its platform and its credits.
  virtual void ShowAbout() = 0;
  // The Form Info box: what the form says about itself, and the first line
  // of its file (its format).
  virtual void ShowFormInfo(std::string_view aboutText, std::string_view formatText) = 0;
};

}  // namespace quorl::platform
