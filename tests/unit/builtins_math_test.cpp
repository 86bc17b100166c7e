#include <gtest/gtest.h>

#include <cmath>

#include "lang/builtins.h"
#include "tests/unit/fakes.h"

namespace quorl {
namespace {

class MathBuiltinsTest : public ::testing::Test {
 protected:
  fakes::FakeContext fake;
  Result Call(std::string_view name, std::string_view arguments) {
    return CallBuiltin(fake.ctx, name, arguments);
  }
};

TEST_F(MathBuiltinsTest, AbsKeepsAnIntegerAndTheDoubleHintReachesTheNegation) {
  Result literal = Call("ABS", "3");
  ASSERT_TRUE(literal);
  EXPECT_EQ(literal->kind, kKindInteger);
  EXPECT_EQ(literal->integer, 3);

  Result negated = Call("ABS", "-3");
  ASSERT_TRUE(negated);
  EXPECT_EQ(negated->kind, kKindDouble);
  EXPECT_EQ(negated->number, 3.0);

  Result fraction = Call("ABS", "-2.5");
  ASSERT_TRUE(fraction);
  EXPECT_EQ(fraction->number, 2.5);
}

TEST_F(MathBuiltinsTest, AbsOfTheMostNegativeIntegerIsItsTrueMagnitude) {
  // CLNG hands ABS the integer itself; its magnitude does not fit an integer.
  Result small = Call("ABS", "CLNG(\"-5\")");
  ASSERT_TRUE(small);
  EXPECT_EQ(small->kind, kKindInteger);
  EXPECT_EQ(small->integer, 5);

  Result result = Call("ABS", "CLNG(\"-2147483648\")");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->kind, kKindDouble);
  EXPECT_EQ(result->number, 2147483648.0);
  EXPECT_TRUE(fake.Errors().empty());
}

TEST_F(MathBuiltinsTest, FunctionsGiveDoublesAndDefinedResultsOutsideTheirDomain) {
  Result root = Call("SQR", "16");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->kind, kKindDouble);
  EXPECT_EQ(root->number, 4.0);

  Result negativeRoot = Call("SQR", "-1");
  ASSERT_TRUE(negativeRoot);
  EXPECT_EQ(FormatDouble(negativeRoot->number), "-1.#IND");

  Result nearPole = Call("TAN", "1.5707963267948966");
  ASSERT_TRUE(nearPole);
  EXPECT_TRUE(std::isfinite(nearPole->number));
  EXPECT_GT(std::fabs(nearPole->number), 1e15);

  Result cosine = Call("COS", "0");
  ASSERT_TRUE(cosine);
  EXPECT_EQ(cosine->number, 1.0);
  EXPECT_TRUE(fake.Errors().empty());
}

TEST_F(MathBuiltinsTest, NonNumbersCannotBeConverted) {
  EXPECT_FALSE(Call("SIN", "\"1\""));
  EXPECT_FALSE(Call("ABS", "TRUE"));
  EXPECT_EQ(fake.Errors(),
            (std::vector<std::string>{"CAN'T CONVERT VALUE!", "CAN'T CONVERT VALUE!"}));
}

TEST_F(MathBuiltinsTest, RgbTakesTheLowByteOfEachChannel) {
  EXPECT_EQ(Call("RGB", "255, 0, 0")->integer, 255);
  EXPECT_EQ(Call("RGB", "0, 0, 255")->integer, 16711680);
  EXPECT_EQ(Call("RGB", "257, -1, 512")->integer, 1 + 255 * 256);
  EXPECT_TRUE(fake.Errors().empty());

  EXPECT_FALSE(Call("RGB", "1, 2"));
  EXPECT_EQ(fake.Errors(), std::vector<std::string>{"CAN'T CONVERT PARAMETERS!"});
}

}  // namespace
}  // namespace quorl
