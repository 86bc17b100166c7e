#include "platform/win32/win32_console.h"

#include <fcntl.h>
#include <io.h>
#include "platform/win32/windows_api.h"

#include <cstdio>

namespace quorl::platform {
namespace {

bool IsUsable(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

bool AttachStandardStreams(const std::optional<std::string>& transcriptFile) {
  if (!IsUsable(STD_OUTPUT_HANDLE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
    if (!IsUsable(STD_INPUT_HANDLE)) std::freopen("CONIN$", "r", stdin);
  }
  if (transcriptFile && !std::freopen(transcriptFile->c_str(), "wb", stdout)) return false;
  for (FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
  return true;
}

bool HasStandardOutput() {
  return _fileno(stdout) >= 0 && _get_osfhandle(_fileno(stdout)) != -1;
}

}  // namespace quorl::platform
