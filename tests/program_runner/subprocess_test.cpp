#include "tools/subprocess.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tools/temporary_directory.h"

namespace quorl::tools {
namespace {

using namespace std::chrono_literals;

ProcessRequest Command(std::vector<std::string> argv) {
  ProcessRequest request;
  request.argv = std::move(argv);
  return request;
}

ProcessRequest Shell(const std::string& script) {
  return Command({"/bin/sh", "-c", script});
}

TEST(Subprocess, SeparatesOutputErrorAndExitCode) {
  ProcessResult result = RunProcess(Shell("printf 'out'; printf 'err' >&2; exit 7"));
  EXPECT_EQ(result.standardOutput, "out");
  EXPECT_EQ(result.standardError, "err");
  EXPECT_EQ(result.exitCode, 7);
  EXPECT_FALSE(result.signal);
  EXPECT_FALSE(result.timedOut);
}

TEST(Subprocess, PassesLargeInputAndOutputWithoutDeadlock) {
  // Far more than a pipe holds in either direction at once.
  std::string input;
  for (int i = 0; input.size() < 1'000'000; ++i) input += std::to_string(i) + "\n";
  ProcessRequest request = Shell("cat; cat /dev/null >&2");
  request.standardInput = input;
  ProcessResult result = RunProcess(request);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.standardOutput == input);
}

TEST(Subprocess, SurvivesAChildThatIgnoresItsInput) {
  ProcessRequest request = Shell("exit 0");
  request.standardInput = std::string(1'000'000, 'x');
  ProcessResult result = RunProcess(request);
  EXPECT_EQ(result.exitCode, 0);
}

TEST(Subprocess, RunsInTheGivenFolderWithTheGivenEnvironment) {
  TemporaryDirectory folder;
  ProcessRequest request = Shell("pwd; echo \"$ONLY\"; echo \"${HOME-none}\"");
  request.argv.front() = "sh";  // found through PATH
  request.workingDirectory = folder.Path();
  request.environment = Environment{{"ONLY", "this"}, {"PATH", "/usr/bin:/bin"}};
  ProcessResult result = RunProcess(request);
  EXPECT_EQ(result.standardOutput, folder.Path().string() + "\nthis\nnone\n");
}

TEST(Subprocess, TheChildGetsTheUsualBrokenPipeSignal) {
  // With SIGPIPE left ignored, `yes` would complain about a broken pipe.
  ProcessResult result = RunProcess(Shell("yes | head -n 1"));
  EXPECT_EQ(result.standardOutput, "y\n");
  EXPECT_EQ(result.standardError, "");
}

TEST(Subprocess, WorksWhenTheCallerHasNoStandardInput) {
  // The input pipe then takes descriptor 0 in the caller.
  int saved = dup(STDIN_FILENO);
  close(STDIN_FILENO);
  ProcessRequest request = Shell("cat");
  request.standardInput = "given\n";
  ProcessResult result = RunProcess(request);
  dup2(saved, STDIN_FILENO);
  close(saved);
  EXPECT_EQ(result.standardOutput, "given\n");
  EXPECT_EQ(result.standardError, "");
}

TEST(Subprocess, ReportsTheSignalThatEndedTheChild) {
  ProcessResult result = RunProcess(Shell("kill -ABRT $$"));
  EXPECT_FALSE(result.exitCode);
  EXPECT_EQ(result.signal, SIGABRT);
}

TEST(Subprocess, KillsTheWholeProcessGroupAfterTheTimeout) {
  // The grandchild holds the output pipe open; it must die with its parent.
  ProcessRequest request = Shell("echo started; sleep 30 & wait");
  request.timeout = 300ms;
  auto start = std::chrono::steady_clock::now();
  ProcessResult result = RunProcess(request);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(result.timedOut);
  EXPECT_EQ(result.signal, SIGKILL);
  EXPECT_EQ(result.standardOutput, "started\n");
}

TEST(Subprocess, ReportsAProgramThatCannotStart) {
  EXPECT_TRUE(RunProcess(Command({"/nonexistent/quorl"})).launchError);
  ProcessRequest request = Command({"/bin/true"});
  request.workingDirectory = "/nonexistent";
  EXPECT_TRUE(RunProcess(request).launchError);
}

}  // namespace
}  // namespace quorl::tools
