#include "tests/program_runner/program_discovery.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace quorl::program_tests {

std::string TestNameFor(std::string_view relativePath) {
  std::string name(relativePath);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) > 0x7F)
      c = '_';
  }
  return name;
}

std::vector<ProgramFile> DiscoverPrograms(const std::filesystem::path& projectRoot,
                                          const std::vector<std::string>& folders) {
  const std::filesystem::path root = std::filesystem::absolute(projectRoot).lexically_normal();
  std::set<std::string> seen;
  std::vector<ProgramFile> programs;
  for (const std::string& folder : folders) {
    std::error_code error;
    if (!std::filesystem::is_directory(root / folder, error)) continue;
    std::filesystem::recursive_directory_iterator it(root / folder, error), end;
    for (; !error && it != end; it.increment(error)) {
      const std::filesystem::path& path = it->path();
      if (path.filename().string().starts_with(".")) {  // hidden: passed over
        if (it->is_directory(error)) it.disable_recursion_pending();
        continue;
      }
      std::string extension = path.extension().string();
      std::transform(extension.begin(), extension.end(), extension.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      if (!it->is_regular_file(error) ||
          (extension != ".qrl" && extension != ".quorl" && extension != ".frm")) {
        continue;
      }
      std::string relative = path.lexically_relative(root).generic_string();
      if (seen.insert(relative).second) programs.push_back({path, relative, ""});
    }
  }
  std::sort(programs.begin(), programs.end(), [](const ProgramFile& a, const ProgramFile& b) {
    return a.relativePath < b.relativePath;
  });
  // Names that would collide get a numeric suffix, so no program is left out.
  std::set<std::string> taken;
  for (ProgramFile& program : programs) {
    const std::string base = TestNameFor(program.relativePath);
    program.testName = base;
    for (int suffix = 2; !taken.insert(program.testName).second; ++suffix) {
      program.testName = base + "_" + std::to_string(suffix);
    }
  }
  return programs;
}

}  // namespace quorl::program_tests
