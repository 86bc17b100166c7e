// Corners of the interpreter's core that no program can reach: conversions
// at the ends of the number ranges, kinds a script cannot name, a clock that
// returns nonsense, name lookups while a call binds its arguments, and INI
// values that are quoted or hold line breaks.
#include <gtest/gtest.h>

#include <cmath>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "lang/evaluate.h"
#include "lang/scopes.h"
#include "platform/posix/ini_text.h"
#include "tests/unit/fakes.h"
#include "values/name_tree.h"
#include "values/text_utils.h"
#include "values/value.h"

namespace quorl {
namespace {

TEST(CoreEdges, ConversionsAtTheEndsOfTheRanges) {
  EXPECT_EQ(ValueToInteger(Value::Double(1e12)).integer, INT32_MAX);
  EXPECT_EQ(ValueToInteger(Value::Double(-1e12)).integer, INT32_MIN);
  EXPECT_EQ(ValueToInteger(Value::Double(std::nan(""))).integer, 0);
  EXPECT_EQ(ValueToDouble(Value::String("1e999")).number, HUGE_VAL);
  EXPECT_EQ(ValueToDouble(Value::String("-2.5E400")).number, -HUGE_VAL);
  EXPECT_EQ(ValueToDouble(Value::String("1e-999")).number, 0.0);
  fakes::RecordingErrors errors;
  EXPECT_EQ(ParseLiteral("&H7FFFFFFFF", errors).integer, INT32_MAX);
  EXPECT_EQ(ParseLiteral("&H-80000001", errors).integer, INT32_MAX);
  EXPECT_TRUE(errors.messages.empty());
  EXPECT_EQ(ValueToBoolean(Value::Double(0.5)).integer, 1);
  Value control;
  control.kind = 20;
  EXPECT_FALSE(ValueToString(control));
}

TEST(CoreEdges, LookupsAndScans) {
  fakes::FakeContext f;
  BindName(f.ctx, "X", Value::Integer(2), kScopeForm);
  f.ctx.PushFrame();
  BindName(f.ctx, "X", Value::Integer(1), kScopeLocal);
  // While arguments are bound, the caller's frame is searched first.
  f.ctx.frames[0].locals.Bind("X", Value::Integer(0));
  f.ctx.callerScopeLookup = true;
  EXPECT_EQ(LookupName(f.ctx, "X")->integer, 0);
  f.ctx.callerScopeLookup = false;
  EXPECT_EQ(LookupName(f.ctx, "X")->integer, 1);
  EXPECT_EQ(f.ctx.formTable.FindByWindow(8), nullptr);

  // A string hint reaches an addition of texts, a boolean one a negation: neither has a meaning.
  EXPECT_FALSE(Evaluate(f.ctx, kKindString, "\"A\" + \"B\"", false));
  EXPECT_FALSE(Evaluate(f.ctx, kKindBoolean, "-5", false));
  EXPECT_EQ(f.Errors(), std::vector<std::string>(2, "FUNCTION NOT DEFINED!"));
  EXPECT_EQ(IndexOfChar("ABC", 'C'), 2);
  EXPECT_EQ(IndexOfChar("ABC", 'D'), -1);
  EXPECT_EQ(FindKeyword("TOTAL", "TO"), -1);
}

TEST(CoreEdges, SystemVariablesWithABrokenClock) {
  fakes::FakeContext fake;
  std::tm& time = fake.system.localTime;
  time.tm_year = 98;
  time.tm_mday = 5;
  time.tm_wday = 1;
  time.tm_hour = 9;
  time.tm_min = 3;
  time.tm_sec = 7;
  EXPECT_EQ(EvaluateOperand(fake.ctx, kKindAny, "NOW")->text, "Mon Jan 05 09:03:07 1998\n");
  // Names out of range must not lead to reading outside the name tables.
  time.tm_wday = 9;
  time.tm_mon = -1;
  EXPECT_EQ(EvaluateOperand(fake.ctx, kKindAny, "NOW")->text->substr(0, 8), "??? ??? ");
  EXPECT_FALSE(SystemVariable(fake.ctx, "SCREENZ"));
}

TEST(CoreEdges, IniValuesLoseTheirQuotesAndCannotAddLines) {
  EXPECT_EQ(platform::ReadIniValue("[First]\nA=1\nB = \"2\" \n", "FIRST", "b"), "2");
  const std::string written = platform::WriteIniValue("", "S", "K", "one\r\n[Evil]\nX=1");
  EXPECT_EQ(platform::ReadIniValue(written, "Evil", "X"), std::nullopt);
  EXPECT_EQ(platform::ReadIniValue(written, "S", "K"), "one  [Evil] X=1");
}

}  // namespace
}  // namespace quorl
