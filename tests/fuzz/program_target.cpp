// Whole programs: the bytes are a program file, loaded and run, and then
// every control of its form is worked once.
#include "tests/fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorl::fuzz::FuzzRun run;
  if (run.Start(std::string(quorl::fuzz::AsText(data, size)))) run.WorkEveryControl();
  return 0;
}
