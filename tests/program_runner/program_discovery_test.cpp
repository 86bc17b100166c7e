#include "tests/program_runner/program_discovery.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tools/temporary_directory.h"

namespace quorl::program_tests {
namespace {

void Touch(const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << "OPTION EXPLICIT\n";
}

TEST(ProgramDiscovery, FindsProgramsRecursivelyInPathOrderWithSafeNames) {
  tools::TemporaryDirectory root;
  for (const char* file :
       {"tests/programs/loader/b.qrl", "tests/programs/a.frm", "tests/programs/sub/C.FRM",
        "tests/programs/z.quorl", "tests/programs/clock.events", "tests/programs/notes.txt",
        "tests/programs/.hidden/h.qrl", "tests/programs/.h.qrl", "examples/hello.qrl",
        "elsewhere/x.qrl"}) {
    Touch(root.Path() / file);
  }
  std::vector<ProgramFile> found = DiscoverPrograms(root.Path(), {"tests/programs", "examples"});

  std::vector<std::string> paths, names;
  for (const ProgramFile& program : found) {
    paths.push_back(program.relativePath);
    names.push_back(program.testName);
    EXPECT_TRUE(program.path.is_absolute());
    EXPECT_TRUE(std::filesystem::exists(program.path));
  }
  EXPECT_EQ(paths, (std::vector<std::string>{
                       "examples/hello.qrl", "tests/programs/a.frm", "tests/programs/loader/b.qrl",
                       "tests/programs/sub/C.FRM", "tests/programs/z.quorl"}));
  EXPECT_EQ(names, (std::vector<std::string>{
                       "examples_hello_qrl", "tests_programs_a_frm", "tests_programs_loader_b_qrl",
                       "tests_programs_sub_C_FRM", "tests_programs_z_quorl"}));
}

TEST(ProgramDiscovery, KeepsProgramsWhoseNamesWouldCollide) {
  tools::TemporaryDirectory root;
  Touch(root.Path() / "p/a-b.qrl");
  Touch(root.Path() / "p/a_b.qrl");
  Touch(root.Path() / "p/a b.qrl");
  std::vector<ProgramFile> found = DiscoverPrograms(root.Path(), {"p"});
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].testName, "p_a_b_qrl");
  EXPECT_EQ(found[1].testName, "p_a_b_qrl_2");
  EXPECT_EQ(found[2].testName, "p_a_b_qrl_3");
}

TEST(ProgramDiscovery, MissingOrRepeatedFoldersAddNothing) {
  tools::TemporaryDirectory root;
  Touch(root.Path() / "examples/hello.qrl");
  std::vector<ProgramFile> found =
      DiscoverPrograms(root.Path(), {"tests/programs", "examples", "examples"});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].relativePath, "examples/hello.qrl");
}

TEST(ProgramDiscovery, TestNamesKeepOnlyLettersAndDigits) {
  EXPECT_EQ(TestNameFor("tests/programs/x-1.y z.qrl"), "tests_programs_x_1_y_z_qrl");
  EXPECT_EQ(TestNameFor("\xC3\xA9.qrl"), "___qrl");
}

}  // namespace
}  // namespace quorl::program_tests
