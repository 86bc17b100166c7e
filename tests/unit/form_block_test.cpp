// The form description's lines: units, texts, colours and style properties.
#include "host/form_block.h"

#include <gtest/gtest.h>

#include "host/control_types.h"

namespace quorl {
namespace {

namespace ws = platform::style;

platform::Colour FakeSystemColour(int index) {
  return 0x100000u + static_cast<uint32_t>(index);
}

FormBlock Apply(FormBlock block, std::initializer_list<std::string_view> lines) {
  PixelScale scale(platform::BaseUnits{8, 16});
  for (std::string_view line : lines) {
    ApplyBlockProperty(block, SplitPropertyLine(line), scale, FakeSystemColour);
  }
  return block;
}

TEST(PixelScaleTest, ConvertsTwipsWithTheBaseUnits) {
  PixelScale common(platform::BaseUnits{8, 16});
  EXPECT_EQ(common.Horizontal(1440), 96);
  EXPECT_EQ(common.Vertical(4800), 320);
  EXPECT_EQ(common.Horizontal(29), 1);  // 29 / 15 is 1 before scaling
  EXPECT_EQ(common.ComboHeight(300), 100);
  EXPECT_EQ(common.Horizontal(-100), -6);

  PixelScale large(platform::BaseUnits{10, 20});
  EXPECT_EQ(large.Horizontal(1440), 120);
  EXPECT_EQ(large.Vertical(1440), 120);
  PixelScale missing(platform::BaseUnits{0, 0});  // a zero scale counts as 1
  EXPECT_EQ(missing.Horizontal(1440), 96);
}

TEST(FormBlockTest, ReadsBeginLinesWithAndWithoutThePrefix) {
  FormBlock prefixed = ReadBeginLine("Begin VB.CommandButton Command1");
  FormBlock plain = ReadBeginLine("begin commandbutton  Command1 ");
  EXPECT_EQ(prefixed.type, kControlCommandButton);
  EXPECT_EQ(plain.type, kControlCommandButton);
  EXPECT_EQ(prefixed.name, "Command1");
  EXPECT_EQ(plain.name, "Command1");
  EXPECT_EQ(ReadBeginLine("Begin VB.HScrollBar Bar").type, kControlScrollBar);
  EXPECT_EQ(ReadBeginLine("Begin VB.Menu mnuFile").type, 0);
  EXPECT_EQ(ReadBeginLine("Begin VB.PictureBox Pic").typeWord, "PictureBox");
}

TEST(FormBlockTest, SplitsPropertyLines) {
  PropertyLine normal = SplitPropertyLine("Caption         =   \"It's\"   'the title");
  EXPECT_EQ(normal.name, "Caption");
  EXPECT_EQ(normal.value, "\"It's\"");
  // Without a blank before "=", the name loses its last letter.
  EXPECT_EQ(SplitPropertyLine("Caption=\"x\"").name, "Captio");
  PropertyLine bare = SplitPropertyLine("EndProperty");
  EXPECT_EQ(bare.name, "EndPropert");
  EXPECT_EQ(bare.value, "");
  PropertyLine equalsFirst = SplitPropertyLine("= 5");
  EXPECT_EQ(equalsFirst.name, ".");
  EXPECT_EQ(equalsFirst.value, ".");
}

TEST(FormBlockTest, DequotesCaptionsAndMarksTextsKeptElsewhere) {
  EXPECT_EQ(CaptionText("\"Say \"\"hi\"\"\""), "Say \"hi\"");
  EXPECT_EQ(CaptionText("\"\"\"\""), "\"");
  EXPECT_EQ(CaptionText("\"\""), "");
  EXPECT_EQ(CaptionText("plain"), "plain");
  std::string placeholder = CaptionText("$\"Form1.frx\":0000");
  EXPECT_NE(placeholder.find("FRX"), std::string::npos);
  EXPECT_EQ(placeholder.front(), '{');
  EXPECT_EQ(CaptionText("\"Form1.frx\":01A4"), placeholder);  // without the "$" too
  EXPECT_EQ(CaptionText("\"a\":x"), "a\":x");
  EXPECT_EQ(CaptionText("\"a\":"), "a\":");
}

TEST(FormBlockTest, ReadsColoursAndSystemColours) {
  EXPECT_EQ(ReadColour("&H00FF8000&", FakeSystemColour), 0xFF8000u);
  EXPECT_EQ(ReadColour("&H8000000F&", FakeSystemColour), FakeSystemColour(15));
  EXPECT_EQ(ReadColour("&H80000005&", FakeSystemColour), FakeSystemColour(5));
  EXPECT_EQ(ReadColour("", FakeSystemColour), 0u);
}

TEST(FormBlockTest, ReadsWholeNumbersLikeAtoiWithoutOverflow) {
  EXPECT_EQ(WholeNumber("  -1 'True"), -1);
  EXPECT_EQ(WholeNumber("12abc"), 12);
  EXPECT_EQ(WholeNumber("True"), 0);
  EXPECT_EQ(WholeNumber("99999999999999"), INT32_MAX);
  EXPECT_EQ(WholeNumber("-99999999999999"), INT32_MIN);
}

TEST(FormBlockTest, AppliesGeometryAndTabIndexByType) {
  FormBlock button = ReadBeginLine("Begin VB.CommandButton B");
  button = Apply(button, {"Height = 375", "Left = 120", "Top = 600", "Width = 1215", "TabIndex = 3",
                          "Enabled = 0 'False"});
  EXPECT_EQ(button.height, 25);
  EXPECT_EQ(button.left, 8);
  EXPECT_EQ(button.top, 40);
  EXPECT_EQ(button.width, 81);
  EXPECT_EQ(button.tabIndex, 3);
  EXPECT_EQ(button.enabled, 0);

  FormBlock label = Apply(ReadBeginLine("Begin VB.Label L"), {"TabIndex = 3"});
  EXPECT_EQ(label.tabIndex, -1);  // a Label takes no place in the Tab order
  EXPECT_TRUE(label.style & ws::kTabStop);

  FormBlock combo = Apply(ReadBeginLine("Begin VB.ComboBox C"), {"Height = 300"});
  EXPECT_EQ(combo.height, 100);

  // Only a form has a client area; a form has no Index.
  FormBlock form = Apply(ReadBeginLine("Begin VB.Form F"), {"ClientWidth = 1440", "Index = 1"});
  EXPECT_EQ(form.clientWidth, 96);
  EXPECT_FALSE(form.widthGiven || form.index);
  FormBlock element = Apply(button, {"ClientWidth = 1440", "Index = 2"});
  EXPECT_FALSE(element.clientWidth);
  EXPECT_EQ(BoundName(element), "B(2)");
}

TEST(FormBlockTest, AppliesStyleProperties) {
  FormBlock combo = ReadBeginLine("Begin VB.ComboBox C");
  combo.style = ws::kChild | ws::kComboDropDown;
  EXPECT_EQ(Apply(combo, {"Style = 1"}).style & ws::kComboTypeMask, ws::kComboDropDownList);
  EXPECT_EQ(Apply(combo, {"Style = 0"}).style & ws::kComboTypeMask, ws::kComboDropDown);
  EXPECT_EQ(Apply(combo, {"Style = 2"}).style & ws::kComboTypeMask, ws::kComboDropDownList);
  EXPECT_TRUE(Apply(combo, {"Sorted = -1"}).style & ws::kComboSort);

  FormBlock text = ReadBeginLine("Begin VB.TextBox T");
  text.style = ws::kChild | ws::kEditAutoHScroll;
  FormBlock password = Apply(text, {"PasswordChar = \"*\"", "Alignment = 1", "MultiLine = -1"});
  EXPECT_EQ(password.passwordChar, '*');
  EXPECT_TRUE(password.style & ws::kEditPassword);
  EXPECT_TRUE(password.style & ws::kEditRight);
  EXPECT_TRUE(password.style & ws::kEditMultiLine);
  // BorderStyle clears the low style bits 0x70 before it adds its frame.
  FormBlock bordered = Apply(password, {"BorderStyle = 1"});
  EXPECT_FALSE(bordered.style & ws::kEditPassword);
  EXPECT_TRUE(bordered.style & ws::kBorder);

  FormBlock form = ReadBeginLine("Begin VB.Form F");
  form.style = ws::kPopup | ws::kMinimizeBox | ws::kMaximizeBox;
  FormBlock fixed = Apply(form, {"MinButton = 0", "MaxButton = -1", "BackColor = &H0000FF00&"});
  EXPECT_FALSE(fixed.style & ws::kMinimizeBox);
  EXPECT_TRUE(fixed.style & ws::kMaximizeBox);
  EXPECT_EQ(fixed.backColour, 0x00FF00u);

  FormBlock image = Apply(ReadBeginLine("Begin VB.Image I"), {"Picture = \"Form1.frx\":01A4"});
  EXPECT_EQ(image.pictureOffset, 0x1A4u);
  FormBlock label = Apply(ReadBeginLine("Begin VB.Label L"), {"BackStyle = 0", "FontSize = 9.75"});
  EXPECT_EQ(label.backStyle, 1);
  EXPECT_DOUBLE_EQ(label.fontSize, 9.75);
}

}  // namespace
}  // namespace quorl
