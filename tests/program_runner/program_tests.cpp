// One test per program file under tests/programs/ and examples/, found when the
// test binary starts, so that adding a program test is dropping in one file.
// Built twice: for the native `quorl`, and (with QUORL_DESKTOP) for the
// desktop program under Wine, whose boxes then use the console.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/program_runner/program_case.h"
#include "tests/program_runner/program_discovery.h"

namespace quorl::program_tests {

// Shown by GoogleTest when a test fails, instead of the bytes of the struct.
void PrintTo(const ProgramFile& program, std::ostream* out) {
  *out << program.relativePath;
}

namespace {

const std::vector<std::string> kProgramFolders = {"tests/programs", "examples"};

std::vector<ProgramFile> AllPrograms() {
  return DiscoverPrograms(QUORL_SOURCE_DIR, kProgramFolders);
}

class ProgramTest : public testing::TestWithParam<ProgramFile> {};

#ifdef QUORL_DESKTOP
constexpr bool kDesktop = true;
#else
constexpr bool kDesktop = false;
#endif

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
#endif

INSTANTIATE_TEST_SUITE_P(Programs, ProgramTest, testing::ValuesIn(AllPrograms()),
                         [](const testing::TestParamInfo<ProgramFile>& info) {
                           return info.param.testName;
                         });
// An empty list is reported by the test below, with a clearer message.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ProgramTest);

// Guards against a wrong project path, which would otherwise pass silently.
TEST(ProgramDiscovery, FindsTheProgramsOfThisProject) {
  EXPECT_FALSE(AllPrograms().empty())
      << "no program files under " << QUORL_SOURCE_DIR << "/tests/programs or /examples";
}

}  // namespace
}  // namespace quorl::program_tests
