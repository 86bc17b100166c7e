// differential_programs [COUNT [SEED]]: runs COUNT random programs (5000)
// twice in a child process, with plans kept and on the plain path that splits
// every line each time it runs, and requires the same transcript (every box
// the program showed, and the count of lines it ran) byte for byte. The first
// seed is taken from the clock unless given; it is printed first, and the
// seed of every program that differs is printed with the program and both
// transcripts. A run that crashes, throws or takes over a minute counts as
// differing.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "host/program.h"
#include "lang/context.h"
#include "platform/headless/console_dialogs.h"
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
  // A program that keeps doubling a text meets OUT OF MEMORY! soon, on both paths alike.
  ctx.textLimit = 1 << 20;
  quorl::FormSectionSkipper skipper(ctx);
  if (quorl::StartProgram(ctx, path, skipper)) quorl::EndProgram(ctx);
  output << "[lines executed: " << ctx.linesExecuted << "]\n";
  return output.str();
}

// Runs the program both ways in a child process, which prints the two
// transcripts when they differ; true when they are the same.
bool SameInChild(const std::string& path) {
  std::cout << std::flush;
  pid_t child = fork();
  if (child == 0) {
    alarm(60);
    std::string kept = Transcript(path, true);
    std::string plain = Transcript(path, false);
    if (kept != plain)
      std::cout << "--- with plans ---\n" << kept << "--- plain path ---\n" << plain;
    std::cout << std::flush;
    _exit(kept == plain ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return false;
  if (WIFSIGNALED(status)) std::cout << "--- ended by signal " << WTERMSIG(status) << " ---\n";
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long count = 5000;
  unsigned long seed = static_cast<unsigned long>(
      std::chrono::system_clock::now().time_since_epoch().count() % 1000000000);
  char* end = nullptr;
  if (argc > 1) count = std::strtoul(argv[1], &end, 10);
  if (argc > 2 && !*end) seed = std::strtoul(argv[2], &end, 10);
  if (argc > 3 || (end && *end)) {
    std::cerr << "usage: differential_programs [COUNT [SEED]]\n";
    return 2;
  }
  std::cout << "differential_programs " << count << " " << seed << std::endl;

  quorl::tools::TemporaryDirectory folder("quorl-differential");
  std::string path = (folder.Path() / "program.qrl").string();
  int differences = 0;
  for (unsigned long n = 0; n < count; ++n) {
    uint32_t programSeed = static_cast<uint32_t>(seed + n);
    std::string program = quorl::differential::RandomProgram(programSeed);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << program;
    if (SameInChild(path) || ++differences > 3) continue;
    std::cout << "\nThe runs differ for seed " << programSeed << " (differential_programs 1 "
              << programSeed << ")\n--- program ---\n"
              << program << std::flush;
  }
  std::cout << count << " programs, " << differences << " with different transcripts; seed " << seed
            << "\n";
  return differences == 0 ? 0 : 1;
}
