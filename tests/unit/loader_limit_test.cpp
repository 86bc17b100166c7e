// The loader stores at most 1500 code lines, counted after a one-line IF has
// become three: a program of exactly that many loads, one line more refuses
// the whole program with its message.
#include <gtest/gtest.h>

#include "host/loader.h"
#include "tests/unit/fakes.h"

namespace quorl {
namespace {

// A script whose code section is stored as `stored` lines: SUB MAIN, one IF
// (three lines), assignments, END SUB.
std::string ProgramOfStoredLines(int stored) {
  std::string text = "OPTION EXPLICIT\n' not stored\nSUB MAIN()\n  IF N < 9 THEN N = N + 1\n";
  for (int i = 0; i < stored - 5; ++i) text += "  N = N + 1\n";
  return text + "END SUB\n";
}

TEST(LoaderLimit, AtMost1500CodeLines) {
  fakes::FakeContext fake;
  fakes::RecordingErrors errors;
  FormSectionSkipper noForm(errors);
  LoadedProgram loaded = LoadProgramText(fake.ctx, "big.qrl", ProgramOfStoredLines(1500), noForm);
  EXPECT_EQ(loaded.lines, 1500);
  EXPECT_FALSE(loaded.failed);
  EXPECT_TRUE(fake.dialogs.boxes.empty());

  loaded = LoadProgramText(fake.ctx, "big.qrl", ProgramOfStoredLines(1501), noForm);
  EXPECT_EQ(loaded.lines, 0);
  EXPECT_TRUE(loaded.failed);
  EXPECT_EQ(fake.ctx.lines.Count(), 0);
  ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fake.dialogs.boxes[0].text,
            "Program too long:\n  big.qrl\nQuorl allows at most 1500 code lines.\nQuorl Aborting.");
}

}  // namespace
}  // namespace quorl
