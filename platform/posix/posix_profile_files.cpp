#include "platform/posix/posix_profile_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/posix/ini_text.h"
#include "platform/posix/whole_file.h"

namespace quorl::platform {
namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

// Makes the folder and its parents, readable by the user alone when new.
bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string prefix = path.substr(0, slash);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Writes the content to a new file beside the target and renames it over
// the target, keeping the target's permissions.
bool ReplaceFile(const std::string& path, std::string_view content) {
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return false;
  struct stat existing {};
  mode_t mode = 0644;
  if (stat(path.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, content) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && rename(name.data(), path.c_str()) == 0) return true;
  unlink(name.data());
  return false;
}

}  // namespace

std::optional<std::string> PosixProfileFiles::ConfigFolderFromEnvironment() {
  if (auto folder = Environment("QUORL_CONFIG_DIR")) return folder;
  if (auto base = Environment("XDG_CONFIG_HOME")) return *base + "/quorl";
  if (auto home = Environment("HOME")) return *home + "/.config/quorl";
  return std::nullopt;
}

std::optional<std::string> PosixProfileFiles::Read(std::string_view file, std::string_view section,
                                                   std::string_view key) {
  if (!folder_) return std::nullopt;
  std::optional<std::string> text = ReadWholeFile(*folder_ + "/" + std::string(file));
  if (!text) return std::nullopt;
  return ReadIniValue(*text, section, key);
}

bool PosixProfileFiles::Write(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view value) {
  if (!folder_ || !MakeFolders(*folder_)) return false;
  std::string path = *folder_ + "/" + std::string(file);
  std::string text = ReadWholeFile(path).value_or("");
  return ReplaceFile(path, WriteIniValue(text, section, key, value));
}

}  // namespace quorl::platform
