// The form builder: the bytes are a program file whose form section is built
// and described; no code runs.
#include "host/form_builder.h"
#include "host/loader.h"
#include "tests/fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorl::fuzz::FuzzRun run;
  quorl::FormBlockBuilder builder(run.ctx, &run.host);
  quorl::LoadProgramText(run.ctx, "fuzz.frm", std::string(quorl::fuzz::AsText(data, size)),
                         builder);
  if (run.host.HasForm()) run.out << run.host.DescribeControls();
  return 0;
}
