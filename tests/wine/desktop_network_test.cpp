// quorl.exe's network parts that need Windows itself: the browser link over
// DDE, against a browser's DDE server of our own (dde_test_server.exe) in
// the same Wine session, which records every conversation and request (with
// no server at all the link fails with its messages:
// tests/programs/net/browser_absent.frm); the socket library when it cannot
// serve; and a real click (xdotool) on the status strip's stop icon.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <thread>

#include "tests/net/hosted_program.h"
#include "tests/net/server_process.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace quorl::nettest {
namespace {

// The display and prefix of the Wine session that the fixture wine_session started.
const std::string kLoadSession = "source '" QUORL_WINE_SESSION "/session.env' && ";

// The command line that runs a Windows program under Wine in the session.
std::vector<std::string> WineCommand(const std::string& program,
                                     const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {
      "/bin/bash", "-c", kLoadSession + "exec timeout -k 5 60 wine \"$0\" \"$@\"", program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

// Runs a shell command with the session's display; its standard output.
std::string InSession(const std::string& command) {
  tools::ProcessRequest request;
  request.argv = {"/bin/bash", "-c", kLoadSession + command};
  request.timeout = std::chrono::seconds(20);
  return tools::RunProcess(request).standardOutput;
}

// A form whose FORM_LOAD runs the code; the menu item of its events works too.
std::string FormProgram(std::string_view code) {
  return "VERSION 4.00\nBegin VB.Form Form1\n   Caption         =   \"Link\"\nEnd\n"
         "SUB FORM_LOAD()\n  DIM P AS STRING\n  DIM S AS STRING\n  DIM I AS INTEGER\n"
         "  P = \"\"\n  FOR I = 1 TO 25\n    P = P & \"field=0123456789\"\n  NEXT I\n" +
         std::string(code) + "END SUB\n";
}

const std::string kLongText = [] {
  std::string text;
  for (int i = 0; i < 25; ++i) text += "field=0123456789";
  return text;
}();

class BrowserLinkTest : public ::testing::Test {
 protected:
  // Starts the DDE server: the service, and the window information if any.
  void StartServer(const std::vector<std::string>& arguments) {
    server_ = std::make_unique<ServerProcess>(
        WineCommand(QUORL_WINDOWS_TEST_TOOLS "/dde_test_server.exe", arguments),
        [this] { return ReadFile(log_).starts_with("ready\n"); }, std::chrono::seconds(20), log_);
    ASSERT_TRUE(server_->Running()) << ReadFile(log_);
  }

  // The server's lines that start with the word, in order.
  std::vector<std::string> Lines(std::string_view word) {
    server_->Stop();
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(log_));
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with(std::string(word) + " ")) lines.push_back(line.substr(word.size() + 1));
    }
    return lines;
  }

  tools::TemporaryDirectory folder_{"quorl-browser-link"};
  HostedProgram program{folder_.Path() / "work"};
  std::filesystem::path log_ = folder_.Path() / "server.log";
  std::unique_ptr<ServerProcess> server_;
};

