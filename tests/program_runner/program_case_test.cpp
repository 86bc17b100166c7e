// The program-test runner against a stand-in interpreter (a shell script that
// reports how it was started): every way a run must fail, so that no program
// test can pass by mistake, and how directives and program files are read.
#include "tests/program_runner/program_case.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "tests/program_runner/program_directives.h"
#include "tests/program_runner/program_discovery.h"
#include "tests/program_runner/transcript_diff.h"
#include "tools/temporary_directory.h"

namespace quorl::program_tests {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

TEST(ProgramDirectives, CollectsEachKindAndReportsMalformedOnes) {
  ProgramDirectives d = ParseDirectives(
      "' expect: the header line is never a directive\n"
      "' args: --list  --events   clock.events\r\n"
      "  ' program-args: one two\n"
      "'STDIN: Yes\n\t' stdin:\n"
      "MSG \"x\" ' expect: a trailing comment is code\n"
      "' expect the worst\n' expected: an ordinary comment\n"
      "' expect: Message: hi\n' expect:\n'Expect:   indented  \n"
      "' exit:  2 \n' env: LANG=C=D\n");
  EXPECT_TRUE(d.errors.empty());
  EXPECT_EQ(d.options, (Strings{"--list", "--events", "clock.events"}));
  EXPECT_EQ(d.programArguments, (Strings{"one", "two"}));
  EXPECT_EQ(d.standardInput, "Yes\n\n");
  EXPECT_EQ(d.expectedOutput, "Message: hi\n\n  indented  \n");
  EXPECT_EQ(d.expectedExitCode, 2);
  EXPECT_EQ(d.environment, (std::map<std::string, std::string>{{"LANG", "C=D"}}));

  d = ParseDirectives(
      "X\n' exit: 1\n' exit: 2\n' env: NOVALUE\n' env: A=1\n' env: A=2\n' expect\n"
      "' stdin-eof: more\n' stdin-eof\n' stdin: too late\n");
  EXPECT_EQ(d.errors,
            (Strings{"line 3: exit given twice", "line 4: env needs NAME=VALUE, not 'NOVALUE'",
                     "line 6: env sets A twice", "line 7: 'expect' needs a colon",
                     "line 8: stdin-eof takes no text", "line 10: stdin after stdin-eof"}));
  for (const char* bad : {"", "1x", "-1", "256", "99999999999"}) {
    EXPECT_EQ(ParseDirectives(std::string("X\n' exit: ") + bad + "\n").errors.size(), 1u) << bad;
  }
}

TEST(ProgramDiscovery, FindsEveryProgramOnceUnderAUniqueName) {
  tools::TemporaryDirectory root;
  for (const char* file : {"p/sub/C.FRM", "p/a-b.qrl", "p/a_b.qrl", "p/z.quorl", "p/x.events",
                           "p/.hidden/h.qrl", "p/.h.qrl", "e/hello.qrl", "elsewhere/x.qrl"}) {
    WriteFile(root.Path() / file, "");
  }
  Strings paths, names;
  for (const ProgramFile& program : DiscoverPrograms(root.Path(), {"p", "e", "e", "missing"})) {
    EXPECT_TRUE(std::filesystem::exists(program.path));
    paths.push_back(program.relativePath);
    names.push_back(program.testName);
  }
  EXPECT_EQ(paths, (Strings{"e/hello.qrl", "p/a-b.qrl", "p/a_b.qrl", "p/sub/C.FRM", "p/z.quorl"}));
  EXPECT_EQ(names,
            (Strings{"e_hello_qrl", "p_a_b_qrl", "p_a_b_qrl_2", "p_sub_C_FRM", "p_z_quorl"}));
  EXPECT_EQ(TestNameFor("p/x-1.y \xC3\xA9.qrl"), "p_x_1_y____qrl");
}

TEST(TranscriptDiff, NamesTheFirstDifferenceVisibly) {
  EXPECT_EQ(FirstDifference("a\nb\n", "a\nb\n"), std::nullopt);
  EXPECT_EQ(FirstDifference("a\nb\n", "a\nb\r\n"),
            "first difference in line 2:\n  expected: b\n  actual:   b\\r");
  EXPECT_EQ(FirstDifference("a\n\n", "a\n"), "the output ends after line 1; expected next: ");
  EXPECT_EQ(FirstDifference("", "x\n"), "the output goes on after line 0 with: x");
  EXPECT_EQ(FirstDifference("a\n", "a"), "the output lacks the final line feed");
  EXPECT_EQ(NumberedTranscript(std::string("\t\x01\0\n\ny", 6)),
            "  1| \\t\\x01\\x00\n  2| \n  3| y\n  (no line feed after the last line)\n");
}

class ProgramCaseTest : public testing::Test {
 protected:
  // The stand-in prints how it was started, then runs the program's third
  // line as shell code.
  ProgramCaseTest() {
    WriteFile(interpreter_,
              "#!/bin/sh\necho \"args: $*\"\necho \"cwd: $(pwd)\"\n"
              "while IFS= read -r line; do echo \"in: $line\"; done\n"
              "echo \"$QUORL_CONFIG_DIR\" > \"$REPORT\"\n"
              "echo \"files: $(ls -A \"$QUORL_CONFIG_DIR\" \"$HOME\" | wc -l) "
              "${XDG_CONFIG_HOME-unset}\"\n"
              "touch \"$QUORL_CONFIG_DIR/Quorl.INI\" \"$HOME/x\"\n"
              "eval \"$(sed -n 3p case.qrl)\"\n");
    std::filesystem::permissions(interpreter_, std::filesystem::perms::owner_all);
  }

