// Comparing short texts such as button names and INI keys without regard to
// letter case, as the system's own functions do.
#pragma once

#include <cctype>
#include <string_view>

namespace quorl::platform {

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace quorl::platform
