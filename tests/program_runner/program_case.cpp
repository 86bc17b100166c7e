#include "tests/program_runner/program_case.h"

#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "tests/program_runner/program_directives.h"
#include "tests/program_runner/transcript_diff.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace quorl::program_tests {
namespace {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

tools::Environment RunEnvironment(const tools::TemporaryDirectory& sandbox,
                                  const ProgramDirectives& directives) {
  tools::Environment environment = tools::CurrentEnvironment();
  // The configuration folder must not depend on the account running the tests.
  environment.erase("XDG_CONFIG_HOME");
  std::filesystem::path config = sandbox.Path() / "config";
  std::filesystem::path home = sandbox.Path() / "home";
  std::filesystem::create_directory(config);
  std::filesystem::create_directory(home);
  environment["QUORL_CONFIG_DIR"] = config.string();
  environment["HOME"] = home.string();
  for (const auto& [name, value] : directives.environment) environment[name] = value;
  return environment;
}

std::string CommandLine(const std::vector<std::string>& argv) {
  std::string text;
  for (const std::string& arg : argv) text += (text.empty() ? "" : " ") + arg;
  return text;
}

std::vector<std::string> Problems(const ProgramDirectives& directives,
                                  const std::string& expectedOutput,
                                  const tools::ProcessResult& result,
                                  std::chrono::milliseconds timeout) {
  std::vector<std::string> problems;
  if (result.timedOut) {
    problems.push_back("killed after " + std::to_string(timeout.count()) + " ms");
  } else if (result.signal) {
    problems.push_back("ended by signal " + std::to_string(*result.signal) + " (" +
                       strsignal(*result.signal) + ")");
  } else if (result.exitCode != directives.expectedExitCode) {
    problems.push_back("exit code " + std::to_string(result.exitCode.value_or(-1)) + ", expected " +
                       std::to_string(directives.expectedExitCode));
  }
  if (auto difference = FirstDifference(expectedOutput, result.standardOutput)) {
    problems.push_back(*difference);
  }
  return problems;
}

}  // namespace

RunnerSettings SettingsFor(std::filesystem::path interpreter, bool desktop) {
  RunnerSettings settings;
  settings.interpreter = std::move(interpreter);
  settings.desktop = desktop;
  if (desktop) settings.leadingOptions = {"--scripted"};
  return settings;
}

Verdict RunProgramTest(const RunnerSettings& settings, const std::filesystem::path& program) {
  std::optional<std::string> text = ReadWholeFile(program);
  if (!text) return {false, "cannot read " + program.string()};
  ProgramDirectives directives = ParseDirectives(*text);
  if (!directives.errors.empty()) {
    std::string report = "malformed directives in " + program.string() + ":\n";
    for (const std::string& error : directives.errors) report += "  " + error + "\n";
    return {false, report};
  }

  tools::TemporaryDirectory sandbox("quorl-program-test");
  tools::ProcessRequest request;
  request.argv.push_back(settings.interpreter.string());
  request.argv.insert(request.argv.end(), settings.leadingOptions.begin(),
                      settings.leadingOptions.end());
  request.argv.insert(request.argv.end(), directives.options.begin(), directives.options.end());
  request.argv.push_back(program.filename().string());
  request.argv.insert(request.argv.end(), directives.programArguments.begin(),
                      directives.programArguments.end());
  request.workingDirectory = program.parent_path();
  request.environment = RunEnvironment(sandbox, directives);
  request.standardInput = directives.standardInput;
  request.timeout = settings.timeout;

  tools::ProcessResult result = tools::RunProcess(request);
  if (result.launchError) return {false, *result.launchError};
  const std::string& expectedOutput = settings.desktop && directives.desktopExpectedOutput
                                          ? *directives.desktopExpectedOutput
                                          : directives.expectedOutput;
  std::vector<std::string> problems =
      Problems(directives, expectedOutput, result, settings.timeout);
  if (problems.empty()) return {true, ""};

  std::string report =
      "in " + request.workingDirectory.string() + ": " + CommandLine(request.argv) + "\n";
  for (const std::string& problem : problems) report += problem + "\n";
  report += "--- expected output ---\n" + NumberedTranscript(expectedOutput);
  report += "--- actual output ---\n" + NumberedTranscript(result.standardOutput);
  report += "--- standard error ---\n" + NumberedTranscript(result.standardError);
  return {false, report};
}

}  // namespace quorl::program_tests
