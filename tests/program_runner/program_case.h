// Runs one program test: the interpreter on the program file, as the file's
// own comment lines (its directives, described in the README under "Adding a
// program test") say, and a verdict on what it printed.
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
