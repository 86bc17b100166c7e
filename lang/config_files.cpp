#include "lang/config_files.h"

#include "values/name_tree.h"

namespace quorl {

std::string_view ConfigFileFor(std::string_view section) {
  return CompareNames(section, kQuorlConfigSection) == 0 ? kQuorlIniFile : kFormIniFile;
}

void AttachConfigFiles(Context& ctx, platform::ProfileFiles& profiles) {
  ctx.profiles = &profiles;
  ctx.network.readQuorlConfig = [&profiles](std::string_view key) {
    return profiles.Read(kQuorlIniFile, kQuorlConfigSection, key).value_or("");
  };
}

}  // namespace quorl
