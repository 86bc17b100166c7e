#include "platform/win32/win32_profile_files.h"

#include "platform/win32/windows_api.h"

#include <string>

namespace quorl::platform {
namespace {

// Given as the default, so that a missing key can be told from an empty one.
constexpr const char* kMissing = "\x01\x02";
constexpr DWORD kValueSize = 256;  // at most 255 characters are read

std::string PathOf(std::string_view file) {
  char folder[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA("QUORL_CONFIG_DIR", folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return std::string(file);
  std::string path(folder, length);
  if (path.back() != '\\' && path.back() != '/') path += '\\';
  return path + std::string(file);
}

}  // namespace

std::optional<std::string> Win32ProfileFiles::Read(std::string_view file, std::string_view section,
                                                   std::string_view key) {
  char value[kValueSize] = "";
  GetPrivateProfileStringA(OnOneLine(section).c_str(), OnOneLine(key).c_str(), kMissing, value,
                           kValueSize, PathOf(file).c_str());
  if (std::string_view(value) == kMissing) return std::nullopt;
  return std::string(value);
}

bool Win32ProfileFiles::Write(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view value) {
  return WritePrivateProfileStringA(OnOneLine(section).c_str(), OnOneLine(key).c_str(),
                                    OnOneLine(value).c_str(), PathOf(file).c_str());
}

}  // namespace quorl::platform
