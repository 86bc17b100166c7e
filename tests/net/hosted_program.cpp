#include "hosted_program.h"

#include <sstream>

#include "server_process.h"

namespace quorl::nettest {
namespace {

#ifdef QUORL_DESKTOP
constexpr bool kDesktop = true;
#else
constexpr bool kDesktop = false;
#endif

// The directive lines that say a text, one line each.
std::string Directives(std::string_view keyword, std::string_view text) {
  std::string lines;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) {
    lines += "' " + std::string(keyword) + (line.empty() ? ":" : ": " + line) + "\n";
  }
  return lines;
}

}  // namespace

std::string HostPath(const std::filesystem::path& path) {
  if (!kDesktop) return path.string();
  std::string windows = "Z:" + path.string();
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
}

std::string TextExpression(std::string_view text) {
  std::string expression;
  bool quoted = false;
  for (char c : text) {
    if (c == '\r' || c == '\n' || c == '"') {
      if (quoted) expression += '"';
      quoted = false;
      expression += (expression.empty() ? "" : " & ") + std::string("CHR(") +
                    std::to_string(static_cast<int>(c)) + ")";
      continue;
    }
    if (!quoted) expression += expression.empty() ? "\"" : " & \"";
    quoted = true;
    expression += c;
  }
  if (quoted) expression += '"';
  return expression.empty() ? "\"\"" : expression;
}

HostedProgram::HostedProgram(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::filesystem::create_directories(folder_ / "config");
  Configure("", "");
}

void HostedProgram::Configure(const std::string& key, const std::string& value) {
  if (!key.empty()) configuration_[key] = value;
  std::string ini = "[QuorlConfig]\r\n";
  for (const auto& [name, setting] : configuration_) {
    if (!setting.empty()) ini += name + "=" + setting + "\r\n";
  }
  WriteFile(folder_ / "config" / "Quorl.INI", ini);
}

program_tests::Verdict HostedProgram::Run(std::string_view body, std::string_view expected,
                                          std::string_view input) {
  return RunProgram("hosted.qrl",
                    "OPTION EXPLICIT\nSUB MAIN()\n" + std::string(body) + "\nEND SUB\n", expected,
                    input);
}

program_tests::Verdict HostedProgram::RunProgram(std::string_view fileName, std::string_view text,
                                                 std::string_view expected, std::string_view input,
                                                 std::string_view events) {
  const std::filesystem::path program = folder_ / fileName;
  std::string directives = Directives("stdin", input) + Directives("expect", expected) +
                           "' env: QUORL_CONFIG_DIR=" + (folder_ / "config").string() + "\n";
  if (!events.empty()) {
    WriteFile(folder_ / "user.events", events);
    directives += "' args: --events user.events\n";
  }
  WriteFile(program, std::string(text) + directives);
  return program_tests::RunProgramTest(program_tests::SettingsFor(QUORL_BINARY, kDesktop), program);
}

}  // namespace quorl::nettest
