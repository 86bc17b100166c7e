// The form host with its windows in memory: what a program's form does
// beyond what the program tests show in a transcript.
#include "host/form_host.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "fakes.h"
#include "host/form_builder.h"
#include "host/program.h"
#include "lang/builtins.h"
#include "lang/evaluate.h"
#include "lang/scopes.h"
#include "net/browser_link.h"
#include "platform/headless/headless_windows.h"
#include "platform/sockets.h"

namespace quorl {
namespace {

class RecordingFormDialogs : public platform::FormDialogs {
 public:
  std::vector<std::string> shown;
  void ShowAbout() override { shown.push_back("about"); }
  void ShowFormInfo(std::string_view about, std::string_view format) override {
    shown.push_back(std::string(about) + "|" + std::string(format));
  }
};

class MemoryProfiles : public platform::ProfileFiles {
 public:
  std::map<std::string, std::string> values;  // "file|section|key"
  std::optional<std::string> Read(std::string_view file, std::string_view section,
                                  std::string_view key) override {
    auto found = values.find(Key(file, section, key));
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  bool Write(std::string_view file, std::string_view section, std::string_view key,
             std::string_view value) override {
    values[Key(file, section, key)] = std::string(value);
    return true;
  }
  static std::string Key(std::string_view file, std::string_view section, std::string_view key) {
    return std::string(file) + "|" + std::string(section) + "|" + std::string(key);
  }
};

class RecordingStarter : public platform::CommandStarter {
 public:
  std::vector<std::string> started;
  bool Start(std::string_view commandLine) override {
    started.emplace_back(commandLine);
    return true;
  }
};

class FormHostTest : public ::testing::Test {
 protected:
  fakes::FakeContext fake;
  Context& ctx = fake.ctx;
  platform::HeadlessWindows windows;
  RecordingFormDialogs formDialogs;
  FormHost host{ctx, windows, formDialogs};
  MemoryProfiles profiles;
  RecordingStarter starter;

  FormHostTest() {
    ctx.profiles = &profiles;
    ctx.commands = &starter;
  }
  ~FormHostTest() override {
    if (!path_.empty()) std::filesystem::remove(path_);
  }

  // Loads a program made of the form's blocks and the code, and runs its
  // start-up procedures.
  void Start(const std::string& blocks, const std::string& code) {
    path_ = std::filesystem::temp_directory_path() /
            ("quorl-form-host-" + std::to_string(getpid()) + ".frm");
    std::ofstream(path_) << "VERSION 4.00\nBegin VB.Form Form1\n"
                         << blocks << "End\n"
                         << code << "SUB UNUSED()\nEND SUB\n";
    FormBlockBuilder builder(ctx, &host);
    ASSERT_TRUE(StartProgram(ctx, path_.string(), builder));
  }

  // Runs a statement line.
  void Run(std::string_view line) { Evaluate(ctx, 0, line, true); }
  std::string Text(std::string_view expression) {
    Result value = Evaluate(ctx, kKindAny, expression, false);
    return value ? ValueToString(*value)->text.value_or("") : "(none)";
  }
  platform::WindowHandle Window(std::string_view name) { return host.FindControl(name)->window; }

