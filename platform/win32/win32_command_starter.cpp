#include "platform/win32/win32_command_starter.h"

#include "platform/win32/windows_api.h"

#include <string>

namespace quorl::platform {

bool Win32CommandStarter::Start(std::string_view commandLine) {
  // The new program's window keeps its own size and place.
  return WinExec(std::string(commandLine).c_str(), SW_SHOW) > 31;
}

}  // namespace quorl::platform
