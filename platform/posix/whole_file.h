// Reading a whole file into a text.
#pragma once

#include <optional>
#include <string>

namespace quorl::platform {

// The file's bytes; none when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace quorl::platform