 private:
  std::filesystem::path path_;
};

TEST_F(FormHostTest, RefusedConfigurationWritesNothingAndEndsTheRun) {
  Start("", "SUB MAIN()\nEND SUB\n");
  fake.dialogs.answers = {platform::kIdNo};
  EXPECT_FALSE(CallBuiltin(ctx, "WRITEINI", "\"QuorlConfig\", \"Proxy\", \"evil:80\""));
  EXPECT_TRUE(ctx.stopRequested);
  EXPECT_TRUE(profiles.values.empty());
  EXPECT_EQ(fake.dialogs.boxes.back().style,
            platform::kMbYesNo | platform::kMbIconExclamation | platform::kMbDefButton2);
  // The question is not asked again, and nothing more is written in this run.
  EXPECT_FALSE(CallBuiltin(ctx, "WRITEINI", "\"QuorlConfig\", \"Proxy\", \"evil:80\""));
  EXPECT_FALSE(CallBuiltin(ctx, "WRITEINI", "\"Game\", \"Score\", \"1\""));
  EXPECT_TRUE(profiles.values.empty());
  EXPECT_EQ(fake.dialogs.boxes.size(), 1u);
}

TEST_F(FormHostTest, ALargeValueAsksAtOnceAndTheConfigurationGoesToItsOwnFile) {
  Start("", "");
  fake.dialogs.answers = {platform::kIdYes, platform::kIdYes};
  ASSERT_TRUE(ctx.globals.Bind("BIG", Value::String(std::string(32001, 'x'))));
  Result written = CallBuiltin(ctx, "WRITEINI", "\"quorlconfig\", \"Big\", BIG");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->integer, 1);
  ASSERT_EQ(fake.dialogs.boxes.size(), 2u);  // the size question, then the configuration one
  EXPECT_NE(fake.dialogs.boxes[0].text.find("large amounts"), std::string::npos);
  EXPECT_EQ(profiles.values.count("Quorl.INI|quorlconfig|Big"), 1u);
  EXPECT_EQ(ctx.iniWriteCount, 0);
  CallBuiltin(ctx, "WRITEINI", "\"Notes\", \"A\", \"1\"");
  EXPECT_EQ(profiles.values.count("QuorlFRM.INI|Notes|A"), 1u);
  EXPECT_EQ(ctx.iniWriteCount, 1);
  EXPECT_EQ(fake.dialogs.boxes.size(), 2u);
}

TEST_F(FormHostTest, ReadIniGivesAtMost255CharactersOrTheDefault) {
  Start("", "");
  profiles.values["QuorlFRM.INI|Notes|Long"] = std::string(300, 'n');
  EXPECT_EQ(Text("READINI(\"Notes\", \"Long\")"), std::string(255, 'n'));
  EXPECT_EQ(Text("READINI(\"Notes\", \"Missing\", \"fallback\")"), "fallback");
  EXPECT_EQ(Text("READINI(\"QuorlConfig\", \"Long\", \"other file\")"), "other file");
}

TEST_F(FormHostTest, ShellStartsOnlyAfterYes) {
  Start("", "");
  fake.dialogs.answers = {platform::kIdNo, platform::kIdYes};
  EXPECT_EQ(CallBuiltin(ctx, "SHELL", "\"rm -rf x\"")->integer, 0);
  EXPECT_TRUE(starter.started.empty());
  EXPECT_EQ(CallBuiltin(ctx, "SHELL", "\"echo hi\"")->integer, 1);
  EXPECT_EQ(starter.started, std::vector<std::string>{"echo hi"});
  EXPECT_EQ(fake.dialogs.boxes[0].caption, "Confirm Execution");
  EXPECT_EQ(fake.dialogs.boxes[0].style,
            platform::kMbYesNo | platform::kMbIconQuestion | platform::kMbDefButton2);
}

TEST_F(FormHostTest, InputBoxCancelledGivesTheEmptyText) {
  Start("", "");
  fake.dialogs.inputAnswers = {std::nullopt, std::string("typed")};
  EXPECT_EQ(Text("INPUTBOX(\"Q\", \"T\", \"the default\")"), "");
  EXPECT_EQ(Text("INPUTBOX(\"Q\")"), "typed");
}

TEST_F(FormHostTest, StatusStripGrowsTheFormOnceAndCutsLongTexts) {
  Start("Width = 4800\nHeight = 3600\n", "");
  platform::WindowHandle form = host.FormWindow();
  ShowStatus(ctx, std::string(300, 'a'), 20);
  ShowStatus(ctx, std::string(300, 'b'), 30);
  EXPECT_EQ(host.status().text, std::string(256, 'b'));
  EXPECT_EQ(windows.WindowRect(form).Height(), 240 + 23);
  EXPECT_TRUE(windows.BusyCursor());
  std::optional<platform::StatusStripPaint> strip = host.StatusStrip(320);
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->progressFilled, 24);
  HideStatus(ctx);
  HideStatus(ctx);
  EXPECT_EQ(windows.WindowRect(form).Height(), 240);
  EXPECT_FALSE(windows.BusyCursor());
  EXPECT_FALSE(host.StatusStrip(320));
}

TEST_F(FormHostTest, KeyPressCodesThatAreNoCharacterAreNotDelivered) {
  Start("Begin VB.TextBox Text1\nEnd\n",
        "SUB TEXT1_KEYPRESS(K AS INTEGER)\nK = K * 100\nEND SUB\n");
  int depth = ctx.FrameDepth();
  EXPECT_EQ(host.OnCharacter(Window("Text1"), 2), 200);
  EXPECT_EQ(host.OnCharacter(Window("Text1"), 65), 0);
  EXPECT_EQ(ctx.FrameDepth(), depth);  // the event's frame is gone again
}

TEST_F(FormHostTest, TimersStartOnlyWhenEnabledWithAnInterval) {
  Start(
      "Begin VB.Timer Slow1\nEnabled = 0\nInterval = 500\nEnd\n"
      "Begin VB.Timer Zero1\nEnd\n",
      "");
  EXPECT_FALSE(windows.TimerPeriod());
  Run("SLOW1.INTERVAL = 700");
  EXPECT_FALSE(windows.TimerPeriod());  // still disabled
  EXPECT_EQ(Text("SLOW1.ENABLED"), "0");
  Run("SLOW1.ENABLED = TRUE");
  EXPECT_EQ(windows.TimerPeriod(), 700);
  Run("ZERO1.ENABLED = TRUE");  // an interval of 0 does not run
  EXPECT_EQ(windows.TimerPeriod(), 700);
  Run("SLOW1.INTERVAL = 0");
  EXPECT_FALSE(windows.TimerPeriod());
}

TEST_F(FormHostTest, GeometryOfAControlInsideAFrameStaysInTheFrame) {
  Start(
      "Begin VB.Frame Frame1\nLeft = 1500\nTop = 1500\nWidth = 3000\nHeight = 3000\n"
      "Begin VB.CommandButton Inner1\nLeft = 150\nTop = 300\nWidth = 600\nHeight = 300\nEnd\n"
      "End\n",
      "");
  EXPECT_EQ(Text("INNER1.LEFT"), "110");
  Run("INNER1.WIDTH = 60");
  EXPECT_EQ(Text("INNER1.LEFT") + " " + Text("INNER1.TOP") + " " + Text("INNER1.WIDTH"),
            "110 120 60");
  Run("INNER1.LEFT = 105");
  EXPECT_EQ(Text("INNER1.LEFT") + " " + Text("INNER1.WIDTH"), "105 65");
}

TEST_F(FormHostTest, EventsStopAfterEndAndTheFormClosesWhenMessagesArePumped) {
  Start("Begin VB.CommandButton Command1\nEnd\n",
        "DIM CLICKS AS INTEGER\nSUB COMMAND1_CLICK()\nCLICKS = CLICKS + 1\nEND SUB\n");
  windows.Click(Window("Command1"));
  EXPECT_EQ(Text("CLICKS"), "1");
  CallBuiltin(ctx, "END", "");
  windows.Click(Window("Command1"));
  EXPECT_EQ(Text("CLICKS"), "1");
  EXPECT_FALSE(windows.FormClosed());
  windows.PumpMessages();
  EXPECT_TRUE(windows.FormClosed());
  EXPECT_FALSE(host.HasForm());
}

TEST_F(FormHostTest, SystemMenuShowsTheFormsOwnDescriptionAndItsHomePage) {
  fakes::FakeDdeClient browser;  // the browser link lives as long as the form
  browser.running = true;
  ctx.browser.client = &browser;
  Start("", "DIM SZABOUTME AS STRING\n");
  windows.ChooseSystemCommand(platform::command::kAboutForm);
  ASSERT_TRUE(ctx.formTable.Bind("SZABOUTME", Value::String("All about it")));
  windows.ChooseSystemCommand(platform::command::kAboutForm);
  EXPECT_EQ(formDialogs.shown, (std::vector<std::string>{"No Information.|VERSION 4.00",
                                                         "All about it|VERSION 4.00"}));
  windows.ChooseSystemCommand(platform::command::kHomePage);
  host.CloseForm();
  EXPECT_EQ(browser.conversations,
            (std::vector<std::string>{
                "NETSCAPE|WWW_OpenURL|\"" + std::string(kHomePageUrl) + "\",,-1,0,\"\",,",
                "NETSCAPE|WWW_Activate|-1,0", "stopped"}));
}

TEST_F(FormHostTest, ImagesTakeTheIconsThatLoadFrxReads) {
  Start(
      "Begin VB.Image Image1\nPicture = \"f.frx\":0010\nEnd\n"
      "Begin VB.Image Image2\nEnd\nBegin VB.Label Label1\nEnd\n",
      "");
  ASSERT_EQ(ctx.frxImages, &host);
  std::vector<FrxImageHost::Image> images = host.Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].name, "Image1");
  EXPECT_EQ(images[0].pictureOffset, 0x10u);
  EXPECT_EQ(images[1].pictureOffset, 0u);
  FrxIcon icon;
  icon.colorBits[0] = 0xAB;
  host.SetIcon("IMAGE1", icon);
  host.SetIcon("Label1", icon);  // no Image: nothing happens
  ASSERT_TRUE(windows.Picture(Window("Image1")));
  EXPECT_EQ(windows.Picture(Window("Image1"))->colour[0], 0xAB);
  EXPECT_FALSE(windows.Picture(Window("Image2")));
  EXPECT_FALSE(windows.Picture(Window("Label1")));
}

