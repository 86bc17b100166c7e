// A fresh, empty directory under the system's temporary folder that is
// removed with everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <string_view>

namespace quorl::tools {

class TemporaryDirectory {
 public:
  // Throws std::filesystem::filesystem_error when no directory can be made.
  explicit TemporaryDirectory(std::string_view prefix = "quorl");
  TemporaryDirectory(TemporaryDirectory&& other) noexcept;
  TemporaryDirectory& operator=(TemporaryDirectory&& other) noexcept;
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  ~TemporaryDirectory();

  const std::filesystem::path& Path() const { return path_; }

 private:
  void Remove() noexcept;

  std::filesystem::path path_;
};

}  // namespace quorl::tools
