// The browser link of quorl.exe over DDE, against a browser's DDE server of
// our own (dde_test_server.exe) in the same Wine session, which records
// every conversation and request. With no server at all the link fails
// with its messages: tests/programs/net/browser_absent.frm.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <sstream>

#include "tests/net/hosted_program.h"
#include "tests/net/server_process.h"
#include "tools/temporary_directory.h"
#include "wine_session.h"

namespace quorl::nettest {
namespace {

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
  // Starts the DDE server; answer is its window information, or none.
  void StartServer(const std::string& service, const std::string* answer) {
    std::vector<std::string> arguments = {service};
    if (answer) arguments.push_back(*answer);
    server_ = std::make_unique<ServerProcess>(
        winetest::WineCommand(QUORL_WINDOWS_TEST_TOOLS "/dde_test_server.exe", arguments),
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
  const std::string answer = "\"http://example.test/page.html\",\"Example Page\"";
  StartServer("NETSCAPE", &answer);
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
  requests[4] = "(long)";
  EXPECT_EQ(requests, (std::vector<std::string>{
                          "WWW_OpenURL \"http://example.test/a.html\",,-1,0,\"\",,", activate,
                          "WWW_OpenURL \"http://example.test/b.cgi\",,-1,0,\"q=1&r=2\",,", activate,
                          "(long)", activate, "WWW_GetWindowInfo -1", "WWW_GetWindowInfo -1",
                          "WWW_OpenURL \"http://quorl.example/\",,-1,0,\"\",,", activate}));
  const std::vector<std::string> topics = {"WWW_OpenURL", "WWW_Activate"};
  const std::vector<std::string> connects = Lines("connect");
  ASSERT_EQ(connects.size(), 10u);
  for (size_t i = 0; i < connects.size(); ++i) {
    const std::string topic = i == 6 || i == 7 ? "WWW_GetWindowInfo" : topics[i % 2];
    EXPECT_EQ(connects[i], "NETSCAPE " + topic);
  }
}

TEST_F(BrowserLinkTest, OtherBrowsersAreWarnedOnceAndMayShowNoPage) {
  StartServer("OtherBrowser", nullptr);
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

}  // namespace
}  // namespace quorl::nettest
