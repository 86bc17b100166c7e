#include "tools/temporary_directory.h"

#include <stdlib.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

namespace quorl::tools {

TemporaryDirectory::TemporaryDirectory(std::string_view prefix) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
  // mkdtemp creates the directory private to the user, under a name nobody else can take.
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::filesystem::filesystem_error("cannot create a temporary directory", pattern,
                                            std::error_code(errno, std::generic_category()));
  }
  path_ = pattern;
}

TemporaryDirectory::TemporaryDirectory(TemporaryDirectory&& other) noexcept
    : path_(std::exchange(other.path_, {})) {}

TemporaryDirectory& TemporaryDirectory::operator=(TemporaryDirectory&& other) noexcept {
  if (this != &other) {
    Remove();
    path_ = std::exchange(other.path_, {});
  }
  return *this;
}

TemporaryDirectory::~TemporaryDirectory() {
  Remove();
}

void TemporaryDirectory::Remove() noexcept {
  if (path_.empty()) return;
  std::error_code ignored;  // nothing sensible is left to do if removal fails
  std::filesystem::remove_all(path_, ignored);
  path_.clear();
}

}  // namespace quorl::tools
