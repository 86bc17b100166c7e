// A program test made while a network test runs, for servers on ports that
// are only known then: the code of MAIN and the transcript it must print,
// run through the interpreter program as the program tests run it. Built
// for the native `quorl`, and with QUORL_DESKTOP for quorl.exe under Wine.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "tests/program_runner/program_case.h"

// Expects a run to print exactly its transcript; the report shows both.
#define EXPECT_RUN(run)                                  \
  do {                                                   \
    const ::quorl::program_tests::Verdict verdict = run; \
    EXPECT_TRUE(verdict.passed) << verdict.report;       \
  } while (false)

namespace quorl::nettest {

class HostedProgram {
 public:
  // Works in folder: the program, its cache/ and its Quorl.INI live there.
  explicit HostedProgram(std::filesystem::path folder) : folder_(std::move(folder)) {
    Configure("", "");
  }

  // A key of section "QuorlConfig" for the next runs; empty removes it.
  void Configure(const std::string& key, const std::string& value);
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
                                    std::string_view events = {});
  std::filesystem::path Cache(std::string_view name) const { return folder_ / "cache" / name; }

 private:
  std::filesystem::path folder_;
  std::map<std::string, std::string> configuration_;
};

// A path of this machine as the interpreter under test names it.
std::string HostPath(const std::filesystem::path& path);

}  // namespace quorl::nettest
