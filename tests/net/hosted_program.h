// A program test made while a network test runs, for servers on ports that
// are only known then: the code of MAIN and the transcript it must print,
// run through the interpreter program as the program tests run it. Built
// for the native `quorl`, and with QUORL_DESKTOP for quorl.exe under Wine.
#pragma once

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "server_process.h"
#include "tests/program_runner/program_case.h"

// Expects a run to print exactly its transcript; the report shows both.
#define EXPECT_RUN(run)                                  \
  do {                                                   \
    const ::quorl::program_tests::Verdict verdict = run; \
    EXPECT_TRUE(verdict.passed) << verdict.report;       \
  } while (false)

namespace quorl::nettest {

#ifdef QUORL_DESKTOP
constexpr bool kDesktop = true;
#else
constexpr bool kDesktop = false;
#endif

// A path of this machine as the interpreter under test names it.
inline std::string HostPath(const std::filesystem::path& path) {
  std::string windows = "Z:" + path.string();
  std::ranges::replace(windows, '/', '\\');
  return kDesktop ? windows : path.string();
}

class HostedProgram {
 public:
  // Works in folder: the program, its cache/ and its Quorl.INI live there.
  explicit HostedProgram(std::filesystem::path folder) : folder_(std::move(folder)) {
    Configure("", "");
  }

  // A key of section "QuorlConfig" for the next runs; empty removes it.
  void Configure(const std::string& key, const std::string& value) {
    if (!key.empty()) configuration_[key] = value;
    std::string ini = "[QuorlConfig]\r\n";
    for (const auto& [name, setting] : configuration_) {
      if (!setting.empty()) ini += name + "=" + setting + "\r\n";
    }
    WriteFile(folder_ / "config" / "Quorl.INI", ini);
  }
  // Runs OPTION EXPLICIT, SUB MAIN with body, END SUB; input answers the
  // dialogs, a line each. Passes when the transcript is expected exactly.
  program_tests::Verdict Run(std::string_view body, std::string_view expected,
                             std::string_view input = {}) {
    return RunProgram("hosted.qrl",
                      "OPTION EXPLICIT\nSUB MAIN()\n" + std::string(body) + "\nEND SUB\n", expected,
                      input);
  }
  // Runs a whole program file of that name and text in the same way; with
  // events, the form is worked by those user actions (--events).
  program_tests::Verdict RunProgram(std::string_view fileName, std::string_view text,
                                    std::string_view expected, std::string_view input = {},
                                    std::string_view events = {}) {
    std::string directives = "' env: QUORL_CONFIG_DIR=" + (folder_ / "config").string() + "\n";
    for (const auto& [keyword, lines] : {std::pair{"stdin", input}, {"expect", expected}}) {
      std::istringstream in{std::string(lines)};
      for (std::string line; std::getline(in, line);)
        directives += "' " + std::string(keyword) + ": " + line + "\n";
    }
    if (!events.empty()) {
      WriteFile(folder_ / "user.events", events);
      directives += "' args: --events user.events\n";
    }
    WriteFile(folder_ / fileName, std::string(text) + directives);
    return program_tests::RunProgramTest(program_tests::SettingsFor(QUORL_BINARY, kDesktop),
                                         folder_ / fileName);
  }
  std::filesystem::path Cache(std::string_view name) const { return folder_ / "cache" / name; }

 private:
  std::filesystem::path folder_;
  std::map<std::string, std::string> configuration_;
};

}  // namespace quorl::nettest