TEST_F(BrowserLinkTest, PagesOpenAndTheShownPageIsRead) {
  StartServer({"NETSCAPE", "\"http://example.test/page.html\",\"Example Page\""});
  EXPECT_RUN(
      program.RunProgram("link.frm",
                         FormProgram("  MSG OPENURL(\"http://example.test/a.html\", \"\")\n"
                                     "  MSG OPENURL(\"http://example.test/b.cgi\", \"q=1&r=2\")\n"
                                     "  MSG OPENURL(\"http://example.test/long.cgi\", P)\n"
                                     "  MSG WEBURL\n  MSG WEBNAME\n"),
                         "Message: 1\nMessage: 1\nMessage: 1\n"
                         "Message: http://example.test/page.html\nMessage: Example Page\n",
                         {}, "menu homepage\n"));

  std::vector<std::string> requests = Lines("request");
  ASSERT_EQ(requests.size(), 10u);
  // The long post text goes in a temporary file that the browser reads.
  EXPECT_TRUE(std::regex_match(
      requests[4], std::regex(R"(WWW_OpenURL "http://example.test/long.cgi",,-1,0,"\^.+\.tmp",,)")))
      << requests[4];
  EXPECT_EQ(Lines("file"), std::vector<std::string>{kLongText});
  const std::string activate = "WWW_Activate -1,0";
  requests[4] = "WWW_OpenURL (long)";
  EXPECT_EQ(requests,
            (std::vector<std::string>{
                "WWW_OpenURL \"http://example.test/a.html\",,-1,0,\"\",,", activate,
                "WWW_OpenURL \"http://example.test/b.cgi\",,-1,0,\"q=1&r=2\",,", activate,
                "WWW_OpenURL (long)", activate, "WWW_GetWindowInfo -1", "WWW_GetWindowInfo -1",
                "WWW_OpenURL \"http://quorl.example/\",,-1,0,\"\",,", activate}));
  // Each request has a conversation of its own with the browser's service.
  std::vector<std::string> topics;
  for (const std::string& request : requests) {
    topics.push_back("NETSCAPE " + request.substr(0, request.find(' ')));
  }
  EXPECT_EQ(Lines("connect"), topics);
}

TEST_F(BrowserLinkTest, OtherBrowsersAreWarnedOnceAndMayShowNoPage) {
  StartServer({"OtherBrowser"});
  program.Configure("Service", "OtherBrowser");
  EXPECT_RUN(program.RunProgram("other.frm",
                                FormProgram("  MSG OPENURL(\"http://example.test/1.cgi\", P)\n"
                                            "  MSG OPENURL(\"http://example.test/2.cgi\", P)\n"
                                            "  S = \"unchanged\"\n  S = WEBURL\n  MSG S\n"),
                                "Quorl: More than 255 characters being sent to Browser.\n"
                                "Your browser may not support file based DDE communication.\n"
                                "Contact your browser developer if this does not work.\n"
                                "   (Netscape and Mosaic browsers do support this.)\n"
                                "Message: 1\nMessage: 1\n"
                                "Quorl: No page opened or browser not running:  OtherBrowser\n"
                                "Please start your web browser or open a page and try again.\n"
                                "Message: unchanged\n"));
  EXPECT_EQ(Lines("file"), (std::vector<std::string>{kLongText, kLongText}));
  EXPECT_EQ(Lines("request").back(), "WWW_GetWindowInfo -1");
}

// The socket library not there at all, lacking an entry point, or failing
// its start-up call (reported once in a run). Wine loads the libraries of
// fake_wsock32.cpp in place of the system's when they lie beside the
// program and WINEDLLOVERRIDES says so.
const std::string kTwoRequests =
    "OPTION EXPLICIT\nSUB MAIN()\n"
    "  MSG OPENDATA(\"http://127.0.0.1:9/\", \"\")\n"
    "  MSG OPENDATA(\"http://127.0.0.1:9/\", \"\")\nEND SUB\n";

const std::string kNotWorking = "\nNetwork functions of Quorl will not work.\n";

// The transcript of the program with the socket library as the override
// says, from a copy of quorl.exe beside the library file given.
std::string Transcript(const std::string& override, const std::string& library = {}) {
  tools::TemporaryDirectory folder("quorl-socket-library");
  const std::filesystem::path tools = QUORL_WINDOWS_TEST_TOOLS;
  std::filesystem::copy_file(tools / "quorl.exe", folder.Path() / "quorl.exe");
  if (!library.empty()) std::filesystem::copy_file(tools / library, folder.Path() / "WSOCK32.DLL");
  WriteFile(folder.Path() / "two.qrl", kTwoRequests);
  return InSession("cd '" + folder.Path().string() +
                   "' && WINEDLLOVERRIDES=\"$WINEDLLOVERRIDES;wsock32=" + override +
                   "\" timeout -k 5 25 wine ./quorl.exe --scripted two.qrl");
}

TEST(SocketLibraryTest, EachFailureToStartIsShown) {
  const std::string missing =
      "Start Socket DLL: Unable to load Windows socket library (WSOCK32.DLL or WINSOCK.DLL)." +
      kNotWorking + "Message: 0\n";
  EXPECT_EQ(Transcript("d"), missing + missing);
  const std::string lacking =
      "Start Socket DLL: One or more necessary functions not found in Windows socket library "
      "(WINSOCK.DLL)!" +
      kNotWorking + "Message: 0\n";
  EXPECT_EQ(Transcript("n", "partial_wsock32.dll"), lacking + lacking);
  EXPECT_EQ(Transcript("n", "failing_wsock32.dll"),
            "Windows Socket ErrorStartSocketDLL(): Error communication on network:\n"
            "  System not ready\n"
            "Start Socket DLL: Unable to initialize Windows socket library (WINSOCK.DLL)!" +
                kNotWorking + "Message: 0\nMessage: 0\n");
}

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
  InSession(
      "w=$(xdotool search --sync --onlyvisible --name '^Slow [0-9]+$' | head -1) && "
      "frame=$(xdotool getwindowname $w | cut -d' ' -f2) && "
      "eval $(xdotool getwindowgeometry --shell $w) && "
      "xdotool mousemove $((X + frame / 2 + 10)) $((Y + HEIGHT - frame / 2 - 11))");
  const Clock::time_point clicked = Clock::now();
  InSession("xdotool click 1");
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
