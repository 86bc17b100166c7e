// The text of a configuration file: "[section]" lines, "key=value" lines and
// comment lines beginning with ";". Sections and keys are found without
// regard to letter case; surrounding blanks, and quotes around a whole value,
// are not part of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorl::platform {

// The value of the key in the first section of that name; none when absent.
std::optional<std::string> ReadIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// The text with the key set to the value. An existing key keeps its place
// and spelling; a new key goes after the last entry of its section; a new
// section goes at the end. Every other line stays as it was, and the text's
// line ends (LF or CR LF) are kept. Line breaks in the section, key or value
// become blanks, so that a value can never add lines of its own.
std::string WriteIniValue(std::string_view text, std::string_view section, std::string_view key,
                          std::string_view value);

}  // namespace quorl::platform
