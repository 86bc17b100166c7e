#include "platform/posix/whole_file.h"

#include <fstream>
#include <sstream>

namespace quorl::platform {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

}  // namespace quorl::platform
