// A real click on the status strip's stop icon (xdotool on the session's
// display) ends a transfer of quorl.exe that a slow server keeps going.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/net/hosted_program.h"
#include "tools/temporary_directory.h"
#include "wine_session.h"

namespace quorl::nettest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

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
  // The caption gives the width of the form's frame (both sides together);
  // the stop icon's centre lies 10 pixels right of the client area's bottom
  // left corner and 11 above it (the strip is 23 pixels high).
  winetest::InSession(
      "w=$(xdotool search --sync --onlyvisible --name '^Slow [0-9]+$' | head -1) && "
      "frame=$(xdotool getwindowname $w | cut -d' ' -f2) && "
      "eval $(xdotool getwindowgeometry --shell $w) && "
      "xdotool mousemove $((X + frame / 2 + 10)) $((Y + HEIGHT - frame / 2 - 11))");
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
