// differential_programs [--seed N] [--count N] [--show]: runs random programs twice
// in a child process, with plans kept and on the plain path that splits
// every line each time it runs, and requires the same transcript (every box the
// program showed, and the count of lines it ran) byte for byte. The first
// seed is taken from the clock unless given; it is printed first, and the
// seed of every program that differs is printed with both transcripts.
// --show prints every program and its transcript. A program that runs into
// the memory ceiling is counted but not compared; one whose run crashes or
// takes over a minute counts as differing.
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <string_view>

#include <sys/wait.h>
#include <unistd.h>

#include "host/program.h"
#include "lang/context.h"
#include "platform/headless/console_dialogs.h"
#include "tests/differential/memory_cap.h"
#include "tests/differential/random_program.h"
#include "tests/unit/fakes.h"
#include "tools/temporary_directory.h"

namespace {

std::string Transcript(const std::string& path, bool keepPlans) {
  std::istringstream input;  // every question takes its default answer
  std::ostringstream output;
  quorl::platform::ConsoleDialogs dialogs(input, output);
  quorl::fakes::FakeSystem system;
  quorl::Context ctx(dialogs, system);
  ctx.plans.SetEnabled(keepPlans);
  try {
    quorl::FormSectionSkipper skipper(ctx);
    if (quorl::StartProgram(ctx, path, skipper)) quorl::EndProgram(ctx);
  } catch (const std::exception& error) {
    output << "[exception: " << error.what() << "]\n";
  }
  output << "[lines executed: " << ctx.linesExecuted << "]\n";
  return output.str();
}

enum class Outcome { kSame, kDifferent, kOverCeiling };

// Runs the program both ways in a child process, which prints the two
// transcripts when they differ; a run that crashes or hangs differs too.
Outcome CompareInChild(const std::string& path, bool show) {
  std::cout << std::flush;
  pid_t child = fork();
  if (child == 0) {
    alarm(60);
    std::string kept = Transcript(path, true);
    std::string plain = Transcript(path, false);
    if (show) std::cout << kept;
    int code = 0;
    if (quorl::differential::TakeCeilingReached()) {
      code = 2;
    } else if (kept != plain) {
      std::cout << "--- with plans ---\n" << kept << "--- plain path ---\n" << plain;
      code = 1;
    }
    std::cout << std::flush;
    _exit(code);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return Outcome::kDifferent;
  if (WIFSIGNALED(status)) {
    std::cout << "--- ended by signal " << WTERMSIG(status) << " ---\n";
    return Outcome::kDifferent;
  }
  int code = WEXITSTATUS(status);
  return code == 0 ? Outcome::kSame : code == 2 ? Outcome::kOverCeiling : Outcome::kDifferent;
}

bool ParseNumber(std::string_view text, unsigned long& value) {
  try {
    size_t used = 0;
    value = std::stoul(std::string(text), &used);
    return used == text.size();
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long seed = static_cast<unsigned long>(
      std::chrono::system_clock::now().time_since_epoch().count() % 1000000000);
  unsigned long count = 5000;
  bool show = argc > 1 && std::string_view(argv[argc - 1]) == "--show";
  if (show) --argc;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string_view option = argv[i];
    unsigned long* target = option == "--seed" ? &seed : option == "--count" ? &count : nullptr;
    if (!target || !ParseNumber(argv[i + 1], *target)) {
      std::cerr << "usage: differential_programs [--seed N] [--count N] [--show]\n";
      return 2;
    }
  }
  if (argc % 2 == 0) {
    std::cerr << "usage: differential_programs [--seed N] [--count N] [--show]\n";
    return 2;
  }
  std::cout << "differential_programs --seed " << seed << " --count " << count << std::endl;

  quorl::differential::SetMemoryCeiling(size_t{256} << 20);
  quorl::tools::TemporaryDirectory folder("quorl-differential");
  std::string path = (folder.Path() / "program.qrl").string();
  int differences = 0;
  int overCeiling = 0;
  for (unsigned long n = 0; n < count; ++n) {
    uint32_t programSeed = static_cast<uint32_t>(seed + n);
    std::string program = quorl::differential::RandomProgram(programSeed);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << program;
    if (show) std::cout << "--- seed " << programSeed << " ---\n" << program;
    Outcome outcome = CompareInChild(path, show);
    if (outcome == Outcome::kSame) continue;
    if (outcome == Outcome::kOverCeiling) {
      ++overCeiling;
      continue;
    }
    if (++differences <= 3) {
      std::cout << "\nThe runs differ for seed " << programSeed << " (differential_programs --seed "
                << programSeed << " --count 1 --show)\n--- program ---\n"
                << program << std::flush;
    }
  }
  std::cout << count << " programs, " << differences << " with different transcripts, "
            << overCeiling << " not compared (memory ceiling); seed " << seed << "\n";
  return differences == 0 ? 0 : 1;
}
