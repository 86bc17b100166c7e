// The character-level scans that every stage of the interpreter works with.
#include <gtest/gtest.h>

#include "tests/unit/fakes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

using fakes::RecordingErrors;

std::string Stripped(std::string line) {
  StripComment(line);
  return line;
}

TEST(TextUtils, CommentsEndOutsideQuotesOnly) {
  EXPECT_EQ(Stripped("X = 5 ' set X"), "X = 5 ");
  EXPECT_EQ(Stripped("X = \"it's\" ' note"), "X = \"it's\" ");
  EXPECT_EQ(Stripped("REM note"), "");
  EXPECT_EQ(Stripped("X = 1 REM note"), "X = 1");
  EXPECT_EQ(Stripped("rem note"), "rem note");  // the REM test is case-sensitive
  EXPECT_EQ(Stripped("REM"), "REM");
  EXPECT_EQ(Stripped("MSG \" REM \""), "MSG \" REM \"");
}

TEST(TextUtils, NormalizeDropsOneDollarBeforeTrimming) {
  std::string a = "A$\r\n";
  NormalizeToken(a);
  EXPECT_EQ(a, "A");
  std::string b = " A$ ";
  NormalizeToken(b);
  EXPECT_EQ(b, "A$");
  std::string c = "\t X \t";
  NormalizeToken(c);
  EXPECT_EQ(c, "X");
  std::string upper = "msg \"Mixed\" & x";
  UpperOutsideQuotes(upper);
  EXPECT_EQ(upper, "MSG \"Mixed\" & X");
}

TEST(TextUtils, KeywordSearchNeedsASeparatorOrTheEnd) {
  EXPECT_EQ(FindKeyword(" (A) THEN", " THEN"), 4);
  EXPECT_EQ(FindKeyword(" (A) THENX", " THEN"), -1);
  EXPECT_EQ(FindKeyword("X = \" THEN\" THEN", " THEN"), 11);
  EXPECT_EQ(FindKeyword("TO(1)", "TO"), 0);
  EXPECT_EQ(FindKeyword("TOTAL", "TO"), -1);
}

TEST(TextUtils, PlainSearchesStopShortOfTheEnd) {
  EXPECT_EQ(FindText(" 1 TO 10", " TO "), 2);
  EXPECT_EQ(FindText("10", " STEP "), 2);
  EXPECT_EQ(FindText("AB", "B"), 2);  // a match that ends the text is not found
  EXPECT_EQ(FindOutsideQuotes("IF \"(\" (X", "("), 7);
  EXPECT_EQ(FindOutsideQuotes("SUB MAIN(", "("), -1);
  EXPECT_EQ(IndexOfChar("ABC", 'C'), 2);
  EXPECT_EQ(IndexOfChar("ABC", 'D'), -1);
}

TEST(TextUtils, ParenthesisGroups) {
  EXPECT_EQ(ClosingParenEnd("(A)+(B)"), 3);
  EXPECT_EQ(ClosingParenEnd("(A+(B))"), 7);
  EXPECT_EQ(ClosingParenEnd("(\")\")"), 5);
  EXPECT_EQ(ClosingParenEnd("(A"), -1);

  RecordingErrors errors;
  std::string inside;
  std::string rest;
  EXPECT_EQ(SplitParenthesised(inside, rest, "(1, 2) + 3", errors), 5);
  EXPECT_EQ(inside, "1, 2");
  EXPECT_EQ(rest, " + 3");
  EXPECT_EQ(SplitParenthesised(inside, rest, "(\"(\", 1)", errors), 7);
  EXPECT_EQ(inside, "\"(\", 1");
  EXPECT_EQ(SplitParenthesised(inside, rest, "AB)CD", errors), 2);
  EXPECT_EQ(inside, "AB");
  EXPECT_EQ(rest, "CD");

  inside = "unchanged";
  EXPECT_EQ(SplitParenthesised(inside, rest, "(1, 2", errors), 1);
  EXPECT_EQ(inside, "unchanged");
  std::string open = "(A";
  StripOuterParens(open, errors);
  EXPECT_EQ(open, "(A");
  std::string plain = "A";
  StripOuterParens(plain, errors);
  EXPECT_EQ(plain, "A");
  std::string both = "(A)+(B)";
  StripOuterParens(both, errors);  // does not check that the two belong together
  EXPECT_EQ(both, "A)+(B");
  EXPECT_EQ(errors.messages,
            (std::vector<std::string>{"MISMATCHED PARENS!", "MISMATCHED PARENTHESIS"}));
}

TEST(TextUtils, LiteralsAndWords) {
  EXPECT_TRUE(IsStringLiteral("\"A\"\"B\""));
  EXPECT_TRUE(IsStringLiteral("\""));
  EXPECT_FALSE(IsStringLiteral("\"A\" & \"B\""));
  EXPECT_FALSE(IsStringLiteral("A"));
  EXPECT_EQ(FirstWord("MSG \"A B\""), "MSG");
  EXPECT_FALSE(FirstWord("MSG").has_value());
  EXPECT_TRUE(EndsWith("AS STRING", "STRING"));
  EXPECT_FALSE(EndsWith("NG", "STRING"));
}

}  // namespace
}  // namespace quorl
