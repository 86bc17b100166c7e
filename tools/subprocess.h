// Runs a program to completion with a given input, environment and working
// directory, and captures what it writes. Used by the program-test runner and
// the benchmark to drive the `quorl` binary. Linux only (memfd, pidfd).
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorl::tools {

using Environment = std::map<std::string, std::string>;

struct ProcessRequest {
  // argv[0] is the program: a path (made absolute before the working directory
  // changes) or a bare name looked up in PATH.
  std::vector<std::string> argv;
  std::filesystem::path workingDirectory;  // empty: the caller's
  std::optional<Environment> environment;  // empty: the caller's
  std::string standardInput;
  std::chrono::milliseconds timeout{30'000};
};

struct ProcessResult {
  std::string standardOutput;
  std::string standardError;
  std::optional<int> exitCode;             // set when the process ended by itself
  std::optional<int> signal;               // set when a signal ended it
  bool timedOut = false;                   // killed because it ran past the timeout
  std::optional<std::string> launchError;  // it could not be started at all
  long peakMemoryKiB = 0;                  // the most resident memory it held
  double cpuSeconds = 0.0;                 // user and system time it used
};

// The environment of the calling process.
Environment CurrentEnvironment();

// Starts the program in its own process group and waits for it. A run that
// outlives the timeout is killed together with anything it started.
ProcessResult RunProcess(const ProcessRequest& request);

}  // namespace quorl::tools
