#include <gtest/gtest.h>

#include "tests/unit/fakes.h"
#include "values/builtins.h"

namespace quorl {
namespace {

TEST(ConversionBuiltinsTest, EachFamilyConvertsToItsKind) {
  fakes::FakeContext fake;
  Result truncated = CallBuiltin(fake.ctx, "INT", "2.9");
  Result negative = CallBuiltin(fake.ctx, "CLNG", "\"-2.9\"");
  Result number = CallBuiltin(fake.ctx, "CDBL", "\"2.5 apples\"");
  Result text = CallBuiltin(fake.ctx, "STR", "TRUE");
  Result fromDouble = CallBuiltin(fake.ctx, "CSTR", "1000000.0");
  ASSERT_TRUE(truncated && negative && number && text && fromDouble);
  EXPECT_EQ(truncated->kind, kKindInteger);
  EXPECT_EQ(truncated->integer, 2);
  EXPECT_EQ(negative->integer, -2);
  EXPECT_EQ(number->kind, kKindDouble);
  EXPECT_EQ(number->number, 2.5);
  EXPECT_EQ(text->text, "1");
  EXPECT_EQ(fromDouble->text, "1e+006");
  EXPECT_TRUE(fake.Errors().empty());
}

TEST(ConversionBuiltinsTest, AnyStringIsTrueAndZeroIsFalse) {
  fakes::FakeContext fake;
  for (std::string_view name : {"CBOOL", "BOOL"}) {
    Result zero = CallBuiltin(fake.ctx, name, "0");
    Result text = CallBuiltin(fake.ctx, name, "\"ABC\"");
    Result empty = CallBuiltin(fake.ctx, name, "\"\"");
    ASSERT_TRUE(zero && text && empty);
    EXPECT_EQ(zero->kind, kKindBoolean);
    EXPECT_EQ(zero->integer, 0);
    EXPECT_EQ(text->integer, 1);
    EXPECT_EQ(empty->integer, 1);
  }
}

TEST(ConversionBuiltinsTest, AMissingArgumentGivesNothingSilently) {
  fakes::FakeContext fake;
  EXPECT_FALSE(CallBuiltin(fake.ctx, "CINT", ""));
  EXPECT_FALSE(CallBuiltin(fake.ctx, "CSTR", ""));
  EXPECT_TRUE(fake.dialogs.boxes.empty());
}

}  // namespace
}  // namespace quorl