// Counts the cancelled waits; nothing else is used.
class CancelCountingSockets : public platform::SocketLibrary {
 public:
  int cancels = 0;
  StartOutcome Start(platform::WaitHook, int&) override { return StartOutcome::kStarted; }
  void Stop() override {}
  void CancelBlockingCall() override { ++cancels; }
  void SetTimeouts(platform::SocketTimeouts) override {}
  platform::SocketResult Resolve(std::string_view) override { return {}; }
  platform::SocketResult OpenStream() override { return {}; }
  platform::SocketResult Connect(platform::SocketHandle, uint32_t, uint16_t) override { return {}; }
  platform::SocketResult Send(platform::SocketHandle, std::string_view) override { return {}; }
  platform::SocketResult Receive(platform::SocketHandle, std::span<char>, bool) override {
    return {};
  }
  int Close(platform::SocketHandle) override { return 0; }
};

TEST_F(FormHostTest, AClickOnTheStopSignStopsTheTransfer) {
  Start("Width = 4800\nHeight = 3600\n", "");
  CancelCountingSockets sockets;
  ctx.network.sockets = &sockets;
  ShowStatus(ctx, "Downloading", 10);
  host.OnFormMouseDown({10, 250});  // the library is not running: no stop sign
  EXPECT_FALSE(ctx.network.abort);
  ctx.network.libraryStarted = true;
  host.OnFormMouseDown({40, 250});  // on the text, not the sign
  host.OnFormMouseDown({10, 200});  // above the strip
  EXPECT_FALSE(ctx.network.abort);
  host.OnFormMouseDown({10, 250});  // the strip starts at 240; the sign 4 pixels lower
  EXPECT_TRUE(ctx.network.abort);
  EXPECT_EQ(sockets.cancels, 1);
  ctx.network.sockets = nullptr;
}

TEST_F(FormHostTest, ControlsArePaintedInTheirOwnColours) {
  Start(
      "Begin VB.Label Label1\nBackStyle = 0\nForeColor = &H000000FF&\nEnd\n"
      "Begin VB.TextBox Text1\nBackColor = &H00C0FFFF&\nEnd\n"
      "Begin VB.PictureBox Picture1\nBackColor = &H00FF0000&\nEnd\n",
      "");
  EXPECT_EQ(host.ControlColours(Window("Picture1"))->background, 0xFF0000u);
  std::optional<platform::ControlPaint> label = host.ControlColours(Window("Label1"));
  ASSERT_TRUE(label);
  EXPECT_EQ(label->text, 0xFFu);
  EXPECT_TRUE(label->transparent);
  std::optional<platform::ControlPaint> text = host.ControlColours(Window("Text1"));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->background, 0xC0FFFFu);
  EXPECT_FALSE(text->transparent);
  Run("TEXT1.BACKCOLOR = 255");
  EXPECT_EQ(host.ControlColours(Window("Text1"))->background, 255u);
  EXPECT_FALSE(host.ControlColours(12345));
}

}  // namespace
}  // namespace quorl
