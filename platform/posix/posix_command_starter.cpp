#include "platform/posix/posix_command_starter.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace quorl::platform {

bool PosixCommandStarter::Start(std::string_view commandLine) {
  std::string command(commandLine);
  // The middle process exits at once; the command, orphaned, is reaped by init.
  pid_t middle = fork();
  if (middle < 0) return false;
  if (middle == 0) {
    pid_t runner = fork();
    if (runner == 0) {
      int devNull = open("/dev/null", O_RDONLY);
      if (devNull >= 0) dup2(devNull, STDIN_FILENO);
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(runner < 0 ? 1 : 0);
  }
  int status = 0;
  while (waitpid(middle, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace quorl::platform
