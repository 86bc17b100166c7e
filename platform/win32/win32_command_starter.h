// Starting a command for SHELL with the system's program-start call.
#pragma once

#include "platform/command_starter.h"

namespace quorl::platform {

class Win32CommandStarter final : public CommandStarter {
 public:
  bool Start(std::string_view commandLine) override;
};

}  // namespace quorl::platform
