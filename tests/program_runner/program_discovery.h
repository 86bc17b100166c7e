// Finds the program files that are program tests and gives each a test name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::program_tests {

struct ProgramFile {
  std::filesystem::path path;  // absolute
  std::string relativePath;    // from the project root, with '/' separators
  std::string testName;        // letters, digits and '_' only; unique in its list
};

// The relative path with everything but ASCII letters and digits made '_'.
std::string TestNameFor(std::string_view relativePath);

// Every *.qrl, *.quorl and *.frm file (any letter case) under the given
// folders of the project, recursively, sorted by relative path. Hidden files
// and folders are passed over; missing folders hold nothing. Names that would
// collide get a numeric suffix, so no program is ever left out.
std::vector<ProgramFile> DiscoverPrograms(const std::filesystem::path& projectRoot,
                                          const std::vector<std::string>& folders);

}  // namespace quorl::program_tests
