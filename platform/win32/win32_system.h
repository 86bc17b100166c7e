// The system services of the desktop program: the clock, the screen, the
// temporary folder, and the message pump that keeps the form answering
// while the script waits.
#pragma once

#include <functional>

#include "platform/system.h"

namespace quorl::platform {

class Win32System final : public System {
 public:
  // The pump dispatches the form's waiting messages.
  explicit Win32System(std::function<void()> pump) : pump_(std::move(pump)) {}
  uint32_t TickCount() override;
  std::tm LocalTime() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  void PumpMessages() override;
  std::string TempDirectory() override;
  bool DeleteFile(const std::string& path) override;
  std::optional<std::string> CreateTempFile(std::string_view prefix) override;

 private:
  std::function<void()> pump_;
};

}  // namespace quorl::platform
