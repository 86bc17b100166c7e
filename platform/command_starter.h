// Starting another program for SHELL.
#pragma once

#include <string_view>

namespace quorl::platform {

class CommandStarter {
 public:
  virtual ~CommandStarter() = default;
  // Starts the command line through the system's shell without waiting for
  // it; false when it could not be started.
  virtual bool Start(std::string_view commandLine) = 0;
};

}  // namespace quorl::platform
