// quorl_bench [QUORL]: runs each workload once through the `quorl` binary
// (the one built beside it unless a path is given) with --count-lines, and
// prints the lines executed, the wall-clock seconds and lines per second.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "bench/workloads.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace {

using quorl::bench::Workload;

constexpr std::string_view kLinesMarker = "lines executed: ";

// The count quorl prints on standard error at exit.
std::optional<unsigned long long> LinesExecuted(const std::string& standardError) {
  size_t at = standardError.rfind(kLinesMarker);
  if (at == std::string::npos) return std::nullopt;
  try {
    return std::stoull(standardError.substr(at + kLinesMarker.size()));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// Times one workload; prints its line, or why it has none. False on failure.
bool RunWorkload(const std::string& interpreter, const std::filesystem::path& folder,
                 const Workload& workload) {
  std::filesystem::path program = folder / (workload.name + ".qrl");
  std::ofstream(program, std::ios::binary) << workload.program;

  quorl::tools::ProcessRequest request;
  request.argv = {interpreter, "--count-lines", program.string()};
  request.workingDirectory = folder;
  request.timeout = std::chrono::minutes(10);
  auto start = std::chrono::steady_clock::now();
  quorl::tools::ProcessResult result = quorl::tools::RunProcess(request);
  std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;

  std::optional<unsigned long long> lines = LinesExecuted(result.standardError);
  std::string problem;
  if (result.launchError) {
    problem = *result.launchError;
  } else if (result.timedOut) {
    problem = "did not finish within 10 minutes";
  } else if (result.exitCode != 0) {
    problem = "ended with " + (result.signal ? "signal " + std::to_string(*result.signal)
                                             : "exit code " + std::to_string(*result.exitCode));
  } else if (result.standardOutput != workload.expectedOutput) {
    problem =
        "printed '" + result.standardOutput + "' instead of '" + workload.expectedOutput + "'";
  } else if (!lines) {
    problem = "reported no line count";
  }
  if (!problem.empty()) {
    std::printf("%-16s %s\n", workload.name.c_str(), "FAILED");
    std::cerr << workload.name << ": " << problem << "\n" << result.standardError;
    return false;
  }
  std::printf("%-16s %12llu %10.3f %14.0f\n", workload.name.c_str(), *lines, seconds.count(),
              static_cast<double>(*lines) / seconds.count());
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: quorl_bench [PATH-TO-QUORL]\n";
    return 2;
  }
  std::string interpreter = argc == 2 ? argv[1] : QUORL_BINARY;
  quorl::tools::TemporaryDirectory folder("quorl-bench");
  std::printf("%-16s %12s %10s %14s\n", "workload", "lines", "seconds", "lines/second");
  bool allPassed = true;
  for (const Workload& workload : quorl::bench::Workloads()) {
    allPassed = RunWorkload(interpreter, folder.Path(), workload) && allPassed;
  }
  return allPassed ? 0 : 1;
}
