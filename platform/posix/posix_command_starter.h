// SHELL's program start on POSIX: the command line runs through /bin/sh,
// detached, so that the interpreter neither waits for it nor leaves it
// behind as a zombie. It reads no input of the interpreter's.
#pragma once

#include "platform/command_starter.h"

namespace quorl::platform {

class PosixCommandStarter final : public CommandStarter {
 public:
  bool Start(std::string_view commandLine) override;
};

}  // namespace quorl::platform
