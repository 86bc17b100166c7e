// The system services of the native build, on POSIX.
#pragma once

#include "platform/system.h"

namespace quorl::platform {

class PosixSystem : public System {
 public:
  uint32_t TickCount() override;
  std::tm LocalTime() override;
  // The native build has no screen: its forms live on a 1024 x 768 one.
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  // Console runs have no window messages waiting.
  void PumpMessages() override {}
  std::string TempDirectory() override;
  bool DeleteFile(const std::string& path) override;
  std::optional<std::string> CreateTempFile(std::string_view prefix) override;
};

}  // namespace quorl::platform
