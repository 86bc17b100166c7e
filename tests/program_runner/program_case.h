// Runs one program test: the interpreter on the program file, as the file's
// own comment lines say, and a verdict on what it printed:
//
//   ' args: WORDS          options placed before the program path
//   ' program-args: WORDS  arguments placed after the program path
//   ' stdin: TEXT          one line of standard input
//   ' expect: TEXT         one line of expected standard output
//   ' expect-desktop: TEXT one line of what the desktop program prints instead,
//                          where the system font changes pixel sizes
//   ' exit: N              the expected exit code (default 0)
//   ' env: NAME=VALUE      an environment variable for the run
//
// Directives are whole comment lines after the first line of the file. One
// blank after the colon separates the keyword from TEXT; further blanks belong
// to TEXT. Keywords may be written in any case; other comments are ignored.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quorl::program_tests {

struct RunnerSettings {
  std::filesystem::path interpreter;
  std::chrono::milliseconds timeout{30'000};
  // The desktop program: run with these options first, and held to the
  // desktop expectation where a program gives one.
  bool desktop = false;
  std::vector<std::string> leadingOptions;
};

// The settings for an interpreter program: the desktop program, under Wine,
// shows its boxes and dialogs on the console (--scripted).
RunnerSettings SettingsFor(std::filesystem::path interpreter, bool desktop);

struct Verdict {
  bool passed = false;
  std::string report;  // what went wrong, with both transcripts; empty on a pass
};

// Runs the interpreter in the program's own folder with the program's file
// name, fresh empty folders for QUORL_CONFIG_DIR and HOME (unless a directive
// sets them) and no XDG_CONFIG_HOME, then compares standard output byte for
// byte and the exit code.
Verdict RunProgramTest(const RunnerSettings& settings, const std::filesystem::path& program);

}  // namespace quorl::program_tests
