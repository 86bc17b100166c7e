// Configuration files through the system's private-profile functions. A bare
// file name lives in the Windows folder, as those functions place it; when
// the environment names a folder in QUORL_CONFIG_DIR, the files live there.
#pragma once

#include "platform/profile_files.h"

namespace quorl::platform {

class Win32ProfileFiles final : public ProfileFiles {
 public:
  std::optional<std::string> Read(std::string_view file, std::string_view section,
                                  std::string_view key) override;
  bool Write(std::string_view file, std::string_view section, std::string_view key,
             std::string_view value) override;
};

}  // namespace quorl::platform
