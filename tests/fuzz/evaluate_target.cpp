// Evaluate on arbitrary text, in a running form program with variables,
// procedures and controls to name. The first byte chooses the kind wanted
// and whether the text is a statement.
#include "lang/evaluate.h"
#include "tests/fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  constexpr int32_t kKinds[] = {quorl::kKindAny, quorl::kKindInteger, quorl::kKindString,
                                quorl::kKindBoolean, quorl::kKindDouble};
  const int32_t kind = kKinds[(data[0] & 0x7F) % std::size(kKinds)];
  const bool statement = (data[0] & 0x80) != 0;
  quorl::fuzz::FuzzRun run;
  if (!run.Start(quorl::fuzz::FuzzForm())) return 0;
  quorl::Evaluate(run.ctx, kind, quorl::fuzz::AsText(data + 1, size - 1), statement);
  return 0;
}