  Verdict Run(const std::string& shell, const std::string& directives,
              std::chrono::milliseconds timeout = 10s) {
    WriteFile(program_,
              "OPTION EXPLICIT\n' env: REPORT=" + report_.string() + "\n" + shell +
                  "\n' expect: args: case.qrl\n' expect: cwd: " + program_.parent_path().string() +
                  "\n' expect: files: 3 unset\n" + directives);
    return RunProgramTest({interpreter_, timeout, false, {}}, program_);
  }

  tools::TemporaryDirectory folder_;
  std::filesystem::path interpreter_ = folder_.Path() / "fake-quorl";
  std::filesystem::path program_ = folder_.Path() / "programs" / "case.qrl";
  std::filesystem::path report_ = folder_.Path() / "report";
};

TEST_F(ProgramCaseTest, PassesOnlyTheRightTranscriptAndExitCode) {
  // "files: 3": ls names both folders, fresh and empty for each run.
  setenv("XDG_CONFIG_HOME", "/nonexistent", 1);
  for (int run = 0; run < 2; ++run) {
    const Verdict verdict = Run(":", "");
    EXPECT_TRUE(verdict.passed) << verdict.report;
    std::ifstream report(report_);
    std::string config;
    std::getline(report, config);
    EXPECT_FALSE(config.empty() || std::filesystem::exists(config));  // removed after the run
  }
  unsetenv("XDG_CONFIG_HOME");

  const std::filesystem::path custom = folder_.Path() / "custom";
  std::filesystem::create_directory(custom);
  EXPECT_TRUE(Run(":", "' env: QUORL_CONFIG_DIR=" + custom.string()).passed);
  EXPECT_TRUE(std::filesystem::exists(custom / "Quorl.INI"));

  Verdict options = Run(":", "' args: -x\n' program-args: a\n' stdin: Y\n");
  EXPECT_NE(options.report.find("expected: args: case.qrl\n  actual:   args: -x case.qrl a"),
            std::string::npos)
      << options.report;
  EXPECT_NE(options.report.find("  3| in: Y\n"), std::string::npos);
  EXPECT_TRUE(Run("exit 3", "' exit: 3").passed);

  const std::vector<std::array<std::string, 3>> failures = {
      {"echo oops >&2", "' expect: one more\n", "--- standard error ---\n  1| oops\n"},
      {"exit 3", "", "exit code 3, expected 0"},
      {"kill -SEGV $$", "", "ended by signal 11"},
      {"sleep 20", "", "killed after 500 ms"},
      {"touch ran", "' exit: many\n", "exit needs a number"}};
  for (const auto& [shell, directives, report] : failures) {
    const Verdict verdict = Run(shell, directives, shell == "sleep 20" ? 500ms : 10s);
    EXPECT_FALSE(verdict.passed) << shell;
    EXPECT_NE(verdict.report.find(report), std::string::npos) << verdict.report;
  }
  EXPECT_FALSE(std::filesystem::exists(program_.parent_path() / "ran"));
  EXPECT_FALSE(RunProgramTest({folder_.Path() / "none", 10s, false, {}}, program_).passed);
}

}  // namespace
}  // namespace quorl::program_tests
