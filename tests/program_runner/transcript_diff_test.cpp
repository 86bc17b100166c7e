#include "tests/program_runner/transcript_diff.h"

#include <gtest/gtest.h>

namespace quorl::program_tests {
namespace {

TEST(TranscriptDiff, EqualTranscriptsHaveNoDifference) {
  EXPECT_EQ(FirstDifference("", ""), std::nullopt);
  EXPECT_EQ(FirstDifference("a\nb\n", "a\nb\n"), std::nullopt);
}

TEST(TranscriptDiff, NamesTheFirstLineThatDiffers) {
  EXPECT_EQ(FirstDifference("a\nb\nc\n", "a\nB\nC\n"),
            "first difference in line 2:\n  expected: b\n  actual:   B");
}

TEST(TranscriptDiff, ReportsMissingAndExtraLines) {
  EXPECT_EQ(FirstDifference("a\nb\n", "a\n"), "the output ends after line 1; expected next: b");
  EXPECT_EQ(FirstDifference("", "x\n"), "the output goes on after line 0 with: x");
  EXPECT_EQ(FirstDifference("a\n\n", "a\n"), "the output ends after line 1; expected next: ");
}

TEST(TranscriptDiff, ReportsADifferenceOnlyInTheFinalLineFeed) {
  EXPECT_EQ(FirstDifference("a\n", "a"), "the output lacks the final line feed");
  EXPECT_EQ(FirstDifference("a", "a\n"), "the output has an unexpected final line feed");
}

TEST(TranscriptDiff, MakesInvisibleCharactersVisible) {
  EXPECT_EQ(FirstDifference("a\n", "a\r\n"),
            "first difference in line 1:\n  expected: a\n  actual:   a\\r");
  EXPECT_EQ(VisibleLine(std::string("\t\\\x01\x7F\0z", 6)), "\\t\\\\\\x01\\x7F\\x00z");
}

TEST(TranscriptDiff, NumbersTheLinesOfATranscript) {
  EXPECT_EQ(NumberedTranscript(""), "  (empty)\n");
  EXPECT_EQ(NumberedTranscript("x\n\ny"),
            "  1| x\n  2| \n  3| y\n  (no line feed after the last line)\n");
}

}  // namespace
}  // namespace quorl::program_tests
