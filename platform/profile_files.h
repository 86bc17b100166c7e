// Configuration files: named files of sections with key = value entries,
// read and written by name, with the rules of the system's profile files
// (sections and keys without regard to letter case; a write keeps every
// other section, key and comment).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorl::platform {

// An entry of a profile file is one line: line breaks in a section, key or
// value would start entries of their own, so they are written as blanks.
inline std::string OnOneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // The value of the key, none when the file, section or key is missing.
  virtual std::optional<std::string> Read(std::string_view file, std::string_view section,
                                          std::string_view key) = 0;
  // Writes the value, making the file and section when needed. False when
  // the file could not be written; the file is then unchanged.
  virtual bool Write(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value) = 0;
};

}  // namespace quorl::platform
