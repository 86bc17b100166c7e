// The operator-precedence split and the operator routines, as Evaluate runs them.
#include <gtest/gtest.h>

#include "lang/evaluate.h"
#include "lang/scopes.h"
#include "tests/unit/fakes.h"

namespace quorl {
namespace {

// Where a text splits, shown as "left|operator|right" the way Evaluate cuts it.
std::string Split(std::string_view text, bool statementMode = false) {
  size_t s = static_cast<size_t>(FindSplitPoint(text, statementMode));
  std::string_view tail = text.substr(s);
  size_t n = static_cast<size_t>(OperatorEnd(tail, true, statementMode));
  return std::string(text.substr(0, s)) + "|" + std::string(tail.substr(0, n)) + "|" +
         std::string(tail.substr(n));
}

TEST(SplitPoint, LoosestLeftmostOperatorWins) {
  EXPECT_EQ(Split("2 + 3 * 4"), "2 + 3 |*| 4");
  EXPECT_EQ(Split("10 - 4 - 3"), "10 |-| 4 - 3");
  EXPECT_EQ(Split("A & B = C"), "A & B |=| C");
  EXPECT_EQ(Split("P = Q <> R"), "P = Q |<>| R");
  EXPECT_EQ(Split("P AND Q OR R"), "P| AND| Q OR R");
  EXPECT_EQ(Split("X = LEFT(A, 2) & \"Z\"", true), "X |=| LEFT(A, 2) & \"Z\"");
  EXPECT_EQ(Split("LEFT(A, 2)"), "LEFT|(|A, 2)");
  EXPECT_EQ(Split("\"A+B\" & C"), "\"A+B\" |&| C");
}

TEST(SplitPoint, BlanksAndMinusSigns) {
  EXPECT_EQ(Split("5 -3"), "5| -3|");  // no blank after the minus: no subtraction
  EXPECT_EQ(Split("A&B"), "A&B||");
  EXPECT_EQ(Split("MYSUB 1, 2"), "MYSUB| 1, 2|");
  EXPECT_EQ(Split("NOT X"), "NOT X||");
  EXPECT_EQ(Split("NOT A AND B"), "NOT A| AND| B");
}

TEST(SplitPoint, StatementModeAssignment) {
  // "X = A AND B" splits at AND: the blank before "=" is a split point already.
  EXPECT_EQ(Split("X = A AND B", true), "X = A| AND| B");
  // Without the blank the assignment wins at once.
  EXPECT_EQ(Split("X= A AND B", true), "X|=| A AND B");
  EXPECT_EQ(Split("X=(A) AND B", true), "X=(A)| AND| B");
}

class EvaluateTest : public ::testing::Test {
 protected:
  Result Eval(std::string_view text, int32_t hint = kKindAny) {
    return Evaluate(f.ctx, hint, text, false);
  }
  std::string Text(std::string_view text, int32_t hint = kKindAny) {
    Result value = Eval(text, hint);
    if (!value) return "<none>";
    return *ValueToString(*value)->text;
  }
  fakes::FakeContext f;
};

TEST_F(EvaluateTest, ArithmeticFollowsTheDialectsPrecedence) {
  EXPECT_EQ(Text("2 + 3 * 4"), "20");
  EXPECT_EQ(Text("2 * 3 + 4"), "14");
  EXPECT_EQ(Text("10 - 4 - 3"), "9");
  EXPECT_EQ(Text("8 / 2 * 2"), "2");
  EXPECT_EQ(Text("(2 + 3) * 4"), "20");
  EXPECT_EQ(Text("((5))"), "5");
  BindName(f.ctx, "X", Value::Integer(3), kScopeForm);
  EXPECT_EQ(Text("-X * 2"), "-6");
  EXPECT_EQ(Text("-X + 2 * 2", kKindInteger), "-2");  // (-X + 2) * 2
}

TEST_F(EvaluateTest, TheHintChoosesIntegerOrDoubleArithmetic) {
  EXPECT_EQ(Eval("7 / 2")->kind, kKindDouble);
  EXPECT_EQ(Text("7 / 2"), "3.5");
  EXPECT_EQ(Text("7 / 2", kKindInteger), "3");
  EXPECT_EQ(Text("1 + 2.5", kKindInteger), "3.5");
  EXPECT_EQ(Text("-7 % 3"), "-1");
  EXPECT_EQ(Text("7.9 % 2"), "1");
  EXPECT_EQ(Eval("7.9 % 2")->kind, kKindDouble);
  EXPECT_EQ(Text("\"12\" + 1", kKindInteger), "13");
  EXPECT_EQ(Text("TRUE + 1", kKindInteger), "2");
  EXPECT_EQ(Text("2147483647 + 1", kKindInteger), "-2147483648");
  EXPECT_TRUE(f.Errors().empty());
}

TEST_F(EvaluateTest, ArithmeticErrors) {
  EXPECT_EQ(Text("7 / 0"), "0");
  EXPECT_EQ(Text("7 % 0"), "0");
  EXPECT_EQ(Text("7 % 0.5"), "0");  // the divisor truncates to 0
  EXPECT_EQ(Text("\"A\" + \"B\"", kKindString), "<none>");
  EXPECT_EQ(Text("-5", kKindBoolean), "<none>");
  EXPECT_EQ(f.Errors(),
            (std::vector<std::string>{"DIVIDE BY ZERO!", "DIVIDE BY ZERO!", "DIVIDE BY ZERO!",
                                      "FUNCTION NOT DEFINED!", "FUNCTION NOT DEFINED!"}));
}

TEST_F(EvaluateTest, ExtremeIntegerDivisionIsDefined) {
  BindName(f.ctx, "M", Value::Integer(-2147483647 - 1), kScopeForm);
  EXPECT_EQ(Text("M / -1", kKindInteger), "-2147483648");
  EXPECT_EQ(Text("M % -1", kKindInteger), "0");
  EXPECT_EQ(Text("-M", kKindInteger), "-2147483648");
}

TEST_F(EvaluateTest, NegationAndNot) {
  EXPECT_EQ(Text("-0.5 < 0"), "0");  // without a double hint -0.5 becomes 0
  EXPECT_EQ(Text("-0.5", kKindDouble), "-0.5");
  EXPECT_EQ(Text("NOT 0.5"), "1");  // a double literal's integer payload is 0
  BindName(f.ctx, "X", Value::Integer(7), kScopeForm);
  EXPECT_EQ(Text("NOT X"), "0");
  EXPECT_EQ(Text("NOT X AND TRUE"), "0");
  EXPECT_EQ(Text("-(1 + 2)"), "<none>");
  EXPECT_EQ(f.Errors(), std::vector<std::string>{"UNKNOWN COMMAND"});
}

TEST_F(EvaluateTest, Comparisons) {
  EXPECT_EQ(Text("\"ABC\" < \"abc\""), "1");
  EXPECT_EQ(Text("\"AB\" < \"ABC\""), "1");
  EXPECT_EQ(Text("\"\xE9\" > \"z\""), "1");  // bytes compare unsigned
  EXPECT_EQ(Text("1 < 2.5"), "1");
  EXPECT_EQ(Text("2 => 2"), "1");
  EXPECT_EQ(Text("2 =< 1"), "0");
  EXPECT_EQ(Text("1 != 2"), "1");
  EXPECT_EQ(Text("TRUE == TRUE"), "1");
  EXPECT_EQ(Text("1 < 2 AND 3 < 2"), "0");
  EXPECT_EQ(Text("1 < 2 OR 3 < 2"), "1");
  EXPECT_TRUE(f.Errors().empty());
  EXPECT_EQ(Text("1 = \"1\""), "<none>");
  EXPECT_EQ(Text("TRUE = 1"), "<none>");
  EXPECT_EQ(Text("TRUE < FALSE"), "<none>");
  EXPECT_EQ(f.Errors(), (std::vector<std::string>{"SYNTAX ERROR: COMPARISON OF DIFFERENT TYPES",
                                                  "SYNTAX ERROR: COMPARISON OF DIFFERENT TYPES",
                                                  "SYNTAX ERROR: UNDEFINED COMPARISON"}));
}

TEST_F(EvaluateTest, LogicKeepsIntegerPayloads) {
  Result x = Eval("5 XOR TRUE");
  ASSERT_TRUE(x);
  EXPECT_EQ(x->kind, kKindBoolean);
  EXPECT_EQ(x->integer, 4);
  EXPECT_EQ(Text("\"A\" & 5 & TRUE & 0.5"), "A510.5");
}

TEST_F(EvaluateTest, AssignmentKeepsTheVariablesKind) {
  BindName(f.ctx, "I", Value::Integer(0), kScopeForm);
  Value text;
  text.kind = kKindString;
  BindName(f.ctx, "S", text, kScopeForm);
  Evaluate(f.ctx, 0, "I = \"12\"", true);
  EXPECT_EQ(LookupName(f.ctx, "I")->integer, 12);
  Evaluate(f.ctx, 0, "I = 2.9", true);
  EXPECT_EQ(LookupName(f.ctx, "I")->integer, 2);
  Evaluate(f.ctx, 0, "S = 1 + 2", true);  // the string hint reaches the addition
  EXPECT_FALSE(LookupName(f.ctx, "S")->text.has_value());
  Evaluate(f.ctx, 0, "X = 1", true);
  DeclareConstant(f.ctx, "K = 3", kScopeGlobal);
  Evaluate(f.ctx, 0, "K = 4", true);
  EXPECT_EQ(LookupName(f.ctx, "K")->integer, 3);
  Evaluate(f.ctx, 0, "I = 5 AND TRUE", true);  // a comparison ANDed, not an assignment
  EXPECT_EQ(LookupName(f.ctx, "I")->integer, 2);
  Evaluate(f.ctx, 0, "I= 5 AND TRUE", true);
  EXPECT_EQ(LookupName(f.ctx, "I")->integer, 1);
  EXPECT_EQ(f.Errors(),
            (std::vector<std::string>{"FUNCTION NOT DEFINED!", "ASSIGNMENT TO UNKNOWN VARIABLE",
                                      "CAN'T RE-ASSIGN CONSTANT"}));
}

}  // namespace
}  // namespace quorl
