#include "tests/program_runner/program_directives.h"

#include <gtest/gtest.h>

namespace quorl::program_tests {
namespace {

using Strings = std::vector<std::string>;

TEST(ProgramDirectives, CollectsEveryKindOfDirectiveInFileOrder) {
  ProgramDirectives d = ParseDirectives(
      "OPTION EXPLICIT\n"
      "' args: --list  --events   clock.events\n"
      "SUB MAIN()\n"
      "  ' args: -v\n"
      "  ' program-args: one two\n"
      "  ' stdin: Yes\n"
      "\t' stdin:\n"
      "  ' stdin-eof\n"
      "END SUB\n"
      "' expect: Message: hi\n"
      "' expect:\n"
      "' expect:   indented  \n"
      "' exit: 2\n"
      "' env: LANG=C=D\n"
      "' env: EMPTY=\n");
  EXPECT_TRUE(d.errors.empty());
  EXPECT_EQ(d.options, (Strings{"--list", "--events", "clock.events", "-v"}));
  EXPECT_EQ(d.programArguments, (Strings{"one", "two"}));
  EXPECT_EQ(d.standardInput, "Yes\n\n");
  // One blank after the colon separates; the others belong to the text.
  EXPECT_EQ(d.expectedOutput, "Message: hi\n\n  indented  \n");
  EXPECT_EQ(d.expectedExitCode, 2);
  EXPECT_EQ(d.environment, (std::map<std::string, std::string>{{"LANG", "C=D"}, {"EMPTY", ""}}));
}

TEST(ProgramDirectives, DefaultsToNoInputEmptyOutputAndExitZero) {
  ProgramDirectives d = ParseDirectives("OPTION EXPLICIT\nSUB MAIN()\nEND SUB\n");
  EXPECT_TRUE(d.errors.empty());
  EXPECT_TRUE(d.options.empty());
  EXPECT_EQ(d.standardInput, "");
  EXPECT_EQ(d.expectedOutput, "");
  EXPECT_EQ(d.expectedExitCode, 0);
}

TEST(ProgramDirectives, IgnoresTheHeaderLineAndCarriageReturns) {
  ProgramDirectives d = ParseDirectives(
      "' expect: not on the first line\r\n"
      "' expect: a\r\n"
      "' expect: b\r"  // last line without a line feed
  );
  EXPECT_EQ(d.expectedOutput, "a\nb\n");
}

TEST(ProgramDirectives, KeywordsAreCaseInsensitiveAndTheBlankAfterTheQuoteIsOptional) {
  ProgramDirectives d = ParseDirectives("OPTION EXPLICIT\n'EXPECT: x\n'   Stdin: y\n");
  EXPECT_TRUE(d.errors.empty());
  EXPECT_EQ(d.expectedOutput, "x\n");
  EXPECT_EQ(d.standardInput, "y\n");
}

TEST(ProgramDirectives, LeavesOrdinaryCommentsAndCodeAlone) {
  ProgramDirectives d = ParseDirectives(
      "OPTION EXPLICIT\n"
      "' expected: the loop runs twice\n"
      "' expect the worst\n"
      "' note: exit: 3\n"
      "MSG \"x\" ' expect: trailing comments are not directives\n"
      "REM expect: neither is REM\n"
      "X = \"' expect: inside a string\"\n");
  EXPECT_TRUE(d.errors.empty());
  EXPECT_EQ(d.expectedOutput, "");
  EXPECT_EQ(d.expectedExitCode, 0);
}

TEST(ProgramDirectives, ReportsMalformedDirectivesWithTheirLineNumbers) {
  ProgramDirectives d = ParseDirectives(
      "OPTION EXPLICIT\n"
      "' exit: 1\n"
      "' exit: 2\n"
      "' env: NOVALUE\n"
      "' env: =x\n"
      "' env: A=1\n"
      "' env: A=2\n"
      "' expect\n"
      "' stdin-eof: more\n"
      "' stdin-eof\n"
      "' stdin: too late\n");
  EXPECT_EQ(d.errors,
            (Strings{"line 3: exit given twice", "line 4: env needs NAME=VALUE, not 'NOVALUE'",
                     "line 5: env needs NAME=VALUE, not '=x'", "line 7: env sets A twice",
                     "line 8: 'expect' needs a colon", "line 9: stdin-eof takes no text",
                     "line 11: stdin after stdin-eof"}));
}

TEST(ProgramDirectives, AcceptsOnlyExitCodesAProcessCanHave) {
  for (const char* bad : {"", "x", "1x", "-1", "256", "99999999999"}) {
    ProgramDirectives d = ParseDirectives(std::string("OPTION EXPLICIT\n' exit: ") + bad + "\n");
    EXPECT_EQ(d.errors.size(), 1u) << "exit: " << bad;
  }
  EXPECT_EQ(ParseDirectives("OPTION EXPLICIT\n' exit:  255 \n").expectedExitCode, 255);
}

}  // namespace
}  // namespace quorl::program_tests
