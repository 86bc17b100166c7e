#include "tests/program_runner/program_discovery.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace quorl::program_tests {
namespace {

bool IsProgramFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".qrl" || extension == ".quorl" || extension == ".frm";
}

bool IsHidden(const std::filesystem::path& path) {
  std::string name = path.filename().string();
  return !name.empty() && name.front() == '.';
}

void CollectPrograms(const std::filesystem::path& projectRoot, const std::filesystem::path& folder,
                     std::vector<ProgramFile>& found) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return;
  std::filesystem::recursive_directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    const std::filesystem::path& path = it->path();
    if (IsHidden(path)) {
      if (it->is_directory(error)) it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file(error) || !IsProgramFile(path)) continue;
    found.push_back({path, path.lexically_relative(projectRoot).generic_string(), ""});
  }
}

}  // namespace

std::string TestNameFor(std::string_view relativePath) {
  std::string name(relativePath);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) > 0x7F) {
      c = '_';
    }
  }
  return name;
}

std::vector<ProgramFile> DiscoverPrograms(const std::filesystem::path& projectRoot,
                                          const std::vector<std::string>& folders) {
  std::filesystem::path root = std::filesystem::absolute(projectRoot).lexically_normal();
  std::vector<ProgramFile> programs;
  for (const std::string& folder : folders) CollectPrograms(root, root / folder, programs);
  std::sort(programs.begin(), programs.end(), [](const ProgramFile& a, const ProgramFile& b) {
    return a.relativePath < b.relativePath;
  });
  programs.erase(std::unique(programs.begin(), programs.end(),
                             [](const ProgramFile& a, const ProgramFile& b) {
                               return a.relativePath == b.relativePath;
                             }),
                 programs.end());

  std::set<std::string> taken;
  for (ProgramFile& program : programs) {
    std::string base = TestNameFor(program.relativePath);
    std::string name = base;
    for (int suffix = 2; !taken.insert(name).second; ++suffix) {
      name = base + "_" + std::to_string(suffix);
    }
    program.testName = name;
  }
  return programs;
}

}  // namespace quorl::program_tests
