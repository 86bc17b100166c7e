#include "tools/subprocess.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tools/temporary_directory.h"

namespace quorl::tools {
namespace {

using namespace std::chrono_literals;

ProcessRequest Shell(const std::string& script) {
  ProcessRequest request;
  request.argv = {"/bin/sh", "-c", script};
  return request;
}

TEST(Subprocess, SeparatesOutputsAndExitCodeInTheGivenFolderAndEnvironment) {
  TemporaryDirectory folder;
  ProcessRequest request = Shell("pwd; echo \"$ONLY ${HOME-none}\"; printf err >&2; exit 7");
  request.argv.front() = "sh";  // found through PATH
  request.workingDirectory = folder.Path();
  request.environment = Environment{{"ONLY", "this"}, {"PATH", "/usr/bin:/bin"}};
  ProcessResult result = RunProcess(request);
  EXPECT_EQ(result.standardOutput, folder.Path().string() + "\nthis none\n");
  EXPECT_EQ(result.standardError, "err");
  EXPECT_EQ(result.exitCode, 7);
  EXPECT_FALSE(result.signal || result.timedOut);
  // With SIGPIPE left ignored, `yes` would complain about a broken pipe.
  EXPECT_EQ(RunProcess(Shell("yes | head -n 1")).standardError, "");
}

TEST(Subprocess, PassesLargeInputAndOutputWithoutDeadlock) {
  std::string input;  // far more than a pipe holds
  for (int i = 0; input.size() < 1'000'000; ++i) input += std::to_string(i) + "\n";
  ProcessRequest request = Shell("cat");
  request.standardInput = input;
  EXPECT_TRUE(RunProcess(request).standardOutput == input);
  request = Shell("exit 0");  // a child that ignores its input
  request.standardInput = input;
  EXPECT_EQ(RunProcess(request).exitCode, 0);
  // Without a standard input of the caller's, the input pipe takes descriptor 0.
  int saved = dup(STDIN_FILENO);
  close(STDIN_FILENO);
  request = Shell("cat");
  request.standardInput = "given\n";
  ProcessResult result = RunProcess(request);
  dup2(saved, STDIN_FILENO);
  close(saved);
  EXPECT_EQ(result.standardOutput, "given\n");
}

TEST(Subprocess, ReportsSignalsTimeoutsAndProgramsThatCannotStart) {
  ProcessResult aborted = RunProcess(Shell("kill -ABRT $$"));
  EXPECT_FALSE(aborted.exitCode);
  EXPECT_EQ(aborted.signal, SIGABRT);
  // The grandchild holds the output pipe open; it must die with its parent.
  ProcessRequest request = Shell("echo started; sleep 30 & wait");
  request.timeout = 300ms;
  auto start = std::chrono::steady_clock::now();
  ProcessResult result = RunProcess(request);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(result.timedOut);
  EXPECT_EQ(result.signal, SIGKILL);
  EXPECT_EQ(result.standardOutput, "started\n");
  request = Shell("true");
  request.argv.front() = "/nonexistent/quorl";
  EXPECT_TRUE(RunProcess(request).launchError);
  request = Shell("true");
  request.workingDirectory = "/nonexistent";
  EXPECT_TRUE(RunProcess(request).launchError);
}

}  // namespace
}  // namespace quorl::tools
