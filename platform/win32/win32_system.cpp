#include "platform/win32/win32_system.h"

#include "platform/win32/windows_api.h"

#include <vector>

namespace quorl::platform {

uint32_t Win32System::TickCount() {
  return GetTickCount();
}

std::tm Win32System::LocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::tm time{};
  time.tm_year = now.wYear - 1900;
  time.tm_mon = now.wMonth - 1;
  time.tm_mday = now.wDay;
  time.tm_wday = now.wDayOfWeek;
  time.tm_hour = now.wHour;
  time.tm_min = now.wMinute;
  time.tm_sec = now.wSecond;
  return time;
}

int Win32System::ScreenWidth() {
  return GetSystemMetrics(SM_CXSCREEN);
}

int Win32System::ScreenHeight() {
  return GetSystemMetrics(SM_CYSCREEN);
}

void Win32System::PumpMessages() {
  if (pump_) pump_();
}

std::string Win32System::TempDirectory() {
  DWORD length = GetTempPathA(1, nullptr);
  if (length == 0) return {};
  std::vector<char> path(length + 2);
  DWORD copied = GetTempPathA(static_cast<DWORD>(path.size()), path.data());
  return std::string(path.data(), copied);
}

bool Win32System::DeleteFile(const std::string& path) {
  return DeleteFileA(path.c_str());
}

std::optional<std::string> Win32System::CreateTempFile(std::string_view prefix) {
  std::string folder = TempDirectory();
  char path[MAX_PATH + 1] = "";
  // The system makes the file, with a name no other file has.
  if (folder.empty() || !GetTempFileNameA(folder.c_str(), std::string(prefix).c_str(), 0, path)) {
    return std::nullopt;
  }
  return std::string(path);
}

}  // namespace quorl::platform
