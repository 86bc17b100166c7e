#include <gtest/gtest.h>

#include "tests/unit/fakes.h"
#include "values/builtins.h"

namespace quorl {
namespace {

class StringBuiltinsTest : public ::testing::Test {
 protected:
  fakes::FakeContext fake;
  // The text of a string result; "<none>" when there is no value.
  std::string Text(std::string_view name, std::string_view arguments) {
    Result result = CallBuiltin(fake.ctx, name, arguments);
    if (!result) return "<none>";
    EXPECT_EQ(result->kind, kKindString);
    return result->text.value_or("<no text>");
  }
  int32_t Number(std::string_view name, std::string_view arguments) {
    Result result = CallBuiltin(fake.ctx, name, arguments);
    EXPECT_TRUE(result && result->kind == kKindInteger);
    return result ? result->integer : -999;
  }
};

TEST_F(StringBuiltinsTest, LeftRightAndMidCutWithinTheText) {
  EXPECT_EQ(Text("LEFT", "\"ABCDEF\", 2"), "AB");
  EXPECT_EQ(Text("RIGHT", "\"ABCDEF\", 2"), "EF");
  EXPECT_EQ(Text("LEFT", "\"ABC\", 10"), "ABC");
  EXPECT_EQ(Text("RIGHT", "\"ABC\", 0"), "");
  EXPECT_EQ(Text("LEFT", "\"ABC\", -5"), "");
  EXPECT_EQ(Text("MID", "\"ABCDEF\", 2, 3"), "BCD");
  EXPECT_EQ(Text("MID", "\"ABCDEF\", 3"), "CDEF");
  EXPECT_EQ(Text("MID", "\"ABCDEF\", 0, 2"), "AB");
  EXPECT_EQ(Text("MID", "\"ABCDEF\", 5, 99"), "EF");
  EXPECT_EQ(Text("MID", "\"ABCDEF\", 7"), "");
  EXPECT_EQ(Text("MID", "\"ABCDEF\", 2, -1"), "BCDEF");
  EXPECT_EQ(Text("MID", "\"ABCDEF\", 2, -3"), "");
  EXPECT_TRUE(fake.Errors().empty());
}

TEST_F(StringBuiltinsTest, MissingArgumentsAreReportedOnlyByMid) {
  EXPECT_EQ(Text("LEFT", "\"ABC\""), "<none>");
  EXPECT_EQ(Text("INSTR", "\"ABC\""), "<none>");
  EXPECT_TRUE(fake.Errors().empty());
  EXPECT_EQ(Text("MID", "\"ABC\""), "<none>");
  EXPECT_EQ(fake.Errors(), std::vector<std::string>{"CAN'T CONVERT PARAMETERS!"});
}

TEST_F(StringBuiltinsTest, InstrFindsBytesCaseSensitively) {
  EXPECT_EQ(Number("INSTR", "\"ABCDEF\", \"CD\""), 3);
  EXPECT_EQ(Number("INSTR", "\"ABC\", \"X\""), 0);
  EXPECT_EQ(Number("INSTR", "\"ABC\", \"b\""), 0);
  EXPECT_EQ(Number("INSTR", "\"\", \"\""), 1);
}

TEST_F(StringBuiltinsTest, CharacterCodesAreSignedBytes) {
  EXPECT_EQ(Text("CHR", "65"), "A");
  EXPECT_EQ(Text("CHR", "322"), "B");  // 322 modulo 256 is 66
  EXPECT_EQ(Text("CHR", "0"), "");
  EXPECT_EQ(Number("ASC", "\"A\""), 65);
  EXPECT_EQ(Number("ASC", "CHR(200)"), -56);
  EXPECT_EQ(Number("ASC", "\"\""), 0);
}

TEST_F(StringBuiltinsTest, CaseTrimAndLength) {
  EXPECT_EQ(Text("UCASE", "\"aBc-z\""), "ABC-Z");
  EXPECT_EQ(Text("LCASE", "\"aBc-Z\" & CHR(200)"), "abc-z\xC8");
  EXPECT_EQ(Text("TRIM", "\" \t X Y \" & CRLF"), "X Y");
  EXPECT_EQ(Text("TRIM", "\"X\" & CHR(10) & CHR(13)"), "X\n");
  EXPECT_EQ(Number("LEN", "\"\""), 0);
  EXPECT_EQ(Number("LEN", "\"AB\" & CRLF"), 4);
}

}  // namespace
}  // namespace quorl
