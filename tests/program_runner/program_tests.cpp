// One test per program file under tests/programs/ and examples/, found when the
// test binary starts, so that adding a program test is dropping in one file.
// Built twice: for the native `quorl`, and (with QUORL_DESKTOP) for the
// desktop program under Wine, whose boxes then use the console.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

#include "tests/program_runner/program_case.h"
#include "tools/temporary_directory.h"

namespace quorl::program_tests {
namespace {

#ifdef QUORL_DESKTOP
constexpr bool kDesktop = true;
#else
constexpr bool kDesktop = false;
#endif

// The path from the project root of every *.qrl, *.quorl and *.frm file
// (any letter case), sorted.
std::vector<std::string> AllPrograms() {
  std::vector<std::string> programs;
  for (const char* folder : {"/tests/programs", "/examples"}) {
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(QUORL_SOURCE_DIR + std::string(folder))) {
      std::string extension = entry.path().extension().string();
      std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
      if (entry.is_regular_file() &&
          (extension == ".qrl" || extension == ".quorl" || extension == ".frm")) {
        programs.push_back(entry.path().lexically_relative(QUORL_SOURCE_DIR).generic_string());
      }
    }
  }
  std::ranges::sort(programs);
  return programs;
}

class ProgramTest : public testing::TestWithParam<std::string> {
 protected:
  void Expect(const RunnerSettings& settings) {
    const Verdict verdict =
        RunProgramTest(settings, std::filesystem::path(QUORL_SOURCE_DIR) / GetParam());
    EXPECT_TRUE(verdict.passed) << verdict.report;
  }
};

TEST_P(ProgramTest, Transcript) {
  Expect(SettingsFor(QUORL_BINARY, kDesktop));
}

#ifndef QUORL_DESKTOP
// The same transcript from the console runner's plain path, which splits
// every line each time it runs.
TEST_P(ProgramTest, TranscriptWithoutCache) {
  RunnerSettings settings = SettingsFor(QUORL_BINARY, kDesktop);
  settings.leadingOptions.push_back("--no-cache");
  Expect(settings);
}

// The runner itself must fail every run that is not exactly as written, or a
// broken interpreter would pass.
TEST(ProgramRunner, FailsEveryRunThatDiffersFromItsDirectives) {
  tools::TemporaryDirectory folder;
  auto run = [&](const std::string& code, const std::string& directives) {
    std::ofstream(folder.Path() / "case.qrl")
        << "OPTION EXPLICIT\nSUB MAIN()\n" + code + "\nEND SUB\n" + directives;
    RunnerSettings settings = SettingsFor(QUORL_BINARY, false);
    settings.timeout = std::chrono::milliseconds(500);
    return RunProgramTest(settings, folder.Path() / "case.qrl");
  };
  EXPECT_TRUE(run("  MSG \"hi\"", "' Expect: Message: hi\n' exit:  0 \n").passed);
  const std::vector<std::array<std::string, 3>> failures = {
      {"  MSG \"hi\"", "' expect: Message: ho\n", "differs from line 1"},
      {"  MSG \"hi\"", "' expect: Message: hi\n' exit: 3\n", "exit code 0, expected 3"},
      {"  MSG \"hi\"", "", "--- expected output ---\n  (empty)"},
      {"  WHILE (1)\n  WEND", "", "killed after 500 ms"},
      {"", "' exit: many\n", "bad exit 'many'"}};
  for (const auto& [code, directives, report] : failures) {
    const Verdict verdict = run(code, directives);
    EXPECT_FALSE(verdict.passed) << code;
    EXPECT_NE(verdict.report.find(report), std::string::npos) << verdict.report;
  }
}
#endif

INSTANTIATE_TEST_SUITE_P(Programs, ProgramTest, testing::ValuesIn(AllPrograms()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::ranges::replace_if(
                               name, [](unsigned char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

}  // namespace
}  // namespace quorl::program_tests
