#include "hosted_program.h"

#include <algorithm>
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
    lines += "' " + std::string(keyword) + ": " + line + "\n";
  }
  return lines;
}

}  // namespace

std::string HostPath(const std::filesystem::path& path) {
  std::string windows = "Z:" + path.string();
  std::ranges::replace(windows, '/', '\\');
  return kDesktop ? windows : path.string();
}

void HostedProgram::Configure(const std::string& key, const std::string& value) {
  if (!key.empty()) configuration_[key] = value;
  std::string ini = "[QuorlConfig]\r\n";
  for (const auto& [name, setting] : configuration_) {
    if (!setting.empty()) ini += name + "=" + setting + "\r\n";
  }
  WriteFile(folder_ / "config" / "Quorl.INI", ini);
}

program_tests::Verdict HostedProgram::RunProgram(std::string_view fileName, std::string_view text,
                                                 std::string_view expected, std::string_view input,
                                                 std::string_view events) {
  std::string directives = Directives("stdin", input) + Directives("expect", expected) +
                           "' env: QUORL_CONFIG_DIR=" + (folder_ / "config").string() + "\n";
  if (!events.empty()) {
    WriteFile(folder_ / "user.events", events);
    directives += "' args: --events user.events\n";
  }
  WriteFile(folder_ / fileName, std::string(text) + directives);
  return program_tests::RunProgramTest(program_tests::SettingsFor(QUORL_BINARY, kDesktop),
                                       folder_ / fileName);
}

}  // namespace quorl::nettest
