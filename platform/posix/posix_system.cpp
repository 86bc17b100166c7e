#include "platform/posix/posix_system.h"

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace quorl::platform {

uint32_t PosixSystem::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(now.tv_sec * 1000u + now.tv_nsec / 1000000);
}

std::tm PosixSystem::LocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string PosixSystem::TempDirectory() {
  const char* configured = std::getenv("TMPDIR");
  std::string directory = (configured && *configured) ? configured : "/tmp";
  if (directory.back() != '/') directory += '/';
  return directory;
}

bool PosixSystem::DeleteFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

std::optional<std::string> PosixSystem::CreateTempFile(std::string_view prefix) {
  std::string pattern = TempDirectory() + std::string(prefix) + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkstemp creates the file exclusively, readable and writable by the user alone.
  int fd = mkstemp(name.data());
  if (fd < 0) return std::nullopt;
  close(fd);
  return std::string(name.data());
}

}  // namespace quorl::platform
