// The two configuration files: "Quorl.INI" holds the interpreter's own
// section "QuorlConfig"; "QuorlFRM.INI" holds every section the scripts use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lang/context.h"
#include "platform/profile_files.h"

namespace quorl {

inline constexpr std::string_view kQuorlConfigSection = "QuorlConfig";
inline constexpr std::string_view kQuorlIniFile = "Quorl.INI";
inline constexpr std::string_view kFormIniFile = "QuorlFRM.INI";

// The file that holds a section (its name compared without regard to case).
std::string_view ConfigFileFor(std::string_view section);

// Makes the files the context's configuration: READINI and WRITEINI use
// them, and the network code reads its settings from "QuorlConfig".
void AttachConfigFiles(Context& ctx, platform::ProfileFiles& profiles);

}  // namespace quorl
