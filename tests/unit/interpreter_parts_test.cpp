// Corners of the interpreter that no program reaches: conversions at the ends
// of the number ranges, kinds a script cannot name, a clock that returns
// nonsense, name lookups while a call binds its arguments, INI values that
// are quoted or hold line breaks; the form host with its windows in memory,
// the form description's lines, the loader's limit and the host's arithmetic
// on what a script sets.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/control_types.h"
#include "host/form_block.h"
#include "host/form_builder.h"
#include "host/form_host.h"
#include "host/loader.h"
#include "host/program.h"
#include "host/scroll_request.h"
#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "lang/evaluate.h"
#include "lang/scopes.h"
#include "platform/headless/console_form_dialogs.h"
#include "platform/headless/headless_windows.h"
#include "platform/posix/ini_text.h"
#include "tests/unit/fakes.h"
#include "tools/temporary_directory.h"
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

class FormHostTest : public ::testing::Test {
 protected:
  fakes::FakeContext fake;
  Context& ctx = fake.ctx;
  platform::HeadlessWindows windows;
  std::ostringstream out;
  platform::ConsoleFormDialogs formDialogs{out};
  FormHost host{ctx, windows, formDialogs};
  tools::TemporaryDirectory folder;

  // Loads a form made of the blocks and runs its start-up procedures.
  void Start(const std::string& blocks) {
    const std::filesystem::path path = folder.Path() / "form.frm";
    std::ofstream(path) << "VERSION 4.00\nBegin VB.Form Form1\n"
                        << blocks << "End\nSUB UNUSED()\nEND SUB\n";
    FormBlockBuilder builder(ctx, &host);
    ASSERT_TRUE(StartProgram(ctx, path.string(), builder));
  }

  // Runs a statement line.
  void Run(std::string_view line) { Evaluate(ctx, 0, line, true); }
  platform::WindowHandle Window(std::string_view name) { return host.FindControl(name)->window; }
};

TEST_F(FormHostTest, StatusStripGrowsTheFormOnceAndItsStopSignStopsTheTransfer) {
  Start("Width = 4800\nHeight = 3600\n");
  platform::WindowHandle form = host.FormWindow();
  ShowStatus(ctx, std::string(300, 'a'), 20);
  ShowStatus(ctx, std::string(300, 'b'), 30);
  EXPECT_EQ(host.status().text, std::string(256, 'b'));
  EXPECT_EQ(windows.WindowRect(form).Height(), 240 + 23);
  EXPECT_TRUE(windows.BusyCursor());
  EXPECT_EQ(host.StatusStrip(320)->progressFilled, 24);

  fakes::ScriptedSockets sockets;
  ctx.network.sockets = &sockets;
  host.OnFormMouseDown({10, 250});  // the library is not running: no stop sign
  ctx.network.libraryStarted = true;
  host.OnFormMouseDown({40, 250});  // on the text, not the sign
  host.OnFormMouseDown({10, 200});  // above the strip
  EXPECT_FALSE(ctx.network.abort);
  host.OnFormMouseDown({10, 250});  // the strip starts at 240; the sign 4 pixels lower
  EXPECT_TRUE(ctx.network.abort);
  EXPECT_EQ(sockets.cancels, 1);
  ctx.network.sockets = nullptr;

  HideStatus(ctx);
  HideStatus(ctx);
  EXPECT_EQ(windows.WindowRect(form).Height(), 240);
  EXPECT_FALSE(windows.BusyCursor());
  EXPECT_FALSE(host.StatusStrip(320));
}

TEST_F(FormHostTest, TimersRunOnlyWhenEnabledWithAnInterval) {
  Start("Begin VB.Timer Slow1\nEnabled = 0\nInterval = 500\nEnd\nBegin VB.Timer Zero1\nEnd\n");
  Run("SLOW1.INTERVAL = 700");
  EXPECT_FALSE(windows.TimerPeriod());  // still disabled
  Run("SLOW1.ENABLED = TRUE");
  EXPECT_EQ(windows.TimerPeriod(), 700);
  Run("ZERO1.ENABLED = TRUE");  // an interval of 0 does not run
  EXPECT_EQ(windows.TimerPeriod(), 700);
  Run("SLOW1.INTERVAL = 0");
  EXPECT_FALSE(windows.TimerPeriod());
}

TEST_F(FormHostTest, ImagesTakeTheirIconsAndControlsArePaintedInTheirColours) {
  Start(
      "Begin VB.Image Image1\nPicture = \"f.frx\":0010\nEnd\nBegin VB.Image Image2\nEnd\n"
      "Begin VB.Label Label1\nBackStyle = 0\nForeColor = &H000000FF&\nEnd\n"
      "Begin VB.TextBox Text1\nBackColor = &H00C0FFFF&\nEnd\n");
  ASSERT_EQ(ctx.frxImages, &host);
  std::vector<FrxImageHost::Image> images = host.Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].name + " " + images[1].name, "Image1 Image2");
  EXPECT_EQ(images[0].pictureOffset, 0x10u);
  EXPECT_EQ(images[1].pictureOffset, 0u);
  FrxIcon icon;
  icon.colorBits[0] = 0xAB;
  host.SetIcon("IMAGE1", icon);
  host.SetIcon("Label1", icon);  // no Image: nothing happens
  EXPECT_EQ(windows.Picture(Window("Image1"))->colour[0], 0xAB);
  EXPECT_FALSE(windows.Picture(Window("Image2")) || windows.Picture(Window("Label1")));

  std::optional<platform::ControlPaint> label = host.ControlColours(Window("Label1"));
  EXPECT_EQ(label->text, 0xFFu);
  EXPECT_TRUE(label->transparent);
  EXPECT_EQ(host.ControlColours(Window("Text1"))->background, 0xC0FFFFu);
  EXPECT_FALSE(host.ControlColours(Window("Text1"))->transparent);
  Run("TEXT1.BACKCOLOR = 255");
  EXPECT_EQ(host.ControlColours(Window("Text1"))->background, 255u);
  EXPECT_FALSE(host.ControlColours(12345));
}

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

// A script whose code section is stored as `stored` lines: SUB MAIN, one IF
// (three lines), assignments, END SUB.
std::string ProgramOfStoredLines(int stored) {
  std::string text = "OPTION EXPLICIT\n' not stored\nSUB MAIN()\n  IF N < 9 THEN N = N + 1\n";
  for (int i = 0; i < stored - 5; ++i) text += "  N = N + 1\n";
  return text + "END SUB\n";
}

TEST(LoaderLimit, AtMost1500CodeLines) {
  fakes::FakeContext fake;
  fakes::RecordingErrors errors;
  FormSectionSkipper noForm(errors);
  EXPECT_EQ(LoadProgramText(fake.ctx, "big.qrl", ProgramOfStoredLines(1500), noForm).lines, 1500);
  EXPECT_TRUE(fake.dialogs.boxes.empty());

  LoadedProgram loaded = LoadProgramText(fake.ctx, "big.qrl", ProgramOfStoredLines(1501), noForm);
  EXPECT_TRUE(loaded.failed);
  EXPECT_EQ(loaded.lines + fake.ctx.lines.Count(), 0);
  ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fake.dialogs.boxes[0].text,
            "Program too long:\n  big.qrl\nQuorl allows at most 1500 code lines.\nQuorl Aborting.");
}

}  // namespace
}  // namespace quorl
