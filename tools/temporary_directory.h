// A fresh, empty directory under the system's temporary folder that is
// removed with everything in it when the object goes away.
#pragma once

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace quorl::tools {

class TemporaryDirectory {
 public:
  // mkdtemp makes the directory private to the user, under a name nobody
  // else can take; no directory at all throws filesystem_error.
  explicit TemporaryDirectory(std::string_view prefix = "quorl")
      : path_(std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")) {
    std::string pattern = path_.string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::filesystem::filesystem_error("cannot create a temporary directory", pattern,
                                              std::error_code(errno, std::generic_category()));
    }
    path_ = pattern;
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  ~TemporaryDirectory() {
    std::error_code ignored;  // nothing sensible is left to do if removal fails
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quorl::tools
