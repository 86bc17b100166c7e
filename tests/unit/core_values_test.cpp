// Conversions between kinds, literal reading and number formatting.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/unit/fakes.h"
#include "values/value.h"

namespace quorl {
namespace {

using fakes::RecordingErrors;

std::string AsText(const Value& v) {
  return *ValueToString(v)->text;
}

TEST(ValueConversion, IntegersFromDoublesAndTexts) {
  EXPECT_EQ(ValueToInteger(Value::Double(-2.7)).integer, -2);
  EXPECT_EQ(ValueToInteger(Value::Double(2.7)).integer, 2);
  EXPECT_EQ(ValueToInteger(Value::String("12abc")).integer, 12);
  EXPECT_EQ(ValueToInteger(Value::String("abc")).integer, 0);
  EXPECT_EQ(ValueToInteger(Value::String("  -7")).integer, -7);
  EXPECT_EQ(ValueToInteger(Value::String("\t\n+15")).integer, 15);
  // Only the first 40 characters are read.
  EXPECT_EQ(ValueToInteger(Value::String(std::string(39, ' ') + "75")).integer, 7);
  // Doubles beyond the 32-bit range and NaN give a defined result.
  EXPECT_EQ(ValueToInteger(Value::Double(1e12)).integer, 2147483647);
  EXPECT_EQ(ValueToInteger(Value::Double(-1e12)).integer, -2147483647 - 1);
  EXPECT_EQ(ValueToInteger(Value::Double(std::nan(""))).integer, 0);
}

TEST(ValueConversion, DoublesFromTexts) {
  EXPECT_DOUBLE_EQ(ValueToDouble(Value::String(" 1.5e2xyz")).number, 150.0);
  EXPECT_DOUBLE_EQ(ValueToDouble(Value::String("-.25")).number, -0.25);
  EXPECT_DOUBLE_EQ(ValueToDouble(Value::String("3e")).number, 3.0);
  // Words that a C library would read as numbers are not numbers here.
  EXPECT_DOUBLE_EQ(ValueToDouble(Value::String("inf")).number, 0.0);
  EXPECT_DOUBLE_EQ(ValueToDouble(Value::String("0x10")).number, 0.0);
  // Beyond the range of a double: infinity with its sign, or 0.
  EXPECT_EQ(ValueToDouble(Value::String("1e999")).number, HUGE_VAL);
  EXPECT_EQ(ValueToDouble(Value::String("-2.5E400")).number, -HUGE_VAL);
  EXPECT_EQ(ValueToDouble(Value::String("1e-999")).number, 0.0);
}

TEST(ValueConversion, UnassignedStringDiffersFromEmptyString) {
  Value never;
  never.kind = kKindString;
  EXPECT_EQ(ValueToBoolean(never).integer, 0);
  EXPECT_EQ(ValueToInteger(never).integer, 0);
  EXPECT_EQ(AsText(never), "");
  EXPECT_EQ(ValueToBoolean(Value::String("")).integer, 1);
}

TEST(ValueConversion, TextsOfEachKind) {
  EXPECT_EQ(AsText(Value::Integer(-42)), "-42");
  EXPECT_EQ(AsText(Value::Boolean(true)), "1");
  EXPECT_EQ(AsText(Value::Boolean(false)), "0");
  EXPECT_EQ(AsText(Value::Double(0.1)), "0.1");
  EXPECT_EQ(AsText(Value::Double(2.5)), "2.5");
  EXPECT_EQ(AsText(Value::Double(1.0 / 3)), "0.333333");
  Value control;
  control.kind = 20;
  EXPECT_FALSE(ValueToString(control).has_value());
  EXPECT_EQ(Value::String(std::string("ab\0cd", 5)).text, "ab");
}

TEST(FormatDouble, ExponentHasASignAndThreeDigits) {
  EXPECT_EQ(FormatDouble(123456789.0), "1.23457e+008");
  EXPECT_EQ(FormatDouble(1000000.0), "1e+006");
  EXPECT_EQ(FormatDouble(0.00001), "1e-005");
  EXPECT_EQ(FormatDouble(1e200), "1e+200");
  EXPECT_EQ(FormatDouble(-123456.0), "-123456");
  EXPECT_EQ(FormatDouble(0.0001), "0.0001");
}

TEST(ConvertValue, HintSelectsTheKind) {
  Value d = Value::Double(2.9);
  EXPECT_EQ(ConvertValue(kKindInteger, d)->integer, 2);
  EXPECT_EQ(ConvertValue(kKindBoolean, d)->kind, kKindBoolean);
  EXPECT_EQ(*ConvertValue(kKindString, d)->text, "2.9");
  EXPECT_EQ(*ConvertValue(0, d)->text, "2.9");  // any other code gives a string
  Value exact = *ConvertValue(kKindAny, d);
  EXPECT_EQ(exact.kind, kKindDouble);
  EXPECT_DOUBLE_EQ(exact.number, 2.9);

  Value v = Value::String("17");
  ConvertValueInPlace(kKindInteger, v);
  EXPECT_EQ(v.kind, kKindInteger);
  EXPECT_EQ(v.integer, 17);
  EXPECT_FALSE(v.text.has_value());
}

TEST(CopyValue, KeepsTheTargetsFlags) {
  Value target = Value::Integer(1);
  target.held = true;
  target.constant = true;
  target.window = 9;
  CopyValue(target, Value::String("x"));
  EXPECT_EQ(target.kind, kKindString);
  EXPECT_EQ(target.text, "x");
  EXPECT_TRUE(target.held);
  EXPECT_TRUE(target.constant);
  EXPECT_EQ(target.window, 9u);
  Value never;
  never.kind = kKindString;
  CopyValue(target, never);
  EXPECT_EQ(target.text, "");  // an absent text is copied as the empty text
}

TEST(ParseLiteral, EachCheckInItsOrder) {
  RecordingErrors errors;
  EXPECT_EQ(ParseLiteral("\"ab\"\"cd\"", errors).text, "ab\"cd");
  EXPECT_EQ(ParseLiteral("\"", errors).text, "");
  EXPECT_EQ(ParseLiteral("TRUE", errors).integer, 1);
  EXPECT_EQ(ParseLiteral("FALSE", errors).kind, kKindBoolean);

  Value three = ParseLiteral("3#", errors);
  EXPECT_EQ(three.kind, kKindDouble);
  EXPECT_DOUBLE_EQ(three.number, 3.0);
  EXPECT_DOUBLE_EQ(ParseLiteral("1.2.3", errors).number, 1.2);
  EXPECT_EQ(ParseLiteral("", errors).integer, 0);
  EXPECT_EQ(ParseLiteral("4294967297", errors).integer, 1);  // wraps modulo 2^32
  EXPECT_EQ(ParseLiteral("&HFF", errors).integer, 255);
  EXPECT_EQ(ParseLiteral("hff", errors).integer, 255);
  EXPECT_EQ(ParseLiteral("HELLO", errors).integer, 14);
  EXPECT_EQ(ParseLiteral("&H7FFFFFFFF", errors).integer, 2147483647);
  EXPECT_TRUE(errors.messages.empty());

  EXPECT_EQ(ParseLiteral("1e5", errors).integer, 0);
  EXPECT_EQ(ParseLiteral("-5", errors).integer, 0);
  EXPECT_EQ(ParseLiteral("True", errors).integer, 0);  // only upper-case TRUE is a boolean
  EXPECT_EQ(errors.messages, std::vector<std::string>(3, "CAN'T CONVERT VALUE!"));
}

}  // namespace
}  // namespace quorl
