// The status strip as the web code sees it: a line of text with an optional
// progress bar, shown while a transfer runs. The form host draws it; a run
// without a form shows nothing.
#pragma once

#include <string_view>

namespace quorl {

class StatusDisplay {
 public:
  virtual ~StatusDisplay() = default;
  // percent -1 shows no progress bar.
  virtual void ShowStatus(std::string_view text, int percent) = 0;
  virtual void HideStatus() = 0;
};

}  // namespace quorl
