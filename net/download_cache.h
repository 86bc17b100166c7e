// The download cache: files in the folder "cache" under the current folder,
// named by the script, reused while they are young enough.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorl {

inline constexpr std::string_view kCacheFolder = "cache";

// The message that refuses a cache file name, or none for an acceptable one.
// Besides the length and the executable extensions, a name that could reach
// outside the cache folder (a path separator, a drive colon, "..") is refused.
std::optional<std::string> CacheNameError(std::string_view name);

// Whether a file of the given age may be used; maxAgeDays below 0 never allows it.
bool IsFreshEnough(std::chrono::seconds age, int32_t maxAgeDays);
// How long ago the file was last written (its absolute distance from now);
// none when the file cannot be examined.
std::optional<std::chrono::seconds> FileAge(const std::filesystem::path& path);

std::filesystem::path CachePath(std::string_view name);
// Where a download goes until it is complete. No acceptable cache name can
// ever be this path, since it is longer than a cache name may be.
std::filesystem::path PartialDownloadPath(std::string_view name);

}  // namespace quorl
