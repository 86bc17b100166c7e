// A real click on the status strip's stop icon (xdotool on the session's
// display) ends a transfer of quorl.exe that a slow server keeps going.
#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "tests/net/hosted_program.h"
#include "tests/net/scripted_server.h"
#include "tools/temporary_directory.h"
#include "wine_session.h"

namespace quorl::nettest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Where the strip's stop icon lies, from the bottom left corner of the
// form's client area (the strip is 23 pixels high at the system font).
constexpr int kIconCentreX = 2 + 8;
constexpr int kIconCentreFromBottom = 23 - 4 - 8;

TEST(StopIconTest, AClickStopsTheTransferAtOnce) {
  std::atomic<bool> streaming = false;
  std::atomic<Clock::rep> goneAt = 0;
  ScriptedServer server([&](ScriptedConnection& connection) {
    connection.ReadRequest();
    connection.Send("HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n" + std::string(2000, 'd'));
    streaming = true;
    // A byte now and then, until the client goes away (or half a minute).
    for (int i = 0; i < 1500 && !connection.ClientGone(20ms); ++i) connection.Send("d");
    goneAt = Clock::now().time_since_epoch().count();
  });

  // The caption tells the test the width of the form's frame (on either side).
  tools::TemporaryDirectory folder("quorl-stop-icon");
  HostedProgram program(folder.Path() / "work");
  const std::string form =
      "VERSION 4.00\nBegin VB.Form Form1\n   Caption         =   \"Slow\"\n"
      "   Begin VB.CommandButton Fetch\n      Caption         =   \"Fetch\"\n   End\nEnd\n"
      "SUB FORM_LOAD()\n  ME.CAPTION = \"Slow \" & (ME.WIDTH - ME.SCALEWIDTH)\nEND SUB\n"
      "SUB FETCH_CLICK()\n  MSG OPENDATA(\"" +
      server.Url("/slow") + "\", \"\")\nEND SUB\n";
  program_tests::Verdict verdict;
  std::thread run(
      [&] { verdict = program.RunProgram("slow.frm", form, "Message: 0\n", {}, "click Fetch\n"); });

  const auto deadline = Clock::now() + 20s;
  while (!streaming && Clock::now() < deadline) std::this_thread::sleep_for(10ms);
  ASSERT_TRUE(streaming) << "the program did not ask";
  std::this_thread::sleep_for(300ms);  // the strip is painted
  const std::string window = winetest::InSession(
      "xdotool search --sync --onlyvisible --name '^Slow [0-9]+$' | head -1 | tr -d '\\n'");
  const std::string name = winetest::InSession("xdotool getwindowname " + window);
  const std::string geometry = winetest::InSession("xdotool getwindowgeometry --shell " + window);
  std::smatch frame;
  std::smatch x, y, height;
  ASSERT_TRUE(std::regex_search(name, frame, std::regex("Slow ([0-9]+)"))) << name;
  ASSERT_TRUE(std::regex_search(geometry, x, std::regex("X=([0-9]+)")) &&
              std::regex_search(geometry, y, std::regex("Y=([0-9]+)")) &&
              std::regex_search(geometry, height, std::regex("HEIGHT=([0-9]+)")))
      << geometry;
  const int border = std::stoi(frame[1]) / 2;
  const int clickX = std::stoi(x[1]) + border + kIconCentreX;
  const int clickY = std::stoi(y[1]) + std::stoi(height[1]) - border - kIconCentreFromBottom;
  winetest::InSession("xdotool mousemove " + std::to_string(clickX) + " " + std::to_string(clickY));
  const Clock::time_point clicked = Clock::now();
  winetest::InSession("xdotool click 1");
  run.join();
  EXPECT_TRUE(verdict.passed) << verdict.report;
  ASSERT_NE(goneAt.load(), 0);
  const auto stopped = Clock::time_point(Clock::duration(goneAt.load())) - clicked;
  EXPECT_LT(stopped, 200ms)
      << std::chrono::duration_cast<std::chrono::milliseconds>(stopped).count()
      << " ms after the click";
}

}  // namespace
}  // namespace quorl::nettest
