// The form description's lines and the host's arithmetic on what a script
// sets: style properties, numbers beyond their range, scroll requests.
#include <gtest/gtest.h>

#include "host/control_types.h"
#include "host/form_block.h"
#include "host/scroll_request.h"

namespace quorl {
namespace {

namespace ws = platform::style;
namespace sb = platform::scroll;

FormBlock Apply(FormBlock block, std::initializer_list<std::string_view> lines) {
  PixelScale scale(platform::BaseUnits{8, 16});
  for (std::string_view line : lines) {
    ApplyBlockProperty(block, SplitPropertyLine(line), scale,
                       [](int index) { return 0x100000u + static_cast<uint32_t>(index); });
  }
  return block;
}

TEST(FormLayout, StylePropertiesAndWholeNumbers) {
  FormBlock text = ReadBeginLine("Begin VB.TextBox T");
  text.style = ws::kChild | ws::kEditAutoHScroll;
  FormBlock password = Apply(text, {"PasswordChar = \"*\"", "MultiLine = -1"});
  EXPECT_EQ(password.passwordChar, '*');
  EXPECT_TRUE(password.style & ws::kEditPassword && password.style & ws::kEditMultiLine);
  // BorderStyle clears the low style bits 0x70 before it adds its frame.
  FormBlock bordered = Apply(password, {"BorderStyle = 1"});
  EXPECT_FALSE(bordered.style & ws::kEditPassword);
  EXPECT_TRUE(bordered.style & ws::kBorder);
  EXPECT_TRUE(Apply(text, {"BorderStyle = 2"}).style & ws::kThickFrame);
  EXPECT_TRUE(Apply(text, {"BorderStyle = 3"}).style & ws::kDialogModalFrame);

  FormBlock form = ReadBeginLine("Begin VB.Form F");
  form.style = ws::kPopup | ws::kMinimizeBox | ws::kMaximizeBox;
  FormBlock fixed = Apply(form, {"MinButton = 0", "MaxButton = 0"});
  EXPECT_FALSE(fixed.style & (ws::kMinimizeBox | ws::kMaximizeBox));
  EXPECT_EQ(Apply(ReadBeginLine("Begin VB.Label L"), {"BackStyle = 0"}).backStyle, 1);

  EXPECT_EQ(WholeNumber("  -1 'True"), -1);
  EXPECT_EQ(WholeNumber("99999999999999"), INT32_MAX);
  EXPECT_EQ(WholeNumber("-99999999999999"), INT32_MIN);
}

TEST(FormLayout, ScrollRequestsClampWithoutWrappingRound) {
  ScrollRequest scroll{sb::kPageUp, 0, 5, 0, 10, 2, 4};
  EXPECT_EQ(ScrollTarget(scroll), 1);
  scroll = {sb::kPageDown, 0, INT32_MAX - 1, 0, INT32_MAX, 1, INT32_MAX};
  EXPECT_EQ(ScrollTarget(scroll), INT32_MAX);
  scroll = {sb::kPageUp, 0, INT32_MIN + 1, INT32_MIN, 0, 1, INT32_MAX};
  EXPECT_EQ(ScrollTarget(scroll), INT32_MIN);
  // Minimum 10, maximum 0: the maximum is applied first, then the minimum.
  scroll = {sb::kLineDown, 0, 5, 10, 0, 1, 1};
  EXPECT_EQ(ScrollTarget(scroll), 10);
}

}  // namespace
}  // namespace quorl
