// quorl_bench [--runs N] [--no-gambas] [QUORL]: times the workloads through
// the `quorl` binary (the one built beside it unless a path is given) and,
// when Gambas's gbs3 is on the PATH, the peer programs through it, one run
// of each after the other, N times (5 unless given). It prints, per
// workload, the median time per loop pass after start-up (the median run of
// the smallest program is taken off) and the ratio to Gambas, then Quorl's
// start-up time and peak memory. A run that fails or prints anything but
// its expected output fails the benchmark.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/workloads.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace {

using quorl::bench::Program;
using quorl::bench::Workload;

struct Interpreter {
  std::string command;
  std::string extension;  // of the program files it runs
};

// The runs of one program by one interpreter.
struct Runs {
  std::vector<double> seconds;
  std::vector<double> cpuSeconds;
  long peakMemoryKiB = 0;
  bool failed = false;

  double Median() const { return MedianOf(seconds); }
  static double MedianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
  }
};

// Whether gbs3 runs at all here.
bool GambasAvailable() {
  quorl::tools::ProcessRequest request;
  request.argv = {"gbs3", "--version"};
  request.timeout = std::chrono::seconds(10);
  quorl::tools::ProcessResult result = quorl::tools::RunProcess(request);
  return !result.launchError && result.exitCode == 0;
}

// Runs a program once; false, after saying why, when it failed.
bool RunOnce(const Interpreter& interpreter, const std::filesystem::path& file,
             const Program& program, const std::string& label, Runs& runs) {
  quorl::tools::ProcessRequest request;
  request.argv = {interpreter.command, file.string()};
  request.workingDirectory = file.parent_path();
  request.timeout = std::chrono::minutes(5);
  auto start = std::chrono::steady_clock::now();
  quorl::tools::ProcessResult result = quorl::tools::RunProcess(request);
  std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  runs.peakMemoryKiB = std::max(runs.peakMemoryKiB, result.peakMemoryKiB);
  std::string problem;
  if (result.launchError) {
    problem = *result.launchError;
  } else if (result.timedOut) {
    problem = "did not finish within 5 minutes";
  } else if (result.exitCode != 0) {
    problem = "ended abnormally";
  } else if (result.standardOutput != program.expectedOutput) {
    problem = "printed '" + result.standardOutput + "' instead of '" + program.expectedOutput + "'";
  }
  if (!problem.empty()) {
    std::cerr << label << ": " << problem << "\n" << result.standardError;
    runs.failed = true;
    return false;
  }
  runs.seconds.push_back(seconds.count());
  runs.cpuSeconds.push_back(result.cpuSeconds);
  return true;
}

// The programs of one workload for each interpreter, written and timed.
struct Measured {
  Workload workload;
  Runs quorl;
  Runs gambas;
};

std::filesystem::path Write(const std::filesystem::path& folder, const std::string& name,
                            const std::string& extension, const Program& program) {
  std::filesystem::path file = folder / (name + extension);
  std::ofstream(file, std::ios::binary) << program.text;
  return file;
}

// Nanoseconds per loop pass after start-up, or none without a measurement.
std::optional<double> PerPass(const Runs& runs, const Runs& startup, long iterations) {
  if (runs.failed || runs.seconds.empty() || startup.seconds.empty() || iterations <= 0) {
    return std::nullopt;
  }
  return (runs.Median() - startup.Median()) * 1e9 / static_cast<double>(iterations);
}

std::string Cell(std::optional<double> value, const char* format) {
  if (!value) return "-";
  char text[32];
  std::snprintf(text, sizeof text, format, *value);
  return text;
}

int Usage() {
  std::cerr << "usage: quorl_bench [--runs N] [--no-gambas] [PATH-TO-QUORL]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int runCount = 5;
  bool withGambas = true;
  std::string quorlCommand = QUORL_BINARY;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      runCount = std::atoi(argv[++i]);
      if (runCount < 1) return Usage();
    } else if (arg == "--no-gambas") {
      withGambas = false;
    } else if (!arg.empty() && arg[0] != '-') {
      quorlCommand = std::string(arg);
    } else {
      return Usage();
    }
  }
  withGambas = withGambas && GambasAvailable();
  Interpreter quorl{quorlCommand, ".qrl"};
  Interpreter gambas{"gbs3", ".gbs"};

  quorl::tools::TemporaryDirectory folder("quorl-bench");
  std::vector<Measured> measured;
  measured.push_back({quorl::bench::StartupProgram(), {}, {}});
  for (const Workload& workload : quorl::bench::Workloads()) measured.push_back({workload, {}, {}});

  // One run of everything after the other, so that a busy moment of the
  // machine falls on all of them alike.
  bool allPassed = true;
  for (int round = 0; round < runCount; ++round) {
    for (Measured& m : measured) {
      const Workload& w = m.workload;
      std::filesystem::path file = Write(folder.Path(), w.name, quorl.extension, w.quorl);
      allPassed = RunOnce(quorl, file, w.quorl, w.name, m.quorl) && allPassed;
      if (withGambas && !w.gambas.text.empty()) {
        file = Write(folder.Path(), w.name, gambas.extension, w.gambas);
        allPassed = RunOnce(gambas, file, w.gambas, w.name + " (gbs3)", m.gambas) && allPassed;
      }
    }
  }

  const Measured& startup = measured.front();
  std::printf("%-16s %10s %14s %15s %7s\n", "workload", "passes", "quorl ns/pass", "gambas ns/pass",
              "ratio");
  for (size_t i = 1; i < measured.size(); ++i) {
    const Measured& m = measured[i];
    std::optional<double> ours = PerPass(m.quorl, startup.quorl, m.workload.iterations);
    std::optional<double> theirs = PerPass(m.gambas, startup.gambas, m.workload.iterations);
    std::optional<double> ratio;
    if (ours && theirs && *theirs > 0) ratio = *ours / *theirs;
    std::printf("%-16s %10ld %14s %15s %7s\n", m.workload.name.c_str(), m.workload.iterations,
                Cell(ours, "%.1f").c_str(), Cell(theirs, "%.1f").c_str(),
                Cell(ratio, "%.2f").c_str());
  }
  std::printf("start-up: quorl %.2f ms (%.2f ms of processor time), peak memory %ld KiB",
              startup.quorl.Median() * 1e3, Runs::MedianOf(startup.quorl.cpuSeconds) * 1e3,
              startup.quorl.peakMemoryKiB);
  if (withGambas) std::printf("; gambas %.2f ms", startup.gambas.Median() * 1e3);
  std::printf(" (medians of %d runs%s)\n", runCount, withGambas ? "" : "; gbs3 not found");
  return allPassed ? 0 : 1;
}
