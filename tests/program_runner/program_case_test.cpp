// Runs the program-test runner against a stand-in interpreter, a shell script
// that reports how it was started, so the runner is checked without `quorl`.
#include "tests/program_runner/program_case.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tools/temporary_directory.h"

namespace quorl::program_tests {
namespace {

using namespace std::chrono_literals;

class ProgramCaseTest : public testing::Test {
 protected:
  // The stand-in prints its arguments, its folder, its standard input and the
  // state of its configuration and home folders, then runs the program's
  // third line as shell code (for exit codes, stderr and stalls).
  ProgramCaseTest() {
    interpreter_ = folder_.Path() / "fake-quorl";
    WriteFile(interpreter_,
              "#!/bin/sh\n"
              "echo \"args: $*\"\n"
              "echo \"cwd: $(pwd)\"\n"
              "while IFS= read -r line; do echo \"in: $line\"; done\n"
              "echo \"config: $QUORL_CONFIG_DIR\" > \"$TMPDIR_REPORT\"\n"
              "echo \"config files: $(ls -A \"$QUORL_CONFIG_DIR\" | wc -l)\"\n"
              "echo \"home files: $(ls -A \"$HOME\" | wc -l)\"\n"
              "echo \"xdg: ${XDG_CONFIG_HOME-unset}\"\n"
              "touch \"$QUORL_CONFIG_DIR/Quorl.INI\"\n"
              "eval \"$(sed -n 3p \"$PROGRAM\")\"\n");
    std::filesystem::permissions(interpreter_, std::filesystem::perms::owner_all);
  }

  static void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  // A program in a subfolder, whose third line is shell code for the stand-in.
  std::filesystem::path Program(const std::string& shell, const std::string& directives) {
    std::filesystem::path path = folder_.Path() / "programs" / "case.qrl";
    WriteFile(path, "OPTION EXPLICIT\n' env: PROGRAM=case.qrl\n" + shell + "\n" + directives +
                        "' env: TMPDIR_REPORT=" + (folder_.Path() / "report").string() + "\n");
    return path;
  }

  std::string Expected(const std::string& args, const std::string& input = "") {
    return "' expect: args: " + args +
           "\n' expect: cwd: " + (folder_.Path() / "programs").string() + "\n" + input +
           "' expect: config files: 0\n' expect: home files: 0\n' expect: xdg: unset\n";
  }

  Verdict Run(const std::filesystem::path& program, std::chrono::milliseconds timeout = 10s) {
    return RunProgramTest({interpreter_, timeout, false, {}}, program);
  }

  tools::TemporaryDirectory folder_;
  std::filesystem::path interpreter_;
};

TEST_F(ProgramCaseTest, PassesOptionsFileNameArgumentsAndInputInAFreshSetting) {
  std::filesystem::path program =
      Program(":", "' args: --list -x\n' program-args: a b\n' stdin: Yes\n' stdin:\n" +
                       Expected("--list -x case.qrl a b", "' expect: in: Yes\n' expect: in: \n"));
  setenv("XDG_CONFIG_HOME", "/nonexistent", 1);
  Verdict verdict = Run(program);
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_TRUE(verdict.passed) << verdict.report;
  EXPECT_EQ(verdict.report, "");
}

TEST_F(ProgramCaseTest, EveryRunGetsItsOwnConfigurationFolderWhichIsRemovedAfterwards) {
  // The stand-in leaves a file in the configuration folder; the next run must not see it.
  std::filesystem::path program = Program(":", Expected("case.qrl"));
  ASSERT_TRUE(Run(program).passed);
  std::ifstream report(folder_.Path() / "report");
  std::string line;
  std::getline(report, line);
  ASSERT_EQ(line.rfind("config: ", 0), 0u);
  std::filesystem::path config = line.substr(8);
  EXPECT_FALSE(config.empty());
  EXPECT_FALSE(std::filesystem::exists(config));
  EXPECT_TRUE(Run(program).passed);
}

TEST_F(ProgramCaseTest, AnEnvironmentDirectiveReplacesTheFreshConfigurationFolder) {
  std::filesystem::path custom = folder_.Path() / "custom";
  std::filesystem::create_directory(custom);
  std::filesystem::path program =
      Program("echo \"$QUORL_CONFIG_DIR\"", "' env: QUORL_CONFIG_DIR=" + custom.string() + "\n" +
                                                Expected("case.qrl") +
                                                "' expect: " + custom.string() + "\n");
  Verdict verdict = Run(program);
  EXPECT_TRUE(verdict.passed) << verdict.report;
  EXPECT_TRUE(std::filesystem::exists(custom / "Quorl.INI"));
}

TEST_F(ProgramCaseTest, AMismatchShowsBothTranscriptsTheFirstDifferenceAndStandardError) {
  std::filesystem::path program =
      Program("echo 'oops' >&2", Expected("case.qrl") + "' expect: one more line\n");
  Verdict verdict = Run(program);
  EXPECT_FALSE(verdict.passed);
  EXPECT_NE(verdict.report.find("the output ends after line 5; expected next: one more line"),
            std::string::npos)
      << verdict.report;
  EXPECT_NE(verdict.report.find("--- expected output ---\n  1| args: case.qrl\n"),
            std::string::npos);
  EXPECT_NE(verdict.report.find("--- actual output ---\n  1| args: case.qrl\n"), std::string::npos);
  EXPECT_NE(verdict.report.find("--- standard error ---\n  1| oops\n"), std::string::npos);
}

TEST_F(ProgramCaseTest, ChecksTheExitCode) {
  Verdict wrong = Run(Program("exit 3", Expected("case.qrl")));
  EXPECT_FALSE(wrong.passed);
  EXPECT_NE(wrong.report.find("exit code 3, expected 0"), std::string::npos) << wrong.report;
  Verdict right = Run(Program("exit 3", Expected("case.qrl") + "' exit: 3\n"));
  EXPECT_TRUE(right.passed) << right.report;
}

TEST_F(ProgramCaseTest, ACrashFailsEvenWithTheRightOutput) {
  Verdict verdict = Run(Program("kill -SEGV $$", Expected("case.qrl")));
  EXPECT_FALSE(verdict.passed);
  EXPECT_NE(verdict.report.find("ended by signal 11"), std::string::npos) << verdict.report;
}

TEST_F(ProgramCaseTest, KillsARunThatTakesTooLong) {
  auto start = std::chrono::steady_clock::now();
  Verdict verdict = Run(Program("sleep 20", Expected("case.qrl")), 300ms);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_FALSE(verdict.passed);
  EXPECT_NE(verdict.report.find("killed after 300 ms"), std::string::npos) << verdict.report;
}

TEST_F(ProgramCaseTest, MalformedDirectivesFailWithoutRunning) {
  Verdict verdict = Run(Program("touch ran", "' exit: many\n"));
  EXPECT_FALSE(verdict.passed);
  EXPECT_NE(verdict.report.find("exit needs a number"), std::string::npos) << verdict.report;
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "programs" / "ran"));
}

TEST_F(ProgramCaseTest, AMissingInterpreterIsReported) {
  Verdict verdict = RunProgramTest({folder_.Path() / "no-such-quorl", 10s, false, {}},
                                   Program(":", Expected("case.qrl")));
  EXPECT_FALSE(verdict.passed);
  EXPECT_NE(verdict.report.find("cannot start"), std::string::npos) << verdict.report;
}

}  // namespace
}  // namespace quorl::program_tests
