// Configuration files on POSIX: plain INI text files in one folder, the one
// QUORL_CONFIG_DIR names, else $XDG_CONFIG_HOME/quorl, else ~/.config/quorl.
// A write replaces the whole file at once (a new file renamed over the old
// one), so that a crash never leaves a half-written file.
#pragma once

#include <optional>
#include <string>

#include "platform/profile_files.h"

namespace quorl::platform {

class PosixProfileFiles final : public ProfileFiles {
 public:
  // The folder from the environment; none when not even HOME is set.
  static std::optional<std::string> ConfigFolderFromEnvironment();

  PosixProfileFiles() : folder_(ConfigFolderFromEnvironment()) {}
  explicit PosixProfileFiles(std::string folder) : folder_(std::move(folder)) {}

  std::optional<std::string> Read(std::string_view file, std::string_view section,
                                  std::string_view key) override;
  bool Write(std::string_view file, std::string_view section, std::string_view key,
             std::string_view value) override;

 private:
  std::optional<std::string> folder_;
};

}  // namespace quorl::platform
