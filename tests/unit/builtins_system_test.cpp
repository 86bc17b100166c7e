#include <gtest/gtest.h>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "platform/dialogs.h"
#include "tests/unit/fakes.h"

namespace quorl {
namespace {

TEST(SystemBuiltinsTest, MsgShowsAnOkBoxAndGivesNothing) {
  fakes::FakeContext fake;
  EXPECT_FALSE(CallBuiltin(fake.ctx, "MSG", "\"Smile :)\""));
  ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fake.dialogs.boxes[0].text, "Smile :)");
  EXPECT_EQ(fake.dialogs.boxes[0].caption, "Message");
  EXPECT_EQ(fake.dialogs.boxes[0].style, platform::kMbOk);

  EXPECT_FALSE(CallBuiltin(fake.ctx, "MSG", ""));  // nothing to show, nothing said
  EXPECT_EQ(fake.dialogs.boxes.size(), 1u);
}

TEST(SystemBuiltinsTest, MsgBoxAppliesDefaultsAndGivesTheButton) {
  fakes::FakeContext fake;
  fake.dialogs.answers = {platform::kIdOk, platform::kIdNo};
  Result plain = CallBuiltin(fake.ctx, "MSGBOX", "\"Hello\"");
  Result question = CallBuiltin(fake.ctx, "MSGBOX", "\"Go on?\", 4 + 32, \"Ask\"");
  ASSERT_TRUE(plain && question);
  EXPECT_EQ(plain->integer, platform::kIdOk);
  EXPECT_EQ(question->kind, kKindInteger);
  EXPECT_EQ(question->integer, platform::kIdNo);

  ASSERT_EQ(fake.dialogs.boxes.size(), 2u);
  EXPECT_EQ(fake.dialogs.boxes[0].caption, "Quorl");
  EXPECT_EQ(fake.dialogs.boxes[0].style, 0);
  EXPECT_EQ(fake.dialogs.boxes[1].caption, "Ask");
  EXPECT_EQ(fake.dialogs.boxes[1].style, platform::kMbYesNo | platform::kMbIconQuestion);
}

TEST(SystemBuiltinsTest, MsgBoxWithoutTextIsReported) {
  fakes::FakeContext fake;
  EXPECT_FALSE(CallBuiltin(fake.ctx, "MSGBOX", ""));
  EXPECT_EQ(fake.Errors(), std::vector<std::string>{"UNABLE TO CONVERT PARAMETERS"});
}

TEST(SystemBuiltinsTest, NowHasTheFixedFormAndEndsInALineFeed) {
  fakes::FakeContext fake;
  fake.system.localTime.tm_year = 98;
  fake.system.localTime.tm_mon = 0;
  fake.system.localTime.tm_mday = 5;
  fake.system.localTime.tm_wday = 1;
  fake.system.localTime.tm_hour = 9;
  fake.system.localTime.tm_min = 3;
  fake.system.localTime.tm_sec = 7;
  Result now = EvaluateOperand(fake.ctx, kKindAny, "NOW");
  ASSERT_TRUE(now);
  EXPECT_EQ(now->text, "Mon Jan 05 09:03:07 1998\n");

  // A clock that returns nonsense must not lead to reading outside the name tables.
  fake.system.localTime.tm_wday = 9;
  fake.system.localTime.tm_mon = -1;
  std::optional<Result> broken = SystemVariable(fake.ctx, "NOW");
  ASSERT_TRUE(broken && *broken);
  EXPECT_EQ((*broken)->text->substr(0, 8), "??? ??? ");
}

TEST(SystemBuiltinsTest, SystemVariablesComeFromTheServicesAndContext) {
  fakes::FakeContext fake;
  fake.system.screenWidth = 1280;
  fake.system.screenHeight = 1024;
  fake.ctx.commandLineText = "alpha beta";
  EXPECT_EQ(EvaluateOperand(fake.ctx, kKindAny, "SCREENX")->integer, 1280);
  EXPECT_EQ(EvaluateOperand(fake.ctx, kKindAny, "SCREENY")->integer, 1024);
  EXPECT_EQ(EvaluateOperand(fake.ctx, kKindAny, "CMDLINE")->text, "alpha beta");
  EXPECT_EQ(EvaluateOperand(fake.ctx, kKindAny, "OPSYS")->text, "Win32");
  EXPECT_FALSE(SystemVariable(fake.ctx, "SCREENZ"));
}

}  // namespace
}  // namespace quorl
