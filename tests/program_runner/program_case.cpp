#include "tests/program_runner/program_case.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace quorl::program_tests {
namespace {

struct Directives {
  std::vector<std::string> options;
  std::vector<std::string> programArguments;
  std::string standardInput;
  std::string expectedOutput;
  std::optional<std::string> desktopExpectedOutput;
  int expectedExitCode = 0;
  std::map<std::string, std::string> environment;
  std::string errors;  // one line per malformed directive
};

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Directives ParseDirectives(std::string_view programText) {
  static const std::regex kDirective(R"([ \t]*'[ \t]*([A-Za-z-]+): ?(.*?)\r?)");
  static const std::regex kExitCode(R"([ \t]*([0-9]{1,3})[ \t]*)");
  static const std::regex kVariable(R"(([^ \t=]+)=(.*))");
  Directives result;
  const std::vector<std::string> lines = SplitLines(programText);
  for (size_t number = 2; number <= lines.size(); ++number) {  // never the header line
    std::smatch match, value;
    if (!std::regex_match(lines[number - 1], match, kDirective)) continue;
    std::string keyword = match[1];
    std::transform(keyword.begin(), keyword.end(), keyword.begin(), ::tolower);
    const std::string text = match[2];
    if (keyword == "args" || keyword == "program-args") {
      std::istringstream words(text);
      for (std::string word; words >> word;) {
        (keyword == "args" ? result.options : result.programArguments).push_back(word);
      }
    } else if (keyword == "stdin") {
      result.standardInput += text + "\n";
    } else if (keyword == "expect") {
      result.expectedOutput += text + "\n";
    } else if (keyword == "expect-desktop") {
      result.desktopExpectedOutput = result.desktopExpectedOutput.value_or("") + text + "\n";
    } else if (keyword == "exit" && std::regex_match(text, value, kExitCode) &&
               std::stoi(value[1]) <= 255) {
      result.expectedExitCode = std::stoi(value[1]);
    } else if (keyword == "env" && std::regex_match(text, value, kVariable)) {
      result.environment[value[1]] = value[2];
    } else if (keyword == "exit" || keyword == "env") {
      result.errors += "line " + std::to_string(number) + ": bad " + keyword + " '" + text + "'\n";
    }
  }
  return result;
}

// The transcript as numbered lines with their control characters made
// visible (\xNN), so that stray carriage returns and NUL bytes show up.
std::string NumberedTranscript(std::string_view transcript) {
  if (transcript.empty()) return "  (empty)\n";
  std::string text;
  const std::vector<std::string> lines = SplitLines(transcript);
  for (size_t i = 0; i < lines.size(); ++i) {
    text += "  " + std::to_string(i + 1) + "| ";
    for (const char c : lines[i]) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
      text += std::iscntrl(static_cast<unsigned char>(c)) ? escaped : std::string(1, c);
    }
    text += "\n";
  }
  return transcript.ends_with('\n') ? text : text + "  (no line feed after the last line)\n";
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
  std::ifstream file(program, std::ios::binary);
  if (!file) return {false, "cannot read " + program.string()};
  const Directives directives = ParseDirectives(std::string(std::istreambuf_iterator(file), {}));
  if (!directives.errors.empty())
    return {false, "in " + program.string() + ":\n" + directives.errors};

  tools::TemporaryDirectory sandbox("quorl-program-test");
  tools::ProcessRequest request;
  request.argv = {settings.interpreter.string()};
  for (const auto* words : {&settings.leadingOptions, &directives.options}) {
    request.argv.insert(request.argv.end(), words->begin(), words->end());
  }
  request.argv.push_back(program.filename().string());
  request.argv.insert(request.argv.end(), directives.programArguments.begin(),
                      directives.programArguments.end());
  request.workingDirectory = program.parent_path();
  // The configuration folder must not depend on the account running the tests.
  request.environment = tools::CurrentEnvironment();
  request.environment->erase("XDG_CONFIG_HOME");
  for (const char* name : {"QUORL_CONFIG_DIR", "HOME"}) {
    (*request.environment)[name] = (sandbox.Path() / name).string();
    std::filesystem::create_directory(sandbox.Path() / name);
  }
  for (const auto& [name, value] : directives.environment) (*request.environment)[name] = value;
  request.standardInput = directives.standardInput;
  request.timeout = settings.timeout;
  const tools::ProcessResult result = tools::RunProcess(request);
  if (result.launchError) return {false, *result.launchError};

  const std::string& expected = settings.desktop && directives.desktopExpectedOutput
                                    ? *directives.desktopExpectedOutput
                                    : directives.expectedOutput;
  std::string problems;
  if (result.timedOut) {
    problems = "killed after " + std::to_string(settings.timeout.count()) + " ms\n";
  } else if (result.signal) {
    problems = "ended by signal " + std::to_string(*result.signal) + " (" +
               strsignal(*result.signal) + ")\n";
  } else if (result.exitCode != directives.expectedExitCode) {
    problems = "exit code " + std::to_string(result.exitCode.value_or(-1)) + ", expected " +
               std::to_string(directives.expectedExitCode) + "\n";
  }
  if (expected != result.standardOutput) {
    const std::vector<std::string> want = SplitLines(expected),
                                   got = SplitLines(result.standardOutput);
    const auto differ = std::ranges::mismatch(want, got).in1 - want.begin();
    problems += "the output differs from line " + std::to_string(differ + 1) + " on\n";
  }
  if (problems.empty()) return {true, ""};
  std::string report = "in " + request.workingDirectory.string() + ":";
  for (const std::string& word : request.argv) report += " " + word;
  return {false, report + "\n" + problems + "--- expected output ---\n" +
                     NumberedTranscript(expected) + "--- actual output ---\n" +
                     NumberedTranscript(result.standardOutput) + "--- standard error ---\n" +
                     NumberedTranscript(result.standardError)};
}

}  // namespace quorl::program_tests
