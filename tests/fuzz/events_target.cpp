// Event files: the bytes are replayed as user actions on a fixed form whose
// event procedures change each other's controls.
#include "tests/fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorl::fuzz::FuzzRun run;
  if (run.Start(quorl::fuzz::FuzzForm())) run.Replay(quorl::fuzz::AsText(data, size));
  return 0;
}
