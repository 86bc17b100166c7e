// One test per program file under tests/programs/ and examples/, found when the
// test binary starts, so that adding a program test is dropping in one file.
// Built twice: for the native `quorl`, and (with QUORL_DESKTOP) for the
// desktop program under Wine, whose boxes then use the console.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <ostream>

#include "tests/program_runner/program_case.h"
#include "tools/temporary_directory.h"

namespace quorl::program_tests {

struct ProgramFile {
  std::filesystem::path path;
  std::string relativePath;  // from the project root, with '/' separators
};

// Shown by GoogleTest when a test fails, instead of the bytes of the struct.
void PrintTo(const ProgramFile& program, std::ostream* out) {
  *out << program.relativePath;
}

namespace {

#ifdef QUORL_DESKTOP
constexpr bool kDesktop = true;
#else
constexpr bool kDesktop = false;
#endif

// Every *.qrl, *.quorl and *.frm file (any letter case), sorted.
std::vector<ProgramFile> AllPrograms() {
  std::vector<ProgramFile> programs;
  for (const char* folder : {"tests/programs", "examples"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QUORL_SOURCE_DIR "/" +
                                                                           std::string(folder))) {
      std::string extension = entry.path().extension().string();
      std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
      if (entry.is_regular_file() &&
          (extension == ".qrl" || extension == ".quorl" || extension == ".frm")) {
        programs.push_back(
            {entry.path(), entry.path().lexically_relative(QUORL_SOURCE_DIR).generic_string()});
      }
    }
  }
  std::ranges::sort(programs, {}, &ProgramFile::relativePath);
  return programs;
}

class ProgramTest : public testing::TestWithParam<ProgramFile> {};

TEST_P(ProgramTest, Transcript) {
  Verdict verdict = RunProgramTest(SettingsFor(QUORL_BINARY, kDesktop), GetParam().path);
  EXPECT_TRUE(verdict.passed) << GetParam().relativePath << "\n" << verdict.report;
}

#ifndef QUORL_DESKTOP
// The same transcript from the console runner's plain path, which splits
// every line each time it runs.
TEST_P(ProgramTest, TranscriptWithoutCache) {
  RunnerSettings settings = SettingsFor(QUORL_BINARY, kDesktop);
  settings.leadingOptions.push_back("--no-cache");
  Verdict verdict = RunProgramTest(settings, GetParam().path);
  EXPECT_TRUE(verdict.passed) << GetParam().relativePath << "\n" << verdict.report;
}

// The runner itself must fail every run that is not exactly as written, or a
// broken interpreter would pass.
TEST(ProgramRunner, FailsEveryRunThatDiffersFromItsDirectives) {
  tools::TemporaryDirectory folder;
  auto run = [&](const std::string& code, const std::string& directives) {
    std::ofstream(folder.Path() / "case.qrl") << "OPTION EXPLICIT\nSUB MAIN()\n"
                                              << code << "\nEND SUB\n"
                                              << directives;
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

std::string TestName(const testing::TestParamInfo<ProgramFile>& info) {
  std::string name = info.param.relativePath;
  std::replace_if(
      name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramTest, testing::ValuesIn(AllPrograms()), TestName);

}  // namespace
}  // namespace quorl::program_tests
