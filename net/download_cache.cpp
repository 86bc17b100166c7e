#include "net/download_cache.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quorl {
namespace {

constexpr size_t kMaxNameLength = 12;
constexpr std::array<std::string_view, 9> kForbiddenExtensions = {
    ".EXE", ".DLL", ".VBX", ".COM", ".BAT", ".386", ".VXD", ".DRV", ".SYS"};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

}  // namespace

std::optional<std::string> CacheNameError(std::string_view name) {
  if (name.size() > kMaxNameLength) return "FILE NAME TOO LONG!";
  if (name.size() >= 4) {
    const std::string_view extension = name.substr(name.size() - 4);
    if (std::ranges::any_of(kForbiddenExtensions,
                            [&](std::string_view bad) { return EqualsNoCase(extension, bad); })) {
      return "ILLEGAL EXTENSION FOR FILE!\nEXE,DLL,VBX,SYS,COM,BAT,386,VXD,DRV NOT ALLOWED!\n";
    }
  }
  if (name.empty() || name == "." || name.find_first_of("/\\:") != std::string_view::npos ||
      name.find("..") != std::string_view::npos) {
    return "ILLEGAL CACHE FILE NAME!\nPATHS AND .. NOT ALLOWED!\n";
  }
  return std::nullopt;
}

bool IsFreshEnough(std::chrono::seconds age, int32_t maxAgeDays) {
  return static_cast<int64_t>(maxAgeDays) * 86400 >= age.count();
}

std::optional<std::chrono::seconds> FileAge(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_time_type written = std::filesystem::last_write_time(path, error);
  if (error) return std::nullopt;
  const auto distance = std::filesystem::file_time_type::clock::now() - written;
  return std::chrono::abs(std::chrono::duration_cast<std::chrono::seconds>(distance));
}

std::filesystem::path CachePath(std::string_view name) {
  return std::filesystem::path(kCacheFolder) / std::string(name);
}

std::filesystem::path PartialDownloadPath(std::string_view name) {
  return std::filesystem::path(kCacheFolder) / (std::string(name) + ".partial-download");
}

}  // namespace quorl
